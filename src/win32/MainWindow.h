#pragma once
#include <windows.h>

namespace zerbo::win32 {

// The main window's class name; other programs find the running instance by it.
inline constexpr wchar_t kMainWindowClass[] = L"TZerboCode";
inline constexpr wchar_t kMainWindowCaption[] = L"Zerbo";
inline constexpr int kClientWidth = 351;
inline constexpr int kClientHeight = 361;

// The top-level window of the program: fixed single border, system menu and minimise box.
class MainWindow {
public:
    explicit MainWindow(HINSTANCE instance);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    ~MainWindow();

    HWND handle() const { return hwnd_; }
    void show(int showCommand);

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
};

} // namespace zerbo::win32
