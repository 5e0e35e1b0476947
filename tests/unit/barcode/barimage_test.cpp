#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "BarTestUtil.h"
#include "barcode/BarImage.h"
#include "gfx/RasterCanvas.h"
#include "core/Text.h"

using namespace zerbo;
using namespace zerbo::barcode;
using namespace zerbo::barcode::testing;

namespace {

constexpr const char16_t* kJan = u"490123456789";

// Counts regeneration requests: OnPaintBar fires at the start of every one.
struct Counter {
    int paint = 0, painted = 0;
    std::vector<TObject*> senders;
    void Attach(TBarImage& image) {
        image.SetOnPaintBar([this](TObject* s) { ++paint; senders.push_back(s); });
        image.SetOnPaintedBar([this](TObject* s) { ++painted; senders.push_back(s); });
    }
};

bool Contains(const std::vector<std::string_view>& v, std::string_view name) {
    return std::find(v.begin(), v.end(), name) != v.end();
}

} // namespace

TEST(BarImage, ValuesAtCreation) {
    TBarImage image(nullptr);
    EXPECT_EQ(image.BarType(), cbarJAN);
    EXPECT_EQ(image.Code(), u"");
    EXPECT_EQ(image.CommentUp(), u"");
    EXPECT_EQ(image.CommentUpLoc(), locLeft);
    EXPECT_EQ(image.CommentDown(), u"");
    EXPECT_EQ(image.CommentDownLoc(), locLeft);
    EXPECT_EQ(image.StartChar(), u'A');
    EXPECT_EQ(image.StopChar(), u'A');
    EXPECT_FALSE(image.CD());
    EXPECT_EQ(image.Scale(), 1);
    EXPECT_TRUE(image.SymbolDisp());
    EXPECT_EQ(image.BarFont(), gfx::TFont{});
    EXPECT_FALSE(image.Transparent());
    EXPECT_EQ(image.BarColor(), 0u);
    EXPECT_EQ(image.BackColor(), 0xFFFFFFu);
    EXPECT_EQ(image.BarWidth(), 0);
    EXPECT_EQ(image.BarHeight(), 105);
    EXPECT_EQ(image.BarLeft(), 0);
    EXPECT_EQ(image.BarTop(), 0);
    EXPECT_EQ(image.BarSpaceUp(), 0);
    EXPECT_EQ(image.BarSpaceDown(), 0);
    EXPECT_EQ(image.BarSpaceLeft(), 10);
    EXPECT_EQ(image.BarSpaceRight(), 10);
    EXPECT_FALSE(image.Match());
    EXPECT_EQ(image.BarPicture(), pbarBMP);
    EXPECT_EQ(image.ElementRatio(), 20);
    EXPECT_TRUE(image.BarEnabled());
    EXPECT_FALSE(image.BarDisped());
    EXPECT_EQ(image.BarFrame(), 0);
    EXPECT_FALSE(image.Error());
    EXPECT_FALSE(image.OnPaintBar());
    EXPECT_FALSE(image.OnPaintedBar());
    // The picture holds an empty 24-bit bitmap.
    ASSERT_NE(image.Picture().AsBitmap(), nullptr);
    EXPECT_TRUE(image.Picture().AsBitmap()->Empty());
    EXPECT_EQ(image.Picture().AsBitmap()->PixelFormat(), gfx::pf24bit);
}

TEST(BarImage, StoredPropertiesFollowTheDefaultMarkers) {
    TBarImage image(nullptr);
    const auto fresh = image.StoredProperties();
    // The start and stop markers are '@' while a new component holds 'A', so they are written.
    for (auto name : {"StartChar", "StopChar", "Code", "CD", "BarFont", "Match", "BarLeft"})
        EXPECT_TRUE(Contains(fresh, name)) << name;
    for (auto name : {"BarType", "Scale", "SymbolDisp", "BarColor", "BackColor", "BarHeight", "BarSpaceLeft",
                      "BarSpaceRight", "BarPicture", "ElementRatio", "BarEnabled", "BarFrame", "Error", "BarWidth",
                      "BarDisped", "OnPaintBar"})
        EXPECT_FALSE(Contains(fresh, name)) << name;
    image.SetBarType(cbarUPC);
    image.SetScale(2);
    image.SetBarSpaceLeft(11);
    image.SetError(true);
    image.SetOnPaintBar([](TObject*) {});
    const auto changed = image.StoredProperties();
    for (auto name : {"BarType", "Scale", "BarSpaceLeft", "Error", "OnPaintBar"})
        EXPECT_TRUE(Contains(changed, name)) << name;
}

// Which assignments regenerate, for a component that holds a code.
TEST(BarImage, SettersRebuildOnlyWhenTheirRuleSaysSo) {
    struct Case {
        const char* what;
        TBarTypes type;
        std::function<void(TBarImage&)> prepare, assign;
        int rebuilds;
    };
    auto none = [](TBarImage&) {};
    const gfx::TFont font;
    const Case cases[] = {
        {"BarType", cbarJAN, none, [](TBarImage& i) { i.SetBarType(cbarUPC); }, 1},
        {"Code", cbarJAN, none, [](TBarImage& i) { i.SetCode(u"4901234"); }, 1},
        {"Code empty", cbarJAN, none, [](TBarImage& i) { i.SetCode(u""); }, 0},
        {"CommentUp", cbarJAN, none, [](TBarImage& i) { i.SetCommentUp(u"up"); }, 1},
        {"CommentDown", cbarJAN, none, [](TBarImage& i) { i.SetCommentDown(u"dn"); }, 1},
        {"CommentUpLoc, no comment", cbarJAN, none, [](TBarImage& i) { i.SetCommentUpLoc(locRight); }, 0},
        {"CommentUpLoc", cbarJAN, [](TBarImage& i) { i.SetCommentUp(u"up"); },
         [](TBarImage& i) { i.SetCommentUpLoc(locRight); }, 1},
        {"CommentDownLoc, no comment", cbarJAN, none, [](TBarImage& i) { i.SetCommentDownLoc(locCenter); }, 0},
        {"CommentDownLoc", cbarJAN, [](TBarImage& i) { i.SetCommentDown(u"dn"); },
         [](TBarImage& i) { i.SetCommentDownLoc(locCenter); }, 1},
        {"StartChar JAN", cbarJAN, none, [](TBarImage& i) { i.SetStartChar(u'B'); }, 0},
        {"StartChar NW7", cbarNW7, none, [](TBarImage& i) { i.SetStartChar(u'B'); }, 1},
        {"StartChar CODE128", cbarCODE128, none, [](TBarImage& i) { i.SetStartChar(u'B'); }, 1},
        {"StopChar CODE128", cbarCODE128, none, [](TBarImage& i) { i.SetStopChar(u'B'); }, 0},
        {"StopChar NW7", cbarNW7, none, [](TBarImage& i) { i.SetStopChar(u'B'); }, 1},
        {"CD JAN", cbarJAN, none, [](TBarImage& i) { i.SetCD(true); }, 0},
        {"CD UPC", cbarUPC, none, [](TBarImage& i) { i.SetCD(true); }, 0},
        {"CD IATA", cbarIATA, none, [](TBarImage& i) { i.SetCD(true); }, 0},
        {"CD CODE39", cbarCODE39, none, [](TBarImage& i) { i.SetCD(true); }, 1},
        {"CD NEC", cbarNEC, none, [](TBarImage& i) { i.SetCD(true); }, 1},
        {"CD CODE128", cbarCODE128, none, [](TBarImage& i) { i.SetCD(true); }, 0},
        {"Scale", cbarJAN, none, [](TBarImage& i) { i.SetScale(2); }, 1},
        {"SymbolDisp", cbarJAN, none, [](TBarImage& i) { i.SetSymbolDisp(false); }, 1},
        {"BarFont", cbarJAN, none, [&](TBarImage& i) { i.SetBarFont(&font); }, 1},
        {"BarFont null", cbarJAN, none, [](TBarImage& i) { i.SetBarFont(nullptr); }, 1},
        {"BarFont, no text", cbarJAN, [](TBarImage& i) { i.SetSymbolDisp(false); },
         [&](TBarImage& i) { i.SetBarFont(&font); }, 0},
        {"BarHeight JAN", cbarJAN, none, [](TBarImage& i) { i.SetBarHeight(20); }, 1},
        {"BarHeight CUSTOMER", cbarCUSTOMER, none, [](TBarImage& i) { i.SetBarHeight(20); }, 0},
        {"ElementRatio JAN", cbarJAN, none, [](TBarImage& i) { i.SetElementRatio(25); }, 0},
        {"ElementRatio ITF", cbarITF, none, [](TBarImage& i) { i.SetElementRatio(25); }, 1},
        {"ElementRatio CODE93", cbarCODE93, none, [](TBarImage& i) { i.SetElementRatio(25); }, 0},
        {"BarPicture, no Match", cbarJAN, none, [](TBarImage& i) { i.SetBarPicture(pbarEMF); }, 0},
        {"BarPicture, Match", cbarJAN, [](TBarImage& i) { i.SetMatch(true); },
         [](TBarImage& i) { i.SetBarPicture(pbarEMF); }, 1},
        {"BarEnabled false", cbarJAN, none, [](TBarImage& i) { i.SetBarEnabled(false); }, 0},
        {"BarEnabled true again", cbarJAN, none, [](TBarImage& i) { i.SetBarEnabled(true); }, 0},
        {"BarFrame", cbarJAN, none, [](TBarImage& i) { i.SetBarFrame(2); }, 1},
        {"BarSpaceLeft", cbarJAN, none, [](TBarImage& i) { i.SetBarSpaceLeft(-3); }, 1},
        {"BarSpaceRight", cbarJAN, none, [](TBarImage& i) { i.SetBarSpaceRight(4); }, 1},
        {"BarSpaceUp", cbarJAN, none, [](TBarImage& i) { i.SetBarSpaceUp(4); }, 1},
        {"BarSpaceDown", cbarJAN, none, [](TBarImage& i) { i.SetBarSpaceDown(-4); }, 1},
        {"BarLeft", cbarJAN, none, [](TBarImage& i) { i.SetBarLeft(-3); }, 1},
        {"BarTop", cbarJAN, none, [](TBarImage& i) { i.SetBarTop(3); }, 1},
        {"BarColor", cbarJAN, none, [](TBarImage& i) { i.SetBarColor(clWhite); }, 1},
        {"BackColor", cbarJAN, none, [](TBarImage& i) { i.SetBackColor(clBlack); }, 1},
        {"Match", cbarJAN, none, [](TBarImage& i) { i.SetMatch(true); }, 1},
        {"Match false", cbarJAN, [](TBarImage& i) { i.SetMatch(true); }, [](TBarImage& i) { i.SetMatch(false); }, 1},
        {"Transparent", cbarJAN, none, [](TBarImage& i) { i.SetTransparent(true); }, 1},
        {"Error", cbarJAN, none, [](TBarImage& i) { i.SetError(true); }, 0},
    };
    for (const Case& c : cases) {
        // Uncoded: nothing regenerates, whatever the setter.
        TBarImage blank(nullptr);
        Counter none0;
        blank.SetBarType(c.type);
        c.prepare(blank);
        none0.Attach(blank);
        c.assign(blank);
        EXPECT_EQ(none0.paint, c.what == std::string("Code") ? 1 : 0) << c.what << " without a code";

        TBarImage image(nullptr);
        image.SetBarType(c.type);
        image.SetCode(kJan);
        c.prepare(image);
        Counter counter;
        counter.Attach(image);
        c.assign(image);
        EXPECT_EQ(counter.paint, c.rebuilds) << c.what;
    }
}

TEST(BarImage, SettersReplaceOutOfRangeValues) {
    TBarImage image(nullptr);
    struct Case {
        char16_t given, stored;
    };
    for (const Case& c : {Case{u'E', u'A'}, Case{u'D', u'D'}, Case{u'B', u'B'}, Case{u'@', u'A'}, Case{u'a', u'A'},
                          Case{u'\0', u'A'}, Case{0xFFFF, u'A'}}) {
        image.SetStartChar(c.given);
        EXPECT_EQ(image.StartChar(), c.stored);
        image.SetStopChar(c.given);
        EXPECT_EQ(image.StopChar(), c.stored);
    }
    image.SetBarSpaceUp(-1);
    image.SetBarSpaceDown(INT_MIN);
    image.SetBarSpaceLeft(-10);
    image.SetBarSpaceRight(7);
    image.SetBarLeft(-4);
    image.SetBarTop(-5);
    EXPECT_EQ(image.BarSpaceUp(), 0);
    EXPECT_EQ(image.BarSpaceDown(), 0);
    EXPECT_EQ(image.BarSpaceLeft(), 0);
    EXPECT_EQ(image.BarSpaceRight(), 7);
    EXPECT_EQ(image.BarLeft(), -4) << "margins of the drawing may be negative";
    EXPECT_EQ(image.BarTop(), -5);
}

TEST(BarImage, TransparentMatchAndMetafileExcludeOneAnother) {
    TBarImage image(nullptr);
    image.SetBarPicture(pbarEMF);
    EXPECT_EQ(image.BarPicture(), pbarBMP) << "a metafile needs Match";
    image.SetMatch(true);
    image.SetBarPicture(pbarEMF);
    EXPECT_EQ(image.BarPicture(), pbarEMF);
    image.SetTransparent(true);
    EXPECT_FALSE(image.Match());
    EXPECT_EQ(image.BarPicture(), pbarBMP);
    image.SetMatch(true);
    EXPECT_FALSE(image.Transparent());
    image.SetBarPicture(pbarWMF);
    image.SetMatch(false);
    EXPECT_EQ(image.BarPicture(), pbarBMP);
}

TEST(BarImage, EmptyCodeKeepsTheDrawingAndRepaintOnlyClearsBarDisped) {
    TBarImage image(nullptr);
    image.SetMatch(true);
    image.SetCode(kJan);
    ASSERT_TRUE(image.BarDisped());
    const std::string before = RowOf(BitmapOf(image), 20, 0, BitmapOf(image).Width());
    image.SetError(true);
    image.SetCode(u"");
    EXPECT_TRUE(image.BarDisped());
    image.RepaintBarcode();
    EXPECT_FALSE(image.BarDisped());
    EXPECT_TRUE(image.Error()) << "Error keeps its value";
    EXPECT_EQ(RowOf(BitmapOf(image), 20, 0, BitmapOf(image).Width()), before);
}

// Settings for one regeneration, made while the component is disabled.
void Prepare(TBarImage& image, TBarTypes type, TSCale scale, int barHeight, std::u16string_view code) {
    image.SetBarEnabled(false);
    image.SetBarType(type);
    image.SetScale(scale);
    image.SetBarHeight(barHeight);
    image.SetCode(code);
}

// A code the encoder rejects, and drawings larger than any bitmap (the limits of gfx/Bitmap.h),
// end alike: Error, nothing drawn, the picture and the layout as they were.
TEST(BarImage, RejectedCodeOrOversizedDrawingSetsErrorAndTheNextAcceptedClearsIt) {
    const struct {
        const char* what;
        TBarTypes type;
        TSCale scale;
        int barHeight;
        std::u16string code;
    } failures[] = {
        {"rejected code", cbarJAN, 1, 105, u"49012345678X"},
        {"wider than a bitmap row", cbarCODE128, 255, 105, std::u16string(30000, u'A')}, // 84 million pixels
        {"taller than a bitmap", cbarCODE128, 1, INT_MAX, u"ABC"},
        {"more pixels than a bitmap", cbarCODE128, 3, 30000, std::u16string(600, u'A')}, // 19 925 x 30 000
    };
    for (const auto& f : failures) {
        for (TBarPictures kind : {pbarBMP, pbarEMF, pbarWMF}) {
            SCOPED_TRACE(std::string(f.what) + ", kind " + std::to_string(kind));
            TBarImage image(nullptr);
            image.SetMatch(true);
            image.SetBarPicture(kind);
            image.SetCode(kJan);
            ASSERT_TRUE(image.BarDisped());
            const int controlW = image.Width(), controlH = image.Height();
            std::string drawn;
            if (kind == pbarBMP) drawn = RowOf(BitmapOf(image), 20, 0, controlW);

            Prepare(image, f.type, f.scale, f.barHeight, f.code);
            const int width = image.BarWidth(), height = image.BarHeight();
            Counter counter;
            counter.Attach(image);
            image.SetBarEnabled(true);
            EXPECT_EQ(counter.painted, 1) << "the regeneration ends as usual";
            EXPECT_TRUE(image.Error());
            EXPECT_FALSE(image.BarDisped());
            EXPECT_EQ(image.BarWidth(), width);
            EXPECT_EQ(image.BarHeight(), height);
            ASSERT_NE(image.Picture().AsBitmap(), nullptr) << "a failed metafile leaves the undrawn bitmap";
            if (kind == pbarBMP) {
                EXPECT_EQ(RowOf(BitmapOf(image), 20, 0, controlW), drawn) << "the previous drawing stays";
            } else {
                EXPECT_EQ(BitmapOf(image).Width(), controlW);
                EXPECT_EQ(BitmapOf(image).Height(), controlH);
                EXPECT_EQ(RowOf(BitmapOf(image), 20, 0, controlW), std::string(controlW, '0')) << "undrawn";
            }
            EXPECT_EQ(image.Width(), controlW);
            EXPECT_EQ(image.Height(), controlH);
            Prepare(image, cbarJAN, 1, 105, u"4901234");
            image.SetBarEnabled(true);
            EXPECT_FALSE(image.Error());
            EXPECT_TRUE(image.BarDisped());
        }
    }
}

// 600 CODE128 characters at Scale 3 make a symbol near 20 000 pixels wide: drawn whole, in
// both picture kinds, up to its last bar.
TEST(BarImage, AWideSymbolIsDrawnWhole) {
    for (TBarPictures kind : {pbarBMP, pbarEMF}) {
        SCOPED_TRACE(kind);
        TBarImage image(nullptr);
        image.SetMatch(true);
        image.SetBarPicture(kind);
        Prepare(image, cbarCODE128, 3, 105, std::u16string(600, u'A'));
        image.SetBarEnabled(true);
        ASSERT_FALSE(image.Error());
        ASSERT_TRUE(image.BarDisped());
        // Start, 600 characters and the check of 11 modules, the stop of 13.
        EXPECT_EQ(image.BarWidth(), (602 * 11 + 13) * 3);
        const int width = image.BarSpaceLeft() + image.BarWidth() + image.BarSpaceRight();
        EXPECT_EQ(image.Width(), width);
        gfx::TBitmap24 pixels;
        if (kind == pbarBMP) {
            pixels = BitmapOf(image);
        } else {
            pixels.SetSize(MetafileOf(image).Width(), MetafileOf(image).Height());
            gfx::TRasterCanvas canvas(pixels);
            MetafileOf(image).Play(canvas);
        }
        EXPECT_GE(pixels.Width(), width);
        // The stop pattern ends in a one-module space and a two-module bar; then the quiet zone.
        const int end = width - image.BarSpaceRight();
        EXPECT_EQ(RowOf(pixels, 0, end - 9, end + 1), "0001111110");
    }
}

TEST(BarImage, UpcConversionRepaints) {
    struct Case {
        const char16_t* code;
        bool upc, drawn;
        void (TBarImage::*repaint)();
        const char16_t* after;
        bool disped;
    };
    const Case cases[] = {
        {u"01230000045", true, true, &TBarImage::RepaintUPCA2E, u"0123453", true},
        {u"12345678901", true, true, &TBarImage::RepaintUPCA2E, u"12345678901", false}, // no UPC-E form
        {u"03600029145", true, true, &TBarImage::RepaintUPCA2E, u"03600029145", false},
        {u"0123464", true, true, &TBarImage::RepaintUPCE2A, u"01234000006", true},
        {u"0123464", true, true, &TBarImage::RepaintUPCA2E, u"0123464", false},   // wrong length
        {u"01230000045", false, true, &TBarImage::RepaintUPCA2E, u"01230000045", false}, // not UPC
        {u"01230000045", true, false, &TBarImage::RepaintUPCA2E, u"01230000045", false}, // not drawn
    };
    for (const Case& c : cases) {
        TBarImage image(nullptr);
        image.SetMatch(true);
        image.SetBarType(c.upc ? cbarUPC : cbarJAN);
        if (c.drawn) {
            image.SetCode(c.code);
        } else {
            image.SetCode(u"X"); // rejected: nothing displayed
            image.SetBarEnabled(false);
            image.SetCode(c.code);
        }
        const std::string before = RowOf(BitmapOf(image), 20, 0, image.Width());
        Counter counter;
        counter.Attach(image);
        (image.*c.repaint)();
        EXPECT_EQ(image.Code(), c.after) << ToUtf8(c.code);
        EXPECT_EQ(image.BarDisped(), c.disped) << ToUtf8(c.code);
        EXPECT_EQ(counter.paint, c.disped ? 1 : 0) << ToUtf8(c.code);
        if (!c.disped) {
            EXPECT_EQ(RowOf(BitmapOf(image), 20, 0, image.Width()), before) << "picture unchanged";
        }
    }
}

TEST(BarImage, DisabledComponentDrawsNothingUntilEnabledAgain) {
    TBarImage image(nullptr);
    Counter counter;
    counter.Attach(image);
    image.SetBarEnabled(false);
    image.SetMatch(true);
    image.SetCode(kJan);
    image.SetScale(2);
    image.SetCommentUp(u"X");
    EXPECT_EQ(counter.paint, 3) << "OnPaintBar still fires on every request (Match came before the code)";
    EXPECT_EQ(counter.painted, 0);
    EXPECT_FALSE(image.BarDisped());
    EXPECT_TRUE(image.Picture().AsBitmap()->Empty()) << "nothing drawn, not even sized";
    image.SetBarEnabled(true);
    EXPECT_EQ(counter.paint, 4);
    EXPECT_EQ(counter.painted, 1) << "exactly one regeneration";
    EXPECT_TRUE(image.BarDisped());
    EXPECT_EQ(image.BarWidth(), 96 * 2);
}

TEST(BarImage, EventsFireAroundEachRegenerationWithTheComponentAsSender) {
    TBarImage image(nullptr);
    std::vector<std::string> log;
    image.SetOnPaintBar([&](TObject* s) { log.push_back(s == &image ? "paint" : "paint?"); });
    image.SetOnPaintedBar([&](TObject* s) {
        log.push_back(s == &image && image.BarDisped() ? "painted" : "painted?");
    });
    image.SetCode(kJan);
    image.SetCode(u"bad");
    EXPECT_EQ(log, (std::vector<std::string>{"paint", "painted", "paint", "painted?"}));
}

TEST(BarImage, PaintingRestoresAutoSizeAndStretch) {
    for (bool accepted : {true, false}) {
        TBarImage image(nullptr);
        image.SetAutoSize(true);
        image.SetStretch(true);
        image.SetCode(accepted ? kJan : u"bad");
        EXPECT_TRUE(image.AutoSize());
        EXPECT_TRUE(image.Stretch());
    }
}

TEST(BarImage, MetafileThenBitmapAgain) {
    TBarImage image(nullptr);
    image.SetMatch(true);
    image.SetBarPicture(pbarEMF);
    image.SetCode(kJan);
    ASSERT_NE(image.Picture().AsMetafile(), nullptr);
    EXPECT_EQ(image.Picture().AsMetafile()->Width(), image.Width() + 1);
    EXPECT_EQ(image.Picture().AsMetafile()->Height(), image.Height() + 1);
    image.SetMatch(false); // back to a bitmap, and a regeneration
    ASSERT_NE(image.Picture().AsBitmap(), nullptr);
    EXPECT_EQ(image.Picture().AsBitmap()->PixelFormat(), gfx::pfDevice) << "a later bitmap has the default format";
    EXPECT_EQ(BitmapOf(image).Width(), image.Width());
}

TEST(EncoderTable, HoldsTheEncoderOfEveryBarTypeOrdinal) {
    const Encoder expected[] = {EncodeJAN,    EncodeUPC,    EncodeCODE39, EncodeNW7,      EncodeITF,     EncodeCTF,
                                EncodeIATA,   EncodeMATRIX, EncodeNEC,    EncodeCUSTOMER, EncodeCODE128, EncodeCODE93};
    for (int t = 0; t < kBarTypeCount; ++t) EXPECT_EQ(kEncoders[t], expected[t]) << "ordinal " << t;
}

// An ordinal past the table rejects every code: 12 is what the DDE command "CODE QR2" passes,
// -1 what an empty CdType list gives.
TEST(BarImage, BarTypeOutsideTheTableRejects) {
    for (TBarTypes t : {static_cast<TBarTypes>(12), static_cast<TBarTypes>(-1)}) {
        TBarImage image(nullptr);
        image.SetBarType(t);
        image.SetCode(u"123456");
        EXPECT_TRUE(image.Error()) << int(t);
        EXPECT_FALSE(image.BarDisped()) << int(t);
    }
}

// Any UTF-16 text as Code, in every symbology: rejected or drawn, never out of bounds.
TEST(BarImage, AnyTextAsCode) {
    const std::u16string codes[] = {
        u"",
        std::u16string(10000, u'1'),
        std::u16string(10000, u'\0'),
        std::u16string(u"4901234\0" "5678", 12),
        std::u16string(u"\xD800\xDC00\xDFFF\xD800", 4),
        std::u16string(u"49012\xDC00" "56789", 12),
        u"バーコード",
        u"ｱｲｳｴｵ",
        u"４９０１２３４５６７８９",
    };
    for (int t = 0; t < kBarTypeCount; ++t)
        for (const auto& code : codes) {
            TBarImage image(nullptr);
            image.SetMatch(true);
            image.SetBarType(static_cast<TBarTypes>(t));
            image.SetCode(code);
            EXPECT_NE(image.Error(), image.BarDisped() || code.empty()) << t;
            if (t == cbarJAN || t == cbarUPC) {
                EXPECT_EQ(image.Error(), !code.empty()) << t;
            }
            EXPECT_LE(static_cast<long long>(BitmapOf(image).Width()) * BitmapOf(image).Height(),
                      gfx::kMaxBitmapPixels);
        }
}
