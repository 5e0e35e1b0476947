#include "win32/ui/MainWindow.h"

#include <algorithm>

#include "core/Guard.h"
#include "win32/base/SystemError.h"
#include "win32/base/WindowClass.h"
#include "win32/gdi/GdiCanvas.h"
#include "win32/gdi/Screen.h"
#include "win32/gdi/WinGraphics.h"
#include "app/HandOff.h"
#include "win32/ipc/ClipboardChain.h"
#include "win32/ipc/HandOff.h"
#include "win32/res/Resources.h"
#include "win32/ui/ComponentViews.h"
#include "win32/ui/OwnedHandlesQuery.h"

namespace zerbo::win32 {

namespace {

// Shows the errors of a finished transaction with another program.
constexpr UINT kShowPendingErrors = WM_APP + 2;

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
// Its own taskbar button; Tab moves among the controls of its panels.
constexpr DWORD kExStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;

} // namespace

// The window as the settings file keeps it: position and show state. The size is the
// window's own (fixed border, height by the view mode), and a position off every screen
// keeps the window where it is.
class MainWindow::PlacementForm : public TWinIniForm {
public:
    explicit PlacementForm(HWND hwnd) : TWinIniForm(hwnd), hwnd_(hwnd) {}
    void SetPlacement(const TWindowPlacement& stored) override {
        TWindowPlacement p = GetPlacement();
        RECT r{};
        GetWindowRect(hwnd_, &r);
        const auto& s = stored.rcNormalPosition;
        const LONG w = r.right - r.left, h = r.bottom - r.top;
        const RECT wanted{s.left, s.top, static_cast<LONG>(s.left + std::min<LONG>(w, 64)),
                          static_cast<LONG>(s.top + std::min<LONG>(h, 32))};
        if (MonitorFromRect(&wanted, MONITOR_DEFAULTTONULL)) p.rcNormalPosition = {s.left, s.top, s.left + w, s.top + h};
        // Showing is the start-up's business; a minimised or maximised state is kept for it.
        p.showCmd = IsWindowVisible(hwnd_) ? stored.showCmd : SW_HIDE;
        if (p.showCmd != SW_HIDE && p.showCmd != SW_SHOWMINIMIZED && p.showCmd != SW_SHOWMINNOACTIVE &&
            p.showCmd != SW_MINIMIZE)
            p.showCmd = SW_SHOWNORMAL;
        TWinIniForm::SetPlacement(p);
    }

private:
    HWND hwnd_;
};

MainWindow::MainWindow(HINSTANCE instance, TWinApplication& application, const std::vector<std::u16string>& args,
                       bool automationStart)
    : application_(application) {
    RegisterWindowClass(kMainWindowClass, &MainWindow::windowProc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    // The menu bar comes with its view; the client area is what the layout was made for.
    RECT r{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&r, kStyle, TRUE, kExStyle);
    window_.Reset(CreateWindowExW(kExStyle, kMainWindowClass, kMainWindowCaption, kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                  r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance, this));
    if (!window_) RaiseLastError();
    const HWND hwnd = window_.Get();
    clipboard_ = std::make_unique<TWinClipboard>(hwnd);
    dialogs_ = std::make_unique<TWinDialogs>(hwnd);
    shell_ = std::make_unique<TWinShell>(hwnd);
    placement_ = std::make_unique<PlacementForm>(hwnd);
    trayIcon_ = std::make_unique<TNotifyIcon>(hwnd, LoadIconW(instance, MAKEINTRESOURCEW(IDI_ZERBO)), u"Zerbo");
    // A client waits for its answer: the macro's errors are shown after the transaction.
    dde_ = std::make_unique<TDdeServer>(DdeServiceName(files_.ProgramFileName()), [this](const auto& lines) {
        Guarded([this](const std::u16string& m) { showLater(m); },
                [&] { code_->DdeZerboconvExecuteMacro(code_.get(), lines); });
    });
    com_ = std::make_unique<TComServer>(automationStart, [this] { code_->AutomationEnded(); });
    printer_ = std::make_unique<TWinPrinter>(hwnd);
    code_ = std::make_unique<app::TZerboCode>(app::TZerboServices{files_, WinGraphics(), *clipboard_,
                                                                  [] { return CreateClipboardChain(); }, application_,
                                                                  *this, *dialogs_, *shell_, *trayIcon_, *dde_, *com_,
                                                                  *printer_});

    const TErrorDisplay showError = [this](const std::u16string& m) { dialogs_->ShowError(m); };
    application_.ShowError = showError;
    application_.PreTranslate = [this](MSG& msg) { return preTranslate(msg); };
    views_ = std::make_unique<TControlViews>(hwnd, *code_, showError);
    // The data field in front of the history box, whose arrow alone shows at its right.
    SetWindowPos(views_->Handle(code_->EditCode), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    menu_ = std::make_unique<TMenuView>(hwnd, code_->MainMenu1, false, showError);
    popup_ = std::make_unique<TMenuView>(hwnd, code_->PopupMenu1, true, showError);
    pictureBox_ = std::make_unique<TPictureBox>(hwnd, code_->ScrollBox1, [this]() -> const gfx::TGraphic* {
        if (code_->BarImage1Visible()) return code_->BarImage1.Picture().Graphic();
        if (code_->Image1Visible()) return code_->Image1.Picture().Graphic();
        return nullptr;
    });
    code_->OnPictureChanged = [this] { pictureBox_->Refresh(); };
    code_->OnFontChanged = [this] { updateSampleFont(); };
    RECT client{};
    GetClientRect(hwnd, &client);
    code_->AlignControls(client.right, client.bottom);

    created_ = true;
    Guarded(showError, [&] { code_->FormCreate(args); });
    dde_->Register();
    Guarded(showError, [&] { com_->Start(*code_, *this); });
}

MainWindow::~MainWindow() {
    application_.PreTranslate = nullptr;
    application_.ShowError = [](const std::u16string& m) { ShowErrorBox(nullptr, m); };
    if (code_) {
        code_->OnPictureChanged = nullptr;
        code_->OnFontChanged = nullptr;
    }
}

void MainWindow::show(int showCommand) {
    if (!showAtStart_) return;
    ShowWindow(window_.Get(), startMinimized_ ? SW_SHOWMINIMIZED : showCommand);
    UpdateWindow(window_.Get());
    // The data field is where a user starts typing.
    if (views_ && GetActiveWindow() == window_.Get()) views_->Focus(code_->EditCode);
}

bool MainWindow::preTranslate(MSG& msg) {
    if (menu_ && menu_->TranslateShortCut(msg)) return true;
    return views_ && views_->HandleDialogKey(msg);
}

// app::IMainForm ------------------------------------------------------------------------------

IIniForm& MainWindow::Placement() { return *placement_; }

int MainWindow::ScreenPixelsPerInch() { return win32::ScreenPixelsPerInch(); }

void MainWindow::SetHeight(int32_t height) {
    RECT r{};
    GetWindowRect(window_.Get(), &r);
    SetWindowPos(window_.Get(), nullptr, 0, 0, r.right - r.left, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::SetStayOnTop(bool value) {
    SetWindowPos(window_.Get(), value ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void MainWindow::Close() { PostMessageW(window_.Get(), WM_CLOSE, 0, 0); }

void MainWindow::Minimize() {
    if (IsWindowVisible(window_.Get()))
        ShowWindow(window_.Get(), SW_MINIMIZE);
    else
        startMinimized_ = true;
}

void MainWindow::Show() {
    const HWND hwnd = window_.Get();
    ShowWindow(hwnd, IsIconic(hwnd) ? SW_RESTORE : SW_SHOW);
    SetActiveWindow(hwnd);
    SetForegroundWindow(hwnd);
}

void MainWindow::Hide() { ShowWindow(window_.Get(), SW_HIDE); }

void MainWindow::SetShowAtStart(bool value) { showAtStart_ = value; }

// The window ---------------------------------------------------------------------------------

LRESULT CALLBACK MainWindow::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        if (self) self->window_.Forget();
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    return self && self->created_ ? self->handleMessage(msg, wParam, lParam) : DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT MainWindow::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const HWND hwnd = window_.Get();
    const TErrorDisplay showError = [this](const std::u16string& m) { dialogs_->ShowError(m); };
    switch (msg) {
    case WM_ACTIVATE:
        activate(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case WM_SHOWWINDOW:
        if (wParam) Guarded(showError, [&] { code_->FormShow(); });
        break;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) code_->AlignControls(LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_CLOSE: {
        bool canClose = true;
        Guarded(showError, [&] { code_->FormCloseQuery(canClose); });
        if (canClose) window_.Reset();
        return 0;
    }
    case WM_DESTROY:
        created_ = false;
        trayIcon_.reset();
        PostQuitMessage(0);
        return 0;
    case WM_QUERYENDSESSION: {
        bool mayEnd = true;
        Guarded(showError, [&] { mayEnd = code_->QueryEndSession(); });
        return mayEnd;
    }
    case WM_SYSCOMMAND:
        // Minimising keeps the window on the taskbar; the notification area is for closing.
        if ((wParam & 0xFFF0) == SC_MINIMIZE || (wParam & 0xFFF0) == SC_RESTORE) {
            ShowWindow(hwnd, (wParam & 0xFFF0) == SC_MINIMIZE ? SW_MINIMIZE : SW_RESTORE);
            return 0;
        }
        break;
    case app::kHandOffMessage:
        // A second start's arguments; a start without any changes nothing.
        if (wParam == app::kHandOffTextWaits)
            Guarded(showError, [&] { ReceiveHandOff([&](const std::u16string& text) { code_->ReceiveHandOff(text); }); });
        break;
    case kShowPendingErrors: {
        std::vector<std::u16string> errors;
        errors.swap(pendingErrors_);
        for (const auto& message : errors) dialogs_->ShowError(message);
        return 0;
    }
    case kNotifyIconMessage:
        Guarded(showError, [&] { trayIconMessage(lParam); });
        return 0;
    default:
        if (msg == TNotifyIcon::TaskbarCreated() && trayIcon_) trayIcon_->Restore();
        if (msg == OwnedHandleCountMessage()) return OwnedHandleCount();
        break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void MainWindow::activate(bool active) {
    const HWND hwnd = window_.Get();
    if (!active) {
        // Where the user was, for the return.
        const HWND focus = GetFocus();
        lastFocus_ = focus && IsChild(hwnd, focus) ? focus : nullptr;
        return;
    }
    if (lastFocus_ && IsWindow(lastFocus_) && IsWindowVisible(lastFocus_) && IsWindowEnabled(lastFocus_))
        SetFocus(lastFocus_);
    else
        views_->Focus(code_->EditCode);
    // After an error box the window is active again; generating again would repeat the error.
    if (dialogs_->TakeErrorShown()) return;
    Guarded([this](const std::u16string& m) { dialogs_->ShowError(m); }, [&] { code_->FormActivate(); });
}

void MainWindow::showLater(const std::u16string& message) {
    pendingErrors_.push_back(message);
    PostMessageW(window_.Get(), kShowPendingErrors, 0, 0);
}

void MainWindow::trayIconMessage(LPARAM event) {
    if (event == WM_LBUTTONDBLCLK) {
        code_->Open1.Click();
    } else if (event == WM_RBUTTONUP || event == WM_CONTEXTMENU) {
        // The menu closes when the user clicks elsewhere only if its owner is in front.
        POINT at{};
        GetCursorPos(&at);
        SetForegroundWindow(window_.Get());
        popup_->TrackPopup(at.x, at.y);
    }
}

void MainWindow::updateSampleFont() {
    const HWND sample = views_ ? views_->Handle(code_->CharSmp) : nullptr;
    if (!sample) return;
    const LOGFONTW lf = LogFontOf(code_->Fnt);
    TGdiObject<HFONT> font(CreateFontIndirectW(&lf));
    if (!font) return;
    SendMessageW(sample, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
    sampleFont_ = std::move(font);
}

} // namespace zerbo::win32
