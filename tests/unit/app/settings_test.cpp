// The main window's settings: where the file lies, start values, the load and save rules,
// and files with garbage in them.
#include <gtest/gtest.h>

#include <algorithm>

#include <sys/stat.h>

#include "FakeServices.h"
#include "app/ZerboCode.h"

namespace zerbo::app {
namespace {

using test::FakeZerboPlatform;

std::u16string line(const std::u16string& key, const std::u16string& value) { return key + u"=" + value + u"\r\n"; }

bool contains(const std::u16string& text, const std::u16string& part) { return text.find(part) != std::u16string::npos; }

struct Window {
    FakeZerboPlatform platform;
    std::unique_ptr<TZerboCode> z;
    explicit Window(const std::u16string& ini = {}) {
        if (!ini.empty()) platform.writeIni(ini);
        z = std::make_unique<TZerboCode>(platform.services());
        z->FormCreate();
    }
    void close() {
        bool canClose = false;
        z->FormCloseQuery(canClose);
        EXPECT_TRUE(canClose);
    }
};

TEST(Settings, AFirstStartHasTheStartValuesAndTheCloseWritesEveryKey) {
    Window w;
    TZerboCode& z = *w.z;
    EXPECT_EQ(z.Ini.FullFileName(), w.platform.dir.file16("AppData/Zerbo/Zerbo.ini"));
    EXPECT_TRUE(std::filesystem::is_directory(w.platform.dir.path() / "AppData" / "Zerbo"));
    ASSERT_EQ(z.CdType.Items().size(), 13u);
    EXPECT_EQ(z.CdType.Items()[12], u"QRｺｰﾄﾞ2");
    EXPECT_EQ(z.CdType.ItemIndex(), 1);
    EXPECT_EQ(z.ThinWd.ItemIndex(), 0);
    EXPECT_EQ(z.BarHeight.Value(), 50);
    EXPECT_EQ(z.LeftMargin.Value(), 20);
    EXPECT_EQ(z.TopMargin.Value(), 5);
    EXPECT_EQ(z.QRVer.Value(), 4);
    EXPECT_EQ(z.QRErr.ItemIndex(), 0);
    EXPECT_EQ(z.ComntPos.ItemIndex(), 1);
    EXPECT_EQ(z.ComntAl.ItemIndex(), 1);
    EXPECT_TRUE(z.CopyEmf.Checked());
    EXPECT_FALSE(z.CopyMf.Checked() || z.CopyBm.Checked());
    EXPECT_EQ(z.BarImage1.BarPicture(), barcode::pbarEMF);
    EXPECT_TRUE(z.View1.Checked());
    EXPECT_TRUE(z.ViewB1.Down());
    EXPECT_EQ(w.platform.form.heights, std::vector<int32_t>{367});
    EXPECT_EQ(w.platform.form.stayOnTop, std::vector<bool>{false});
    EXPECT_EQ(z.EditCode.Text(), u"");
    EXPECT_EQ(z.Edit2.Text(), u"*");
    EXPECT_FALSE(z.Creating);
    EXPECT_FALSE(z.InitPers);
    EXPECT_TRUE(w.platform.dialogs.errors.empty());

    w.close();
    const std::u16string ini = w.platform.readIni();
    for (const char16_t* key :
         {u"TaskTary=0", u"CodeType=1", u"ThinWidth=0", u"CheckDigit=0", u"AddCodeChar=0", u"FormType=1",
          u"FormStyle=0", u"AutoCopy=0", u"CopyToMf=0", u"CopyToEMf=1", u"CopyToBm=0", u"CBWatch=0", u"BarHeight=50",
          u"LeftMargin=20", u"TopMargin=5", u"Windows.Flags=", u"Windows.YSize=", u"LastStr=\"\"", u"Font.Name=",
          u"Font.Size=9", u"Font.Style=0", u"Font.Color=", u"BoxDraw=0", u"Comment=0", u"ComntPos=1", u"ComntAl=1",
          u"ComntStr=", u"QRVersion=4", u"QRErrLebel=0", u"Trim_Space=0", u"PasteErr=0", u"Count=-1"})
        EXPECT_TRUE(contains(ini, key)) << ToUtf8(key);
    for (const char16_t* key : {u"BarColor", u"BackColor", u"NoSaveIni"}) EXPECT_FALSE(contains(ini, key)) << ToUtf8(key);
    // The saving order: TaskTary first, PasteErr last among the options.
    EXPECT_LT(ini.find(u"TaskTary"), ini.find(u"CodeType"));
    EXPECT_LT(ini.find(u"QRErrLebel"), ini.find(u"PasteErr"));
}

TEST(Settings, AStoredSessionComesBackWhole) {
    Window first;
    TZerboCode& a = *first.z;
    a.CdType.SetItemIndex(10);
    a.ThinWd.SetItemIndex(2);
    a.CHB1.SetChecked(true);
    a.Comnt.SetChecked(true);
    a.ComntStr.SetText(u"品番 A-1");
    a.EditCode.SetText(u"  ABC 123 ");
    a.QRVer.SetValue(12);
    a.QRErr.SetItemIndex(3);
    a.N14.Click();
    a.AutoCopy.Click();
    a.View2.Click();
    a.Execute(nullptr);
    first.close();

    FakeZerboPlatform& platform = first.platform;
    TZerboCode b(platform.services());
    b.FormCreate();
    EXPECT_EQ(b.CdType.ItemIndex(), 10);
    EXPECT_EQ(b.ThinWd.ItemIndex(), 2);
    EXPECT_TRUE(b.CHB1.Checked());
    EXPECT_TRUE(b.Comnt.Checked());
    EXPECT_TRUE(b.ComntStr.Enabled());
    EXPECT_EQ(b.ComntStr.Text(), u"品番 A-1");
    EXPECT_EQ(b.EditCode.Text(), u"  ABC 123 ") << "the quotes keep the blanks";
    EXPECT_EQ(b.QRVer.Value(), 12);
    EXPECT_EQ(b.QRErr.ItemIndex(), 3);
    EXPECT_TRUE(b.N14.Checked());
    EXPECT_TRUE(b.AutoCopy.Checked());
    EXPECT_TRUE(b.View2.Checked());
    EXPECT_TRUE(b.ViewB2.Down());
    EXPECT_EQ(platform.form.heights.back(), 204);
    EXPECT_EQ(b.Edit1.Items(), std::vector<std::u16string>{u"  ABC 123 "});
}

TEST(Settings, ThinWidthOutsideTheListLeavesNoSelectionAndIsWrittenBackAsMinusOne) {
    Window w(u"[Options]\r\nThinWidth=5\r\n");
    EXPECT_EQ(w.z->ThinWd.ItemIndex(), -1);
    EXPECT_EQ(w.z->ThinWd.Items().size(), 3u) << "the list is refilled, the index given back";
    w.z->EditCode.SetText(u"4901234567894");
    w.z->CdType.SetItemIndex(0);
    w.z->RB_Click(nullptr);
    EXPECT_EQ(w.z->Mode.Caption(), u"JAN ?×");
    w.close();
    EXPECT_TRUE(contains(w.platform.readIni(), u"ThinWidth=-1"));
}

TEST(Settings, TheLastTrueCopyKindIsCheckedAndSetsThePictureKind) {
    struct Case {
        const char16_t* ini;
        bool mf, emf, bm;
        barcode::TBarPictures picture;
    };
    const Case cases[] = {
        {u"CopyToMf=1\r\nCopyToBm=1\r\n", false, false, true, barcode::pbarBMP},
        {u"CopyToMf=0\r\nCopyToEMf=0\r\nCopyToBm=0\r\n", false, false, false, barcode::pbarBMP},
        {u"CopyToEMf=1\r\n", false, true, false, barcode::pbarEMF},
        {u"CopyToMf=1\r\nCopyToEMf=0\r\n", true, false, false, barcode::pbarWMF},
        {u"CopyToMf=1\r\nCopyToEMf=1\r\n", false, true, false, barcode::pbarEMF},
    };
    for (const Case& c : cases) {
        Window w(u"[Options]\r\n" + std::u16string(c.ini));
        EXPECT_EQ(w.z->CopyMf.Checked(), c.mf) << ToUtf8(c.ini);
        EXPECT_EQ(w.z->CopyEmf.Checked(), c.emf) << ToUtf8(c.ini);
        EXPECT_EQ(w.z->CopyBm.Checked(), c.bm) << ToUtf8(c.ini);
        EXPECT_EQ(w.z->BarImage1.BarPicture(), c.picture) << ToUtf8(c.ini);
    }
}

TEST(Settings, FormTypeChoosesTheViewAndAnUnknownOneKeepsTheFullViewAndIsWrittenAsOne) {
    struct Case {
        const char16_t* value;
        std::vector<int32_t> heights;
        const char16_t* written;
    };
    const Case cases[] = {
        {u"1", {367}, u"FormType=1"},
        {u"2", {204}, u"FormType=2"},
        {u"3", {108}, u"FormType=3"},
        {u"7", {}, u"FormType=1"},
    };
    for (const Case& c : cases) {
        Window w(u"[Options]\r\nFormType=" + std::u16string(c.value) + u"\r\n");
        EXPECT_EQ(w.platform.form.heights, c.heights) << ToUtf8(c.value);
        EXPECT_EQ(w.z->ScrollBox1.Visible(), std::u16string(c.value) != u"3") << ToUtf8(c.value);
        w.close();
        EXPECT_TRUE(contains(w.platform.readIni(), c.written)) << ToUtf8(c.value);
    }
}

TEST(Settings, ColoursAndNoSaveIniAreReadAndNeverWritten) {
    const std::u16string ini = u"[Options]\r\nBarColor=255\r\nBackColor=0x0000FF00\r\nNoSaveIni=1\r\nCodeType=3\r\n";
    Window w(ini);
    EXPECT_EQ(w.z->BarCol, 255u);
    EXPECT_EQ(w.z->BackCol, 0xFF00u);
    EXPECT_EQ(w.z->BarImage1.BarColor(), 255u);
    EXPECT_EQ(w.z->BarImage1.BackColor(), 0xFF00u);
    EXPECT_TRUE(w.z->NoSaveIni);
    w.z->CdType.SetItemIndex(5);
    w.platform.dialogs.colorChoice = 0x123456;
    w.z->N18.Click();
    w.close();
    EXPECT_EQ(w.platform.readIni(), ini) << "with NoSaveIni the file is never changed";
}

TEST(Settings, StayOnTopIsAppliedAsReadAndKeepsTheListSelections) {
    Window w(u"[Options]\r\nFormStyle=1\r\nCodeType=4\r\nThinWidth=2\r\n");
    EXPECT_TRUE(w.z->FStyle.Checked());
    EXPECT_EQ(w.platform.form.stayOnTop, std::vector<bool>{true});
    w.z->FStyle.Click();
    EXPECT_FALSE(w.z->FStyle.Checked());
    EXPECT_EQ(w.platform.form.stayOnTop.back(), false);
    EXPECT_EQ(w.z->CdType.ItemIndex(), 4);
    EXPECT_EQ(w.z->ThinWd.ItemIndex(), 2);
}

TEST(Settings, AStoredQRTypeShowsTheQRControlsAndGenerates) {
    Window w(u"[Options]\r\nCodeType=12\r\nQRErrLebel=9\r\n[Desktop]\r\nLastStr=\"HELLO\"\r\n");
    EXPECT_TRUE(w.z->QRPanel.Visible());
    EXPECT_TRUE(w.z->Image1Visible());
    EXPECT_FALSE(w.z->BarImage1Visible());
    EXPECT_EQ(w.z->QRErr.ItemIndex(), 1) << "a level with no selection becomes M";
    EXPECT_EQ(w.z->Image1.Width(), 42);
}

TEST(Settings, GarbageInEveryKeyGivesStartValuesAndShowsTheOneConversionError) {
    std::u16string ini = u"[Options]\r\n";
    for (const char16_t* key :
         {u"CodeType", u"ThinWidth", u"CheckDigit", u"AddCodeChar", u"FormType", u"FormStyle", u"AutoCopy",
          u"CopyToMf", u"CopyToEMf", u"CopyToBm", u"CBWatch", u"BarHeight", u"LeftMargin", u"TopMargin", u"TaskTary",
          u"BoxDraw", u"Comment", u"ComntPos", u"ComntAl", u"QRVersion", u"QRErrLebel", u"BarColor", u"BackColor",
          u"Trim_Space", u"PasteErr", u"NoSaveIni", u"Font.Size", u"Font.Style", u"Font.Color"})
        ini += line(key, u"z\x01%s!");
    ini += line(u"Font.Name", u"");
    ini += u"[Desktop]\r\n" + line(u"Windows.X", u"zz") + line(u"LastStr", u"\"4901234567894\"");
    ini += u"[HistoryEx1]\r\n" + line(u"0", u"\"kept\"") + u"[History]\r\n" + line(u"Count", u"1");
    Window w(ini);
    TZerboCode& z = *w.z;
    EXPECT_EQ(z.CdType.ItemIndex(), 1);
    EXPECT_EQ(z.ThinWd.ItemIndex(), 0);
    EXPECT_EQ(z.BarHeight.Value(), 50);
    EXPECT_EQ(z.QRVer.Value(), 4);
    EXPECT_EQ(z.BarCol, clBlack);
    EXPECT_EQ(z.BackCol, clWhite);
    EXPECT_TRUE(z.CopyEmf.Checked());
    EXPECT_FALSE(z.NoSaveIni);
    // The font colour is read as hexadecimal and raises; the keys after it still load.
    ASSERT_EQ(w.platform.dialogs.errors.size(), 1u);
    // Its digits start at the third character, after any two that stand for "0x".
    EXPECT_EQ(w.platform.dialogs.errors[0], u"''$%s!'' は整数ではありません");
    EXPECT_EQ(z.Edit1.Items(), std::vector<std::u16string>{u"kept"}) << "the history survives a bad font";
    EXPECT_FALSE(z.Creating) << "the window generates after a bad file";
    z.CdType.SetItemIndex(0);
    z.RB_Click(nullptr);
    EXPECT_FALSE(z.BError);
    EXPECT_TRUE(z.BarImage1.BarDisped());
}

TEST(Settings, FontSizesOfZeroAndTenThousandNeitherCrashNorStopTheWindow) {
    for (const char16_t* size : {u"0", u"10000", u"-10000"}) {
        Window w(u"[Options]\r\nFont.Size=" + std::u16string(size) + u"\r\nAddCodeChar=1\r\nComment=1\r\nComntStr=X\r\nCopyToBm=1\r\n");
        TZerboCode& z = *w.z;
        z.CdType.SetItemIndex(10);
        z.EditCode.SetText(u"ABC123");
        z.RB_Click(nullptr);
        EXPECT_TRUE(w.platform.dialogs.errors.empty()) << ToUtf8(size);
        EXPECT_FALSE(z.BError) << ToUtf8(size);
        ASSERT_NE(z.BarImage1.Picture().AsBitmap(), nullptr);
        EXPECT_LE(z.BarImage1.Picture().AsBitmap()->Width(), gfx::kMaxBitmapSide) << ToUtf8(size);
    }
}

TEST(Settings, AKeyTheStoreRefusesCostsOnlyThatKeyAndIsShownOnce) {
    Window w;
    w.z->EditCode.SetText(u"kept");
    w.z->Execute(nullptr);
    // A line break is no refusal: the store keeps the text up to it, as the profile API does.
    w.z->EditCode.SetText(u"two\r\nlines");
    w.z->N14.Click();
    w.close();
    EXPECT_TRUE(w.platform.dialogs.errors.empty());
    const std::u16string ini = w.platform.readIni();
    EXPECT_TRUE(contains(ini, u"LastStr=\"two\"\r\n")) << "its first line, quoted";
    EXPECT_FALSE(contains(ini, u"lines")) << "a line break would split the file's line";
    EXPECT_TRUE(contains(ini, u"PasteErr=1")) << "the keys after it are saved";
    EXPECT_TRUE(contains(ini, u"Count=1"));
    {
        TZerboCode again(w.platform.services());
        again.FormCreate();
        EXPECT_EQ(again.EditCode.Text(), u"two") << "and so it comes back";
    }
    // A file that turned read-only refuses every key: the first refusal is shown, once.
    ::chmod(w.platform.iniPath().c_str(), 0444);
    w.z->N14.Click();
    w.close();
    EXPECT_EQ(w.platform.dialogs.errors.size(), 1u);
    EXPECT_EQ(w.platform.readIni(), ini);
}

TEST(Settings, WindowsBeforeVersionSixKeepTheFileBesideTheProgram) {
    FakeZerboPlatform platform;
    platform.files.majorVersion = 5;
    TZerboCode z(platform.services());
    z.FormCreate();
    EXPECT_EQ(z.WinVer, 5);
    EXPECT_EQ(z.Ini.FullFileName(), u"/opt/zerbo/Zerbo.ini");
}

} // namespace
} // namespace zerbo::app
