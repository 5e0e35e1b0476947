#pragma once
// The drawing surface the barcode painter works against. Natively a raster canvas over a
// TBitmap24 or a recording canvas; on Windows a GDI device context.
#include <cstdint>
#include <span>
#include <string_view>

#include "core/Color.h"
#include "gfx/Font.h"

namespace zerbo::gfx {

// Left and top inclusive, right and bottom exclusive.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const TRect&) const = default;
};

enum TBrushStyle : std::uint8_t { bsSolid, bsClear };
enum TPenStyle : std::uint8_t { psSolid };

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
    bool operator==(const TBrush&) const = default;
};

struct TPen {
    TColor Color = clBlack;
    TPenStyle Style = psSolid; // one pixel wide
    bool operator==(const TPen&) const = default;
};

// Count adjacent pixel columns starting at column X.
struct TColumnSpan {
    int X = 0;
    int Count = 0;
};

struct TPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TPoint&) const = default;
};

// Font, Brush and Pen are plain state read by each operation when it draws, so a caller sets
// them the way it always has (Canvas.Brush.Color := ...) and an implementation realises them
// lazily. No operation may write outside the surface, whatever the coordinates.
class TCanvas {
public:
    TFont Font;
    TBrush Brush;
    TPen Pen;

    virtual ~TCanvas() = default;

    virtual int TextWidth(std::u16string_view text) = 0;
    virtual int TextHeight(std::u16string_view text) = 0;
    // Top-left corner at (x, y), in Font.Color; with a solid brush the text box is filled first.
    virtual void TextOutAt(int x, int y, std::u16string_view text) = 0;
    // Fills with the brush; a hollow brush paints nothing.
    virtual void FillRect(const TRect& rect) = 0;
    void MoveTo(int x, int y) { PenPos = {x, y}; }
    // A one-pixel line in the pen from PenPos up to, not including, (x, y); PenPos follows.
    virtual void LineTo(int x, int y) = 0;
    // One-pixel pen lines side by side, one for each column of every span, each from row top
    // down to row bottom - 1; PenPos ends at the last line's end. This is how the bars of a
    // bitmap are painted; a canvas that can paint the same pixels row by row overrides it.
    virtual void PenColumns(std::span<const TColumnSpan> spans, int top, int bottom) {
        for (const TColumnSpan& s : spans)
            for (int i = 0; i < s.Count; ++i) {
                MoveTo(s.X + i, top);
                LineTo(s.X + i, bottom);
            }
    }

    TPoint PenPos;
};

} // namespace zerbo::gfx
