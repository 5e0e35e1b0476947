#include "win32/ui/Application.h"

#include <algorithm>

#include "core/Guard.h"
#include "win32/ui/Dialogs.h"

namespace zerbo::win32 {

TWinApplication::TWinApplication() : ShowError([](const std::u16string& m) { ShowErrorBox(nullptr, m); }) {}

void TWinApplication::dispatch(MSG& msg) {
    Guarded(ShowError, [&] {
        if (PreTranslate && PreTranslate(msg)) return;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    });
}

int TWinApplication::Run() {
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) dispatch(msg);
    return static_cast<int>(msg.wParam);
}

void TWinApplication::ProcessMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // For the loop to see: the program is ending.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        dispatch(msg);
    }
}

void TWinApplication::Sleep(int32_t milliseconds) { ::Sleep(static_cast<DWORD>(std::max(milliseconds, 0))); }

uint32_t TWinApplication::TickCount() { return GetTickCount(); }

std::u16string TWinApplication::UpperCase(const std::u16string& text) {
    std::u16string upper = text;
    if (!upper.empty()) CharUpperBuffW(reinterpret_cast<wchar_t*>(upper.data()), static_cast<DWORD>(upper.size()));
    return upper;
}

} // namespace zerbo::win32
