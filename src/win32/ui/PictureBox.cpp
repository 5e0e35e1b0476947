#include "win32/ui/PictureBox.h"

#include <algorithm>

#include "win32/base/SystemError.h"
#include "win32/base/WindowClass.h"
#include "win32/gdi/BufferedPaint.h"
#include "win32/gdi/WinGraphics.h"

namespace zerbo::win32 {

namespace {

constexpr wchar_t kClass[] = L"TZerboScrollBox";
constexpr COLORREF kGround = RGB(128, 128, 128);
constexpr int kLineStep = 16;

} // namespace

TPictureBox::TPictureBox(HWND parent, TScrollBox& model, std::function<const gfx::TGraphic*()> picture)
    : model_(model), picture_(std::move(picture)) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterWindowClass(kClass, &TPictureBox::windowProc);
    window_.Reset(CreateWindowExW(WS_EX_CLIENTEDGE, kClass, L"",
                                  WS_CHILD | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL | (model.Visible() ? WS_VISIBLE : 0),
                                  model.Left(), model.Top(), model.Width(), model.Height(), parent, nullptr, instance,
                                  nullptr));
    if (!window_) RaiseLastError();
    SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    model_.SetObserver(this);
    updateScrollBars();
}

TPictureBox::~TPictureBox() {
    if (model_.Observer() == this) model_.SetObserver(nullptr);
    if (window_) SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, 0);
}

void TPictureBox::Refresh() {
    updateScrollBars();
    if (window_) InvalidateRect(window_.Get(), nullptr, TRUE);
}

void TPictureBox::Changed(TComponent&, TChange what) {
    if (!window_) return;
    if (what == TChange::Bounds) {
        MoveWindow(window_.Get(), model_.Left(), model_.Top(), model_.Width(), model_.Height(), TRUE);
        updateScrollBars();
    } else if (what == TChange::Visible) {
        ShowWindow(window_.Get(), model_.Visible() ? SW_SHOWNA : SW_HIDE);
    }
}

LRESULT CALLBACK TPictureBox::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TPictureBox*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NCDESTROY && self) {
        // Destroyed with its parent: the handle is no longer ours.
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->window_.Forget();
        self = nullptr;
    }
    return self ? self->handle(msg, wParam, lParam) : DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT TPictureBox::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    const HWND hwnd = window_.Get();
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        PaintBuffered(hwnd, kGround, [this](HDC dc) { paint(dc); });
        return 0;
    case WM_SIZE:
        updateScrollBars();
        return 0;
    case WM_HSCROLL:
        scroll(SB_HORZ, LOWORD(wParam));
        return 0;
    case WM_VSCROLL:
        scroll(SB_VERT, LOWORD(wParam));
        return 0;
    default:
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

void TPictureBox::paint(HDC dc) { DrawGraphic(dc, picture_(), -scrollX_, -scrollY_); }

void TPictureBox::updateScrollBars() {
    if (!window_) return;
    const gfx::TGraphic* g = picture_();
    const int w = g ? g->Width() : 0, h = g ? g->Height() : 0;
    RECT client{};
    GetClientRect(window_.Get(), &client);
    auto set = [&](int bar, int content, int page, int& pos) {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMin = 0;
        si.nMax = std::max(content - 1, 0);
        si.nPage = static_cast<UINT>(std::max(page, 0));
        pos = std::clamp(pos, 0, std::max(content - page, 0));
        si.nPos = pos;
        SetScrollInfo(window_.Get(), bar, &si, TRUE);
    };
    set(SB_HORZ, w, client.right, scrollX_);
    set(SB_VERT, h, client.bottom, scrollY_);
}

void TPictureBox::scroll(int bar, WORD request) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(window_.Get(), bar, &si);
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
    SetScrollInfo(window_.Get(), bar, &si, TRUE);
    InvalidateRect(window_.Get(), nullptr, FALSE);
}

} // namespace zerbo::win32
