#include "win32/ui/MainWindow.h"

#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <stdexcept>

#include "core/Error.h"
#include "core/Text.h"
#include "win32/ipc/ClipboardChain.h"
#include "win32/gdi/GdiCanvas.h"
#include "win32/gdi/WinGraphics.h"
#include "win32/base/WideText.h"

namespace zerbo::win32 {

namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
// Its own taskbar button.
constexpr DWORD kExStyle = WS_EX_APPWINDOW;
constexpr wchar_t kScrollBoxClass[] = L"TZerboScrollBox";
constexpr COLORREF kScrollBoxColor = RGB(128, 128, 128);
constexpr int kLineStep = 16;


void registerClass(HINSTANCE instance, const wchar_t* name, WNDPROC proc, HBRUSH background) {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(instance, name, &wc)) return;
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    if (!RegisterClassExW(&wc)) throw std::runtime_error("RegisterClassExW failed");
}

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

MainWindow::MainWindow(HINSTANCE instance, const std::vector<std::u16string>& args) : instance_(instance) {
    registerClass(instance_, kMainWindowClass, &MainWindow::windowProc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    registerClass(instance_, kScrollBoxClass, &MainWindow::scrollBoxProc, nullptr);
    code_ = std::make_unique<app::TZerboCode>(*this);

    // The menu bar comes with its view; the client area is what the layout was made for.
    RECT r{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&r, kStyle, TRUE, kExStyle);
    hwnd_ = CreateWindowExW(kExStyle, kMainWindowClass, kMainWindowCaption, kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                            r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance_, this);
    if (!hwnd_) throw std::runtime_error("CreateWindowExW failed for the main window");
    clipboard_ = std::make_unique<TWinClipboard>(hwnd_);
    form_ = std::make_unique<PlacementForm>(hwnd_);

    const auto showError = [this](const std::u16string& m) { ShowError(m); };
    const auto layout = app::TZerboCode::Layout();
    views_ = std::make_unique<TControlViews>(hwnd_, *code_, layout.first(layout.size() - 1), showError);
    // Overlaps of the layout: the data field in front of the history box, the QR panel in
    // front of the check-digit panel, the colour button in front of the font sample.
    for (const TControl* c : {static_cast<TControl*>(&code_->EditCode), static_cast<TControl*>(&code_->QRPanel),
                              static_cast<TControl*>(&code_->Button2)})
        SetWindowPos(views_->Handle(*c), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    menu_ = std::make_unique<TMenuView>(hwnd_, code_->MainMenu1, false, showError);
    popup_ = std::make_unique<TMenuView>(hwnd_, code_->PopupMenu1, true, showError);
    createScrollBox();
    code_->OnPictureChanged = [this] {
        updateScrollBars();
        if (scrollBox_) InvalidateRect(scrollBox_.get(), nullptr, TRUE);
    };
    code_->OnFontChanged = [this] { updateSampleFont(); };
    RECT client{};
    GetClientRect(hwnd_, &client);
    code_->AlignControls(client.right, client.bottom);

    created_ = true;
    guarded([&] { code_->FormCreate(args); });
}

MainWindow::~MainWindow() {
    if (code_) {
        code_->OnPictureChanged = nullptr;
        code_->OnFontChanged = nullptr;
        code_->ScrollBox1.SetObserver(nullptr);
    }
    popup_.reset();
    menu_.reset();
    views_.reset();
    scrollBox_.reset();
    if (hwnd_) DestroyWindow(hwnd_);
}

void MainWindow::show(int showCommand) {
    ShowWindow(hwnd_, startMinimized_ ? SW_SHOWMINIMIZED : showCommand);
    UpdateWindow(hwnd_);
}

bool MainWindow::translateAccelerator(MSG& msg) {
    return menu_ && menu_->Accelerators() && TranslateAcceleratorW(hwnd_, menu_->Accelerators(), &msg);
}

template <typename Body>
void MainWindow::guarded(Body&& body) {
    // Nothing may unwind through the system's frames: errors go to the error display.
    try {
        body();
    } catch (const Exception& e) {
        ShowError(e.Message());
    } catch (const std::exception& e) {
        ShowError(FromUtf8(e.what()));
    } catch (...) {
        ShowError(u"不明な例外が発生しました");
    }
}

// Services ----------------------------------------------------------------------------------

const gfx::TGraphicFactory& MainWindow::Graphics() { return WinGraphics(); }

std::unique_ptr<IClipboardChain> MainWindow::CreateClipboardChain() { return win32::CreateClipboardChain(); }

void MainWindow::ShowError(const std::u16string& message) {
    const HWND owner = hwnd_ && IsWindowVisible(hwnd_) ? hwnd_ : nullptr;
    MessageBoxW(owner, wide(message), kMainWindowCaption, MB_OK | MB_ICONERROR | (owner ? 0 : MB_TASKMODAL));
    skipActivate_ = true;
}

void MainWindow::ProcessMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (translateAccelerator(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void MainWindow::Sleep(int32_t milliseconds) { ::Sleep(static_cast<DWORD>(std::max(milliseconds, 0))); }

uint32_t MainWindow::TickCount() { return GetTickCount(); }

std::u16string MainWindow::UpperCase(const std::u16string& text) {
    std::u16string upper = text;
    if (!upper.empty()) CharUpperBuffW(reinterpret_cast<wchar_t*>(upper.data()), static_cast<DWORD>(upper.size()));
    return upper;
}

int MainWindow::ScreenPixelsPerInch() {
    HDC dc = GetDC(nullptr);
    const int ppi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc) ReleaseDC(nullptr, dc);
    return ppi > 0 ? ppi : 96;
}

IIniForm& MainWindow::Form() { return *form_; }

void MainWindow::SetFormHeight(int32_t height) {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::SetStayOnTop(bool value) {
    SetWindowPos(hwnd_, value ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void MainWindow::Close() { PostMessageW(hwnd_, WM_CLOSE, 0, 0); }

void MainWindow::MinimizeApplication() {
    if (IsWindowVisible(hwnd_))
        ShowWindow(hwnd_, SW_MINIMIZE);
    else
        startMinimized_ = true;
}

bool MainWindow::ExecuteFontDialog(gfx::TFont& font) {
    LOGFONTW lf = LogFontOf(font);
    CHOOSEFONTW cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = hwnd_;
    cf.lpLogFont = &lf;
    cf.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS;
    cf.rgbColors = ColorRefOf(font.Color);
    if (!ChooseFontW(&cf)) return false;
    font.Name = fromWide(lf.lfFaceName);
    font.Height = lf.lfHeight;
    font.Style = static_cast<gfx::TFontStyles>((lf.lfWeight >= FW_BOLD ? gfx::fsBold : 0) |
                                               (lf.lfItalic ? gfx::fsItalic : 0) |
                                               (lf.lfUnderline ? gfx::fsUnderline : 0) |
                                               (lf.lfStrikeOut ? gfx::fsStrikeOut : 0));
    font.Charset = lf.lfCharSet;
    font.Color = cf.rgbColors & 0xFFFFFF;
    return true;
}

bool MainWindow::ExecuteColorDialog(TColor& color) {
    static COLORREF custom[16] = {};
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = hwnd_;
    cc.rgbResult = ColorRefOf(color);
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT | CC_ANYCOLOR;
    if (!ChooseColorW(&cc)) return false;
    color = cc.rgbResult & 0xFFFFFF;
    return true;
}

bool MainWindow::ExecuteSaveDialog(const app::TSaveDialogOptions& options, std::u16string& fileName) {
    // "caption|pattern|..." becomes the dialog's list of zero-terminated strings.
    std::wstring filter(options.Filter.begin(), options.Filter.end());
    for (auto& c : filter)
        if (c == L'|') c = L'\0';
    filter.append(2, L'\0');
    // Room for the longest path the file functions take.
    std::vector<wchar_t> name(32768, L'\0');
    std::copy_n(fileName.begin(), std::min(fileName.size(), name.size() - 1), name.begin());
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = hwnd_;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = static_cast<DWORD>(name.size());
    ofn.lpstrTitle = wide(options.Title);
    ofn.lpstrDefExt = options.DefaultExt.empty() ? nullptr : wide(options.DefaultExt);
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER | OFN_PATHMUSTEXIST;
    if (!GetSaveFileNameW(&ofn)) return false;
    fileName = fromWide(name.data());
    return true;
}

void MainWindow::ShellOpen(const std::u16string& fileName) {
    ShellExecuteW(hwnd_, L"Open", wide(fileName), nullptr, nullptr, 0);
}

void MainWindow::HelpContents(const std::u16string& helpFile) { WinHelpW(hwnd_, wide(helpFile), HELP_FINDER, 0); }

// The window ---------------------------------------------------------------------------------

LRESULT CALLBACK MainWindow::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return self ? self->handleMessage(msg, wParam, lParam) : DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT MainWindow::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ACTIVATE: {
        const LRESULT result = DefWindowProcW(hwnd_, msg, wParam, lParam);
        if (created_ && LOWORD(wParam) != WA_INACTIVE) {
            if (skipActivate_)
                skipActivate_ = false;
            else
                guarded([&] { code_->FormActivate(); });
        }
        return result;
    }
    case WM_SHOWWINDOW:
        if (created_ && wParam) guarded([&] { code_->FormShow(); });
        break;
    case WM_SIZE:
        if (created_ && wParam != SIZE_MINIMIZED) code_->AlignControls(LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_CLOSE: {
        bool canClose = true;
        guarded([&] { code_->FormCloseQuery(canClose); });
        if (canClose) DestroyWindow(hwnd_);
        return 0;
    }
    case WM_DESTROY:
        created_ = false;
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

void MainWindow::Changed(TComponent& component, TChange what) {
    if (&component != &code_->ScrollBox1 || !scrollBox_) return;
    const TControl& box = code_->ScrollBox1;
    if (what == TChange::Bounds) {
        MoveWindow(scrollBox_.get(), box.Left(), box.Top(), box.Width(), box.Height(), TRUE);
        updateScrollBars();
    } else if (what == TChange::Visible) {
        ShowWindow(scrollBox_.get(), box.Visible() ? SW_SHOWNA : SW_HIDE);
    }
}

void MainWindow::updateSampleFont() {
    const HWND sample = views_ ? views_->Handle(code_->CharSmp) : nullptr;
    if (!sample) return;
    const LOGFONTW lf = LogFontOf(code_->Fnt);
    UniqueFont font(CreateFontIndirectW(&lf));
    if (!font) return;
    SendMessageW(sample, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    sampleFont_ = std::move(font);
}

// The scroll box ----------------------------------------------------------------------------

void MainWindow::createScrollBox() {
    const TControl& box = code_->ScrollBox1;
    scrollBox_.reset(CreateWindowExW(WS_EX_CLIENTEDGE, kScrollBoxClass, L"",
                                     WS_CHILD | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL | (box.Visible() ? WS_VISIBLE : 0),
                                     box.Left(), box.Top(), box.Width(), box.Height(), hwnd_, nullptr, instance_, this));
    if (!scrollBox_) throw std::runtime_error("CreateWindowExW failed for the scroll box");
    SetWindowLongPtrW(scrollBox_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    code_->ScrollBox1.SetObserver(this);
    updateScrollBars();
}

LRESULT CALLBACK MainWindow::scrollBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return self ? self->handleScrollBox(hwnd, msg, wParam, lParam) : DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT MainWindow::handleScrollBox(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT client{};
        GetClientRect(hwnd, &client);
        // Into a memory bitmap first, so a repaint does not flicker.
        HDC memory = CreateCompatibleDC(dc);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1));
        if (memory && bitmap) {
            const HGDIOBJ old = SelectObject(memory, bitmap);
            HBRUSH grey = CreateSolidBrush(kScrollBoxColor);
            FillRect(memory, &client, grey);
            DeleteObject(grey);
            paintPicture(memory);
            BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
            SelectObject(memory, old);
        }
        if (bitmap) DeleteObject(bitmap);
        if (memory) DeleteDC(memory);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_SIZE:
        updateScrollBars();
        return 0;
    case WM_HSCROLL:
        scroll(SB_HORZ, LOWORD(wParam));
        return 0;
    case WM_VSCROLL:
        scroll(SB_VERT, LOWORD(wParam));
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        break;
    default:
        break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void MainWindow::paintPicture(HDC dc) {
    gfx::TPicture* picture = code_->BarImage1Visible() ? &code_->BarImage1.Picture()
                             : code_->Image1Visible()  ? &code_->Image1.Picture()
                                                       : nullptr;
    if (!picture || !picture->Graphic() || picture->Graphic()->Empty()) return;
    const int w = picture->Graphic()->Width(), h = picture->Graphic()->Height();
    if (const auto* bitmap = dynamic_cast<const TWinBitmap*>(picture->Graphic())) {
        BitBlt(dc, -scrollX_, -scrollY_, w, h, bitmap->DC(), 0, 0, SRCCOPY);
    } else if (const auto* metafile = dynamic_cast<const TWinMetafile*>(picture->Graphic()); metafile && metafile->Handle()) {
        const RECT r{-scrollX_, -scrollY_, w - scrollX_, h - scrollY_};
        PlayEnhMetaFile(dc, metafile->Handle(), &r);
    }
}

void MainWindow::updateScrollBars() {
    if (!scrollBox_) return;
    const gfx::TPicture* picture = code_->BarImage1Visible() ? &code_->BarImage1.Picture()
                                   : code_->Image1Visible()  ? &code_->Image1.Picture()
                                                             : nullptr;
    const gfx::TGraphic* g = picture ? picture->Graphic() : nullptr;
    const int w = g ? g->Width() : 0, h = g ? g->Height() : 0;
    RECT client{};
    GetClientRect(scrollBox_.get(), &client);
    auto set = [&](int bar, int content, int page, int& pos) {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMin = 0;
        si.nMax = std::max(content - 1, 0);
        si.nPage = static_cast<UINT>(std::max(page, 0));
        pos = std::clamp(pos, 0, std::max(content - page, 0));
        si.nPos = pos;
        SetScrollInfo(scrollBox_.get(), bar, &si, TRUE);
    };
    set(SB_HORZ, w, client.right, scrollX_);
    set(SB_VERT, h, client.bottom, scrollY_);
}

void MainWindow::scroll(int bar, WORD request) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(scrollBox_.get(), bar, &si);
    int pos = si.nPos;
    const int page = static_cast<int>(si.nPage);
    switch (request) {
    case SB_LINEUP: pos -= kLineStep; break;
    case SB_LINEDOWN: pos += kLineStep; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = si.nMax; break;
    default: return;
    }
    pos = std::clamp(pos, 0, std::max(si.nMax - page + 1, 0));
    (bar == SB_HORZ ? scrollX_ : scrollY_) = pos;
    si.fMask = SIF_POS;
    si.nPos = pos;
    SetScrollInfo(scrollBox_.get(), bar, &si, TRUE);
    InvalidateRect(scrollBox_.get(), nullptr, FALSE);
}

} // namespace zerbo::win32
