// Argument checks, capacity, segment encoding, terminator and pad codewords.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "QRTestSupport.h"

namespace zerbo::qr::test {
namespace {

enum class Entry { Bytes, Mixed };

int32_t Encode(TQREncoder& enc, Entry entry, int v, int level, const std::string& text,
               std::vector<int32_t>& out) {
    return entry == Entry::Bytes ? enc.EncodeBytes(v, level, text.c_str(), out.data())
                                 : enc.EncodeMixed(v, level, text.c_str(), out.data());
}

TEST(QRData, ResultCodesAndUntouchedOutputOnFailure) {
    struct Case { Entry entry; int version, level; std::string text; int32_t result; };
    const Case cases[] = {
        {Entry::Bytes, 0, 0, "A", qrVersionError},   // version checked before level
        {Entry::Mixed, 41, 9, "A", qrVersionError},
        {Entry::Bytes, -1, 1, "A", qrVersionError},
        {Entry::Bytes, INT_MIN, 1, "A", qrVersionError},
        {Entry::Bytes, INT_MAX, 1, "A", qrVersionError},
        {Entry::Bytes, 1, 0, "A", qrLevelError},
        {Entry::Mixed, 1, 5, "A", qrLevelError},
        {Entry::Bytes, 1, INT_MIN, "A", qrLevelError},
        {Entry::Bytes, 1, 1, std::string(17, 'x'), qrOk},
        {Entry::Bytes, 1, 1, std::string(18, 'x'), qrTooLong},
        {Entry::Bytes, 1, 4, std::string(7, 'x'), qrOk},
        {Entry::Bytes, 1, 4, std::string(8, 'x'), qrTooLong},
        {Entry::Bytes, 40, 1, std::string(2953, 'x'), qrOk},
        {Entry::Bytes, 40, 1, std::string(2954, 'x'), qrTooLong},
        {Entry::Bytes, 40, 4, std::string(1273, '\xFF'), qrOk},
        {Entry::Bytes, 40, 4, std::string(1274, '\xFF'), qrTooLong},
        // The mixed entry checks the byte capacity first, although 41 digits fit in numeric.
        {Entry::Mixed, 1, 1, std::string(30, '7'), qrTooLong},
        {Entry::Mixed, 1, 1, std::string(17, '7'), qrOk},
        // Many short segments need more bits than the byte capacity suggests.
        {Entry::Mixed, 1, 1, "1a1a1a1a1", qrTooLong},
        {Entry::Bytes, 1, 1, "1a1a1a1a1", qrOk},
        {Entry::Mixed, 1, 4, "1ABC12", qrOk},
        {Entry::Mixed, 40, 4, [] { std::string s; for (int i = 0; i < 636; ++i) s += "1a"; return s; }(),
         qrTooLong},
        {Entry::Bytes, 5, 2, "", qrOk},
        {Entry::Mixed, 5, 2, "", qrOk},
    };
    auto enc = NewEncoder();
    for (const auto& c : cases) {
        const int outVersion = c.version >= 1 && c.version <= 40 ? c.version : 40;
        std::vector<int32_t> out = OutputFor(outVersion);
        SCOPED_TRACE(testing::Message() << "version " << c.version << " level " << c.level
                                        << " length " << c.text.size());
        EXPECT_EQ(Encode(*enc, c.entry, c.version, c.level, c.text, out), c.result);
        if (c.result == qrOk) {
            EXPECT_EQ(out[0], 4 * c.version + 25);
        } else {
            for (int32_t v : out) ASSERT_EQ(v, -7) << "output written although refused";
        }
    }
}

TEST(QRData, TextEndsAtItsFirstZeroAndNullPointersAreSafe) {
    auto enc = NewEncoder();
    std::vector<int32_t> out = OutputFor(1);
    ASSERT_EQ(enc->EncodeBytes(1, 2, "ABC\0DEF", out.data()), qrOk);
    const std::string abc(enc->DataCodewords(), enc->DataCodewords() + 5);
    ASSERT_EQ(enc->EncodeBytes(1, 2, "ABC", out.data()), qrOk);
    EXPECT_EQ(std::string(enc->DataCodewords(), enc->DataCodewords() + 5), abc);

    // A null text is the empty text; without an output array nothing can be written.
    ASSERT_EQ(enc->EncodeBytes(1, 2, nullptr, out.data()), qrOk);
    EXPECT_EQ(Hex(enc->DataCodewords(), 4), "40 00 EC 11");
    EXPECT_EQ(enc->EncodeBytes(1, 2, "A", nullptr), qrEncodeError);
    EXPECT_EQ(enc->EncodeMixed(1, 2, "A", nullptr), qrEncodeError);
}

TEST(QRData, ScanStopsAtTheLimitWithoutATerminatingZero) {
    // No zero anywhere in the buffer: reading past it would be caught by the sanitizers.
    const std::vector<char> text(kQRScanLimit, 'a');
    auto enc = NewEncoder();
    std::vector<int32_t> out = OutputFor(40);
    EXPECT_EQ(enc->EncodeBytes(40, 1, text.data(), out.data()), qrTooLong);
    EXPECT_EQ(enc->EncodeMixed(40, 1, text.data(), out.data()), qrTooLong);
}

TEST(QRData, WorkedExampleABCInByteMode) {
    auto enc = NewEncoder();
    std::vector<int32_t> out = OutputFor(1);
    ASSERT_EQ(QREncodeBytes(1, 2, "ABC", out.data()), qrOk);
    ASSERT_EQ(enc->EncodeBytes(1, 2, "ABC", out.data()), qrOk);
    EXPECT_EQ(Hex(enc->DataCodewords(), 16), "40 34 14 24 30 EC 11 EC 11 EC 11 EC 11 EC 11 EC");
}

// After the segments: a terminator of up to four zero bits, zero bits to the byte boundary,
// then pad codewords EC and 11 alternately.
void ExpectTerminatedAndPadded(const TQREncoder& enc, int used, int dataCodewords) {
    const std::string bits = BitText(enc.DataCodewords(), 8 * dataCodewords);
    int pos = used + std::min(4, 8 * dataCodewords - used);
    pos += (8 - pos % 8) % 8;
    EXPECT_EQ(bits.substr(static_cast<size_t>(used), static_cast<size_t>(pos - used)),
              std::string(static_cast<size_t>(pos - used), '0'));
    for (int i = pos / 8, k = 0; i < dataCodewords; ++i, ++k)
        EXPECT_EQ(enc.DataCodewords()[i], k % 2 == 0 ? 0xEC : 0x11) << "pad codeword " << i;
}

TEST(QRData, MixedSegmentsAndTheirBits) {
    struct Case { int version, level; std::string text; std::string segments; };
    const Case cases[] = {
        // Four segments, each with its own indicator and count.
        {1, 1, "A1B2",
         "0010 000000001 001010  0001 0000000001 0001  0010 000000001 001011  0001 0000000001 0010"},
        // Digits in groups of three, two and one.
        {1, 2, "01234567", "0001 0000001000 0000001100 0101011001 1000011"},
        {1, 2, "1234", "0001 0000000100 0001111011 0100"},
        // Alphanumeric pairs and a last single character; "%" and ":" belong to the table.
        {1, 2, "AC-42%:", "0010 000000011 00111001110 101001  0001 0000000010 0101010"
                          "  0010 000000010 11011011010"},
        // Kanji values from the standard's example; lead EB reaches trail BF only.
        {1, 2, "\x93\x5F\xE4\xAA", "1000 00000010 0110110011111 1101010101010"},
        {1, 2, "\xEB\xBF", "1000 00000001 1111111111111"},
        {1, 2, "\xEB\xC0", "0100 00000010 11101011 11000000"},
        // A lone lead byte at the end is a byte, not a kanji.
        {1, 2, "A\x81", "0010 000000001 001010  0100 00000001 10000001"},
        // Half-width katakana, lower case and "!" stay together in one byte segment.
        {1, 2, "\xB1" "a!1", "0100 00000011 10110001 01100001 00100001  0001 0000000001 0001"},
        {1, 2, "ab\x88\x9F", "0100 00000010 01100001 01100010  1000 00000001 0010110011111"},
        // The bits end exactly on the last data bit: no terminator at all.
        {1, 4, "1ABC123", "0001 0000000001 0001  0010 000000011 00111001101 001100"
                          "  0001 0000000011 0001111011"},
        // One to three bits left: that many zero bits and no pad codeword.
        {1, 4, "1ABC12", "0001 0000000001 0001  0010 000000011 00111001101 001100"
                         "  0001 0000000010 0001100"},
        {1, 4, "1ABab", "0001 0000000001 0001  0010 000000010 00111001101  0100 00000010 01100001 01100010"},
        {1, 4, "12ABCa", "0001 0000000010 0001100  0010 000000011 00111001101 001100  0100 00000001 01100001"},
        // Count indicators grow with the version.
        {10, 1, "12", "0001 000000000010 0001100"},
        {27, 1, "A", "0010 0000000000001 001010"},
        {27, 1, "\x88\x9F", "1000 000000000001 0010110011111"},
    };
    auto enc = NewEncoder();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<int32_t> out = OutputFor(c.version);
        ASSERT_EQ(enc->EncodeMixed(c.version, c.level, c.text.c_str(), out.data()), qrOk);
        std::string expected;
        for (char ch : c.segments)
            if (ch != ' ') expected += ch;
        const int d = kQRVersions[c.version].Level[c.level - 1].DataCodewords;
        ASSERT_LE(expected.size(), static_cast<size_t>(8 * d));
        EXPECT_EQ(BitText(enc->DataCodewords(), static_cast<int>(expected.size())), expected);
        ExpectTerminatedAndPadded(*enc, static_cast<int>(expected.size()), d);
    }
}

TEST(QRData, ByteModeCountIndicatorIs16BitsFromVersion10) {
    auto enc = NewEncoder();
    std::vector<int32_t> out = OutputFor(10);
    ASSERT_EQ(enc->EncodeBytes(9, 1, "\x01\xFF", out.data()), qrOk);
    EXPECT_EQ(BitText(enc->DataCodewords(), 28), "0100000000100000000111111111");
    ASSERT_EQ(enc->EncodeBytes(10, 1, "\x01\xFF", out.data()), qrOk);
    EXPECT_EQ(BitText(enc->DataCodewords(), 36), "010000000000000000100000000111111111");
    ExpectTerminatedAndPadded(*enc, 36, kQRVersions[10].Level[0].DataCodewords);
}

} // namespace
} // namespace zerbo::qr::test
