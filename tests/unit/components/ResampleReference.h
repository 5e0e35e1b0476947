#pragma once
// The resampler written down plainly, one value at a time, as the oracle its tests and its fuzz
// target compare it with bit for bit.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "components/Resample.h"

namespace zerbo::test {

// A bitmap in a vector of exactly its size, so the sanitizer sees any access outside it.
struct Image {
    Image(int w, int h, int stride = 0, bool bottomUp = false)
        : width(w), height(h), stride(stride ? stride : w * 3), bottomUp(bottomUp),
          bytes(static_cast<size_t>(this->stride) * static_cast<size_t>(h)) {}
    TImageView view() {
        TImageView v{width, height, bottomUp ? -stride : stride, bytes.data()};
        if (bottomUp && height > 0) v.Bits = bytes.data() + static_cast<size_t>(stride) * (height - 1);
        return v;
    }
    uint8_t& at(int x, int y, int c) { return view().ScanLine(y)[x * 3 + c]; }
    int width, height, stride;
    bool bottomUp;
    std::vector<uint8_t> bytes;
};

// The algorithm as written down: lists of (mirrored index, weight), sums in list order in
// single precision, one value at a time.
inline std::vector<std::vector<std::pair<int, float>>> referenceLists(int src, int dst, TFilterFunc f, float r) {
    float scale = src > 1 ? static_cast<float>(dst - 1) / static_cast<float>(src - 1)
                          : static_cast<float>(dst) / static_cast<float>(src);
    std::vector<std::vector<std::pair<int, float>>> lists(static_cast<size_t>(dst));
    for (int i = 0; i < dst; ++i) {
        const float center = static_cast<float>(i) / scale;
        const float w = scale < 1 ? r / scale : r;
        const float fscale = 1.0f / scale;
        for (int j = static_cast<int>(std::floor(center - w)); j <= static_cast<int>(std::ceil(center + w)); ++j) {
            const float weight = scale < 1 ? f((center - static_cast<float>(j)) / fscale) / fscale
                                           : f(center - static_cast<float>(j));
            if (weight == 0) continue;
            int n = j < 0 ? -j : j >= src ? 2 * src - 1 - j : j;
            n = std::min(std::max(n, 0), src - 1);
            lists[static_cast<size_t>(i)].push_back({n, weight});
        }
    }
    return lists;
}

inline uint8_t referenceByte(float sum) {
    if (sum > 255) return 255;
    if (sum < 0) return 0;
    return static_cast<uint8_t>(std::nearbyint(sum));
}

inline Image reference(Image& src, int dw, int dh, TFilterFunc f, float r) {
    Image work(dw, src.height), dst(dw, dh);
    const auto h = referenceLists(src.width, dw, f, r);
    for (int y = 0; y < src.height; ++y)
        for (int i = 0; i < dw; ++i)
            for (int c = 0; c < 3; ++c) {
                float sum = 0;
                for (auto [n, w] : h[static_cast<size_t>(i)]) sum += w * static_cast<float>(src.at(n, y, c));
                work.at(i, y, c) = referenceByte(sum);
            }
    const auto v = referenceLists(src.height, dh, f, r);
    for (int x = 0; x < dw; ++x)
        for (int i = 0; i < dh; ++i)
            for (int c = 0; c < 3; ++c) {
                float sum = 0;
                for (auto [n, w] : v[static_cast<size_t>(i)]) sum += w * static_cast<float>(work.at(x, n, c));
                dst.at(x, i, c) = referenceByte(sum);
            }
    return dst;
}

} // namespace zerbo::test
