// TBarImage::CopyToClipboard: which format goes to the clipboard for each picture kind, and
// what goes when the last regeneration drew nothing.
#include <gtest/gtest.h>

#include "BarTestUtil.h"
#include "barcode/BarImage.h"
#include "gfx/Clipboard.h"

using namespace zerbo;
using namespace zerbo::barcode;
using namespace zerbo::barcode::testing;
using gfx::TClipFormat;

TEST(CopyToClipboard, EachPictureKindPutsItsOwnFormatOnly) {
    struct Case {
        TBarPictures kind;
        TClipFormat format;
    };
    for (const Case c : {Case{pbarBMP, TClipFormat::Bitmap}, Case{pbarEMF, TClipFormat::EnhMetafile},
                         Case{pbarWMF, TClipFormat::MetafilePict}}) {
        SCOPED_TRACE(c.kind);
        TBarImage image(nullptr);
        image.SetMatch(true);
        image.SetBarPicture(c.kind);
        image.SetCode(u"490123456789");
        ASSERT_TRUE(image.BarDisped());
        gfx::TMemoryClipboard clipboard;
        clipboard.PutText(u"earlier");
        image.CopyToClipboard(clipboard);
        EXPECT_EQ(clipboard.Format(), c.format);
        EXPECT_EQ(clipboard.Text(), u"");
        EXPECT_EQ(clipboard.Puts, 2);
        if (c.kind == pbarBMP) {
            EXPECT_EQ(clipboard.Bitmap().Width(), image.Width());
            EXPECT_EQ(clipboard.Bitmap().Height(), image.Height());
        } else {
            // The metafile is one pixel larger each way than the control it was drawn for.
            EXPECT_EQ(clipboard.MetafileWidth(), image.Width() + 1);
            EXPECT_EQ(clipboard.MetafileHeight(), image.Height() + 1);
            EXPECT_EQ(clipboard.MetafileRecords().size(), MetafileOf(image).Records().size());
        }
    }
}

TEST(CopyToClipboard, RejectedCodeCopiesThePreviousBitmap) {
    TBarImage image(nullptr);
    image.SetMatch(true);
    image.SetCode(u"490123456789");
    const gfx::TBitmap24 drawn = BitmapOf(image);
    image.SetCode(u"12X");
    ASSERT_TRUE(image.Error());
    ASSERT_FALSE(image.BarDisped());
    gfx::TMemoryClipboard clipboard;
    image.CopyToClipboard(clipboard);
    ASSERT_EQ(clipboard.Format(), TClipFormat::Bitmap);
    ASSERT_EQ(clipboard.Bitmap().Width(), drawn.Width());
    ASSERT_EQ(clipboard.Bitmap().Height(), drawn.Height());
    for (int y = 0; y < drawn.Height(); ++y)
        ASSERT_EQ(RowOf(clipboard.Bitmap(), y, 0, drawn.Width()), RowOf(drawn, y, 0, drawn.Width())) << "row " << y;
}

TEST(CopyToClipboard, NothingDrawnPutsWhatThePictureHoldsInItsOwnFormat) {
    // A rejected code with a metafile kind leaves the undrawn bitmap: that goes as a bitmap,
    // not as a metafile picture.
    TBarImage image(nullptr);
    image.SetMatch(true);
    image.SetBarPicture(pbarWMF);
    image.SetCode(u"490123456789");
    image.SetCode(u"12X");
    ASSERT_FALSE(image.BarDisped());
    gfx::TMemoryClipboard clipboard;
    image.CopyToClipboard(clipboard);
    EXPECT_EQ(clipboard.Format(), TClipFormat::Bitmap);

    // A kind chosen while there was no code to redraw: the drawn bitmap stays and is copied
    // as it is, rather than an empty metafile in its place.
    TBarImage drawn(nullptr);
    drawn.SetMatch(true);
    drawn.SetCode(u"490123456789");
    drawn.SetCode(u"");
    drawn.SetBarPicture(pbarEMF);
    ASSERT_TRUE(drawn.BarDisped());
    drawn.CopyToClipboard(clipboard);
    EXPECT_EQ(clipboard.Format(), TClipFormat::Bitmap);
    EXPECT_EQ(clipboard.Bitmap().Width(), drawn.Width());
    EXPECT_NE(drawn.Picture().AsBitmap(), nullptr);
}

TEST(CopyToClipboard, ClipboardHeldElsewhereRaisesAndKeepsItsContent) {
    TBarImage image(nullptr);
    image.SetCode(u"490123456789");
    gfx::TMemoryClipboard clipboard;
    clipboard.PutText(u"kept");
    clipboard.HeldElsewhere = true;
    EXPECT_THROW(image.CopyToClipboard(clipboard), gfx::EClipboardError);
    EXPECT_EQ(clipboard.Format(), TClipFormat::Text);
    EXPECT_EQ(clipboard.Text(), u"kept");
}
