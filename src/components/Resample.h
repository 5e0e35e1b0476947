#pragma once
// A separable, filtered image rescaler for 24-bit bitmaps: a horizontal then a vertical
// pass, each output value a weighted sum of nearby input values. Printing uses it with
// "Lanczos3" to bring the barcode to the printer's resolution.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/Error.h"

namespace zerbo {

// Rows of 3-byte pixels (blue, green, red) that any 24-bit bitmap can be seen as.
// Stride is the distance in bytes from one row to the next (negative for bottom-up).
struct TImageView {
    int32_t Width = 0;
    int32_t Height = 0;
    std::ptrdiff_t Stride = 0;
    uint8_t* Bits = nullptr;  // row 0

    uint8_t* ScanLine(int32_t y) const { return Bits + y * Stride; }
};

using TFilterFunc = float (*)(float);

struct TFilterEntry {
    const char* Name;
    TFilterFunc Filter;
    float Width;  // support radius: the filter is 0 beyond it
};

// "Box", "Triangle", "Hermite", "Bell", "B-Spline", "Lanczos3", "Mitchell", in this order.
extern const TFilterEntry FilterTable[7];
// The table entry of that name, or null.
const TFilterEntry* FindFilter(std::string_view name);

float BoxFilter(float x);
float TriangleFilter(float x);
float HermiteFilter(float x);
float BellFilter(float x);
float SplineFilter(float x);
float Lanczos3Filter(float x);
float MitchellFilter(float x);

// Raised for a source with no pixels: "Source bitmap too small".
class EResampleError : public Exception {
public:
    using Exception::Exception;
};

// Raised, as the platform's bitmap layer does, when a bitmap has no second row to take
// the row distance from: "スキャンラインのインデックスが範囲を超えました".
class EInvalidGraphicOperation : public Exception {
public:
    using Exception::Exception;
};

// Resizes src into dst at dst's width and height. Weights are not normalised; each value
// sums its weights in list order in single precision, then is clamped to 0 … 255 and
// rounded half to even. Source indices beyond an edge are mirrored, then clamped into the
// source. On error dst is unchanged.
void ResampleImage(const TImageView& src, const TImageView& dst, TFilterFunc filter, float fwidth);

} // namespace zerbo
