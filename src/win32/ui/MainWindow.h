#pragma once
// The main window on Windows: the real window with its controls, menus and picture box over
// TZerboCode, and the services the window's logic is given.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/Services.h"
#include "app/ZerboCode.h"
#include "win32/base/ComponentPlatform.h"
#include "win32/base/Handles.h"
#include "win32/gdi/Printer.h"
#include "win32/ipc/ComServer.h"
#include "win32/ipc/DdeServer.h"
#include "win32/ipc/WinClipboard.h"
#include "win32/ui/Application.h"
#include "win32/ui/ControlViews.h"
#include "win32/ui/Dialogs.h"
#include "win32/ui/MenuView.h"
#include "win32/ui/NotifyIcon.h"
#include "win32/ui/PictureBox.h"
#include "win32/ui/Shell.h"

namespace zerbo::win32 {

// The main window's class name; other programs find the running instance by it.
inline constexpr wchar_t kMainWindowClass[] = L"TZerboCode";
inline constexpr wchar_t kMainWindowCaption[] = L"Zerbo";
inline constexpr int kClientWidth = 351;
inline constexpr int kClientHeight = 361;

// The top-level window of the program: fixed single border, system menu and minimise box.
class MainWindow : public app::IMainForm {
public:
    // Creates the window and its controls and loads the settings; `args` are the program's
    // arguments. The window's keyboard and error display join the application's loop.
    // `automationStart`: COM started the program for a client.
    MainWindow(HINSTANCE instance, TWinApplication& application, const std::vector<std::u16string>& args,
               bool automationStart = false);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    ~MainWindow() override;

    HWND handle() const { return window_.Get(); }
    void show(int showCommand);
    app::TZerboCode& code() { return *code_; }

    // app::IMainForm
    IIniForm& Placement() override;
    int ScreenPixelsPerInch() override;
    void SetHeight(int32_t height) override;
    void SetStayOnTop(bool value) override;
    void Close() override;
    void Minimize() override;
    void Show() override;
    void Hide() override;
    bool ShowAtStart() const override { return showAtStart_; }
    void SetShowAtStart(bool value) override;

private:
    class PlacementForm;

    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void trayIconMessage(LPARAM event);
    // An error to show once the current transaction with another program has ended.
    void showLater(const std::u16string& message);
    bool preTranslate(MSG& msg);
    void activate(bool active);
    void updateSampleFont();

    TWinApplication& application_;
    TWindow window_;
    TWin32ComponentPlatform files_;
    std::unique_ptr<TWinClipboard> clipboard_;
    std::unique_ptr<TWinDialogs> dialogs_;
    std::unique_ptr<TWinShell> shell_;
    std::unique_ptr<PlacementForm> placement_;
    std::unique_ptr<TNotifyIcon> trayIcon_;
    std::unique_ptr<TDdeServer> dde_;
    std::unique_ptr<TComServer> com_;
    std::unique_ptr<TWinPrinter> printer_;
    std::vector<std::u16string> pendingErrors_;
    std::unique_ptr<app::TZerboCode> code_;
    std::unique_ptr<TControlViews> views_;
    std::unique_ptr<TMenuView> menu_;
    std::unique_ptr<TMenuView> popup_;
    std::unique_ptr<TPictureBox> pictureBox_;
    TGdiObject<HFONT> sampleFont_;
    // The control that had the focus when the window was last deactivated.
    HWND lastFocus_ = nullptr;
    bool created_ = false;
    // "/S" before the window was first shown: it is shown minimised.
    bool startMinimized_ = false;
    // Whether show() at the start of the message loop shows the window.
    bool showAtStart_ = true;
};

} // namespace zerbo::win32
