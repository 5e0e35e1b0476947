#include "win32/ui/SelfPaintedViews.h"

#include <windowsx.h>

#include <algorithm>

#include "core/Guard.h"
#include "win32/base/Handles.h"
#include "win32/base/WindowClass.h"
#include "win32/gdi/GdiCanvas.h"
#include "win32/gdi/WinGraphics.h"

namespace zerbo::win32 {

namespace {

constexpr wchar_t kClass[] = L"TZerboSelfPainted";

void paint(TControl& control, HWND hwnd, const TErrorDisplay& showError) {
    const TPaint painting(hwnd);
    RECT client{};
    GetClientRect(hwnd, &client);
    // Into a memory bitmap first, so a repaint does not flicker.
    const TMemoryDC memory(CreateCompatibleDC(painting.DC()));
    const TGdiObject<HBITMAP> bitmap(
        CreateCompatibleBitmap(painting.DC(), std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1)));
    if (!memory || !bitmap) return;
    const TSelection select(memory.Get(), bitmap.Get());
    if (auto* picture = dynamic_cast<TPictureControl*>(&control)) {
        FillRect(memory.Get(), &client, GetSysColorBrush(COLOR_WINDOW));
        DrawGraphic(memory.Get(), picture->Picture() ? picture->Picture()->Graphic() : nullptr, 0, 0);
    } else if (auto* custom = dynamic_cast<TCustomControl*>(&control)) {
        FillRect(memory.Get(), &client, GetSysColorBrush(COLOR_BTNFACE));
        Guarded(showError, [&] {
            TGdiCanvas canvas(memory.Get());
            custom->Paint(canvas);
        });
    }
    BitBlt(painting.DC(), 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
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
