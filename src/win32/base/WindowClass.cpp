#include "win32/base/WindowClass.h"

#include "win32/base/SystemError.h"
#include "win32/res/Resources.h"

namespace zerbo::win32 {

void RegisterWindowClass(const wchar_t* name, WNDPROC proc, HBRUSH background) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(instance, name, &wc)) return;
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_ZERBO));
    if (!wc.hIcon) wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);  // a test program has none
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    if (!RegisterClassExW(&wc)) RaiseLastError();
}

} // namespace zerbo::win32
