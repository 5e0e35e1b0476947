#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "gfx/BmpWriter.h"
#include "gfx/BuiltinFont.h"
#include "gfx/Picture.h"
#include "gfx/RasterCanvas.h"
#include "gfx/RecordingCanvas.h"

using namespace zerbo;
using namespace zerbo::gfx;

namespace {

constexpr TColor kRed = MakeColor(0xFF, 0, 0);

// The bitmap as text, one character per pixel: '#' for black, '.' for white, '?' otherwise.
std::string Dump(const TBitmap24& b) {
    std::string s;
    for (int y = 0; y < b.Height(); ++y) {
        for (int x = 0; x < b.Width(); ++x) {
            const TColor c = b.Pixel(x, y);
            s += c == clBlack ? '#' : c == clWhite ? '.' : '?';
        }
        s += '\n';
    }
    return s;
}

} // namespace

TEST(Bitmap, SetSizeKeepsSharedPixelsAndWhitensNewOnes) {
    TBitmap24 b(3, 2);
    b.Fill(clBlack);
    b.SetSize(4, 3);
    EXPECT_EQ(Dump(b), "###.\n###.\n....\n");
    b.SetSize(2, 1);
    EXPECT_EQ(Dump(b), "##\n");
    b.SetSize(-5, 7);
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.Width(), 0);
}

TEST(Bitmap, CopiesAreIndependent) {
    TBitmap24 a(2, 2);
    a.SetPixel(1, 1, clBlack);
    TBitmap24 b(a);
    a.SetPixel(0, 0, clBlack);
    EXPECT_EQ(Dump(b), "..\n.#\n");
    b = a;
    EXPECT_EQ(Dump(b), "#.\n.#\n");
    b = TBitmap24();
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(EncodeBmp(b).size(), 54u);
}

TEST(Bitmap, HugeRequestsAreCutToTheLimits) {
    struct Case {
        int w, h, wantW, wantH;
    };
    const Case cases[] = {
        {INT_MAX, 1, kMaxBitmapSide, 1},
        {1, INT_MAX, 1, kMaxBitmapSide},
        {10, INT_MAX, 10, static_cast<int>(kMaxBitmapPixels / 10)},
        {INT_MAX, INT_MAX, kMaxBitmapSide, static_cast<int>(kMaxBitmapPixels / kMaxBitmapSide)},
        {INT_MIN, 5, 0, 5},
        {20000, 100, 20000, 100},
    };
    for (const Case& c : cases) {
        int w = c.w, h = c.h;
        TBitmap24::ClampSize(w, h);
        EXPECT_EQ(w, c.wantW) << c.w << "x" << c.h;
        EXPECT_EQ(h, c.wantH) << c.w << "x" << c.h;
        EXPECT_LE(static_cast<long long>(w) * h, kMaxBitmapPixels);
    }
}

// The largest bitmaps GDI makes under Wine: 2^26 - 1 pixels a row, 2^29 - 1 pixels in all.
TEST(Bitmap, FitsUpToThePlatformsLargestBitmap) {
    const struct {
        long long w, h;
        bool fits;
    } cases[] = {
        {67108863, 8, true},     {67108864, 1, false},  {1, 67108863, true},
        {1, 67108864, false},    {20000, 26843, true},  {20000, 26844, false}, // 536 860 000 and 536 880 000
        {LLONG_MAX, LLONG_MAX, false}, {0, LLONG_MAX, true}, {-5, 3, true},      // nothing to make fits
    };
    for (const auto& c : cases) EXPECT_EQ(FitsBitmap(c.w, c.h), c.fits) << c.w << "x" << c.h;
}

TEST(RasterCanvas, FillRectIncludesLeftTopExcludesRightBottomAndClips) {
    struct Case {
        TRect r;
        const char* want;
    };
    const Case cases[] = {
        {{1, 1, 3, 2}, ".....\n.##..\n.....\n"},
        {{-100, -100, 1, 1}, "#....\n.....\n.....\n"},
        {{4, 2, INT_MAX, INT_MAX}, ".....\n.....\n....#\n"},
        {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, "#####\n#####\n#####\n"},
        {{3, 1, 1, 2}, ".....\n.....\n.....\n"}, // inverted: nothing
    };
    for (const Case& c : cases) {
        TBitmap24 b(5, 3);
        TRasterCanvas canvas(b);
        canvas.Brush.Color = clBlack;
        canvas.FillRect(c.r);
        EXPECT_EQ(Dump(b), c.want) << c.r.Left << "," << c.r.Top << "," << c.r.Right << "," << c.r.Bottom;
    }
}

TEST(RasterCanvas, HollowBrushFillsNothing) {
    TBitmap24 b(2, 2);
    TRasterCanvas canvas(b);
    canvas.Brush = {clBlack, bsClear};
    canvas.FillRect({0, 0, 2, 2});
    EXPECT_EQ(Dump(b), "..\n..\n");
}

TEST(RasterCanvas, LinesLeaveOutTheirEndPointAndClip) {
    struct Case {
        int x0, y0, x1, y1;
        const char* want;
    };
    const Case cases[] = {
        {1, 0, 1, 3, ".#...\n.#...\n.#...\n....."},   // down, rows 0..2
        {2, 3, 2, 0, ".....\n..#..\n..#..\n..#.."},   // up, rows 3..1
        {0, 1, 4, 1, ".....\n####.\n.....\n....."},   // right
        {0, 0, 4, 4, "#....\n.#...\n..#..\n...#."},   // diagonal
        {-1000000, 2, INT_MAX, 2, ".....\n.....\n#####\n....."},
        {3, INT_MIN, 3, INT_MAX, "...#.\n...#.\n...#.\n...#."},
        {INT_MIN, INT_MIN, INT_MAX, INT_MAX, nullptr}, // anything, but within the bitmap
        {7, 0, 7, 4, ".....\n.....\n.....\n....."},   // outside
    };
    for (const Case& c : cases) {
        TBitmap24 b(5, 4);
        TRasterCanvas canvas(b);
        canvas.Pen.Color = clBlack;
        canvas.MoveTo(c.x0, c.y0);
        canvas.LineTo(c.x1, c.y1);
        EXPECT_EQ(canvas.PenPos, (TPoint{c.x1, c.y1}));
        std::string want = c.want ? std::string(c.want) + "\n" : Dump(b);
        EXPECT_EQ(Dump(b), want) << c.x0 << "," << c.y0 << " -> " << c.x1 << "," << c.y1;
    }
}

// The raster canvas paints pen columns a span at a time; the pixels must be those of the
// lines drawn one by one, as any other canvas draws them.
TEST(RasterCanvas, PenColumnsPaintTheSamePixelsAsTheirLines) {
    struct LineByLine : TRasterCanvas {
        using TRasterCanvas::TRasterCanvas;
        void PenColumns(std::span<const TColumnSpan> spans, int top, int bottom) override {
            TCanvas::PenColumns(spans, top, bottom);
        }
    };
    struct Case {
        std::vector<TColumnSpan> spans;
        int top, bottom;
    };
    const Case cases[] = {
        {{{0, 1}, {2, 2}, {5, 4}}, 1, 5},         // bars of 1, 2 and 4 columns
        {{{1, 3}}, 6, 2},                         // upward: rows 6 down to 3
        {{{-2, 4}, {9, 5}}, -3, INT_MAX},          // clipped on every side
        {{{3, 0}, {4, 1}}, 2, 2},                  // empty span, empty rows
        {{{0, 12}}, INT_MIN, 3},
    };
    for (const Case& c : cases) {
        TBitmap24 fast(12, 7), slow(12, 7);
        TRasterCanvas a(fast);
        LineByLine b(slow);
        a.Pen.Color = b.Pen.Color = clBlack;
        a.PenColumns(c.spans, c.top, c.bottom);
        b.PenColumns(c.spans, c.top, c.bottom);
        EXPECT_EQ(Dump(fast), Dump(slow)) << c.top << " to " << c.bottom;
        EXPECT_EQ(a.PenPos, b.PenPos);
    }
}

TEST(RasterCanvas, TextMeasuresInCharactersOfTheFontHeight) {
    TBitmap24 b(1, 1);
    TRasterCanvas canvas(b);
    canvas.Font.Height = -18;
    const int cw = builtin::CellWidth(canvas.Font);
    EXPECT_EQ(cw, 12);
    EXPECT_EQ(canvas.TextHeight(u"0123"), 18);
    EXPECT_EQ(canvas.TextWidth(u"0123"), 4 * cw);
    EXPECT_EQ(canvas.TextWidth(u""), 0);
    EXPECT_EQ(canvas.TextWidth(u"a\U0001F600b"), 3 * cw); // a surrogate pair is one character
    EXPECT_EQ(canvas.TextWidth(std::u16string(u"\xD800x\xDC00", 3)), 3 * cw); // unpaired: one each
    canvas.Font.Height = INT_MIN;
    EXPECT_EQ(canvas.TextHeight(u"x"), builtin::kMaxCellHeight);
    EXPECT_LE(canvas.TextWidth(std::u16string(100000, u'W')), INT_MAX);
}

TEST(RasterCanvas, TextIsDrawnInTheFontColourWithOrWithoutItsBox) {
    for (TBrushStyle style : {bsClear, bsSolid}) {
        TBitmap24 b(30, 20);
        TRasterCanvas canvas(b);
        canvas.Font.Height = -9; // one pixel per glyph unit
        canvas.Font.Color = clBlack;
        canvas.Brush = {kRed, style};
        canvas.TextOutAt(2, 3, u"1");
        // Glyph '1': row 0 of the glyph is "..#.." at cell row 1, so pixel (2 + 2, 3 + 1).
        EXPECT_EQ(b.Pixel(4, 4), clBlack);
        EXPECT_EQ(b.Pixel(2, 4), style == bsSolid ? kRed : clWhite) << "box only with a solid brush";
        EXPECT_EQ(b.Pixel(2 + 6, 3), clWhite) << "nothing right of the cell";
    }
}

TEST(RasterCanvas, TextAnywhereStaysInsideTheBitmap) {
    const std::u16string texts[] = {std::u16string(10000, u'8'), u"バーコード", std::u16string(u"\0\xDFFF\xD800", 3)};
    const int positions[][2] = {{-50, -3}, {25, 15}, {INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, {-100000, 0}};
    for (const auto& text : texts)
        for (const auto& p : positions) {
            TBitmap24 b(30, 20);
            TRasterCanvas canvas(b);
            canvas.Font.Height = -40;
            canvas.Font.Color = clBlack;
            canvas.Brush.Style = bsSolid;
            canvas.TextOutAt(p[0], p[1], text); // the sanitizers catch any stray write
        }
    TBitmap24 b(12, 12);
    TRasterCanvas canvas(b);
    canvas.Font.Height = -9;
    canvas.Font.Color = clBlack;
    canvas.Brush.Style = bsClear;
    canvas.TextOutAt(0, 0, u"カ"); // not in the font: an open box
    EXPECT_EQ(Dump(b).substr(0, 26), "............\n#####.......\n");
}

TEST(RecordingCanvas, KeepsOperationsInOrderWithTheirStateAndPlaysThemBack) {
    TMetaRecords records;
    TRecordingCanvas rec(records);
    rec.Brush = {clBlack, bsSolid};
    rec.FillRect({0, 0, 4, 1});
    rec.Brush.Style = bsClear;
    rec.FillRect({0, 0, 10, 10}); // hollow: paints nothing, records nothing
    rec.Pen.Color = kRed;
    rec.MoveTo(1, 1);
    rec.LineTo(1, 5);
    rec.Font.Height = -9;
    rec.Font.Color = clBlack;
    rec.TextOutAt(4, 2, u"7");
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(std::get<TFillRecord>(records[0]).Rect, (TRect{0, 0, 4, 1}));
    EXPECT_EQ(std::get<TLineRecord>(records[1]).Pen.Color, kRed);
    EXPECT_EQ(std::get<TLineRecord>(records[1]).From, (TPoint{1, 1}));
    const auto& text = std::get<TTextRecord>(records[2]);
    EXPECT_EQ(text.Text, u"7");
    EXPECT_EQ(text.Brush.Style, bsClear);
    EXPECT_EQ(text.Font.Height, -9);

    // Playing back gives the pixels of drawing directly.
    TBitmap24 direct(12, 12), played(12, 12);
    TRasterCanvas d(direct);
    d.Brush = {clBlack, bsSolid};
    d.FillRect({0, 0, 4, 1});
    d.Pen.Color = kRed;
    d.MoveTo(1, 1);
    d.LineTo(1, 5);
    d.Brush.Style = bsClear;
    d.Font.Height = -9;
    d.Font.Color = clBlack;
    d.TextOutAt(4, 2, u"7");
    TRasterCanvas p(played);
    PlayRecords(records, p);
    EXPECT_EQ(Dump(played), Dump(direct));
    EXPECT_NE(Dump(played).find('?'), std::string::npos); // the red line is there
}

TEST(Picture, HoldsABitmapOrAMetafileOneAtATime) {
    TPicture picture;
    EXPECT_EQ(picture.Graphic(), nullptr);
    TBitmapGraphic& b = picture.Bitmap();
    EXPECT_EQ(&picture.Bitmap(), &b) << "asking again keeps the bitmap";
    EXPECT_EQ(b.PixelFormat(), pfDevice);
    b.SetSize(3, 2);
    TMetafileGraphic& m = picture.NewMetafile();
    EXPECT_EQ(picture.AsBitmap(), nullptr);
    EXPECT_TRUE(m.Empty());
    m.SetSize(8, 9);
    {
        auto canvas = m.CreateRecordingCanvas();
        canvas->Brush = {clBlack, bsSolid};
        canvas->FillRect({0, 0, 1, 1});
        EXPECT_TRUE(dynamic_cast<TNativeMetafile&>(m).Records().empty()) << "complete only when the canvas goes";
    }
    EXPECT_EQ(dynamic_cast<TNativeMetafile&>(m).Records().size(), 1u);
    TBitmapGraphic& fresh = picture.Bitmap();
    EXPECT_TRUE(fresh.Empty()) << "the metafile is replaced by a new, empty bitmap";
    EXPECT_EQ(picture.AsMetafile(), nullptr);
}

TEST(BmpWriter, WritesHeadersAndBottomUpPaddedRows) {
    TBitmap24 b(3, 2); // 9 bytes a row, padded to 12
    b.SetPixel(0, 0, MakeColor(1, 2, 3));
    b.SetPixel(2, 1, MakeColor(4, 5, 6));
    const auto bytes = EncodeBmp(b);
    ASSERT_EQ(bytes.size(), 54u + 24u);
    auto u32 = [&](size_t at) { return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | bytes[at + 3] << 24; };
    auto u16 = [&](size_t at) { return bytes[at] | bytes[at + 1] << 8; };
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(u32(2), 78u);
    EXPECT_EQ(u32(10), 54u);
    EXPECT_EQ(u32(14), 40u);
    EXPECT_EQ(u32(18), 3u);
    EXPECT_EQ(u32(22), 2u);
    EXPECT_EQ(u16(26), 1);
    EXPECT_EQ(u16(28), 24);
    // Last stored row is the top one: pixel (0, 0) as blue, green, red.
    EXPECT_EQ(bytes[54 + 12 + 0], 3);
    EXPECT_EQ(bytes[54 + 12 + 1], 2);
    EXPECT_EQ(bytes[54 + 12 + 2], 1);
    // First stored row is the bottom one: pixel (2, 1).
    EXPECT_EQ(bytes[54 + 6], 6);
    EXPECT_EQ(bytes[54 + 8], 4);
    EXPECT_EQ(bytes[54 + 9], 0) << "padding";
}

TEST(Font, AssignCopiesEveryAttributeAndSizeFollowsHeight) {
    TFont a, b;
    EXPECT_EQ(a.Size(), 9);
    a.Name = u"ＭＳ ゴシック";
    a.SetSize(12);
    EXPECT_EQ(a.Height, -16);
    a.Color = kRed;
    a.Style = fsBold | fsItalic;
    a.Charset = 128;
    a.Pitch = fpFixed;
    b.Assign(a);
    EXPECT_EQ(b, a);
}
