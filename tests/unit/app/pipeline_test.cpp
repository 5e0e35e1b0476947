// The generation pipeline as the window's controls drive it.
#include <gtest/gtest.h>

#include "FakeServices.h"
#include "app/ZerboCode.h"
#include "core/Error.h"

namespace zerbo::app {
namespace {

using test::FakeZerboPlatform;

class Pipeline : public testing::Test {
protected:
    Pipeline() : z(platform.services()) {
        z.FormCreate();
        z.BarImage1.SetOnPaintBar([this](TObject*) { ++paintings; });
    }
    FakeZerboPlatform platform;
    TZerboCode z;
    int paintings = 0;
};

TEST_F(Pipeline, CommentSpaceIsTheFontHeightPlusTopMarginOnTheCommentsSide) {
    struct Case {
        bool comment;
        int32_t pos;
        int up, down;
    };
    // A size-9 font at 96 pixels per inch is trunc(9 * 96 / 72) = 12 pixels high.
    const Case cases[] = {{true, 1, 5, 17}, {true, 0, 17, 5}, {true, -1, 5, 17}, {false, 0, 5, 5}};
    z.EditCode.SetText(u"ABC");
    z.CdType.SetItemIndex(10);
    z.ComntStr.SetText(u"note");
    for (const Case& c : cases) {
        z.ComntPos.SetItemIndex(c.pos);
        z.Comnt.SetChecked(c.comment);
        z.RB_Click(nullptr);
        EXPECT_EQ(z.BarImage1.BarSpaceUp(), c.up) << c.comment << c.pos;
        EXPECT_EQ(z.BarImage1.BarSpaceDown(), c.down) << c.comment << c.pos;
        EXPECT_EQ(z.BarImage1.CommentUp(), c.comment && c.pos == 0 ? u"note" : u"");
        EXPECT_EQ(z.BarImage1.CommentDown(), c.comment && c.pos != 0 ? u"note" : u"");
    }
    // trunc applies to the product: 10 points at 120 pixels per inch is 16.67, so 16.
    z.Fnt.PixelsPerInch = 120;
    z.Fnt.SetSize(10);
    z.ComntPos.SetItemIndex(1);
    z.Comnt.SetChecked(true);
    z.RB_Click(nullptr);
    EXPECT_EQ(z.BarImage1.BarSpaceDown(), 16 + 5);
}

TEST_F(Pipeline, TheControlsReachTheComponent) {
    z.EditCode.SetText(u"12345");
    z.CdType.SetItemIndex(3);
    z.Edit2.SetText(u"B");
    z.Edit3.SetText(u"C");
    z.BarHeight.SetValue(150);  // a value set by program is not clamped
    z.LeftMargin.SetValue(7);
    z.TopMargin.SetValue(9);
    z.ThinWd.SetItemIndex(1);
    z.ComntAl.SetItemIndex(2);
    z.BoxDraw.SetChecked(true);
    z.RB_Click(nullptr);
    const barcode::TBarImage& b = z.BarImage1;
    EXPECT_EQ(b.Code(), u"12345");
    EXPECT_EQ(b.BarType(), barcode::cbarNW7);
    EXPECT_EQ(b.StartChar(), u'B');
    EXPECT_EQ(b.StopChar(), u'C');
    EXPECT_EQ(b.BarHeight(), 150);
    EXPECT_EQ(b.BarSpaceLeft(), 7);
    EXPECT_EQ(b.BarSpaceRight(), 7);
    EXPECT_EQ(b.BarSpaceUp(), 9);
    EXPECT_EQ(b.Scale(), 2);
    EXPECT_EQ(b.CommentDownLoc(), barcode::locRight);
    EXPECT_EQ(b.BarFrame(), 3);
    EXPECT_FALSE(z.BError);
    EXPECT_FALSE(z.Running);
}

TEST_F(Pipeline, ListsWithoutSelectionKeepTheComponentsPreviousValues) {
    z.EditCode.SetText(u"ABC");
    z.CdType.SetItemIndex(2);
    z.ThinWd.SetItemIndex(2);
    z.ComntAl.SetItemIndex(0);
    z.RB_Click(nullptr);
    z.ThinWd.SetItemIndex(-1);
    z.ComntAl.SetItemIndex(7);
    z.RB_Click(nullptr);
    EXPECT_EQ(z.BarImage1.Scale(), 3);
    EXPECT_EQ(z.BarImage1.CommentDownLoc(), barcode::locLeft);
    EXPECT_EQ(z.Mode.Caption(), u"CODE39 ?×");
    // A type with no selection has no encoder: the run fails.
    z.CdType.SetItemIndex(-1);
    z.RB_Click(nullptr);
    EXPECT_TRUE(z.BError);
}

TEST_F(Pipeline, TheModeLabelNamesTypeMagnificationCheckDigitAndNw7Characters) {
    struct Case {
        int32_t type, scale;
        bool cd;
        const char16_t* code;
        const char16_t* start;
        const char16_t* mode;
    };
    const Case cases[] = {
        {0, 1, true, u"4901234567894", u"A", u"JAN 2×CD "},
        {3, 0, false, u"123", u"A", u"NW-7 1×A/B"},
        {3, 2, true, u"123", u"", u"NW-7 3×CD /B"},
        {11, 0, false, u"ABC", u"A", u"CODE93 1×"},
        {9, 0, false, u"1234567", u"A", u"CUSTOMER 1×"},
    };
    for (const Case& c : cases) {
        z.CdType.SetItemIndex(c.type);
        z.ThinWd.SetItemIndex(c.scale);
        z.CHB1.SetChecked(c.cd);
        z.Edit2.SetText(c.start);
        z.Edit3.SetText(u"B");
        z.EditCode.SetText(c.code);
        z.RB_Click(nullptr);
        EXPECT_EQ(z.Mode.Caption(), c.mode) << ToUtf8(c.mode);
    }
    // Past the list: the label is written only by linear paintings, so set the index late.
    z.CdType.SetItemIndex(13);
    z.UpdateModeLabel();
    EXPECT_EQ(z.Mode.Caption(), u"UnKnown 1×");
}

TEST_F(Pipeline, ARejectedCodeSetsBErrorAndPutsTheErrorTextWhenAskedFor) {
    z.CdType.SetItemIndex(0);
    z.EditCode.SetText(u"NOT DIGITS");
    z.RB_Click(nullptr);
    EXPECT_TRUE(z.BError);
    EXPECT_EQ(platform.clipboard.Format(), gfx::TClipFormat::None);
    z.N14.Click();
    EXPECT_TRUE(z.N14.Checked());
    // The watcher is in the chain; the run takes it out for its own write and back after.
    z.ClipboardWatcher1->SetOnChange([](TObject*) {});
    const int joins = platform.joins;
    z.RB_Click(nullptr);
    EXPECT_EQ(platform.clipboard.Format(), gfx::TClipFormat::Text);
    EXPECT_EQ(platform.clipboard.Text(), u"作成できませんでした");
    EXPECT_TRUE(z.ClipboardWatcher1->Enabled());
    EXPECT_TRUE(z.ClipboardWatcher1->Registered());
    EXPECT_EQ(platform.joins, joins + 1);
    // A clipboard held by another program: the error reaches the caller, the run ends.
    platform.clipboard.HeldElsewhere = true;
    EXPECT_THROW(z.RB_Click(nullptr), gfx::EClipboardError);
    EXPECT_FALSE(z.Running);
    EXPECT_TRUE(z.ClipboardWatcher1->Enabled());
}

TEST_F(Pipeline, AutomaticCopyPutsEveryPaintingOnTheClipboardInTheChosenKind) {
    z.CdType.SetItemIndex(0);
    z.EditCode.SetText(u"4901234567894");
    z.RB_Click(nullptr);
    EXPECT_EQ(platform.clipboard.Puts, 0);
    z.AutoCopy.Click();
    z.RB_Click(nullptr);
    EXPECT_EQ(platform.clipboard.Format(), gfx::TClipFormat::EnhMetafile);
    EXPECT_EQ(platform.clipboard.Puts, 1) << "the run paints once, and that painting is copied";
    z.CopyBm.Click();
    EXPECT_TRUE(z.CopyBm.Checked());
    EXPECT_FALSE(z.CopyEmf.Checked());
    z.RB_Click(nullptr);
    EXPECT_EQ(platform.clipboard.Format(), gfx::TClipFormat::Bitmap);
    z.CopyMf.Click();
    z.RB_Click(nullptr);
    EXPECT_EQ(platform.clipboard.Format(), gfx::TClipFormat::MetafilePict);
}

TEST_F(Pipeline, DelayTimePausesLinearRunsOnly) {
    z.DelayTime = 500;
    z.EditCode.SetText(u"ABC");
    z.CdType.SetItemIndex(2);
    z.RB_Click(nullptr);
    z.CdType.SetItemIndex(12);
    z.RB_Click(nullptr);
    EXPECT_EQ(platform.app.sleeps, std::vector<int32_t>{500});
}

TEST_F(Pipeline, ChoosingQRCodeSwapsThePanelsAndDisablesTheLinearSettings) {
    z.EditCode.SetText(u"ABC");
    z.QRErr.SetItemIndex(-1);
    z.CdType.UserSelect(12);
    EXPECT_TRUE(z.QRPanel.Visible());
    EXPECT_TRUE(z.Image1Visible());
    EXPECT_FALSE(z.BarImage1Visible());
    EXPECT_EQ(z.QRErr.ItemIndex(), 1);
    for (TControl* c : std::initializer_list<TControl*>{&z.Panel3, &z.Panel5, &z.LeftMargin, &z.TopMargin, &z.BarHeight})
        EXPECT_FALSE(c->Enabled()) << ToUtf8(c->Name);
    for (TControl* c : std::initializer_list<TControl*>{&z.ThinWd, &z.BoxDraw, &z.Panel4})
        EXPECT_TRUE(c->Enabled()) << ToUtf8(c->Name);
    EXPECT_EQ(z.Image1.Width(), 42) << "generated on the way";
    z.CdType.UserSelect(2);
    EXPECT_FALSE(z.QRPanel.Visible());
    EXPECT_TRUE(z.BarImage1Visible());
    EXPECT_TRUE(z.BarHeight.Enabled());
}

TEST_F(Pipeline, ChecksAndSpinsSetByProgramGenerateAndListIndicesDoNot) {
    z.EditCode.SetText(u"ABC");
    z.CdType.SetItemIndex(2);
    z.RB_Click(nullptr);
    int before = paintings;
    z.ThinWd.SetItemIndex(1);
    z.ComntPos.SetItemIndex(0);
    EXPECT_EQ(paintings, before) << "a list set by program raises no change";
    z.ThinWd.UserSelect(2);
    EXPECT_GT(paintings, before);
    EXPECT_EQ(z.BarImage1.Scale(), 3);
    before = paintings;
    z.BarHeight.SetValue(80);
    EXPECT_GT(paintings, before);
    EXPECT_EQ(z.BarImage1.BarHeight(), 80);
    before = paintings;
    z.CHB1.SetChecked(true);
    EXPECT_GT(paintings, before);
    EXPECT_TRUE(z.BarImage1.CD());
    // A spin step by the user clamps; a value typed out of range stays until the field is left.
    z.TopMargin.SetValue(50);
    z.TopMargin.UpClick();
    EXPECT_EQ(z.TopMargin.Value(), 50);
    z.TopMargin.SetText(u"70");
    EXPECT_EQ(z.BarImage1.BarSpaceUp(), 70);
    z.TopMargin.DoExit();
    EXPECT_EQ(z.TopMargin.Value(), 50);
    EXPECT_EQ(z.BarImage1.BarSpaceUp(), 50);
}

TEST_F(Pipeline, GroupCheckBoxesEnableTheirTaggedControls) {
    EXPECT_FALSE(z.ComntStr.Enabled());
    EXPECT_FALSE(z.Button1.Enabled());
    EXPECT_FALSE(z.CharSmp.Enabled());
    z.Comnt.SetChecked(true);
    EXPECT_TRUE(z.ComntStr.Enabled());
    EXPECT_FALSE(z.Button1.Enabled());
    EXPECT_TRUE(z.ComntPos.Enabled()) << "no tag, not in the group";
    z.AddCodeChar.SetChecked(true);
    EXPECT_TRUE(z.Button1.Enabled());
    EXPECT_TRUE(z.CharSmp.Enabled());
    EXPECT_TRUE(z.Button2.Enabled());
    EXPECT_TRUE(z.BarImage1.SymbolDisp()) << "AddCodeCharClick";
    z.Comnt.SetChecked(false);
    EXPECT_FALSE(z.ComntStr.Enabled());
}

TEST_F(Pipeline, EnterExecutesAndRemembersAndAHistoryEntryComesBack) {
    z.CdType.SetItemIndex(2);
    z.EditCode.SetText(u"FIRST");
    uint16_t key = vkReturn;
    z.EditCode.KeyUp(key);
    z.EditCode.SetText(u"SECOND");
    z.SpeedButton1.Click();
    EXPECT_EQ(z.Edit1.Items(), (std::vector<std::u16string>{u"SECOND", u"FIRST"}));
    z.Edit1.UserSelect(1);
    EXPECT_EQ(z.EditCode.Text(), u"FIRST");
    EXPECT_EQ(z.BarImage1.Code(), u"FIRST");
    EXPECT_EQ(z.Edit1.Items().front(), u"FIRST");
    // Typing alone generates nothing; Enter in the comment field does, without remembering.
    z.EditCode.SetText(u"THIRD");
    EXPECT_EQ(z.BarImage1.Code(), u"FIRST");
    key = vkReturn;
    z.ComntStr.KeyDown(key);
    EXPECT_EQ(z.BarImage1.Code(), u"THIRD");
    EXPECT_EQ(z.Edit1.Items().size(), 2u);
}

TEST_F(Pipeline, MenusEnablePrintForLinearTypesAndHistoryClearingForAHistory) {
    z.File1.Click();
    EXPECT_TRUE(z.P1.Enabled());
    z.CdType.SetItemIndex(12);
    z.File1.Click();
    EXPECT_FALSE(z.P1.Enabled());
    z.Edit5.Click();
    EXPECT_FALSE(z.D1.Enabled());
    z.Execute(nullptr);
    z.Edit5.Click();
    EXPECT_TRUE(z.D1.Enabled());
}

TEST_F(Pipeline, ViewModesSetHeightsPanelAndButtons) {
    z.ViewB3.Click();
    EXPECT_TRUE(z.View3.Checked());
    EXPECT_FALSE(z.ScrollBox1.Visible());
    EXPECT_EQ(z.Panel2.Height(), 49);
    EXPECT_EQ(platform.form.heights.back(), 108);
    z.View2.Click();
    EXPECT_TRUE(z.ViewB2.Down());
    EXPECT_FALSE(z.ViewB3.Down());
    EXPECT_TRUE(z.ScrollBox1.Visible());
    EXPECT_EQ(platform.form.heights.back(), 204);
    z.AlignControls(351, 160);
    EXPECT_EQ(z.ScrollBox1.Top(), 49);
    EXPECT_EQ(z.ScrollBox1.Height(), 160 - 49 - 19);
    EXPECT_EQ(z.StatusBar1.Top(), 141);
    z.ViewB1.Click();
    EXPECT_EQ(z.Panel2.Height(), 221);
    EXPECT_EQ(platform.form.heights.back(), 367);
}

TEST_F(Pipeline, FontAndColourCommandsApplyOnOkOnly) {
    z.EditCode.SetText(u"ABC");
    z.CdType.SetItemIndex(2);
    platform.dialogs.fontChoice.Name = u"Arial";
    platform.dialogs.fontChoice.SetSize(14);
    platform.dialogs.answer = false;
    z.Font1.Click();
    EXPECT_NE(z.Fnt.Name, u"Arial");
    platform.dialogs.answer = true;
    z.Button1.Click();
    EXPECT_EQ(z.Fnt.Name, u"Arial");
    EXPECT_EQ(z.Fnt.Size(), 14);
    EXPECT_EQ(z.BarImage1.BarFont().Name, u"Arial");
    platform.dialogs.colorChoice = 0x0000FF;
    z.N18.Click();
    EXPECT_EQ(z.BarImage1.BarColor(), 0x0000FFu);
    EXPECT_EQ(z.BarCol, clBlack) << "QR symbols keep their colours";
    z.N19.Click();
    EXPECT_EQ(platform.dialogs.colorDialogStart.back(), clWhite);
    EXPECT_EQ(z.BarImage1.BackColor(), 0x0000FFu);
}

TEST_F(Pipeline, HelpOpensTheHelpFileBesideTheProgram) {
    z.Contents1.Click();
    EXPECT_EQ(platform.shell.opened, std::vector<std::u16string>{u"/opt/zerbo/Zerbo.hlp"});
    z.WinVer = 5;
    z.Contents1.Click();
    EXPECT_EQ(platform.shell.helpFiles, std::vector<std::u16string>{u"/opt/zerbo/Zerbo.hlp>tsmain"});
}

TEST_F(Pipeline, TenThousandCharactersInEverySymbologyEndWithoutAFault) {
    const std::u16string digits(10000, u'7');
    for (int32_t type = 0; type <= 12; ++type) {
        z.CdType.SetItemIndex(type);
        z.EditCode.SetText(digits);
        z.RB_Click(nullptr);
        EXPECT_FALSE(z.Running) << type;
    }
    // 10 000 bytes are more than a QR text may have: nothing is drawn, nothing said.
    EXPECT_EQ(z.StatusBar1.SimpleText(), u"");
    EXPECT_TRUE(platform.dialogs.errors.empty());
}

} // namespace
} // namespace zerbo::app
