// The yardstick for the watch's round trip: a window in the clipboard's viewer chain that
// answers each copied text with a small bitmap, and does nothing else.
#include <windows.h>

namespace {

HWND gNext = nullptr;

void answer(HWND hwnd) {
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(hwnd)) return;
    // Read the text as the watch does, then put a bitmap in its place.
    if (HANDLE text = GetClipboardData(CF_UNICODETEXT)) {
        GlobalLock(text);
        GlobalUnlock(text);
    }
    EmptyClipboard();
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 135, 61);
    ReleaseDC(nullptr, screen);
    if (!SetClipboardData(CF_BITMAP, bitmap)) DeleteObject(bitmap);
    CloseClipboard();
}

LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_DRAWCLIPBOARD:
        if (GetClipboardOwner() != hwnd) answer(hwnd);
        if (gNext) SendMessageW(gNext, msg, wParam, lParam);
        return 0;
    case WM_CHANGECBCHAIN:
        if (reinterpret_cast<HWND>(wParam) == gNext)
            gNext = reinterpret_cast<HWND>(lParam);
        else if (gNext)
            SendMessageW(gNext, msg, wParam, lParam);
        return 0;
    case WM_CLOSE:
        ChangeClipboardChain(hwnd, gNext);
        DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"ZerboBenchListener";
    if (!RegisterClassExW(&wc)) return 1;
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"listener", 0, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;
    gNext = SetClipboardViewer(hwnd);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}
