#pragma once
// A canvas that keeps the drawing operations of a metafile in the order they were made,
// each with the brush, pen or font it used, so the drawing can be inspected or played back
// onto another canvas. Texts are measured with the built-in font, as no device is at hand.
#include <string>
#include <variant>
#include <vector>

#include "gfx/Canvas.h"

namespace zerbo::gfx {

struct TFillRecord {
    TRect Rect;
    TBrush Brush;
};

struct TTextRecord {
    int X = 0;
    int Y = 0;
    std::u16string Text;
    TFont Font;
    TBrush Brush;
};

struct TLineRecord {
    TPoint From;
    TPoint To;
    TPen Pen;
};

using TMetaRecord = std::variant<TFillRecord, TTextRecord, TLineRecord>;
using TMetaRecords = std::vector<TMetaRecord>;

class TRecordingCanvas : public TCanvas {
public:
    explicit TRecordingCanvas(TMetaRecords& target) : FRecords(target) {}

    int TextWidth(std::u16string_view text) override;
    int TextHeight(std::u16string_view text) override;
    void TextOutAt(int x, int y, std::u16string_view text) override;
    // A hollow brush paints nothing, so nothing is recorded.
    void FillRect(const TRect& rect) override;
    void LineTo(int x, int y) override;

private:
    TMetaRecords& FRecords;
};

// Replays records in order onto another canvas, with the state each one was made with.
void PlayRecords(const TMetaRecords& records, TCanvas& canvas);

} // namespace zerbo::gfx
