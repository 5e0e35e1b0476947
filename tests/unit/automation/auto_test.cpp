// The automation members over the main window: ranges, clicks, texts and the generation.
#include <gtest/gtest.h>

#include <functional>

#include "app/FakeServices.h"
#include "automation/Auto.h"
#include "core/Error.h"
#include "core/Text.h"

namespace zerbo::automation {
namespace {

using test::FakeZerboPlatform;

class Auto : public testing::Test {
protected:
    Auto() : z(platform.services()), a(z, platform.form) { z.FormCreate(); }
    FakeZerboPlatform platform;
    app::TZerboCode z;
    TAuto a;
};

TEST_F(Auto, IntegerPutsOutsideTheirRangeAreIgnored) {
    struct Case {
        const char* member;
        std::function<void(TAuto&, int32_t)> put;
        std::function<int32_t(TAuto&)> get;
        int32_t low, high;
    };
    const Case cases[] = {
        {"CodeType", &TAuto::SetCodeType, &TAuto::CodeType, 0, 12},
        {"BarScale", &TAuto::SetBarScale, &TAuto::BarScale, 0, 2},
        {"QRVersion", &TAuto::SetQRVersion, &TAuto::QRVersion, 0, 40},
        {"QRErrLevel", &TAuto::SetQRErrLevel, &TAuto::QRErrLevel, 0, 3},
        {"CommentPos", &TAuto::SetCommentPos, &TAuto::CommentPos, 0, 1},
        {"CommentAlign", &TAuto::SetCommentAlign, &TAuto::CommentAlign, 0, 2},
        {"Height", &TAuto::SetHeight, &TAuto::Height, 0, 200},
        {"HMargin", &TAuto::SetHMargin, &TAuto::HMargin, 0, 100},
        {"VMargin", &TAuto::SetVMargin, &TAuto::VMargin, 0, 100},
        {"CopyType", &TAuto::SetCopyType, &TAuto::CopyType, 0, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.member);
        for (int32_t v : {c.low, c.high}) {
            c.put(a, v);
            EXPECT_EQ(c.get(a), v);
        }
        for (int32_t v : {c.low - 1, c.high + 1, INT32_MIN, INT32_MAX}) {
            c.put(a, v);
            EXPECT_EQ(c.get(a), c.high) << v;
        }
    }
}

TEST_F(Auto, SpinsTakeValuesBeyondTheWindowsOwnRangeAndRegenerate) {
    z.CdType.SetItemIndex(10);
    a.SetCode(u"ZERBO");
    EXPECT_EQ(z.BarImage1.Code(), u"") << "a text put runs nothing";
    a.SetHeight(150);
    EXPECT_EQ(z.BarHeight.Text(), u"150");
    EXPECT_EQ(z.BarImage1.BarHeight(), 150) << "the spin's change regenerated";
    a.SetQRVersion(0);
    EXPECT_EQ(a.QRVersion(), 0);
    // A spin whose text is no number reads as its minimum, written back.
    z.TopMargin.SetText(u"x");
    EXPECT_EQ(a.VMargin(), 0);
    EXPECT_EQ(z.TopMargin.Text(), u"0");
}

TEST_F(Auto, CheckBoxesAreClickedOnlyByAChangeAndListsChangeTheirSelectionOnly) {
    int clicks = 0;
    z.BoxDraw.OnClick = [&](TObject*) { ++clicks; };
    a.SetBoxDraw(5);
    EXPECT_EQ(a.BoxDraw(), 1);
    a.SetBoxDraw(5);
    EXPECT_EQ(clicks, 1) << "the same state does nothing";
    a.SetAddComment(1);
    EXPECT_TRUE(z.ComntStr.Enabled()) << "its group follows";
    a.SetCheckDigit(-1);
    a.SetSpecialCode(1);
    EXPECT_EQ(a.CheckDigit(), 1);
    EXPECT_EQ(a.SpecialCode(), 1);

    a.SetCodeType(12);
    EXPECT_EQ(a.CodeType(), 12);
    EXPECT_FALSE(z.QRPanel.Visible()) << "the layout does not switch";
    a.SetCode(u"https://example.com");
    EXPECT_EQ(a.Execute(), 0) << "QR Code all the same";
    EXPECT_EQ(platform.clipboard.Format(), gfx::TClipFormat::EnhMetafile);
}

TEST_F(Auto, ExecuteCopiesWithoutAHistoryEntryAndGivesTheUsersAutoCopyBack) {
    a.SetCodeType(0);
    a.SetCode(u"4901234567894");
    EXPECT_EQ(a.Execute(), 0);
    EXPECT_EQ(platform.clipboard.Format(), gfx::TClipFormat::EnhMetafile);
    EXPECT_FALSE(z.AutoCopy.Checked());
    EXPECT_TRUE(z.Edit1.Items().empty());
    a.SetCode(u"123");
    EXPECT_EQ(a.Execute(), -1);
    EXPECT_FALSE(z.AutoCopy.Checked());
}

TEST_F(Auto, TextsFontsColoursAndTheWindow) {
    a.SetStartChar(u"ABC");
    a.SetStopChar(u"d");
    EXPECT_EQ(a.StartChar(), u"A");
    EXPECT_EQ(a.StopChar(), u"D") << "the field's upper case";
    EXPECT_THROW(a.SetStartChar(u""), Exception);
    EXPECT_EQ(a.StartChar(), u"A");
    a.SetComment(u"コメント");
    EXPECT_EQ(a.Comment(), u"コメント");
    // Longer than any field takes: refused, nothing changed.
    EXPECT_THROW(a.SetCode(std::u16string(app::kMaxDataLength + 1, u'7')), Exception);
    EXPECT_THROW(a.SetComment(std::u16string(1 << 20, u'x')), Exception);
    EXPECT_EQ(a.Comment(), u"コメント");

    a.SetFontName(u"IPAGothic");
    a.SetFontSize(14);
    EXPECT_EQ(a.FontName(), u"IPAGothic");
    EXPECT_EQ(a.FontSize(), 14);
    EXPECT_NE(z.Fnt.Name, u"IPAGothic") << "the window's own font stays";
    a.SetBarColor(255);
    a.SetBackColor(0xFFFF);
    EXPECT_EQ(a.BarColor(), 255);
    EXPECT_EQ(a.BackColor(), 0xFFFF);
    EXPECT_EQ(z.BarCol, clBlack);

    platform.form.Show();
    a.SetVisible(0);
    EXPECT_EQ(a.Visible(), 0);
    EXPECT_TRUE(platform.form.visible) << "the flag alone";
    a.Show(0);
    EXPECT_FALSE(platform.form.visible);
    a.Show(2);
    EXPECT_TRUE(platform.form.visible);
    EXPECT_EQ(a.Visible(), 1);
    a.SetCHandle(123);
    EXPECT_EQ(a.CHandle(), 0);
}

TEST_F(Auto, SaveFileAnswersWhetherTheFileIsThere) {
    a.SetCodeType(0);
    a.SetCode(u"4901234567894");
    EXPECT_EQ(a.SaveFile(platform.dir.file16("a.bmp")), 1);
    EXPECT_THROW(a.SaveFile(platform.dir.file16("missing/a.bmp")), Exception);
}

TEST_F(Auto, AClosingUserIsWarnedWhileClientsHoldObjects) {
    platform.automation.objects = 1;
    platform.dialogs.answer = false;
    bool canClose = true;
    z.FormCloseQuery(canClose);
    EXPECT_FALSE(canClose);
    ASSERT_EQ(platform.dialogs.boxes.size(), 1u);
    EXPECT_EQ(platform.dialogs.boxes[0].caption, u"オートメーションサーバーから警告");
    EXPECT_EQ(platform.dialogs.boxes[0].buttons, app::TMsgButtons::YesNoDefaultNo);
    platform.dialogs.answer = true;
    z.FormCloseQuery(canClose);
    EXPECT_TRUE(canClose);
}

} // namespace
} // namespace zerbo::automation
