// The macros DDE clients send: each command as the table says, the line rules and the end.
#include <gtest/gtest.h>

#include <functional>

#include "FakeServices.h"
#include "app/ZerboCode.h"
#include "core/Error.h"
#include "core/Text.h"

namespace zerbo::app {
namespace {

using test::FakeZerboPlatform;
using Lines = std::vector<std::u16string>;

class Dde : public testing::Test {
protected:
    Dde() : z(platform.services()) { z.FormCreate(); }
    void macro(const Lines& lines) { z.DdeZerboconvExecuteMacro(&z, lines); }
    FakeZerboPlatform platform;
    TZerboCode z;
};

TEST_F(Dde, CodeWordsSelectTheirTypeAndTheComponentFollowsEveryTime) {
    const std::pair<const char16_t*, int32_t> cases[] = {
        {u"JAN", 0},      {u"code-39", 2},  {u"39", 2},        {u"NW7", 3},      {u"nw-7", 3},  {u"7", 3},
        {u"ITF", 4},      {u"CST", 9},      {u"customer", 9},  {u"UPC", 1},      {u"CTF", 5},   {u"IATA", 6},
        {u"MATRIX", 7},   {u"NEC", 8},      {u"CODE128", 10},  {u"OCDE-128", 10}, {u"128", 10}, {u"CODE93", 11},
        {u"OCDE-93", 11}, {u"93", 11},      {u"QR2", 12},
    };
    for (const auto& [word, index] : cases) {
        z.CdType.SetItemIndex(1);
        macro({std::u16string(u"code ") + word});
        EXPECT_EQ(z.CdType.ItemIndex(), index) << ToUtf8(word);
        EXPECT_EQ(z.BarImage1.BarType(), index) << ToUtf8(word);
    }
    // Not a word of the table: the type stays, the component takes it again.
    z.CdType.SetItemIndex(4);
    macro({u"CODE CODE-128"});
    EXPECT_EQ(z.CdType.ItemIndex(), 4);
    EXPECT_EQ(z.BarImage1.BarType(), 4);
}

TEST_F(Dde, EachCommandSetsItsControlOrTheComponent) {
    struct Case {
        Lines lines;
        std::function<void(TZerboCode&, FakeZerboPlatform&)> check;
    };
    const Case cases[] = {
        {{u"THIN 3"}, [](TZerboCode& z, FakeZerboPlatform&) { EXPECT_EQ(z.ThinWd.ItemIndex(), 2); }},
        {{u"THIN 2", u"THIN 4"}, [](TZerboCode& z, FakeZerboPlatform&) { EXPECT_EQ(z.ThinWd.ItemIndex(), 1); }},
        {{u"CHECKDIGIT TRUE"}, [](TZerboCode& z, FakeZerboPlatform&) { EXPECT_TRUE(z.CHB1.Checked()); }},
        {{u"CHECKDIGIT 1", u"CHKDIGIT 0"}, [](TZerboCode& z, FakeZerboPlatform&) { EXPECT_FALSE(z.CHB1.Checked()); }},
        {{u"CHKDIGIT 1", u"CHECKDIGIT YES"}, [](TZerboCode& z, FakeZerboPlatform&) { EXPECT_TRUE(z.CHB1.Checked()); }},
        {{u"STARTCHAR ab", u"STOPCHAR c"},
         [](TZerboCode& z, FakeZerboPlatform&) {
             EXPECT_EQ(z.Edit2.Text(), u"AB");
             EXPECT_EQ(z.Edit3.Text(), u"C");
         }},
        {{u"CODECHAR true", u"QRSPECIAL 1"},
         [](TZerboCode& z, FakeZerboPlatform&) {
             EXPECT_TRUE(z.AddCodeChar.Checked());
             EXPECT_TRUE(z.SpCode.Checked());
         }},
        {{u"HEIGHT 500", u"LEFTMARGIN $10", u"TOPMARGIN -3"},
         [](TZerboCode& z, FakeZerboPlatform&) {
             EXPECT_EQ(z.BarHeight.Value(), 500) << "no clamping";
             EXPECT_EQ(z.LeftMargin.Value(), 16);
             EXPECT_EQ(z.TopMargin.Value(), -3);
         }},
        {{u"COPYTYPE WMF"}, [](TZerboCode& z, FakeZerboPlatform&) { EXPECT_EQ(z.BarImage1.BarPicture(), barcode::pbarWMF); }},
        {{u"COPYTYPE bmp"},
         [](TZerboCode& z, FakeZerboPlatform&) {
             EXPECT_EQ(z.BarImage1.BarPicture(), barcode::pbarBMP);
             EXPECT_TRUE(z.CopyEmf.Checked()) << "the menu items stay";
         }},
        {{u"COPYTYPE BMP", u"COPYTYPE PNG"}, [](TZerboCode& z, FakeZerboPlatform&) { EXPECT_EQ(z.BarImage1.BarPicture(), barcode::pbarEMF); }},
        {{u"COMMENTSHOW YES", u"COMMENT  a", u"COMMENTPOS TOP", u"COMMENTALIGN LEFT"},
         [](TZerboCode& z, FakeZerboPlatform&) {
             EXPECT_TRUE(z.Comnt.Checked());
             EXPECT_EQ(z.ComntStr.Text(), u" A") << "its leading blank kept";
             EXPECT_EQ(z.ComntPos.ItemIndex(), 0);
             EXPECT_EQ(z.ComntAl.ItemIndex(), 0);
         }},
        {{u"COMMENTSHOW FALSE", u"COMMENTPOS X", u"COMMENTALIGN center"},
         [](TZerboCode& z, FakeZerboPlatform&) {
             EXPECT_FALSE(z.Comnt.Checked());
             EXPECT_EQ(z.ComntPos.ItemIndex(), 1);
             EXPECT_EQ(z.ComntAl.ItemIndex(), 1);
         }},
        {{u"COMMENTALIGN X"}, [](TZerboCode& z, FakeZerboPlatform&) { EXPECT_EQ(z.ComntAl.ItemIndex(), 2); }},
        {{u"QRVER 10", u"QRVER 41", u"QRVER X", u"QRERR q"},
         [](TZerboCode& z, FakeZerboPlatform& p) {
             EXPECT_EQ(z.QRVer.Value(), 10);
             EXPECT_EQ(z.QRErr.ItemIndex(), 2);
             EXPECT_TRUE(p.dialogs.errors.empty());
         }},
        {{u"QRERR H", u"QRERR Z"}, [](TZerboCode& z, FakeZerboPlatform&) { EXPECT_EQ(z.QRErr.ItemIndex(), 3); }},
        {{u"BARCOL 255", u"BACKCOL $FF00", u"BARCOL "},
         [](TZerboCode& z, FakeZerboPlatform&) {
             EXPECT_EQ(z.BarImage1.BarColor(), 255u);
             EXPECT_EQ(z.BarImage1.BackColor(), 0xFF00u);
             EXPECT_EQ(z.BarCol, clBlack) << "QR symbols keep their colours";
         }},
        {{u"VISIBLE FALSE"},
         [](TZerboCode& z, FakeZerboPlatform& p) {
             EXPECT_TRUE(z.ResTaskTray);
             EXPECT_TRUE(p.trayIcon.visible);
             EXPECT_FALSE(p.form.showAtStart);
             EXPECT_EQ(p.form.closes, 0) << "the window stays as it is";
         }},
        {{u"VISIBLE FALSE", u"VISIBLE YES"},
         [](TZerboCode& z, FakeZerboPlatform& p) {
             EXPECT_FALSE(z.ResTaskTray);
             EXPECT_FALSE(p.trayIcon.visible);
         }},
        {{u"CLOSE "}, [](TZerboCode&, FakeZerboPlatform& p) { EXPECT_EQ(p.form.closes, 0) << "with a blank it is no close"; }},
        {{u"close"},
         [](TZerboCode& z, FakeZerboPlatform& p) {
             EXPECT_EQ(p.form.closes, 1);
             EXPECT_TRUE(z.TaskClose);
         }},
        {{u"THIN 3", u"COPYTYPE", u"WRITE 1"},
         [](TZerboCode& z, FakeZerboPlatform&) {
             EXPECT_EQ(z.ThinWd.ItemIndex(), 2);
             EXPECT_EQ(z.BarImage1.BarPicture(), barcode::pbarEMF) << "a line without a blank ends the macro";
             EXPECT_EQ(z.EditCode.Text(), u"");
         }},
        {{u"NONSENSE 1", u"SAVE "}, [](TZerboCode& z, FakeZerboPlatform&) { EXPECT_FALSE(z.BError); }},
    };
    for (const Case& c : cases) {
        FakeZerboPlatform p;
        TZerboCode w(p.services());
        w.FormCreate();
        w.DdeZerboconvExecuteMacro(&w, c.lines);
        SCOPED_TRACE(ToUtf8(c.lines[0]));
        c.check(w, p);
    }
}

TEST_F(Dde, WriteGeneratesTheTrimmedUpperCaseDataWithAutomaticCopyAndNoHistory) {
    macro({u"CODE CODE128", u"write   abc12 "});
    EXPECT_EQ(z.EditCode.Text(), u"ABC12");
    EXPECT_EQ(z.BarImage1.Code(), u"ABC12");
    EXPECT_FALSE(z.BError);
    EXPECT_EQ(platform.clipboard.Format(), gfx::TClipFormat::EnhMetafile) << "copied during the macro";
    EXPECT_FALSE(z.AutoCopy.Checked()) << "the user's choice again afterwards";
    EXPECT_TRUE(z.Edit1.Items().empty());
    EXPECT_TRUE(static_cast<bool>(z.ClipboardWatcher1->OnChange())) << "the watch handler is attached again";
}

TEST_F(Dde, AConversionErrorEndsTheMacroAndItsEndStillRuns) {
    z.AutoCopy.SetChecked(true);
    EXPECT_THROW(macro({u"THIN 2", u"HEIGHT X", u"THIN 3"}), EConvertError);
    EXPECT_EQ(z.ThinWd.ItemIndex(), 1);
    EXPECT_TRUE(z.AutoCopy.Checked());
    EXPECT_TRUE(static_cast<bool>(z.ClipboardWatcher1->OnChange()));
    try {
        macro({u"POKE NODC"});
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), u"''NODC'' は整数ではありません");
    }
}

TEST_F(Dde, PokePlaysTheQRMetafileOnTheNamedDeviceContext) {
    macro({u"CODE QR2", u"WRITE HELLO", u"POKE 4660"});
    ASSERT_EQ(platform.dde.drawn.size(), 1u);
    EXPECT_EQ(platform.dde.drawn[0].dc, 4660u);
    EXPECT_EQ(platform.dde.drawn[0].width, z.Image1.Picture().Graphic()->Width());
    // A bitmap picture is not turned into a metafile: nothing is drawn and it stays.
    macro({u"COPYTYPE BMP", u"WRITE HELLO", u"POKE 4660"});
    EXPECT_EQ(platform.dde.drawn.size(), 1u);
    EXPECT_NE(z.Image1.Picture().AsBitmap(), nullptr);
}

TEST_F(Dde, LinesNoFieldTakesArePassedOverAndTheRestApplies) {
    macro({u"WRITE " + std::u16string(100000, u'7'), u"THIN 2"});
    EXPECT_EQ(z.EditCode.Text(), u"");
    EXPECT_EQ(z.ThinWd.ItemIndex(), 1);
}

TEST_F(Dde, MacroSettingsAreSavedAtTheCloseButNotTheComponentsOwn) {
    macro({u"CODE ITF", u"THIN 3", u"COPYTYPE BMP", u"BARCOL 255"});
    bool canClose = false;
    z.FormCloseQuery(canClose);
    const std::u16string ini = platform.readIni();
    EXPECT_NE(ini.find(u"CodeType=4"), std::u16string::npos);
    EXPECT_NE(ini.find(u"ThinWidth=2"), std::u16string::npos);
    EXPECT_NE(ini.find(u"CopyToEMf=1"), std::u16string::npos);
    EXPECT_EQ(ini.find(u"BarColor"), std::u16string::npos);
}

} // namespace
} // namespace zerbo::app
