#include "components/Resample.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace zerbo {

namespace {

// Single precision throughout, as the filter table's functions are defined.
constexpr float kPi = 3.14159265358979323846f;

float sinc(float v) {
    if (v == 0.0f) return 1.0f;
    v *= kPi;
    return std::sin(v) / v;
}

// The contributor lists of one pass: for output position i, the entries
// first[i] … first[i + 1] - 1 of pixel and weight, in increasing source order.
struct Contributors {
    std::vector<size_t> first;
    std::vector<int32_t> pixel;
    std::vector<float> weight;
};

Contributors buildContributors(int32_t srcSize, int32_t dstSize, TFilterFunc filter, float fwidth) {
    // The first and last source pixels land on the first and last destination pixels;
    // with one pixel on either side there is no such span and the plain ratio is taken.
    const float scale = srcSize > 1 && dstSize > 1 ? static_cast<float>(dstSize - 1) / static_cast<float>(srcSize - 1)
                                                   : static_cast<float>(dstSize) / static_cast<float>(srcSize);
    const bool shrinking = scale < 1.0f;
    const float width = shrinking ? fwidth / scale : fwidth;
    const float fscale = 1.0f / scale;

    Contributors c;
    c.first.reserve(static_cast<size_t>(dstSize) + 1);
    const auto capacity = static_cast<size_t>(2 * width + 1);
    c.pixel.reserve(capacity * static_cast<size_t>(dstSize));
    c.weight.reserve(capacity * static_cast<size_t>(dstSize));
    for (int32_t i = 0; i < dstSize; ++i) {
        c.first.push_back(c.pixel.size());
        const float center = static_cast<float>(i) / scale;
        const auto left = static_cast<int64_t>(std::floor(center - width));
        const auto right = static_cast<int64_t>(std::ceil(center + width));
        for (int64_t j = left; j <= right; ++j) {
            const float distance = center - static_cast<float>(j);
            const float weight = shrinking ? filter(distance / fscale) / fscale : filter(distance);
            if (weight == 0.0f) continue;
            int64_t n = j < 0 ? -j : j >= srcSize ? 2 * static_cast<int64_t>(srcSize) - 1 - j : j;
            // A reach wider than the source mirrors past the far edge: stay inside.
            n = std::clamp<int64_t>(n, 0, srcSize - 1);
            c.pixel.push_back(static_cast<int32_t>(n));
            c.weight.push_back(weight);
        }
    }
    c.first.push_back(c.pixel.size());
    return c;
}

// Clamp, then round half to even: adding and taking away 1.5 * 2^23 leaves the
// float's fraction bits empty, and the addition rounds to nearest even.
inline uint8_t toByte(float sum) {
    constexpr float kRound = 12582912.0f;
    const float clamped = sum > 255.0f ? 255.0f : sum < 0.0f ? 0.0f : sum;
    return static_cast<uint8_t>(static_cast<int32_t>((clamped + kRound) - kRound));
}

// N adjacent values of one output: out[l] = Σ weight[k] * (base + pixel[k] * step)[l],
// summed in list order. N is fixed so the lanes stay in registers.
constexpr int kLanes = 48;  // 16 pixels of 3 channels

template <typename T>
void sumLanes(uint8_t* __restrict out, const T* base, std::ptrdiff_t step, const int32_t* pixel, const float* weight,
              size_t taps) {
    float acc[kLanes] = {};
    for (size_t k = 0; k < taps; ++k) {
        const T* __restrict p = base + pixel[k] * step;
        const float w = weight[k];
        for (int l = 0; l < kLanes; ++l) acc[l] += w * static_cast<float>(p[l]);
    }
    for (int l = 0; l < kLanes; ++l) out[l] = toByte(acc[l]);
}

template <typename T>
void sumTail(uint8_t* __restrict out, int lanes, const T* base, std::ptrdiff_t step, const int32_t* pixel,
             const float* weight, size_t taps) {
    float acc[kLanes] = {};
    for (size_t k = 0; k < taps; ++k) {
        const T* __restrict p = base + pixel[k] * step;
        const float w = weight[k];
        for (int l = 0; l < lanes; ++l) acc[l] += w * static_cast<float>(p[l]);
    }
    for (int l = 0; l < lanes; ++l) out[l] = toByte(acc[l]);
}

// Horizontal pass. Sixteen source rows at a time are turned on their side (as floats,
// which hold bytes exactly), so that the values one output column needs lie next to each
// other and sixteen rows are summed at once; each value still adds its own weights in
// list order.
void horizontalPass(const TImageView& src, uint8_t* work, std::ptrdiff_t workStride, int32_t dstWidth,
                    const Contributors& c) {
    constexpr int kRows = kLanes / 3;
    const auto sw = static_cast<size_t>(src.Width);
    std::vector<float> strip(sw * kLanes);
    uint8_t column[kLanes];
    for (int32_t y0 = 0; y0 < src.Height; y0 += kRows) {
        const int rows = std::min<int32_t>(kRows, src.Height - y0);
        if (rows < kRows) std::fill(strip.begin(), strip.end(), 0.0f);
        for (int r = 0; r < rows; ++r) {
            const uint8_t* line = src.ScanLine(y0 + r);
            for (size_t j = 0; j < sw; ++j)
                for (size_t ch = 0; ch < 3; ++ch)
                    strip[j * kLanes + static_cast<size_t>(r) * 3 + ch] = static_cast<float>(line[j * 3 + ch]);
        }
        for (int32_t i = 0; i < dstWidth; ++i) {
            const size_t f = c.first[static_cast<size_t>(i)];
            sumLanes(column, strip.data(), kLanes, &c.pixel[f], &c.weight[f], c.first[static_cast<size_t>(i) + 1] - f);
            for (int r = 0; r < rows; ++r) std::memcpy(work + (y0 + r) * workStride + i * 3, column + r * 3, 3);
        }
    }
}

// Vertical pass: one output row is a weighted sum of whole work rows. The work values
// are bytes; as floats (exact) they are read many times without converting each time.
void verticalPass(const uint8_t* work, int32_t workRows, const TImageView& dst, const Contributors& c) {
    const int values = dst.Width * 3;
    const std::vector<float> rows(work, work + static_cast<size_t>(values) * static_cast<size_t>(workRows));
    for (int32_t i = 0; i < dst.Height; ++i) {
        const size_t f = c.first[static_cast<size_t>(i)];
        const size_t taps = c.first[static_cast<size_t>(i) + 1] - f;
        uint8_t* out = dst.ScanLine(i);
        int x = 0;
        for (; x + kLanes <= values; x += kLanes)
            sumLanes(out + x, rows.data() + x, values, &c.pixel[f], &c.weight[f], taps);
        if (x < values) sumTail(out + x, values - x, rows.data() + x, values, &c.pixel[f], &c.weight[f], taps);
    }
}

bool rowsFit(const TImageView& v) {
    return v.Bits != nullptr && (v.Stride >= 0 ? v.Stride : -v.Stride) >= static_cast<std::ptrdiff_t>(v.Width) * 3;
}

} // namespace

float BoxFilter(float x) { return x > -0.5f && x <= 0.5f ? 1.0f : 0.0f; }

float TriangleFilter(float x) {
    const float t = std::fabs(x);
    return t < 1.0f ? 1.0f - t : 0.0f;
}

float HermiteFilter(float x) {
    const float t = std::fabs(x);
    return t < 1.0f ? (2.0f * t - 3.0f) * t * t + 1.0f : 0.0f;
}

float BellFilter(float x) {
    const float t = std::fabs(x);
    if (t < 0.5f) return 0.75f - t * t;
    if (t < 1.5f) {
        const float u = t - 1.5f;
        return 0.5f * u * u;
    }
    return 0.0f;
}

float SplineFilter(float x) {
    const float t = std::fabs(x);
    if (t < 1.0f) return 0.5f * t * t * t - t * t + 2.0f / 3.0f;
    if (t < 2.0f) {
        const float u = 2.0f - t;
        return u * u * u / 6.0f;
    }
    return 0.0f;
}

float Lanczos3Filter(float x) {
    const float t = std::fabs(x);
    return t < 3.0f ? sinc(t) * sinc(t / 3.0f) : 0.0f;
}

float MitchellFilter(float x) {
    // Mitchell–Netravali with B = C = 1/3.
    const float t = std::fabs(x);
    if (t < 1.0f) return (7.0f * t * t * t - 12.0f * t * t + 16.0f / 3.0f) / 6.0f;
    if (t < 2.0f) return (-(7.0f / 3.0f) * t * t * t + 12.0f * t * t - 20.0f * t + 32.0f / 3.0f) / 6.0f;
    return 0.0f;
}

const TFilterEntry FilterTable[7] = {
    {"Box", BoxFilter, 0.5f},           {"Triangle", TriangleFilter, 1.0f}, {"Hermite", HermiteFilter, 1.0f},
    {"Bell", BellFilter, 1.5f},         {"B-Spline", SplineFilter, 2.0f},   {"Lanczos3", Lanczos3Filter, 3.0f},
    {"Mitchell", MitchellFilter, 2.0f},
};

const TFilterEntry* FindFilter(std::string_view name) {
    for (const auto& entry : FilterTable)
        if (name == entry.Name) return &entry;
    return nullptr;
}

void ResampleImage(const TImageView& src, const TImageView& dst, TFilterFunc filter, float fwidth) {
    if (src.Width < 1 || src.Height < 1) throw EResampleError(u"Source bitmap too small");
    // The vertical pass takes the row distance of the work bitmap (source height) and of
    // the destination from their rows 0 and 1.
    if (src.Height < 2 || dst.Height < 2 || dst.Width < 1 || !rowsFit(src) || !rowsFit(dst))
        throw EInvalidGraphicOperation(u"スキャンラインのインデックスが範囲を超えました");

    const auto workStride = static_cast<std::ptrdiff_t>(dst.Width) * 3;
    std::vector<uint8_t> work(static_cast<size_t>(workStride) * static_cast<size_t>(src.Height));
    {
        const Contributors horizontal = buildContributors(src.Width, dst.Width, filter, fwidth);
        horizontalPass(src, work.data(), workStride, dst.Width, horizontal);
    }
    const Contributors vertical = buildContributors(src.Height, dst.Height, filter, fwidth);
    verticalPass(work.data(), src.Height, dst, vertical);
}

} // namespace zerbo
