// The yardstick for a batch call: a GUI program that does what every window program does
// (a window class, a window shown and painted, its destruction) and nothing else. Showing
// matters under Wine: hiding a shown window waits for the X server, up to two seconds on a
// display without a window manager, and a batch call of Zerbo pays that too.
#include <windows.h>

namespace {
LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}
} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"TrivialWin32";
    if (!RegisterClassExW(&wc)) return 1;
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"trivial", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                100, 100, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    DestroyWindow(hwnd);
    return 0;
}
