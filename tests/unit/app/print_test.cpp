// The print dialog over a printer that keeps its page: the proposed size, the three ways the
// symbol reaches the page, and the sizes it refuses.
#include <gtest/gtest.h>

#include "FakeServices.h"
#include "app/PrintDialog.h"
#include "app/ZerboCode.h"
#include "core/Error.h"

namespace zerbo::app {
namespace {

using test::FakeZerboPlatform;

class Print : public testing::Test {
protected:
    Print() : z(platform.services()) { z.FormCreate(); }
    // The print command; `user` acts in the dialog once it shows.
    void print(std::function<void(TPrtDlg&)> user) {
        platform.dialogs.onModal = [user](TForm& form) { user(static_cast<TPrtDlg&>(form)); };
        z.P1.Click();
    }
    FakeZerboPlatform platform;
    TZerboCode z;
};

TEST_F(Print, AHundredPixelSourceAt600DpiProposes42MillimetresAndPrints992Dots) {
    z.CdType.SetItemIndex(kQRCodeType);
    z.QRVer.SetValue(2);
    z.ThinWd.SetItemIndex(2);
    z.EditCode.SetText(u"HELLO");
    z.RB_Click(nullptr);
    ASSERT_EQ(z.Image1.Picture().Graphic()->Width(), 100);
    print([](TPrtDlg& d) {
        EXPECT_EQ(d.Caption(), u"印刷");
        EXPECT_EQ(d.Width(), 230);
        EXPECT_EQ(d.Height(), 70);
        EXPECT_EQ(d.PrX.Text(), u"42");
        EXPECT_EQ(d.PrY.Text(), u"42");
        d.Button1.Click();
        EXPECT_EQ(d.ModalResult, mrOk);
        EXPECT_EQ(d.px, 992);
    });
    ASSERT_EQ(platform.printer.drawn.size(), 1u);
    EXPECT_EQ(platform.printer.drawn[0].kind, "metafile");
    EXPECT_EQ(platform.printer.drawn[0].width, 992);
    EXPECT_EQ(platform.printer.drawn[0].height, 992);
    EXPECT_EQ(platform.printer.begun, 1);
    EXPECT_EQ(platform.printer.ended, 1);
}

TEST_F(Print, EachKindOfSymbolReachesThePageItsOwnWay) {
    struct Case {
        int32_t type;
        const char16_t* data;
        bool bitmapKind;
        const char* drawn;
    };
    const Case cases[] = {
        {kQRCodeType, u"HELLO", true, "bitmap"},
        {0, u"4901234567894", true, "resampled"},
        {0, u"4901234567894", false, "metafile"},
    };
    for (const Case& c : cases) {
        FakeZerboPlatform p;
        TZerboCode w(p.services());
        w.FormCreate();
        (c.bitmapKind ? w.CopyBm : w.CopyEmf).Click();
        w.CdType.SetItemIndex(c.type);
        w.EditCode.SetText(c.data);
        w.RB_Click(nullptr);
        p.dialogs.onModal = [](TForm& form) { static_cast<TPrtDlg&>(form).Button1.Click(); };
        w.P1.Click();
        ASSERT_EQ(p.printer.drawn.size(), 1u) << c.drawn;
        const auto& d = p.printer.drawn[0];
        EXPECT_EQ(d.kind, c.drawn);
        if (d.kind == "resampled") {
            // Lanczos3 enlarged the bitmap to the printer's dots: dark bars are there.
            EXPECT_EQ(p.printer.resampled.Width(), d.width);
            EXPECT_EQ(p.printer.resampled.Height(), d.height);
            bool dark = false;
            for (int x = 0; x < d.width && !dark; ++x) dark = p.printer.resampled.Row(d.height / 2)[3 * x] < 64;
            EXPECT_TRUE(dark);
        }
    }
}

TEST_F(Print, CancelPrintsNothingAndSizesNoPageHoldsAreRefusedWithTheDialogLeftOpen) {
    z.CdType.SetItemIndex(0);
    z.EditCode.SetText(u"4901234567894");
    z.RB_Click(nullptr);
    print([](TPrtDlg& d) {
        d.Button2.Click();
        EXPECT_EQ(d.ModalResult, mrCancel);
    });
    for (const char16_t* size : {u"0", u"-5", u"100000"}) {
        print([size](TPrtDlg& d) {
            d.PrX.SetText(size);
            d.Button1.Click();
            EXPECT_EQ(d.ModalResult, 0) << "the dialog stays open";
        });
    }
    EXPECT_EQ(platform.printer.begun, 0);
    ASSERT_EQ(platform.dialogs.errors.size(), 3u);
    EXPECT_NE(platform.dialogs.errors[0].find(u"1000 mm"), std::u16string::npos);
}

TEST_F(Print, TheDocumentIsEndedWhenDrawingFailsAndTheSetupIsThePrinters) {
    z.CdType.SetItemIndex(0);
    z.EditCode.SetText(u"4901234567894");
    z.RB_Click(nullptr);
    platform.printer.failDrawing = true;
    EXPECT_THROW(print([](TPrtDlg& d) { d.Button1.Click(); }), Exception);
    EXPECT_EQ(platform.printer.begun, 1);
    EXPECT_EQ(platform.printer.ended, 1);
    z.N16.Click();
    EXPECT_EQ(platform.printer.setups, 1);
}

} // namespace
} // namespace zerbo::app
