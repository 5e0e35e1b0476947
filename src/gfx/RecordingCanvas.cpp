#include "gfx/RecordingCanvas.h"

#include "gfx/BuiltinFont.h"

namespace zerbo::gfx {

int TRecordingCanvas::TextWidth(std::u16string_view text) { return builtin::TextWidth(Font, text); }

int TRecordingCanvas::TextHeight(std::u16string_view text) { return builtin::TextHeight(Font, text); }

void TRecordingCanvas::TextOutAt(int x, int y, std::u16string_view text) {
    FRecords.emplace_back(TTextRecord{x, y, std::u16string(text), Font, Brush});
}

void TRecordingCanvas::FillRect(const TRect& rect) {
    if (Brush.Style == bsClear) return;
    FRecords.emplace_back(TFillRecord{rect, Brush});
}

void TRecordingCanvas::LineTo(int x, int y) {
    FRecords.emplace_back(TLineRecord{PenPos, {x, y}, Pen});
    PenPos = {x, y};
}

namespace {

struct Player {
    TCanvas& c;
    void operator()(const TFillRecord& r) const {
        c.Brush = r.Brush;
        c.FillRect(r.Rect);
    }
    void operator()(const TTextRecord& r) const {
        c.Font.Assign(r.Font);
        c.Brush = r.Brush;
        c.TextOutAt(r.X, r.Y, r.Text);
    }
    void operator()(const TLineRecord& r) const {
        c.Pen = r.Pen;
        c.MoveTo(r.From.X, r.From.Y);
        c.LineTo(r.To.X, r.To.Y);
    }
};

} // namespace

void PlayRecords(const TMetaRecords& records, TCanvas& canvas) {
    for (const TMetaRecord& r : records) std::visit(Player{canvas}, r);
}

} // namespace zerbo::gfx
