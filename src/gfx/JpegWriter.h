#pragma once
// JPEG through libjpeg: colour (YCbCr from the bitmap's RGB), baseline, not progressive.
#include <cstdint>
#include <vector>

#include "gfx/Bitmap.h"

namespace zerbo::gfx {

constexpr int kJpegQuality = 90;

// The bytes of a .jpg file; empty when libjpeg refuses (an empty bitmap, no memory).
std::vector<std::uint8_t> EncodeJpeg(const TBitmap24& bitmap, int quality = kJpegQuality);

} // namespace zerbo::gfx
