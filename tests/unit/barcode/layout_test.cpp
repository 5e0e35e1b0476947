#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "BarTestUtil.h"
#include "barcode/BarLayout.h"
#include "gfx/RasterCanvas.h"
#include "gfx/RecordingCanvas.h"

using namespace zerbo;
using namespace zerbo::barcode;
using namespace zerbo::barcode::testing;
using gfx::TFillRecord;
using gfx::TRect;
using gfx::TTextRecord;

namespace {

constexpr TColor kRed = MakeColor(0xFF, 0, 0);

// The pattern as pixel columns: every module `scale` pixels, '1' for a bar.
std::string Expand(const std::string& pattern, int scale) {
    std::string s;
    for (char c : pattern) s.append(scale, c == '1' ? '1' : '0');
    return s;
}

std::vector<TFillRecord> Fills(const TBarImage& image) {
    std::vector<TFillRecord> out;
    for (const auto& r : MetafileOf(image).Records())
        if (auto f = std::get_if<TFillRecord>(&r)) out.push_back(*f);
    return out;
}

std::vector<TTextRecord> Texts(const TBarImage& image) {
    std::vector<TTextRecord> out;
    for (const auto& r : MetafileOf(image).Records())
        if (auto t = std::get_if<TTextRecord>(&r)) out.push_back(*t);
    return out;
}

gfx::TFont FontOfHeight(int h) {
    gfx::TFont f;
    f.Height = -h;
    return f;
}

std::string JanPattern(const std::u16string& code) {
    std::u16string symbol;
    return EncodeJAN(EncodeInput{code}, symbol);
}

} // namespace

// EAN-13 with the default font (12 pixels, 8 per character: 104 for 13 digits).
TEST(Layout, BarsAreThePatternAtScalePixelsPerModule) {
    const std::string pattern = JanPattern(u"4901234567894");
    for (int scale = 1; scale <= 3; ++scale) {
        TBarImage image(nullptr);
        image.SetMatch(true);
        image.SetScale(static_cast<TSCale>(scale));
        image.SetCode(u"490123456789");
        ASSERT_TRUE(image.BarDisped());
        const int total = 96 * scale, symW = 104;
        EXPECT_EQ(image.BarWidth(), std::max(total, symW));
        EXPECT_EQ(image.BarHeight(), 105);
        const int barX = total > symW ? 0 : (symW - total) / 2;
        const int x0 = 10, barLen = 105 - 12;
        const auto& b = BitmapOf(image);
        EXPECT_EQ(image.Width(), 10 + image.BarWidth() + 10);
        EXPECT_EQ(image.Height(), 105);
        EXPECT_EQ(b.Width(), image.Width());
        EXPECT_EQ(b.Height(), image.Height());
        for (int y : {0, barLen - 1}) EXPECT_EQ(RowOf(b, y, x0 + barX, x0 + barX + total), Expand(pattern, scale)) << y;
        EXPECT_EQ(RowOf(b, barLen, x0 + barX, x0 + barX + total), std::string(total, '0')) << "bars end above the text";
        EXPECT_EQ(RowOf(b, 0, 0, x0 + barX), std::string(x0 + barX, '0')) << "quiet zone";
        EXPECT_NE(RowOf(b, barLen + 5, x0, x0 + symW).find('1'), std::string::npos) << "text under the bars";
    }
}

// BarLeft and BarTop move the whole drawing, BarSpaceUp the symbol inside it: the bars start at
// (X0, Y0) = (BarLeft + BarSpaceLeft, BarTop + BarSpaceUp), the text right under them.
TEST(Layout, BarLeftBarTopAndBarSpaceUpPlaceBarsAndText) {
    const std::string pattern = JanPattern(u"4901234567894");
    const int total = 96, symW = 104, barX = (symW - total) / 2, barLen = 105 - 12;
    const struct {
        int left, top, spaceUp;
    } cases[] = {{7, 5, 11}, {0, 9, 0}, {-4, 0, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.left) + ", " + std::to_string(c.top) + ", " + std::to_string(c.spaceUp));
        const int x0 = c.left + 10, y0 = c.top + c.spaceUp;
        TBarImage bmp(nullptr), emf(nullptr);
        for (TBarImage* image : {&bmp, &emf}) {
            image->SetMatch(true);
            image->SetBarPicture(image == &bmp ? pbarBMP : pbarEMF);
            image->SetBarLeft(c.left);
            image->SetBarTop(c.top);
            image->SetBarSpaceUp(c.spaceUp);
            image->SetCode(u"490123456789");
            EXPECT_EQ(image->Width(), x0 + symW + 10);
            EXPECT_EQ(image->Height(), y0 + 105);
        }
        const auto fills = Fills(emf);
        ASSERT_GT(fills.size(), 1u);
        EXPECT_EQ(fills[1].Rect, (TRect{x0 + barX, y0, x0 + barX + 1, y0 + barLen})) << "first bar module";
        const auto texts = Texts(emf);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].X, x0);
        EXPECT_EQ(texts[0].Y, y0 + barLen);

        const auto& b = BitmapOf(bmp);
        for (int y : {y0, y0 + barLen - 1})
            EXPECT_EQ(RowOf(b, y, x0 + barX, x0 + barX + total), Expand(pattern, 1)) << y;
        if (y0 > 0) {
            EXPECT_EQ(RowOf(b, y0 - 1, 0, b.Width()), std::string(b.Width(), '0')) << "above the bars";
        }
        EXPECT_EQ(RowOf(b, y0 + barLen, x0 + barX, x0 + barX + total), std::string(total, '0'));
        EXPECT_NE(RowOf(b, y0 + barLen + 5, x0, x0 + symW).find('1'), std::string::npos) << "text under the bars";
    }
}

TEST(Layout, BarHeightIsRaisedToHoldTextAndSixPixelsOfBars) {
    struct Case {
        bool symbolDisp;
        int fontHeight, barHeight, wantHeight, wantBarLen;
    };
    const Case cases[] = {
        {false, 12, 4, 6, 6},
        {true, 16, 10, 22, 6},
        {true, 16, -50, 22, 6},
        {true, 16, 30, 30, 14},
    };
    for (const Case& c : cases) {
        TBarImage image(nullptr);
        image.SetMatch(true);
        image.SetBarPicture(pbarEMF);
        const gfx::TFont font = FontOfHeight(c.fontHeight);
        image.SetBarFont(&font);
        image.SetSymbolDisp(c.symbolDisp);
        image.SetBarHeight(c.barHeight);
        image.SetCode(u"490123456789");
        EXPECT_EQ(image.BarHeight(), c.wantHeight);
        const auto fills = Fills(image);
        ASSERT_GT(fills.size(), 1u);
        EXPECT_EQ(fills[1].Rect.Bottom - fills[1].Rect.Top, c.wantBarLen) << "bar length";
        const auto texts = Texts(image);
        ASSERT_EQ(texts.size(), c.symbolDisp ? 1u : 0u);
        if (c.symbolDisp) {
            EXPECT_EQ(texts[0].Y, c.wantBarLen) << "text starts where the bars end";
        }
    }
}

TEST(Layout, WiderOfTextAndBarsStartsAtX0AndTheOtherIsCentred) {
    // Text of 13 characters: 40 pixels each at height 60 (wider), 6 each at height 9 (narrower).
    struct Case {
        int fontHeight, wantBarWidth, wantBarX, wantTextX;
    };
    const Case cases[] = {{60, 520, (520 - 96) / 2, 0}, {9, 96, 0, (96 - 78) / 2}};
    for (const Case& c : cases) {
        TBarImage image(nullptr);
        image.SetMatch(true);
        image.SetBarPicture(pbarEMF);
        const gfx::TFont font = FontOfHeight(c.fontHeight);
        image.SetBarFont(&font);
        image.SetCode(u"490123456789");
        EXPECT_EQ(image.BarWidth(), c.wantBarWidth);
        const auto fills = Fills(image);
        EXPECT_EQ(fills[1].Rect.Left, 10 + c.wantBarX) << "first bar module";
        ASSERT_EQ(Texts(image).size(), 1u);
        EXPECT_EQ(Texts(image)[0].X, 10 + c.wantTextX);
    }
}

TEST(Layout, ElementWidths) {
    struct Case {
        TBarTypes type;
        int scale, ratio;
        char digit;
        long long want;
    };
    const Case cases[] = {
        {cbarITF, 1, 20, '3', 2}, {cbarITF, 1, 29, '3', 2}, {cbarITF, 1, 30, '3', 3},
        {cbarITF, 2, 25, '3', 5}, {cbarITF, 2, 25, '1', 2}, {cbarCODE39, 3, 22, '2', 6},
        {cbarNEC, 1, 30, '0', 1}, {cbarCODE128, 2, 30, '3', 4}, {cbarCODE128, 1, 30, '7', 4},
        {cbarJAN, 1, 30, '1', 1}, {cbarCODE93, 3, 25, '5', 9}, {cbarITF, 1, 0, '3', 0},
        {cbarITF, 255, 255, '9', 5LL * 255 * 255 / 20}, {cbarJAN, 0, 20, '7', 0},
        {cbarJAN, 1, 20, 'x', 1}, // not a digit: a narrow space
    };
    for (const Case& c : cases)
        EXPECT_EQ(TElementWidths(c.type, c.scale, c.ratio)[c.digit], c.want)
            << int(c.type) << " scale " << c.scale << " ratio " << c.ratio << " '" << c.digit << "'";
}

TEST(Layout, TwoWidthPatternIsDrawnWithElementRatio) {
    TPatternImage image;
    image.Pattern = "1030103"; // narrow bar, narrow space, wide bar, ...
    image.SetBarType(cbarITF);
    image.SetSymbolDisp(false);
    image.SetMatch(true);
    image.SetScale(2);
    image.SetElementRatio(25);
    image.SetCode(u"x");
    EXPECT_EQ(image.BarWidth(), 2 + 2 + 5 + 2 + 2 + 2 + 5);
    EXPECT_EQ(RowOf(BitmapOf(image), 0, 10, 10 + 20), "11001111100110011111");
}

TEST(Layout, CustomerColumnsAreSegmentsOfTwoModules) {
    EXPECT_EQ(CustomerBarWidth("0741", 2), (3 - 1 + 2) * 2);
    EXPECT_EQ(CustomerBarWidth("7", 3), 6);
    EXPECT_EQ(CustomerBarWidth("0880", 2), 0) << "8 has none of the segment bits";
    EXPECT_EQ(CustomerBarWidth("", 2), 0);

    TPatternImage image;
    image.Pattern = "0741";
    image.Symbol = u"T"; // 8 pixels, as wide as the bars: both start at X0
    image.SetBarType(cbarCUSTOMER);
    image.SetMatch(true);
    image.SetBarPicture(pbarEMF);
    image.SetScale(2);
    image.SetBarHeight(50);
    image.SetCode(u"x");
    EXPECT_EQ(image.BarHeight(), 12 + 12) << "bars of 6 x Scale plus the text";
    EXPECT_EQ(image.BarWidth(), 8);
    const int x0 = 10;
    const std::vector<TRect> want = {
        {x0 + 0, 0, x0 + 2, 4}, {x0 + 0, 4, x0 + 2, 8}, {x0 + 0, 8, x0 + 2, 12}, // column 1: '7'
        {x0 + 2, 0, x0 + 4, 4},                                                  // column 2: '4', upper
        {x0 + 4, 8, x0 + 6, 12},                                                 // column 3: '1', lower
    };
    const auto fills = Fills(image);
    ASSERT_EQ(fills.size(), 1 + want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(fills[i + 1].Rect, want[i]) << i;
        EXPECT_EQ(fills[i + 1].Brush.Color, clBlack);
    }
    ASSERT_EQ(Texts(image).size(), 1u);
    EXPECT_EQ(Texts(image)[0].Y, 12);
    EXPECT_EQ(Texts(image)[0].Brush.Style, gfx::bsClear) << "the brush is hollow again for the text";

    // Column 0 lies one module left of the bars' start: drawn into the quiet zone, or clipped.
    gfx::TMetaRecords records;
    gfx::TRecordingCanvas rec(records);
    rec.Brush.Color = clBlack;
    DrawCustomerColumn(rec, 10, 5, 0, 0, 2, 3);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(std::get<TFillRecord>(records[0]).Rect, (TRect{7, 11, 10, 17}));
}

TEST(Layout, DrawBarFrameLowersTheFrameToFitOrDrawsNothing) {
    struct Case {
        TRect rect;
        int frame, wantFrame;
        std::vector<TRect> strips;
    };
    const Case cases[] = {
        {{0, 0, 10, 10}, 20, 4, {{0, 0, 10, 4}, {0, 6, 10, 10}, {0, 4, 4, 6}, {6, 4, 10, 6}}},
        {{2, 3, 30, 13}, 1, 1, {{2, 3, 30, 4}, {2, 12, 30, 13}, {2, 4, 3, 12}, {29, 4, 30, 12}}},
        {{0, 0, 10, 3}, 20, 20, {}}, // 3 high: k = 0
        {{0, 0, 10, 4}, 20, 1, {{0, 0, 10, 1}, {0, 3, 10, 4}, {0, 1, 1, 3}, {9, 1, 10, 3}}},
        {{5, 5, 0, 0}, 3, 3, {}}, // inverted
        {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, 255, 255, {}}, // strips far outside any bitmap, still recorded
    };
    for (const Case& c : cases) {
        gfx::TMetaRecords records;
        gfx::TRecordingCanvas rec(records);
        EXPECT_EQ(DrawBarFrame(rec, c.rect, c.frame, kRed, clWhite), c.wantFrame);
        if (c.rect.Left == INT_MIN) {
            EXPECT_EQ(records.size(), 4u);
            continue;
        }
        ASSERT_EQ(records.size(), c.strips.size());
        for (size_t i = 0; i < records.size(); ++i) {
            const auto& f = std::get<TFillRecord>(records[i]);
            EXPECT_EQ(f.Rect, c.strips[i]) << i;
            EXPECT_EQ(f.Brush, (gfx::TBrush{kRed, gfx::bsSolid}));
        }
        if (!c.strips.empty()) {
            EXPECT_EQ(rec.Brush, (gfx::TBrush{clWhite, gfx::bsClear}));
        }
    }
}

TEST(Layout, FrameSurroundsTheSymbolAndComments) {
    // JAN: from below the upper comment to above the lower one; ITF: the bars and quiet zones.
    const std::string jan = JanPattern(u"4901234567894");
    for (TBarTypes type : {cbarJAN, cbarITF}) {
        TPatternImage image;
        image.Pattern = jan;
        image.Symbol = u"4901234567894";
        image.SetBarType(type);
        image.SetMatch(true);
        image.SetBarPicture(pbarEMF);
        image.SetBarLeft(2);
        image.SetBarTop(3);
        image.SetBarSpaceUp(20);
        image.SetBarSpaceDown(20);
        image.SetCommentUp(u"UP");
        image.SetCommentDown(u"DOWN");
        image.SetBarFrame(3);
        image.SetCode(u"x");
        const int W = 2 + 10 + 104 + 10, H = 3 + 20 + 105 + 20, Y0 = 3 + 20, barLen = 105 - 12;
        const TRect box = type == cbarITF ? TRect{2, Y0, W, Y0 + barLen} : TRect{2, 3 + 12, W, H - 12};
        const auto fills = Fills(image);
        ASSERT_GE(fills.size(), 4u);
        const std::vector<TFillRecord> strips(fills.end() - 4, fills.end());
        EXPECT_EQ(strips[0].Rect, (TRect{box.Left, box.Top, box.Right, box.Top + 3})) << int(type);
        EXPECT_EQ(strips[1].Rect, (TRect{box.Left, box.Bottom - 3, box.Right, box.Bottom})) << int(type);
        EXPECT_EQ(image.BarFrame(), 3);
    }
    // A frame too thick for the box is lowered and stays lowered.
    TBarImage image(nullptr);
    image.SetMatch(true);
    image.SetSymbolDisp(false);
    image.SetBarHeight(6);
    image.SetBarFrame(100);
    image.SetCode(u"490123456789");
    EXPECT_EQ(image.BarFrame(), 2); // box 6 high: k = 3 - 1
}

TEST(Layout, CommentsAreAlignedOverTheWholeWidth) {
    // Whole width: 10 + 104 + 10 = 124; "AB" is 16 pixels, 40 characters are 320.
    struct Case {
        TLocation loc;
        std::u16string text;
        int wantA;
    };
    const Case cases[] = {
        {locLeft, u"AB", 0},
        {locCenter, u"AB", (124 - 16) / 2},
        {locRight, u"AB", 124 - 16},
        {locCenter, std::u16string(40, u'W'), 0},
        {locRight, std::u16string(40, u'W'), 0},
        {static_cast<TLocation>(7), u"AB", 0},
    };
    for (const Case& c : cases) {
        TBarImage image(nullptr);
        image.SetMatch(true);
        image.SetBarPicture(pbarEMF);
        image.SetBarLeft(3);
        image.SetBarSpaceUp(12);
        image.SetBarSpaceDown(12);
        image.SetCommentUp(c.text);
        image.SetCommentUpLoc(c.loc);
        image.SetCommentDown(c.text);
        image.SetCommentDownLoc(c.loc);
        image.SetCode(u"490123456789");
        const auto texts = Texts(image);
        ASSERT_EQ(texts.size(), 3u);
        EXPECT_EQ(texts[1].X, 3 + c.wantA) << int(c.loc);
        EXPECT_EQ(texts[1].Y, 0);
        EXPECT_EQ(texts[2].X, 3 + c.wantA) << int(c.loc);
        EXPECT_EQ(texts[2].Y, 12 + 105 + 12 - 12) << "at the bottom of the lower margin";
    }
}

TEST(Layout, WithoutMatchOnlyTheDrawingsRectangleIsPainted) {
    TBarImage image(nullptr);
    image.SetBackColor(kRed);
    image.SetBarLeft(5);
    image.SetBarTop(5);
    image.SetCommentUp(u"I");
    image.SetCode(u"4901234");
    const auto& b = BitmapOf(image);
    EXPECT_EQ(b.Width(), 105) << "the control's size";
    EXPECT_EQ(b.Pixel(4, 4), clWhite);
    EXPECT_EQ(b.Pixel(4, 50), clWhite);
    EXPECT_EQ(b.Pixel(5, 5), kRed);
    // "I" at x = 5: its stem is glyph column 2, pixel 3 of an 8-pixel cell at height 12.
    EXPECT_EQ(RowOf(b, 5 + 4, 5, 5 + 8), "00010000");
}

TEST(Layout, TransparentKeepsThePixelsUnderTheDrawing) {
    TBarImage image(nullptr);
    image.SetMatch(true);
    image.SetCode(u"490123456789");
    // A column where EAN-13 (bars from x = 14) has a bar and EAN-8 (from x = 10) a space.
    const std::string ean13 = JanPattern(u"4901234567894"), ean8 = JanPattern(u"49012347");
    int x = 14;
    while (x < 10 + 68 && !(ean13[x - 14] == '1' && ean8[x - 10] == '0')) ++x;
    ASSERT_LT(x, 10 + 68);
    ASSERT_EQ(BitmapOf(image).Pixel(x, 0), clBlack);
    image.SetTransparent(true); // Match off: the bitmap keeps its size
    image.SetCode(u"4901234");
    EXPECT_TRUE(image.BarDisped());
    EXPECT_EQ(BitmapOf(image).Pixel(x, 0), clBlack) << "nothing was painted over it";
    image.SetTransparent(false);
    EXPECT_EQ(BitmapOf(image).Pixel(x, 0), clWhite) << "the background covers it again";
}

TEST(Layout, MetafileRecordsOneRectanglePerBarModuleAndIsOnePixelLarger) {
    const std::string pattern = JanPattern(u"4901234567894");
    TBarImage image(nullptr);
    image.SetMatch(true);
    image.SetScale(2);
    image.SetBarColor(kRed);
    image.SetBarPicture(pbarEMF);
    image.SetCode(u"490123456789");
    const int W = 10 + 192 + 10, H = 105;
    EXPECT_EQ(image.Width(), W);
    EXPECT_EQ(MetafileOf(image).Width(), W + 1);
    EXPECT_EQ(MetafileOf(image).Height(), H + 1);
    const auto fills = Fills(image);
    ASSERT_EQ(fills.size(), 1 + std::count(pattern.begin(), pattern.end(), '1'));
    EXPECT_EQ(fills[0].Rect, (TRect{0, 0, W, H}));
    EXPECT_EQ(fills[0].Brush.Color, clWhite);
    size_t next = 1;
    for (size_t i = 0; i < pattern.size(); ++i)
        if (pattern[i] == '1') {
            const int x = 10 + 2 * static_cast<int>(i);
            EXPECT_EQ(fills[next].Rect, (TRect{x, 0, x + 2, 93})) << i;
            EXPECT_EQ(fills[next++].Brush, (gfx::TBrush{kRed, gfx::bsSolid}));
        }
    const auto texts = Texts(image);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Text, u"4901234567894");
    EXPECT_EQ(texts[0].X, 10 + (192 - 104) / 2);
    EXPECT_EQ(texts[0].Y, 93);
}

TEST(Layout, MetafilePlayedBackEqualsTheBitmap) {
    for (int scale : {1, 3}) {
        auto configure = [&](TBarImage& image, TBarPictures kind) {
            image.SetMatch(true);
            image.SetBarPicture(kind);
            image.SetScale(static_cast<TSCale>(scale));
            image.SetBarSpaceUp(14);
            image.SetBarSpaceDown(14);
            image.SetCommentUp(u"JAN 13");
            image.SetCommentUpLoc(locCenter);
            image.SetCommentDown(u"SAMPLE");
            image.SetCommentDownLoc(locRight);
            image.SetBarFrame(2);
            image.SetBarColor(MakeColor(0, 0, 0x80));
            image.SetCode(u"490123456789");
        };
        TBarImage bmp(nullptr), emf(nullptr);
        configure(bmp, pbarBMP);
        configure(emf, pbarEMF);
        const auto& drawn = BitmapOf(bmp);
        gfx::TBitmap24 played(drawn.Width(), drawn.Height());
        gfx::TRasterCanvas canvas(played);
        MetafileOf(emf).Play(canvas);
        int differ = 0;
        for (int y = 0; y < drawn.Height(); ++y)
            for (int x = 0; x < drawn.Width(); ++x) differ += drawn.Pixel(x, y) != played.Pixel(x, y);
        EXPECT_EQ(differ, 0) << "scale " << scale;
    }
}

// Settings no caller should give: the painter clips, no bitmap passes the size limit, and a
// drawing too large for any bitmap is an error instead of a cut picture.
TEST(Layout, HostileGeometryStaysInsideTheBitmap) {
    struct Case {
        const char* what;
        TSCale scale;
        TElementRatio ratio;
        TFrameSize frame;
        int barHeight, left, top, spaceLeft, spaceUp;
        const char* oversize; // the symbologies too large for a bitmap: JAN, ITF, cUstomer, CODE128
    };
    const Case cases[] = {
        {"largest bytes", 255, 255, 255, 105, 0, 0, 10, 0, "IUC"},
        {"zero scale", 0, 20, 100, 105, 0, 0, 10, 0, ""},
        {"zero ratio", 1, 0, 3, 105, 0, 0, 10, 0, ""},
        {"tall", 10, 30, 255, INT_MAX, 0, 0, 10, 0, "JIC"},
        {"short", 1, 20, 255, INT_MIN, 0, 0, 10, 0, ""},
        {"far right", 3, 20, 5, 105, INT_MAX, INT_MAX, INT_MAX, INT_MAX, "JIUC"},
        {"far left", 3, 20, 5, 105, INT_MIN, INT_MIN, 0, 0, ""},
        {"wide margins", 255, 255, 255, INT_MAX, -1000, -1000, INT_MAX, INT_MAX, "JIUC"},
    };
    const std::string longPattern(10000, '7');
    std::string customerPattern;
    for (int i = 0; i < 10000; ++i) customerPattern += static_cast<char>('0' + i % 8);
    for (const Case& c : cases)
        for (TBarTypes type : {cbarJAN, cbarITF, cbarCUSTOMER, cbarCODE128})
            for (TBarPictures kind : {pbarBMP, pbarEMF})
                for (bool match : {true, false}) {
                    TPatternImage image;
                    image.Pattern = type == cbarJAN ? JanPattern(u"4901234567894")
                                    : type == cbarCUSTOMER ? customerPattern
                                                           : longPattern;
                    image.Symbol = std::u16string(10000, u'ア');
                    image.SetBarType(type);
                    image.SetMatch(match);
                    image.SetBarPicture(kind);
                    image.SetScale(c.scale);
                    image.SetElementRatio(c.ratio);
                    image.SetBarFrame(c.frame);
                    image.SetBarHeight(c.barHeight);
                    image.SetBarLeft(c.left);
                    image.SetBarTop(c.top);
                    image.SetBarSpaceLeft(c.spaceLeft);
                    image.SetBarSpaceRight(c.spaceLeft);
                    image.SetBarSpaceUp(c.spaceUp);
                    image.SetBarSpaceDown(c.spaceUp);
                    image.SetCommentUp(std::u16string(3000, u'W'));
                    image.SetCommentDown(u"\xD800");
                    image.SetCommentUpLoc(locRight);
                    image.SetCode(u"x");
                    SCOPED_TRACE(std::string(c.what) + ", type " + std::to_string(type) + ", kind " +
                                 std::to_string(kind) + (match ? ", Match" : ""));
                    const char letter = type == cbarJAN ? 'J' : type == cbarITF ? 'I' : type == cbarCUSTOMER ? 'U' : 'C';
                    const bool oversize = std::string_view(c.oversize).find(letter) != std::string_view::npos;
                    EXPECT_EQ(image.Error(), oversize);
                    // No width, no drawing: a zero Scale, or ITF's wide bars at a zero ratio.
                    const bool noWidth = c.scale == 0 || (type == cbarITF && c.ratio == 0);
                    EXPECT_EQ(image.BarDisped(), !oversize && !noWidth);
                    if (auto* b = image.Picture().AsBitmap()) {
                        EXPECT_LE(b->Width(), gfx::kMaxBitmapSide);
                        EXPECT_LE(static_cast<long long>(b->Width()) * b->Height(), gfx::kMaxBitmapPixels);
                        // What is reported as drawn is whole: a fitted bitmap has the drawing's size.
                        if (image.BarDisped() && match) {
                            const long long W = static_cast<long long>(image.BarLeft()) + image.BarSpaceLeft() +
                                                image.BarWidth() + image.BarSpaceRight();
                            const long long H = static_cast<long long>(image.BarTop()) + image.BarSpaceUp() +
                                                image.BarHeight() + image.BarSpaceDown();
                            EXPECT_EQ(b->Width(), std::max(W, 0LL));
                            EXPECT_EQ(b->Height(), std::max(H, 0LL));
                        }
                    }
                }
}
