#include "win32/ui/SelfPaintedViews.h"

#include <windowsx.h>

#include "core/Guard.h"
#include "win32/base/WindowClass.h"
#include "win32/gdi/BufferedPaint.h"
#include "win32/gdi/GdiCanvas.h"
#include "win32/gdi/WinGraphics.h"

namespace zerbo::win32 {

namespace {

constexpr wchar_t kClass[] = L"TZerboSelfPainted";

void paint(TControl& control, HWND hwnd, const TErrorDisplay& showError) {
    if (auto* picture = dynamic_cast<TPictureControl*>(&control)) {
        PaintBuffered(hwnd, GetSysColor(COLOR_WINDOW), [&](HDC dc) {
            DrawGraphic(dc, picture->Picture() ? picture->Picture()->Graphic() : nullptr, 0, 0);
        });
    } else {
        PaintBuffered(hwnd, GetSysColor(COLOR_BTNFACE), [&](HDC dc) {
            Guarded(showError, [&] {
                TGdiCanvas canvas(dc);
                static_cast<TCustomControl&>(control).Paint(canvas);
            });
        });
    }
}

} // namespace

const wchar_t* SelfPaintedClass() {
    RegisterWindowClass(kClass, DefWindowProcW);
    return kClass;
}

bool SelfPaintedInput(TControl& control, TMouseTracking& mouse, HWND hwnd, UINT msg, WPARAM, LPARAM lParam,
                      LRESULT& result, const TErrorDisplay& showError) {
    if (msg == WM_PAINT) {
        paint(control, hwnd, showError);
        result = 0;
        return true;
    }
    auto* custom = dynamic_cast<TCustomControl*>(&control);
    if (!custom) return false;
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        if (custom->WantsKeys()) SetFocus(hwnd);
        Guarded(showError, [&] { custom->MouseDown(msg == WM_LBUTTONDOWN ? TMouseButton::mbLeft : TMouseButton::mbRight, x, y); });
        result = 0;
        return true;
    case WM_MOUSEMOVE: {
        if (!mouse.inside) {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd, 0};
            mouse.inside = TrackMouseEvent(&track);
            Guarded(showError, [&] { custom->MouseEnter(); });
        }
        POINT screen{x, y};
        ClientToScreen(hwnd, &screen);
        Guarded(showError, [&] { custom->MouseMove(x, y, screen.x, screen.y); });
        result = 0;
        return true;
    }
    case WM_MOUSELEAVE:
        mouse.inside = false;
        Guarded(showError, [&] { custom->MouseLeave(); });
        result = 0;
        return true;
    case WM_SETCURSOR:
        if (custom->Cursor() != TCursor::crHandPoint) return false;
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        result = TRUE;
        return true;
    default:
        return false;
    }
}

} // namespace zerbo::win32
