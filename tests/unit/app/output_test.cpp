// Copy and save: the copy command, the picture kind, and files by their extension.
#include <gtest/gtest.h>

#include <filesystem>

#include "FakeServices.h"
#include "app/ZerboCode.h"
#include "gfx/PictureFile.h"

namespace zerbo::app {
namespace {

using test::FakeZerboPlatform;
namespace fs = std::filesystem;

class Output : public testing::Test {
protected:
    Output() : z(platform.services()) {
        z.FormCreate();
        z.CdType.SetItemIndex(2);
        z.EditCode.SetText(u"ABC");
        // The picture kind of every painting, in order.
        z.BarImage1.SetOnPaintBar([this](TObject*) { kinds.push_back(z.BarImage1.BarPicture()); });
    }
    std::u16string file(const char* name) const { return platform.dir.file16(name); }
    std::string bytes(const char* name) const { return test::readBytes(platform.dir.file(name)); }

    FakeZerboPlatform platform;
    TZerboCode z;
    std::vector<barcode::TBarPictures> kinds;
};

TEST_F(Output, TheCopyCommandPutsTheCurrentSymbolAndSaysSo) {
    z.RB_Click(nullptr);
    z.Copy1.Click();
    EXPECT_EQ(platform.clipboard.Format(), gfx::TClipFormat::EnhMetafile);
    EXPECT_EQ(z.StatusBar1.SimpleText(), u"コピーしました.");
    // The speed button is the same command; the QR symbol comes from its own picture.
    z.CopyBmClick(nullptr);
    z.CdType.SetItemIndex(kQRCodeType);
    z.RB_Click(nullptr);
    z.CopyBtn.Click();
    EXPECT_EQ(platform.clipboard.Format(), gfx::TClipFormat::Bitmap);
    EXPECT_EQ(platform.clipboard.Bitmap().Width(), z.Image1.Picture().Graphic()->Width());
    EXPECT_EQ(z.StatusBar1.SimpleText(), u"コピーしました.");
}

TEST_F(Output, ACopyKindChecksItsItemSetsThePictureKindAndKeepsTheMagnification) {
    struct Case {
        void (TZerboCode::*click)(TObject*);
        TMenuItem TZerboCode::*item;
        barcode::TBarPictures kind;
    };
    const Case cases[] = {{&TZerboCode::CopyBmClick, &TZerboCode::CopyBm, barcode::pbarBMP},
                          {&TZerboCode::CopyMfClick, &TZerboCode::CopyMf, barcode::pbarWMF},
                          {&TZerboCode::CopyEmfClick, &TZerboCode::CopyEmf, barcode::pbarEMF}};
    z.ThinWd.SetItemIndex(2);
    for (const Case& c : cases) {
        (z.*c.click)(nullptr);
        EXPECT_TRUE((z.*c.item).Checked());
        EXPECT_EQ(z.CopyMf.Checked() + z.CopyEmf.Checked() + z.CopyBm.Checked(), 1);
        EXPECT_EQ(z.BarImage1.BarPicture(), c.kind);
        EXPECT_EQ(z.ThinWd.ItemIndex(), 2);
        EXPECT_EQ(z.ThinWd.Items().size(), 3u);
    }
    z.AutoCopy.Click();
    EXPECT_TRUE(z.AutoCopy.Checked());
    z.AutoCopyClick(nullptr);
    EXPECT_FALSE(z.AutoCopy.Checked());
}

TEST_F(Output, TheExtensionChoosesTheFormatAndTheNameIsKept) {
    struct Case {
        const char* name;
        const char* magic;
    };
    const Case cases[] = {
        {"a.bmp", "BM"}, {"b.Bmp", "BM"}, {"c.png", "\xFF\xD8"}, {"d.jpg", "\xFF\xD8"}, {"noext", "\xFF\xD8"},
        // The extension is the file name's: a dot in a folder name does not count.
        {"e.bmp.x", "\xFF\xD8"},
    };
    z.RB_Click(nullptr);
    for (const Case& c : cases) {
        kinds.clear();
        EXPECT_TRUE(z.SaveFile(file(c.name))) << c.name;
        EXPECT_EQ(bytes(c.name).substr(0, 2), c.magic) << c.name;
        // From EMF to a bitmap and back, each with a generation.
        EXPECT_EQ(kinds.front(), barcode::pbarBMP) << c.name;
        EXPECT_EQ(kinds.back(), barcode::pbarEMF) << c.name;
        EXPECT_EQ(z.BarImage1.BarPicture(), barcode::pbarEMF);
    }
    fs::create_directories(platform.dir.path() / "f.bmp");
    EXPECT_TRUE(z.SaveFile(platform.dir.file16("f.bmp/g")));
    EXPECT_EQ(bytes("f.bmp/g").substr(0, 2), "\xFF\xD8");
    EXPECT_FALSE(fs::exists(platform.dir.path() / "f.bmp" / "G")) << "no extension added, no case changed";
}

TEST_F(Output, SavingInTheKindAlreadyChosenStillRegeneratesAfterwardsAndCopiesWithAutomaticCopy) {
    z.CopyBmClick(nullptr);
    z.AutoCopy.SetChecked(true);
    int puts = platform.clipboard.Puts;
    z.RB_Click(nullptr);
    const int copiesPerRun = platform.clipboard.Puts - puts;
    ASSERT_GT(copiesPerRun, 0);
    puts = platform.clipboard.Puts;
    kinds.clear();
    EXPECT_TRUE(z.SaveFile(file("same.bmp")));
    EXPECT_EQ(kinds, std::vector<barcode::TBarPictures>(kinds.size(), barcode::pbarBMP));
    // Setting the kind back regenerates once, and the run after it copies as every run does.
    EXPECT_EQ(platform.clipboard.Puts, puts + 1 + copiesPerRun);
    // The bitmap file holds what was on the screen: 24 bits, the symbol's size.
    const std::string b = bytes("same.bmp");
    const auto& bitmap = *z.BarImage1.Picture().AsBitmap();
    EXPECT_EQ(static_cast<unsigned char>(b[18]) | static_cast<unsigned char>(b[19]) << 8, bitmap.Width());
    EXPECT_EQ(static_cast<unsigned char>(b[28]), 24);
}

TEST_F(Output, AQRSymbolSavedAsABitmapIsWTimesSPlusOnePixelsSquare) {
    z.CdType.SetItemIndex(kQRCodeType);
    z.QRVer.SetValue(1);
    z.ThinWd.SetItemIndex(1);
    z.EditCode.SetText(u"HELLO");
    z.RB_Click(nullptr);
    ASSERT_TRUE(z.SaveFile(file("qr.bmp")));
    const std::string b = bytes("qr.bmp");
    ASSERT_GT(b.size(), 26u);
    EXPECT_EQ(static_cast<unsigned char>(b[18]), (21 + 8) * 2 + 1);
    EXPECT_EQ(static_cast<unsigned char>(b[22]), (21 + 8) * 2 + 1);
    EXPECT_EQ(z.BarImage1.BarPicture(), barcode::pbarEMF);
    EXPECT_NE(z.Image1.Picture().AsMetafile(), nullptr) << "the QR symbol is a metafile again";
}

TEST_F(Output, AFileThatCannotBeWrittenRaisesItsErrorLeavesNothingAndRestoresTheKind) {
    z.RB_Click(nullptr);
    test::writeBytes(platform.dir.file("ro.bmp"), "old");
    fs::permissions(platform.dir.file("ro.bmp"), fs::perms::owner_read);
    const std::u16string names[] = {file("missing/x.bmp"), file("ro.bmp"), platform.dir.file16(""), u""};
    for (const std::u16string& name : names) {
        try {
            z.SaveFile(name);
            ADD_FAILURE() << "no error for " << ToUtf8(name);
        } catch (const gfx::EWriteError& e) {
            EXPECT_EQ(e.Message(), name + u" に書き込めません");
        }
        EXPECT_EQ(z.BarImage1.BarPicture(), barcode::pbarEMF);
        EXPECT_FALSE(z.Running);
    }
    EXPECT_EQ(bytes("ro.bmp"), "old");
    EXPECT_FALSE(fs::exists(platform.dir.path() / "missing"));
    EXPECT_EQ(std::distance(fs::directory_iterator(platform.dir.path()), fs::directory_iterator()), 2)
        << "no temporary file is left behind";
}

TEST_F(Output, ARejectedCodeSavesThePictureAsItIsOrReportsThatThereIsNone) {
    // Never drawn in the kind the file needs: nothing to store.
    z.CdType.SetItemIndex(0);
    z.EditCode.SetText(u"NOT DIGITS");
    z.RB_Click(nullptr);
    EXPECT_TRUE(z.BError);
    EXPECT_THROW(z.SaveFile(file("x.emf")), gfx::EWriteError);
    // A bitmap file takes the picture as it is.
    EXPECT_TRUE(z.SaveFile(file("x.bmp")));
    EXPECT_TRUE(z.BError);
}

TEST_F(Output, TheSaveDialogProposesBitmapsAndSavesTheChosenName) {
    z.RB_Click(nullptr);
    platform.dialogs.saveChoice = file("chosen.jpg");
    z.N10.Click();
    ASSERT_EQ(platform.dialogs.saveDialogs.size(), 1u);
    const TSaveDialogOptions& o = platform.dialogs.saveDialogs[0];
    EXPECT_EQ(o.Title, u"バーコードに名前を付けて保存する");
    EXPECT_EQ(o.Filter, u"BMPファイル(*.bmp)|*.bmp|メタファイル(*.emf)|*.emf|Jpegファイル(*.jpg)|*.jpg");
    EXPECT_EQ(o.DefaultExt, u"bmp");
    EXPECT_EQ(bytes("chosen.jpg").substr(0, 2), "\xFF\xD8");

    platform.dialogs.answer = false;
    platform.dialogs.saveChoice = file("cancelled.bmp");
    z.N10Click(nullptr);
    EXPECT_FALSE(fs::exists(platform.dir.file("cancelled.bmp")));
}

} // namespace
} // namespace zerbo::app
