#pragma once
// A canvas that draws straight into a TBitmap24, with the built-in font. Every write is
// clipped to the bitmap.
#include "gfx/Bitmap.h"
#include "gfx/Canvas.h"

namespace zerbo::gfx {

class TRasterCanvas : public TCanvas {
public:
    explicit TRasterCanvas(TBitmap24& bitmap) : FBitmap(bitmap) {}

    int TextWidth(std::u16string_view text) override;
    int TextHeight(std::u16string_view text) override;
    void TextOutAt(int x, int y, std::u16string_view text) override;
    void FillRect(const TRect& rect) override;
    void LineTo(int x, int y) override;
    void PenColumns(std::span<const TColumnSpan> spans, int top, int bottom) override;

private:
    void FillClipped(long long left, long long top, long long right, long long bottom, TColor color);

    TBitmap24& FBitmap;
};

} // namespace zerbo::gfx
