#pragma once
// The geometry of a linear symbol: element widths from the pattern string, the customer
// barcode's columns and the frame. TBarImage lays out and paints with these.
#include <string_view>

#include "barcode/BarTypes.h"
#include "core/Color.h"
#include "gfx/Canvas.h"

namespace zerbo::barcode {

// Pixel widths of the ten pattern digits for a symbology, Scale and ElementRatio:
// (d div 2 + 1) x Scale, and for the two-width symbologies a wide element times ratio / 20.
struct TElementWidths {
    long long w[10];
    TElementWidths(TBarTypes type, int scale, int ratio);
    // Anything but a digit counts as a one-module space.
    long long operator[](char c) const { return c >= '0' && c <= '9' ? w[c - '0'] : w[0]; }
};

// Sum of the element widths of a pattern.
long long PatternWidth(std::string_view pattern, const TElementWidths& widths);

// Width of a customer-barcode pattern: from the first to the last column with a segment, plus
// one module; 0 when no column has one.
long long CustomerBarWidth(std::string_view pattern, int scale);

// Column i of a customer barcode with segment bits v (4 upper, 2 middle, 1 lower), filled with
// the canvas's current brush; column 0 lies one module left of x0 + barX.
void DrawCustomerColumn(gfx::TCanvas& canvas, long long x0, long long y0, long long barX, long long i, int v,
                        int scale);

// A frame of `frame` pixels inside rect, in barColor; the brush ends as backColor, hollow.
// Returns the frame thickness to keep: lowered when the rectangle is too small for it, and
// unchanged (with nothing drawn) when it has no room for even one pixel.
int DrawBarFrame(gfx::TCanvas& canvas, const gfx::TRect& rect, int frame, TColor barColor, TColor backColor);

// Coordinates are computed in 64 bits and handed to a canvas saturated to int.
int Px(long long v);

} // namespace zerbo::barcode
