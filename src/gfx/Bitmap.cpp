#include "gfx/Bitmap.h"

#include <algorithm>
#include <cstring>

namespace zerbo::gfx {

void TBitmap24::ClampSize(int& width, int& height) {
    width = std::clamp(width, 0, kMaxBitmapSide);
    height = std::clamp(height, 0, kMaxBitmapSide);
    if (!FitsBitmap(width, height)) height = static_cast<int>(kMaxBitmapPixels / width);
}

TBitmap24::TBitmap24(const TBitmap24& other) { *this = other; }

TBitmap24& TBitmap24::operator=(const TBitmap24& other) {
    if (this == &other) return *this;
    const std::size_t bytes = other.FStride * static_cast<std::size_t>(other.FHeight);
    auto bits = bytes ? std::make_unique_for_overwrite<std::uint8_t[]>(bytes) : nullptr;
    if (bytes) std::memcpy(bits.get(), other.FBits.get(), bytes);
    FBits = std::move(bits);
    FWidth = other.FWidth;
    FHeight = other.FHeight;
    FStride = other.FStride;
    return *this;
}

void TBitmap24::SetSize(int width, int height) {
    ClampSize(width, height);
    if (width == FWidth && height == FHeight) return;
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t(3);
    const std::size_t bytes = stride * static_cast<std::size_t>(height);
    // Left uninitialised here: each row is written once below, kept pixels, white ones and
    // the padding (zero, as a file or DIB expects).
    auto bits = bytes ? std::make_unique_for_overwrite<std::uint8_t[]>(bytes) : nullptr;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    const std::size_t keepBytes = static_cast<std::size_t>(std::min(width, FWidth)) * 3;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = bits.get() + static_cast<std::size_t>(y) * stride;
        const std::size_t kept = y < FHeight ? keepBytes : 0;
        if (kept) std::memcpy(row, Row(y), kept);
        if (rowBytes > kept) std::memset(row + kept, 0xFF, rowBytes - kept);
        if (stride > rowBytes) std::memset(row + rowBytes, 0, stride - rowBytes);
    }
    FBits = std::move(bits);
    FWidth = width;
    FHeight = height;
    FStride = stride;
}

TColor TBitmap24::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return clWhite;
    const std::uint8_t* p = Row(y) + static_cast<std::size_t>(x) * 3;
    return MakeColor(p[2], p[1], p[0]);
}

void TBitmap24::SetPixel(int x, int y, TColor c) {
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return;
    c = ColorToRGB(c);
    std::uint8_t* p = Row(y) + static_cast<std::size_t>(x) * 3;
    p[0] = BlueOf(c);
    p[1] = GreenOf(c);
    p[2] = RedOf(c);
}

void TBitmap24::Fill(TColor c) {
    c = ColorToRGB(c);
    for (int y = 0; y < FHeight; ++y) {
        std::uint8_t* p = Row(y);
        for (int x = 0; x < FWidth; ++x, p += 3) {
            p[0] = BlueOf(c);
            p[1] = GreenOf(c);
            p[2] = RedOf(c);
        }
    }
}

} // namespace zerbo::gfx
