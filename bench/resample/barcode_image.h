#pragma once
// A barcode-like test picture: black and white bars of 1 to 4 modules, the same in every
// row; compare.py draws the same one for Pillow.
#include <cstdint>
#include <vector>

namespace zerbo::bench {

inline std::vector<uint8_t> barcodeImage(int width, int height, int module) {
    std::vector<uint8_t> row(static_cast<size_t>(width) * 3);
    uint32_t x = 1;
    bool black = true;
    for (int px = 0; px < width;) {
        x = (x * 1103515245u + 12345u) & 0x7FFFFFFFu;
        const int bar = (1 + static_cast<int>((x >> 16) % 4)) * module;
        for (int i = 0; i < bar && px < width; ++i, ++px)
            for (int c = 0; c < 3; ++c) row[static_cast<size_t>(px) * 3 + c] = black ? 0 : 255;
        black = !black;
    }
    std::vector<uint8_t> image;
    image.reserve(row.size() * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) image.insert(image.end(), row.begin(), row.end());
    return image;
}

} // namespace zerbo::bench
