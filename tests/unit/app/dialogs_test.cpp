// The three dialogs as the main window opens them: the QR content assistant with its address
// file, the colour palette dialog and the about box.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "FakeServices.h"
#include "app/QRForm.h"
#include "app/ZerboCode.h"
#include "components/AboutDialog.h"
#include "components/ColorPalette.h"
#include "core/Error.h"

namespace zerbo::app {
namespace {

using test::FakeZerboPlatform;

// A main window in QR mode whose program file lies in a folder of the test's own.
struct Assistant : testing::Test {
    Assistant() {
        std::filesystem::create_directories(platform.dir.path() / "prog");
        platform.files.programFileName = platform.dir.file16("prog/Zerbo.exe");
        z = std::make_unique<TZerboCode>(platform.services());
        z->FormCreate();
        z->CdType.SetItemIndex(kQRCodeType);
    }
    std::string addressFile() const { return platform.dir.file("prog/Address.txt"); }
    // Opens the assistant, lets `act` fill it in, and closes it with the close box.
    void open(const std::function<void(TQRForm&)>& act) {
        platform.dialogs.onModal = [&](TForm& form) { act(dynamic_cast<TQRForm&>(form)); };
        z->QRSubBtn.Click();
    }
    FakeZerboPlatform platform;
    std::unique_ptr<TZerboCode> z;
};

TEST_F(Assistant, EachPageAssemblesItsTextAsPhonesReadIt) {
    struct Case {
        const char* what;
        int32_t page;
        std::function<void(TQRForm&)> fill;
        std::u16string text;
    };
    const Case cases[] = {
        {"names, readings, one number", 0, [](TQRForm& f) {
             f.KFirstN.SetText(u"山田");
             f.KLastN.SetText(u"太郎");
             f.FirstN.SetText(u"ﾔﾏﾀﾞ");
             f.LastN.SetText(u"ﾀﾛｳ");
             f.Phone1.SetText(u"0312345678");
         }, u"MECARD:N:山田,太郎;SOUND:ﾔﾏﾀﾞ,ﾀﾛｳ;TEL:0312345678;;"},
        {"a given name alone is left out", 0, [](TQRForm& f) { f.KLastN.SetText(u"太郎"); }, u"MECARD:;"},
        {"every field, nothing escaped", 0, [](TQRForm& f) {
             f.KFirstN.SetText(u"a;b");
             f.Phone2.SetText(u"2");
             f.mail1.SetText(u"x@y");
             f.mail2.SetText(u"z:w");
             f.Note.SetText(u"n,o");
         }, u"MECARD:N:a;b;TEL:2;EMAIL:x@y;EMAIL:z:w;NOTE:n,o;;"},
        {"a subject alone", 1, [](TQRForm& f) { f.Sub.SetText(u"Hi"); }, u"MATMSG:SUB:Hi;;"},
        {"two addresses and a body of two lines", 1, [](TQRForm& f) {
             f.Address1.SetText(u"a@b");
             f.Address2.SetText(u"c@d");
             f.Body.SetText(u"L1\r\nL2");
         }, u"MATMSG:TO:a@b;TO:c@d;BODY:L1\r\nL2;;"},
        {"a title and a plain URL", 2, [](TQRForm& f) {
             f.SiteN.SetText(u"Z");
             f.UrlN.SetText(u"www.example.org");
         }, u"MEBKM:TITLE:Z;URL:www.example.org;;"},
    };
    for (const Case& c : cases) {
        open([&](TQRForm& f) {
            f.PC1.SetActivePageIndex(c.page);
            c.fill(f);
            f.Button1.Click();
            EXPECT_EQ(z->EditCode.Text(), c.text) << c.what;
            EXPECT_EQ(f.PC1.ActivePageIndex(), 3) << c.what;
            EXPECT_EQ(f.Image1.Picture(), &z->Image1.Picture());
            EXPECT_EQ(f.Image1.Width(), z->Image1.Width()) << "sized to the symbol";
        });
    }
    EXPECT_FALSE(z->BError);
}

TEST_F(Assistant, TheURLGetsABackslashBeforeItsSchemeAtEveryPressAndTheQRPageDoesNothing) {
    open([&](TQRForm& f) {
        f.PC1.SetActivePageIndex(2);
        f.UrlN.SetText(u"abc://def");
        f.Button1.Click();
        EXPECT_EQ(z->EditCode.Text(), u"MEBKM:URL:abc\\://def;;");
        EXPECT_EQ(f.UrlN.Text(), u"abc\\://def");
        f.Button1.Click();  // on the QR page now
        EXPECT_EQ(z->EditCode.Text(), u"MEBKM:URL:abc\\://def;;");
        f.PC1.SetActivePageIndex(2);
        f.Button1.Click();
        EXPECT_EQ(f.UrlN.Text(), u"abc\\\\://def");
    });
}

TEST_F(Assistant, ATextTooLongForTheVersionShowsTheStatusErrorAndThePreviousPicture) {
    z->QRVer.SetValue(1);
    open([&](TQRForm& f) {
        f.Note.SetText(u"x");
        f.Button1.Click();
        const int width = f.Image1.Width();
        f.PC1.SetActivePageIndex(0);
        f.Note.SetText(std::u16string(200, u'x'));
        f.Button1.Click();
        EXPECT_TRUE(z->BError);
        EXPECT_EQ(z->StatusBar1.SimpleText(), u"ＱＲ：文字数オーバー");
        EXPECT_EQ(f.Image1.Width(), width);
    });
}

TEST(AddressHistory, TheFirstStaysFirstNewOnesEnterSecondAndCaseTwinsAreNotAdded) {
    struct Case {
        std::vector<std::u16string> before;
        std::u16string address;
        std::vector<std::u16string> after;
    };
    const Case cases[] = {
        {{}, u"a@x", {u"a@x"}},
        {{u"a@x"}, u"b@x", {u"a@x", u"b@x"}},
        {{u"a@x", u"b@x"}, u"c@x", {u"a@x", u"c@x", u"b@x"}},
        {{u"a@x", u"b@x"}, u"B@X", {u"a@x", u"b@x"}},
        {{u"a@x"}, u"", {u"a@x"}},
    };
    for (const Case& c : cases) {
        std::vector<std::u16string> list = c.before;
        UpdateAddressHistory(list, c.address);
        EXPECT_EQ(list, c.after);
    }
}

TEST_F(Assistant, TheAddressFileIsReadAndWrittenInCodePage932AtEveryClose) {
    // A line that is no code page 932 text and one longer than any field takes are passed over.
    test::writeBytes(addressFile(), "first@x.jp\r\n\x81\x20\r\n" + std::string(100000, 'l') + "\r\n\x8E\x52@x.jp\r\n");
    open([&](TQRForm& f) {
        EXPECT_EQ(f.MAd, (std::vector<std::u16string>{u"first@x.jp", u"山@x.jp"}));
        EXPECT_EQ(f.Address2.Items(), f.MAd);
        f.PC1.SetActivePageIndex(1);
        f.Address1.SetText(u"FIRST@X.JP");
        f.Address2.SetText(u"新@x.jp");
        f.Button1.Click();
        EXPECT_EQ(f.Address1.Items().size(), 3u);
    });
    EXPECT_EQ(test::readBytes(addressFile()), "first@x.jp\r\n\x90\x56@x.jp\r\n\x8E\x52@x.jp\r\n");
    // Cancelled without a new address: written all the same, in CR LF lines.
    test::writeBytes(addressFile(), "a@x\nb@x");
    open([](TQRForm&) {});
    EXPECT_EQ(test::readBytes(addressFile()), "a@x\r\nb@x\r\n");
}

TEST_F(Assistant, NoAddressesWriteNoFileAndAFileThatCannotBeWrittenIsReportedAtTheClose) {
    open([](TQRForm&) {});
    EXPECT_FALSE(std::filesystem::exists(addressFile()));
    TQRForm form(*z, platform.services());
    form.MAd = {u"a@x"};
    std::filesystem::create_directories(addressFile());  // a folder in the file's place
    bool canClose = false;
    try {
        form.FormCloseQuery(canClose);
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), platform.dir.file16("prog/Address.txt") + u" に書き込めません");
    }
    EXPECT_TRUE(canClose) << "the dialog still closes";
}

TEST_F(Assistant, AnAddressFileOfTenMegabytesIsReadWhole) {
    std::string bytes;
    for (int i = 0; bytes.size() < 10'000'000; ++i) bytes += "user" + std::to_string(i) + "@example.org\r\n";
    test::writeBytes(addressFile(), bytes);
    open([](TQRForm& f) {
        ASSERT_GT(f.MAd.size(), 400'000u);
        EXPECT_EQ(f.MAd.front(), u"user0@example.org");
        EXPECT_EQ(f.Address1.Items().size(), kListedAddresses) << "the lists offer the first ones";
        EXPECT_EQ(f.Address2.Items().back(), f.MAd[kListedAddresses - 1]);
    });
    EXPECT_EQ(test::readBytes(addressFile()), bytes) << "written back unchanged";
}

// The palette dialog gives both colours to the window and its component; the standard colour
// dialog the component's colour only.
TEST(Colours, ThePaletteSetsBothAndTheMenuItemsOnlyTheComponents) {
    FakeZerboPlatform platform;
    TZerboCode z(platform.services());
    z.FormCreate();
    auto palette = [&](int32_t result, int32_t fg, int32_t bg) {
        platform.dialogs.onModal = [=](TForm& form) {
            auto& d = dynamic_cast<TColDlg&>(form);
            EXPECT_EQ(d.Caption(), u"色の設定");
            d.ColorPalette1.SetForegroundIndex(fg);
            d.ColorPalette1.SetBackgroundIndex(bg);
            d.ModalResult = result;
        };
        z.Button2.Click();
    };
    palette(mrCancel, 1, 2);
    EXPECT_EQ(z.BarCol, clBlack);
    palette(mrOk, 1, 2);
    EXPECT_EQ(z.BarCol, PaletteColors[1]);
    EXPECT_EQ(z.BackCol, PaletteColors[2]);
    EXPECT_EQ(z.BarImage1.BarColor(), PaletteColors[1]);
    EXPECT_EQ(z.BarImage1.BackColor(), PaletteColors[2]);
    palette(mrOk, kNoColorIndex, 5);  // the strip: no colour keeps the old one
    EXPECT_EQ(z.BarCol, PaletteColors[1]);
    EXPECT_EQ(z.BackCol, PaletteColors[5]);
    platform.dialogs.onModal = nullptr;
    platform.dialogs.answer = true;
    platform.dialogs.colorChoice = 0x00123456;
    z.N18.Click();
    EXPECT_EQ(z.BarImage1.BarColor(), 0x00123456u);
    EXPECT_EQ(z.BarCol, PaletteColors[1]) << "QR symbols keep theirs";
    bool canClose = false;
    z.FormCloseQuery(canClose);
    EXPECT_EQ(platform.readIni().find(u"BarColor"), std::u16string::npos) << "never written";
}

TEST(About, TheBoxShowsTheProgramsVersionAndOpensItsLinks) {
    FakeZerboPlatform platform;
    platform.shell.versions.files[platform.files.programFileName] = {std::pair<uint16_t, uint16_t>{0x0411, 0x04B0},
                                                                     {{u"\\StringFileInfo\\041104b0\\FileVersion", u"1.0.0"}}};
    TZerboCode z(platform.services());
    z.FormCreate();
    platform.dialogs.onModal = [](TForm& form) {
        auto& about = dynamic_cast<TAboutDlg&>(form);
        EXPECT_EQ(about.Caption(), u"Zerboについて");
        EXPECT_EQ(about.Ver.Caption(), u"1.0.0");
        about.URLLink1.MouseDown(TMouseButton::mbLeft, 1, 1);
        about.URLLink2.MouseDown(TMouseButton::mbLeft, 1, 1);
    };
    z.ZerboA1.Click();
    EXPECT_EQ(platform.shell.links,
              (std::vector<std::u16string>{kHomePage, u"mailto:" + std::u16string(kMailAddress)}));
}

} // namespace
} // namespace zerbo::app
