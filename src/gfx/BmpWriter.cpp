#include "gfx/BmpWriter.h"

#include <cstring>
#include <fstream>

namespace zerbo::gfx {

namespace {

void Put16(std::uint8_t* p, std::uint32_t v) {
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}

void Put32(std::uint8_t* p, std::uint32_t v) {
    Put16(p, v & 0xFFFF);
    Put16(p + 2, v >> 16);
}

constexpr std::size_t kFileHeader = 14;
constexpr std::size_t kInfoHeader = 40;
constexpr std::uint32_t kPixelsPerMetre = 3780; // 96 dpi

} // namespace

std::vector<std::uint8_t> EncodeBmp(const TBitmap24& bitmap) {
    const std::size_t imageBytes = bitmap.Stride() * static_cast<std::size_t>(bitmap.Height());
    std::vector<std::uint8_t> out(kFileHeader + kInfoHeader + imageBytes, 0);
    std::uint8_t* h = out.data();
    h[0] = 'B';
    h[1] = 'M';
    Put32(h + 2, static_cast<std::uint32_t>(out.size()));
    Put32(h + 10, kFileHeader + kInfoHeader);
    std::uint8_t* i = h + kFileHeader;
    Put32(i, kInfoHeader);
    Put32(i + 4, static_cast<std::uint32_t>(bitmap.Width()));
    Put32(i + 8, static_cast<std::uint32_t>(bitmap.Height())); // positive: bottom-up
    Put16(i + 12, 1);                                         // planes
    Put16(i + 14, 24);                                        // bits per pixel
    Put32(i + 20, static_cast<std::uint32_t>(imageBytes));
    Put32(i + 24, kPixelsPerMetre);
    Put32(i + 28, kPixelsPerMetre);
    std::uint8_t* pixels = i + kInfoHeader;
    for (int y = 0; y < bitmap.Height(); ++y)
        std::memcpy(pixels + static_cast<std::size_t>(bitmap.Height() - 1 - y) * bitmap.Stride(), bitmap.Row(y),
                    bitmap.Stride());
    return out;
}

bool SaveBmpFile(const TBitmap24& bitmap, const std::filesystem::path& path) {
    const std::vector<std::uint8_t> bytes = EncodeBmp(bitmap);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    return !file.fail();
}

} // namespace zerbo::gfx
