// The block a second start hands its arguments over in, and the running window's side.
#include <gtest/gtest.h>

#include <array>

#include "FakeServices.h"
#include "app/HandOff.h"
#include "app/ZerboCode.h"

namespace zerbo::app {
namespace {

using Block = std::array<uint8_t, kHandOffBlockSize>;

TEST(HandOffBlock, TheTextFollowsTheBusyWordAsUtf16WithItsZero) {
    Block block{};
    SetBusyWord(block, kHandOffBusy);
    WriteHandOffText(block, JoinHandOffArguments({u"/C39", u"ABC", u"日本"}));
    EXPECT_EQ(block[0], 0xD2);
    EXPECT_EQ(block[1], 0x04);
    EXPECT_EQ(BusyWord(block), 1234u);
    // "/C39" CR LF ...: little-endian units from offset 4.
    EXPECT_EQ(block[4], '/');
    EXPECT_EQ(block[5], 0);
    EXPECT_EQ(block[12], '\r');
    EXPECT_EQ(block[14], '\n');
    EXPECT_EQ(ReadHandOffText(block), u"/C39\r\nABC\r\n日本");
    const size_t end = 4 + 2 * std::u16string(u"/C39\r\nABC\r\n日本").size();
    EXPECT_EQ(block[end], 0);
    EXPECT_EQ(block[end + 1], 0);
    // Writing the text leaves the busy word alone.
    EXPECT_EQ(BusyWord(block), 1234u);
}

TEST(HandOffBlock, ALongTextIsCutToTheBlockWithItsZeroAndAnUnendedOneIsReadToTheEnd) {
    Block block;
    block.fill(0xAB);
    WriteHandOffText(block, std::u16string(5000, u'x'));
    EXPECT_EQ(ReadHandOffText(block), std::u16string(1021, u'x')) << "1022 units, the last the zero";
    EXPECT_EQ(block[kHandOffBlockSize - 2], 0);
    EXPECT_EQ(block[kHandOffBlockSize - 1], 0);

    // Another program's garbage without a zero: read up to the block's end, never past it.
    block.fill(0x41);
    EXPECT_EQ(ReadHandOffText(block), std::u16string(1022, u'\x4141'));
    EXPECT_EQ(JoinHandOffArguments({}), u"");
    EXPECT_EQ(JoinHandOffArguments({u"", u"a"}), u"\r\na");
}

TEST(HandOffReceiver, TheLinesAreProcessedAsACommandLineAndAutomaticCopyStaysOn) {
    test::FakeZerboPlatform platform;
    TZerboCode z(platform.services());
    z.FormCreate();
    z.ReceiveHandOff(u"/C39\r\n\r\nABC\n/TN2\r");
    EXPECT_EQ(z.CdType.ItemIndex(), 2);
    EXPECT_EQ(z.EditCode.Text(), u"ABC");
    EXPECT_EQ(z.ThinWd.ItemIndex(), 1);
    EXPECT_TRUE(z.AutoCopy.Checked());
    EXPECT_EQ(platform.clipboard.Format(), gfx::TClipFormat::EnhMetafile) << "generated and copied";
    z.ReceiveHandOff(u"/EXIT");
    EXPECT_EQ(platform.form.closes, 1) << "a hand-off's exit ends the running program";
}

} // namespace
} // namespace zerbo::app
