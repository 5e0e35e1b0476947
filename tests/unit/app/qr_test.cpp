// QR Code in the main window: the text as code page 932 bytes, the "%" escapes, the
// status texts, the picture and its size, and errors.
#include <gtest/gtest.h>

#include "FakeServices.h"
#include "app/QRText.h"
#include "app/ZerboCode.h"
#include "core/Error.h"
#include "qr/QREncoder.h"

namespace zerbo::app {
namespace {

using test::FakeZerboPlatform;

TEST(QRText, TheTextBecomesCodePage932WithAQuestionMarkForWhatItLacks) {
    TPosixPlatform p;
    EXPECT_EQ(ToAnsi(p, u"AB1"), "AB1");
    EXPECT_EQ(ToAnsi(p, u"漢字"), "\x8A\xBF\x8E\x9A");
    EXPECT_EQ(ToAnsi(p, u"ｱｲ"), "\xB1\xB2");
    EXPECT_EQ(ToAnsi(p, u"a\u00E9漢\U0001F600z"), "a?\x8A\xBF?z");
}

TEST(QRText, EscapesAreDecodedLeftToRight) {
    TPosixPlatform p;
    struct Case {
        std::string in, out;
    };
    const Case cases[] = {
        {"%41%42", "AB"},
        {"100%%", "100%"},
        {"%%41", "%41"},
        {"%00A", std::string("\0A", 2)},
        {"x%4", "x\x04"},
        {"%6a%4A", "jJ"},
        {"%E9", "?"},  // U+00E9 has no form in the code page
        {"\x8A\xBF%41", "\x8A\xBF" "A"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecodeQREscapes(p, c.in), c.out) << c.in;
    }
}

TEST(QRText, AnEscapeThatIsNoNumberRaisesTheConversionError) {
    TPosixPlatform p;
    struct Case {
        std::string in;
        std::u16string message;
    };
    const Case cases[] = {
        {"ABC%", u"''$'' は整数ではありません"},
        {"%zz", u"''$zz'' は整数ではありません"},
        {"%+1", u"''$+1'' は整数ではありません"},
    };
    for (const Case& c : cases) {
        try {
            DecodeQREscapes(p, c.in);
            ADD_FAILURE() << c.in;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), c.message) << c.in;
        }
    }
}

TEST(QRText, EachEncoderResultHasItsStatusText) {
    EXPECT_EQ(QRStatusText(0), u"");
    EXPECT_EQ(QRStatusText(-1), u"ＱＲ：バージョン指定エラー");
    EXPECT_EQ(QRStatusText(-2), u"ＱＲ：誤り訂正レベル指定エラー");
    EXPECT_EQ(QRStatusText(-3), u"ＱＲ：文字数オーバー");
    EXPECT_EQ(QRStatusText(-4), u"ＱＲ：エンコードエラー");
    EXPECT_EQ(QRStatusText(-5), u"ＱＲ：その他のエラー");
    EXPECT_EQ(QRStatusText(7), u"ＱＲ：その他のエラー");
}

class QRWindow : public testing::Test {
protected:
    QRWindow() : z(platform.services()) {
        z.FormCreate();
        z.CdType.SetItemIndex(kQRCodeType);
        z.CopyBm.Click();
    }
    const gfx::TBitmap24& bitmap() { return static_cast<gfx::TNativeBitmap&>(*z.Image1.Picture().AsBitmap()).Image(); }
    FakeZerboPlatform platform;
    TZerboCode z;
};

TEST_F(QRWindow, ThePictureIsWTimesModuleSizePlusOnePixelsSquare) {
    struct Case {
        int64_t version;
        int32_t scale;
        int size;
    };
    const Case cases[] = {{4, 0, 42}, {40, 2, 556}, {1, 1, 59}, {10, -1, 1}};
    z.EditCode.SetText(u"HELLO");
    for (const Case& c : cases) {
        z.QRVer.SetValue(c.version);
        z.ThinWd.SetItemIndex(c.scale);
        z.RB_Click(nullptr);
        EXPECT_FALSE(z.BError);
        EXPECT_EQ(z.Image1.Width(), c.size) << c.version;
        EXPECT_EQ(bitmap().Width(), c.size) << c.version;
        EXPECT_EQ(bitmap().Height(), c.size) << c.version;
    }
}

TEST_F(QRWindow, ModulesArePaintedInBarAndBackColour) {
    z.BarCol = 0x0000FF;
    z.BackCol = 0x00FF00;
    z.ThinWd.SetItemIndex(1);  // 2 pixels per module
    z.EditCode.SetText(u"HELLO");
    z.RB_Click(nullptr);
    const gfx::TBitmap24& b = bitmap();
    ASSERT_EQ(b.Width(), 2 * 41 + 1);
    EXPECT_EQ(b.Pixel(0, 0), 0x00FF00u) << "quiet zone";
    EXPECT_EQ(b.Pixel(7, 7), 0x00FF00u);
    // The finder pattern's corner is module (4, 4), dark: pixels 8 and 9.
    EXPECT_EQ(b.Pixel(8, 8), 0x0000FFu);
    EXPECT_EQ(b.Pixel(9, 9), 0x0000FFu);
    // Its ring of light modules one further in: module (5, 5).
    EXPECT_EQ(b.Pixel(10, 10), 0x00FF00u);
    // The extra column and row stay background.
    for (int i = 0; i < b.Width(); ++i) {
        EXPECT_EQ(b.Pixel(82, i), 0x00FF00u);
        EXPECT_EQ(b.Pixel(i, 82), 0x00FF00u);
    }
}

TEST_F(QRWindow, TheMatrixIsTheEncodersForTheShiftJisBytes) {
    z.EditCode.SetText(u"ｶﾅ漢字%41");
    z.RB_Click(nullptr);
    std::vector<int32_t> expected(qr::QROutputLength(4));
    ASSERT_EQ(qr::QREncodeBytes(4, 1, "\xB6\xC5\x8A\xBF\x8E\x9A%41", expected.data()), 0);
    const gfx::TBitmap24& b = bitmap();
    for (int y = 0; y < 41; ++y)
        for (int x = 0; x < 41; ++x)
            ASSERT_EQ(b.Pixel(x, y) == clBlack, expected[1 + y * 41 + x] == 1) << x << "," << y;
    // With the special box the escape is a letter: a different symbol.
    z.SpCode.SetChecked(true);
    ASSERT_EQ(qr::QREncodeBytes(4, 1, "\xB6\xC5\x8A\xBF\x8E\x9A" "A", expected.data()), 0);
    z.RB_Click(nullptr);
    int differences = 0;
    for (int y = 0; y < 41; ++y)
        for (int x = 0; x < 41; ++x) differences += (b.Pixel(x, y) == clBlack) != (expected[1 + y * 41 + x] == 1);
    EXPECT_EQ(differences, 0);
}

TEST_F(QRWindow, EncoderErrorsShowTheirTextKeepThePictureAndCanGoToTheClipboard) {
    z.EditCode.SetText(u"HELLO");
    z.RB_Click(nullptr);
    ASSERT_EQ(z.Image1.Width(), 42);
    struct Case {
        int64_t version;
        int32_t level;
        std::u16string text;
        const char16_t* status;
    };
    const Case cases[] = {
        {0, 0, u"HELLO", u"ＱＲ：バージョン指定エラー"},
        {41, 0, u"HELLO", u"ＱＲ：バージョン指定エラー"},
        {4, -1, u"HELLO", u"ＱＲ：誤り訂正レベル指定エラー"},
        {1, 3, std::u16string(100, u'A'), u"ＱＲ：文字数オーバー"},
    };
    z.N14.Click();
    for (const Case& c : cases) {
        z.QRVer.SetValue(c.version);
        z.QRErr.SetItemIndex(c.level);
        z.EditCode.SetText(c.text);
        z.RB_Click(nullptr);
        EXPECT_TRUE(z.BError);
        EXPECT_EQ(z.StatusBar1.SimpleText(), c.status);
        EXPECT_EQ(platform.clipboard.Text(), c.status);
        EXPECT_EQ(z.Image1.Width(), 42) << "the old picture stays";
    }
}

TEST_F(QRWindow, AutomaticCopyTakesThePictureInItsKind) {
    z.AutoCopy.Click();
    z.EditCode.SetText(u"HELLO");
    z.RB_Click(nullptr);
    EXPECT_EQ(platform.clipboard.Format(), gfx::TClipFormat::Bitmap);
    EXPECT_EQ(platform.clipboard.Bitmap().Width(), 42);
    z.CopyEmf.Click();
    z.RB_Click(nullptr);
    EXPECT_EQ(platform.clipboard.Format(), gfx::TClipFormat::EnhMetafile);
    EXPECT_EQ(platform.clipboard.MetafileWidth(), 42);
    EXPECT_FALSE(platform.clipboard.MetafileRecords().empty());
}

TEST_F(QRWindow, TextsOutsideTheLengthRuleAreIgnoredSilently) {
    z.EditCode.SetText(u"HELLO");
    z.QRVer.SetValue(0);
    z.RB_Click(nullptr);
    ASSERT_TRUE(z.BError);
    for (const std::u16string& text : {std::u16string(), std::u16string(7090, u'1'), std::u16string(3545, u'漢')}) {
        z.EditCode.SetText(text);
        z.RB_Click(nullptr);
        EXPECT_TRUE(z.BError) << "keeps the previous run's outcome";
        EXPECT_EQ(z.StatusBar1.SimpleText(), u"");
    }
    // 7089 bytes reach the encoder, which says they are too many for version 40-L bytes.
    z.QRVer.SetValue(40);
    z.EditCode.SetText(std::u16string(7089, u'1'));
    z.RB_Click(nullptr);
    EXPECT_EQ(z.StatusBar1.SimpleText(), u"ＱＲ：文字数オーバー");
}

TEST_F(QRWindow, APercentAtTheEndWithTheSpecialBoxEndsTheRunWithTheConversionError) {
    z.EditCode.SetText(u"HELLO");
    z.RB_Click(nullptr);
    z.SpCode.SetChecked(true);
    z.EditCode.SetText(u"ABC%");
    try {
        z.RB_Click(nullptr);
        ADD_FAILURE() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), u"''$'' は整数ではありません");
    }
    EXPECT_FALSE(z.Running);
    EXPECT_EQ(z.StatusBar1.SimpleText(), u"");
    EXPECT_EQ(z.Image1.Width(), 42);
    // The window goes on: the next run draws.
    z.EditCode.SetText(u"ABC%25");
    z.QRVer.SetValue(2);
    z.RB_Click(nullptr);
    EXPECT_EQ(z.Image1.Width(), 34);
}

} // namespace
} // namespace zerbo::app
