#include "gfx/RasterCanvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "gfx/BuiltinFont.h"

namespace zerbo::gfx {

namespace {

// Bars are a few pixels wide: a copy of known size is a few stores instead of a call.
inline void CopyPixels(std::uint8_t* to, const std::uint8_t* from, std::size_t bytes) {
    switch (bytes) {
    case 3: std::memcpy(to, from, 3); break;
    case 6: std::memcpy(to, from, 6); break;
    case 9: std::memcpy(to, from, 9); break;
    case 12: std::memcpy(to, from, 12); break;
    default: std::memcpy(to, from, bytes);
    }
}

// Copies Bytes from `from` to the same place in each of the next `rows` rows.
template <std::size_t Bytes>
void CopyDown(std::uint8_t* from, std::size_t stride, long long rows) {
    std::uint8_t pixels[Bytes];
    std::memcpy(pixels, from, Bytes);
    for (std::uint8_t* to = from + stride; rows > 0; --rows, to += stride) std::memcpy(to, pixels, Bytes);
}

} // namespace

int TRasterCanvas::TextWidth(std::u16string_view text) { return builtin::TextWidth(Font, text); }

int TRasterCanvas::TextHeight(std::u16string_view text) { return builtin::TextHeight(Font, text); }

void TRasterCanvas::TextOutAt(int x, int y, std::u16string_view text) {
    if (Brush.Style == bsSolid)
        FillClipped(x, y, static_cast<long long>(x) + TextWidth(text), static_cast<long long>(y) + TextHeight(text),
                    Brush.Color);
    builtin::DrawText(FBitmap, x, y, Font, text);
}

void TRasterCanvas::FillRect(const TRect& r) {
    if (Brush.Style == bsClear) return;
    FillClipped(r.Left, r.Top, r.Right, r.Bottom, Brush.Color);
}

void TRasterCanvas::FillClipped(long long left, long long top, long long right, long long bottom, TColor color) {
    left = std::max(left, 0LL);
    top = std::max(top, 0LL);
    right = std::min(right, static_cast<long long>(FBitmap.Width()));
    bottom = std::min(bottom, static_cast<long long>(FBitmap.Height()));
    if (left >= right || top >= bottom) return;
    color = ColorToRGB(color);
    // Paint one row, then copy it to the others.
    std::uint8_t* first = FBitmap.Row(static_cast<int>(top)) + left * 3;
    for (long long x = left; x < right; ++x) {
        std::uint8_t* p = first + (x - left) * 3;
        p[0] = BlueOf(color);
        p[1] = GreenOf(color);
        p[2] = RedOf(color);
    }
    const std::size_t bytes = static_cast<std::size_t>(right - left) * 3;
    for (long long y = top + 1; y < bottom; ++y) CopyPixels(FBitmap.Row(static_cast<int>(y)) + left * 3, first, bytes);
}

void TRasterCanvas::PenColumns(std::span<const TColumnSpan> spans, int top, int bottom) {
    if (spans.empty()) return;
    const TColumnSpan& lastSpan = spans.back();
    PenPos = {static_cast<int>(static_cast<long long>(lastSpan.X) + lastSpan.Count - 1), bottom};
    // The rows the lines cover: the end point is left out, upward lines included.
    const long long rowFirst = std::max(top <= bottom ? top : static_cast<long long>(bottom) + 1, 0LL);
    const long long rowEnd =
        std::min(top <= bottom ? bottom : static_cast<long long>(top) + 1, static_cast<long long>(FBitmap.Height()));
    if (rowFirst >= rowEnd) return;
    const TColor color = ColorToRGB(Pen.Color);
    const long long W = FBitmap.Width();
    // Paint the spans of the first row, then copy each down to the other rows.
    std::uint8_t* first = FBitmap.Row(static_cast<int>(rowFirst));
    const std::size_t stride = FBitmap.Stride();
    const long long rows = rowEnd - rowFirst - 1;
    for (const TColumnSpan& s : spans) {
        const long long l = std::max<long long>(s.X, 0), r = std::min<long long>(static_cast<long long>(s.X) + s.Count, W);
        if (l >= r) continue;
        std::uint8_t* p = first + l * 3;
        for (long long x = l; x < r; ++x, p += 3) {
            p[0] = BlueOf(color);
            p[1] = GreenOf(color);
            p[2] = RedOf(color);
        }
        const std::size_t bytes = static_cast<std::size_t>(r - l) * 3;
        switch (bytes) {
        case 3: CopyDown<3>(first + l * 3, stride, rows); break;
        case 6: CopyDown<6>(first + l * 3, stride, rows); break;
        case 9: CopyDown<9>(first + l * 3, stride, rows); break;
        case 12: CopyDown<12>(first + l * 3, stride, rows); break;
        default:
            for (long long y = 1; y <= rows; ++y) std::memcpy(first + l * 3 + y * stride, first + l * 3, bytes);
        }
    }
}

void TRasterCanvas::LineTo(int x1, int y1) {
    const long long x0 = PenPos.X, y0 = PenPos.Y;
    PenPos = {x1, y1};
    const long long dx = x1 - x0, dy = y1 - y0;
    if (dx == 0 && dy == 0) return;
    const TColor color = ColorToRGB(Pen.Color);
    const long long W = FBitmap.Width(), H = FBitmap.Height();
    if (dx == 0) {
        // The bars of every symbol: a column of pixels, the end point left out.
        if (x0 < 0 || x0 >= W) return;
        const long long top = std::max(dy > 0 ? y0 : y1 + 1, 0LL);
        const long long bottom = std::min(dy > 0 ? static_cast<long long>(y1) : y0 + 1, H);
        if (top >= bottom) return;
        // Locals, so the byte stores (which may alias anything) do not reload them each row.
        const std::uint8_t b = BlueOf(color), g = GreenOf(color), r = RedOf(color);
        const std::size_t stride = FBitmap.Stride();
        std::uint8_t* p = FBitmap.Row(static_cast<int>(top)) + x0 * 3;
        for (long long n = bottom - top; n > 0; --n, p += stride) {
            p[0] = b;
            p[1] = g;
            p[2] = r;
        }
        return;
    }
    // Any other line: step along the major axis, only over the part that can be visible.
    const bool xMajor = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
    const long long major = xMajor ? dx : dy, minor = xMajor ? dy : dx;
    const long long steps = major < 0 ? -major : major;
    const long long dir = major < 0 ? -1 : 1;
    const long long start = xMajor ? x0 : y0, limit = xMajor ? W : H;
    // Steps i in [0, steps) with start + dir * i inside [0, limit).
    long long iFirst = 0, iLast = steps;
    if (dir > 0) {
        iFirst = std::max(iFirst, -start);
        iLast = std::min(iLast, limit - start);
    } else {
        iFirst = std::max(iFirst, start - limit + 1);
        iLast = std::min(iLast, start + 1);
    }
    for (long long i = iFirst; i < iLast; ++i) {
        // Nearest pixel on the minor axis; in floating point, as i * minor may not fit 64 bits.
        const long long off = std::llround(static_cast<double>(i) * static_cast<double>(minor) / static_cast<double>(steps));
        const long long px = xMajor ? start + dir * i : x0 + off;
        const long long py = xMajor ? y0 + off : start + dir * i;
        if (px >= 0 && px < W && py >= 0 && py < H) FBitmap.SetPixel(static_cast<int>(px), static_cast<int>(py), color);
    }
}

} // namespace zerbo::gfx
