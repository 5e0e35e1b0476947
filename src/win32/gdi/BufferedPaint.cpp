#include "win32/gdi/BufferedPaint.h"

#include <algorithm>

#include "win32/base/Handles.h"

namespace zerbo::win32 {

void PaintBuffered(HWND hwnd, COLORREF ground, const std::function<void(HDC dc)>& paint) {
    const TPaint painting(hwnd);
    RECT client{};
    GetClientRect(hwnd, &client);
    const TMemoryDC memory(CreateCompatibleDC(painting.DC()));
    const TGdiObject<HBITMAP> bitmap(
        CreateCompatibleBitmap(painting.DC(), std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1)));
    if (!memory || !bitmap) return;
    const TSelection select(memory.Get(), bitmap.Get());
    const TGdiObject<HBRUSH> brush(CreateSolidBrush(ground));
    FillRect(memory.Get(), &client, brush.Get());
    paint(memory.Get());
    BitBlt(painting.DC(), 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
}

} // namespace zerbo::win32
