#pragma once
// A 24-bit bitmap in memory: rows top-down, blue-green-red, each row padded to 4 bytes
// (the layout of a top-down DIB, so it goes to a BMP file or a DIB section unchanged).
#include <cstddef>
#include <cstdint>
#include <memory>

#include "core/Color.h"

namespace zerbo::gfx {

// The largest bitmap the platform really makes and draws on, in either of its formats, as
// measured under Wine: GDI makes a screen-compatible bitmap (4 bytes a pixel) of under 2 GiB
// and under 2^26 pixels a row, and draws on a 24-bit DIB section only while it stays under
// 2 GiB. A drawing
// that does not fit is not made (TBarImage reports it as an error); SetSize cuts a larger
// request down, height first, so that no setting can ask for more.
constexpr int kMaxBitmapSide = (1 << 26) - 1;
constexpr long long kMaxBitmapPixels = (1LL << 29) - 1;

// Whether a bitmap of this size can be made; nothing to make (a side of 0 or less) fits.
constexpr bool FitsBitmap(long long width, long long height) {
    if (width <= 0 || height <= 0) return true;
    return width <= kMaxBitmapSide && height <= kMaxBitmapSide && height <= kMaxBitmapPixels / width;
}

class TBitmap24 {
public:
    TBitmap24() = default;
    TBitmap24(int width, int height) { SetSize(width, height); }
    TBitmap24(const TBitmap24& other);
    TBitmap24& operator=(const TBitmap24& other);
    TBitmap24(TBitmap24&&) noexcept = default;
    TBitmap24& operator=(TBitmap24&&) noexcept = default;

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    bool Empty() const { return FWidth == 0 || FHeight == 0; }
    std::size_t Stride() const { return FStride; }

    // Negative sizes count as 0 and the limits above apply. Pixels inside both the old
    // and the new size are kept; new ones are white.
    void SetSize(int width, int height);

    std::uint8_t* Row(int y) { return FBits.get() + static_cast<std::size_t>(y) * FStride; }
    const std::uint8_t* Row(int y) const { return FBits.get() + static_cast<std::size_t>(y) * FStride; }

    // Outside the bitmap Pixel answers white and SetPixel does nothing.
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor c);
    void Fill(TColor c);

    // The size SetSize would give for a request.
    static void ClampSize(int& width, int& height);

private:
    int FWidth = 0;
    int FHeight = 0;
    std::size_t FStride = 0;
    std::unique_ptr<std::uint8_t[]> FBits; // every byte is written by SetSize before use
};

} // namespace zerbo::gfx
