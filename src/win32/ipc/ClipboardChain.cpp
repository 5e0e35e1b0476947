#include "win32/ipc/ClipboardChain.h"

#include <windows.h>

#include "win32/base/Handles.h"
#include "win32/base/SystemError.h"
#include "win32/base/WindowClass.h"
#include "win32/base/WideText.h"

namespace zerbo::win32 {

namespace {

constexpr wchar_t kClassName[] = L"TZerboClipboardWatcher";

HWND toWindow(TWindowHandle h) { return reinterpret_cast<HWND>(h); }
TWindowHandle fromWindow(HWND h) { return reinterpret_cast<TWindowHandle>(h); }

class WinClipboardChain : public IClipboardChain {
public:
    WinClipboardChain() {
        RegisterWindowClass(kClassName, &WinClipboardChain::windowProc);
        window_.Reset(CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr),
                                      this));
        if (!window_) RaiseLastError();
    }

    void Bind(TClipboardWatcher* watcher) override { watcher_ = watcher; }
    TWindowHandle Join() override { return fromWindow(SetClipboardViewer(window_.Get())); }
    void Leave(TWindowHandle next) override { ChangeClipboardChain(window_.Get(), toWindow(next)); }
    void Send(TWindowHandle to, TMessage message, std::uintptr_t wParam, std::intptr_t lParam) override {
        SendMessageW(toWindow(to), message == TMessage::DrawClipboard ? WM_DRAWCLIPBOARD : WM_CHANGECBCHAIN,
                     static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
    }

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_NCCREATE) {
            auto* self = static_cast<WinClipboardChain*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
        auto* self = reinterpret_cast<WinClipboardChain*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        TClipboardWatcher* watcher = self ? self->watcher_ : nullptr;
        switch (msg) {
        case WM_DRAWCLIPBOARD:
            if (!watcher) break;
            watcher->WMDrawClipboard(static_cast<std::uintptr_t>(wParam), static_cast<std::intptr_t>(lParam));
            return 0;
        case WM_CHANGECBCHAIN:
            if (!watcher) break;
            watcher->WMChangeCBChain(static_cast<std::uintptr_t>(wParam), static_cast<std::intptr_t>(lParam));
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            break;
        default:
            break;
        }
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }

    TWindow window_;
    TClipboardWatcher* watcher_ = nullptr;
};

} // namespace

std::unique_ptr<IClipboardChain> CreateClipboardChain() { return std::make_unique<WinClipboardChain>(); }

} // namespace zerbo::win32
