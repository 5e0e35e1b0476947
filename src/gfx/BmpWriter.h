#pragma once
// 24-bit BMP files: BITMAPFILEHEADER, BITMAPINFOHEADER, rows bottom-up padded to 4 bytes.
#include <cstdint>
#include <filesystem>
#include <vector>

#include "gfx/Bitmap.h"

namespace zerbo::gfx {

std::vector<std::uint8_t> EncodeBmp(const TBitmap24& bitmap);
// False when the file cannot be written completely.
bool SaveBmpFile(const TBitmap24& bitmap, const std::filesystem::path& path);

} // namespace zerbo::gfx
