#include "barcode/BarLayout.h"

#include <algorithm>
#include <climits>

namespace zerbo::barcode {

int Px(long long v) { return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX)); }

TElementWidths::TElementWidths(TBarTypes type, int scale, int ratio) {
    for (int d = 0; d < 10; ++d) {
        long long px = static_cast<long long>(d / 2 + 1) * scale;
        if (IsTwoWidth(type) && px > scale) px = px * ratio / 20;
        w[d] = px;
    }
}

long long PatternWidth(std::string_view pattern, const TElementWidths& widths) {
    long long total = 0;
    for (char c : pattern) total += widths[c];
    return total;
}

namespace {
int Segments(char c) { return c >= '0' && c <= '9' ? (c - '0') & 7 : 0; }
} // namespace

long long CustomerBarWidth(std::string_view pattern, int scale) {
    long long first = -1, last = -1;
    for (std::size_t i = 0; i < pattern.size(); ++i)
        if (Segments(pattern[i])) {
            if (first < 0) first = static_cast<long long>(i);
            last = static_cast<long long>(i);
        }
    return first < 0 ? 0 : (last - first + 2) * scale;
}

void DrawCustomerColumn(gfx::TCanvas& canvas, long long x0, long long y0, long long barX, long long i, int v,
                        int scale) {
    const long long s = scale;
    const int left = Px(x0 + barX + (i - 1) * s);
    const int right = Px(x0 + barX + i * s);
    if (v & 4) canvas.FillRect({left, Px(y0), right, Px(y0 + 2 * s)});
    if (v & 2) canvas.FillRect({left, Px(y0 + 2 * s), right, Px(y0 + 4 * s)});
    if (v & 1) canvas.FillRect({left, Px(y0 + 4 * s), right, Px(y0 + 6 * s)});
}

int DrawBarFrame(gfx::TCanvas& canvas, const gfx::TRect& rect, int frame, TColor barColor, TColor backColor) {
    const long long L = rect.Left, T = rect.Top, R = rect.Right, B = rect.Bottom;
    long long k = std::min((R - L) / 2, (B - T) / 2);
    if (k > 0) --k;
    if (k < 1) return frame;
    if (k < frame) frame = static_cast<int>(k);
    const long long f = frame;
    canvas.Brush = {barColor, gfx::bsSolid};
    canvas.FillRect({Px(L), Px(T), Px(R), Px(T + f)});         // top
    canvas.FillRect({Px(L), Px(B - f), Px(R), Px(B)});         // bottom
    canvas.FillRect({Px(L), Px(T + f), Px(L + f), Px(B - f)}); // left
    canvas.FillRect({Px(R - f), Px(T + f), Px(R), Px(B - f)}); // right
    canvas.Brush = {backColor, gfx::bsClear};
    return frame;
}

} // namespace zerbo::barcode
