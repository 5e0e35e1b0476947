#pragma once
// A question another program may ask the running main window: how many handles the program's
// owners hold now (OwnedHandleCount). The soak run (scripts/soak) watches it for leaks; the
// platform's own count of GDI and USER objects is not available under Wine.
#include <windows.h>

namespace zerbo::win32 {

// The registered message "Zerbo.OwnedHandleCount"; the main window answers it with the count.
inline UINT OwnedHandleCountMessage() {
    static const UINT message = RegisterWindowMessageW(L"Zerbo.OwnedHandleCount");
    return message;
}

} // namespace zerbo::win32
