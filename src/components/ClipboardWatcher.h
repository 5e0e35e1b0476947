#pragma once
// TClipboardWatcher: calls OnChange whenever the clipboard's content changes. It is in the
// platform's clipboard viewer chain exactly while it is enabled and has a handler, and
// keeps its part of the chain protocol: pass each notification on, repair the chain when
// the window after it leaves.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "components/Component.h"
#include "core/Error.h"

namespace zerbo {

using TWindowHandle = std::uintptr_t;

class TClipboardWatcher;

// The viewer chain as seen from the component's own hidden window.
class IClipboardChain {
public:
    enum class TMessage { DrawClipboard, ChangeCBChain };

    virtual ~IClipboardChain() = default;
    // Messages for the own window go to this watcher from now on (nullptr: to none).
    virtual void Bind(TClipboardWatcher* watcher) = 0;
    // Puts the own window at the head of the chain; the window that was the head, now next.
    virtual TWindowHandle Join() = 0;
    // Takes the own window out of the chain, telling the chain the window after it.
    virtual void Leave(TWindowHandle next) = 0;
    // Passes a chain message on to another window, parameters unchanged.
    virtual void Send(TWindowHandle to, TMessage message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
};

class TClipboardWatcher : public TComponent {
public:
    // Enabled, not in the chain until a handler is assigned.
    TClipboardWatcher(std::unique_ptr<IClipboardChain> chain, TErrorDisplay showError,
                      std::u16string name = u"ClipboardWatcher1");
    // Leaves the chain if in it, then releases the window.
    ~TClipboardWatcher() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    const TNotifyEvent& OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent value);

    // In the chain; always Enabled and a handler assigned.
    bool Registered() const { return FRegistered; }
    TWindowHandle NextWindowHandle() const { return FNextWindowHandle; }

    // The own window's chain messages: the clipboard changed; a window leaves the chain
    // (wParam the leaving window, lParam the one after it).
    void WMDrawClipboard(std::uintptr_t wParam, std::intptr_t lParam);
    void WMChangeCBChain(std::uintptr_t wParam, std::intptr_t lParam);

protected:
    // Calls OnChange with the component as sender.
    virtual void Change();

private:
    void updateRegistration();
    template <typename Body>
    void guarded(Body&& body);

    std::unique_ptr<IClipboardChain> FChain;
    TErrorDisplay FShowError;
    TWindowHandle FNextWindowHandle = 0;
    TNotifyEvent FOnChange;
    bool FEnabled = true;
    bool FRegistered = false;
    bool FJoining = false;
};

} // namespace zerbo
