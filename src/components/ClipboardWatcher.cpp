#include "components/ClipboardWatcher.h"

#include <exception>

#include "core/Error.h"
#include "core/Text.h"

namespace zerbo {

TClipboardWatcher::TClipboardWatcher(std::unique_ptr<IClipboardChain> chain, TErrorDisplay showError,
                                     std::u16string name)
    : TComponent(std::move(name)), FChain(std::move(chain)), FShowError(std::move(showError)) {
    FChain->Bind(this);
}

TClipboardWatcher::~TClipboardWatcher() {
    SetEnabled(false);
    FChain->Bind(nullptr);
}

void TClipboardWatcher::SetEnabled(bool value) {
    FEnabled = value;
    updateRegistration();
}

void TClipboardWatcher::SetOnChange(TNotifyEvent value) {
    FOnChange = std::move(value);
    updateRegistration();
}

void TClipboardWatcher::updateRegistration() {
    const bool wanted = FEnabled && static_cast<bool>(FOnChange);
    if (wanted == FRegistered) return;
    FRegistered = wanted;
    if (!wanted) {
        FChain->Leave(FNextWindowHandle);
        return;
    }
    // The platform greets a new viewer with a change notification of its own, sent while
    // joining. It is not a change; and taking it would re-enter a handler that re-enables
    // the watcher after its own clipboard write (endlessly, if the handler writes text),
    // and forward it to a next window not known yet.
    FJoining = true;
    try {
        FNextWindowHandle = FChain->Join();
    } catch (...) {
        FJoining = false;
        throw;
    }
    FJoining = false;
}

template <typename Body>
void TClipboardWatcher::guarded(Body&& body) {
    // A window procedure must not let an error through; it goes to the error display.
    try {
        body();
    } catch (const Exception& e) {
        if (FShowError) FShowError(e.Message());
    } catch (const std::exception& e) {
        if (FShowError) FShowError(FromUtf8(e.what()));
    } catch (...) {
        if (FShowError) FShowError(u"不明な例外が発生しました");
    }
}

void TClipboardWatcher::Change() {
    if (FOnChange) FOnChange(this);
}

void TClipboardWatcher::WMDrawClipboard(std::uintptr_t wParam, std::intptr_t lParam) {
    if (FJoining) return;
    guarded([&] {
        Change();
        if (FNextWindowHandle != 0)
            FChain->Send(FNextWindowHandle, IClipboardChain::TMessage::DrawClipboard, wParam, lParam);
    });
}

void TClipboardWatcher::WMChangeCBChain(std::uintptr_t wParam, std::intptr_t lParam) {
    guarded([&] {
        if (static_cast<TWindowHandle>(wParam) == FNextWindowHandle)
            FNextWindowHandle = static_cast<TWindowHandle>(lParam);
        else if (FNextWindowHandle != 0)
            FChain->Send(FNextWindowHandle, IClipboardChain::TMessage::ChangeCBChain, wParam, lParam);
    });
}

} // namespace zerbo
