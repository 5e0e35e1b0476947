#include <gtest/gtest.h>

#include <string>

#include "barcode/Encoder.h"
#include "golden_tables.h"
#include "test_patterns.h"

namespace zerbo::barcode {
namespace {

struct Case {
    Encoder encode;
    const char* name;
    std::u16string code;
    bool cd;
    std::u16string symbol; // empty: rejected
};

TEST(TwoOfFive, CheckDigitLeadingZeroAndSymbolText) {
    const Case cases[] = {
        {EncodeITF, "ITF", u"12345", false, u"012345"}, // odd count: a leading '0'
        {EncodeITF, "ITF", u"1234", true, u"012348"},   // check over 01234 is 8
        {EncodeITF, "ITF", u"12345", true, u"123457"},  // with the check the count is even
        {EncodeITF, "ITF", u"12", false, u"12"},
        {EncodeITF, "ITF", u"0", true, u"00"},
        {EncodeIATA, "IATA", u"123", false, u"1236"},   // the check digit always
        {EncodeIATA, "IATA", u"123", true, u"1236"},
        {EncodeCTF, "CTF", u"123", false, u"123"},
        {EncodeCTF, "CTF", u"12345", true, u"123457"},
        {EncodeMATRIX, "MATRIX", u"01234", true, u"012348"},
        {EncodeMATRIX, "MATRIX", u"7", false, u"7"},
        {EncodeNEC, "NEC", u"123", true, u"1236"},
        {EncodeNEC, "NEC", u"9999", true, u"99998"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + std::string(c.code.begin(), c.code.end()));
        std::u16string symbol;
        EXPECT_NE(c.encode({c.code, c.cd}, symbol), "");
        EXPECT_EQ(symbol, c.symbol);
    }
}

TEST(TwoOfFive, RejectsEmptyAndNonDigitText) {
    const Encoder encoders[] = {EncodeITF, EncodeCTF, EncodeIATA, EncodeMATRIX, EncodeNEC};
    const std::u16string bad[] = {u"", u"12a", u" 1", u"\uFF11\uFF12", std::u16string(u"1\0", 2), u"-1"};
    for (const Encoder encode : encoders) {
        for (const auto& code : bad) {
            for (const bool cd : {false, true}) {
                std::u16string symbol = u"stale";
                EXPECT_EQ(encode({code, cd}, symbol), "");
                EXPECT_EQ(symbol, u"");
            }
        }
    }
}

TEST(TwoOfFive, ItfInterleavesPairsBetweenItsGuards) {
    std::u16string symbol;
    const std::string pattern = EncodeITF({u"12345", false}, symbol);
    // Pair (0, 1): the bars of 0 (11331) between the spaces of 1 (20002).
    EXPECT_EQ(pattern.substr(0, 14), "1010" "1210303012");
    EXPECT_EQ(pattern.substr(pattern.size() - 3), "301");
    ASSERT_EQ(pattern.size(), 4u + 3u * 10u + 3u);
    // Every pair has four wide and six narrow elements; no gap between pairs.
    for (std::size_t i = 4; i + 3 < pattern.size(); i += 10) {
        EXPECT_EQ(test::ShapeOf(pattern.substr(i, 10)).wide, 4) << i;
    }
    EXPECT_TRUE(test::ShapeOf(pattern).alternates);
}

TEST(TwoOfFive, SequentialMembersWriteStartDigitsStop) {
    struct Layout {
        Encoder encode;
        std::string start;
        std::string_view golden::TwoOfFiveRow::*digits;
        std::string stop;
    };
    const Layout layouts[] = {
        {EncodeCTF, "303010", &golden::TwoOfFiveRow::ctfIata, "30103"},
        {EncodeIATA, "1010", &golden::TwoOfFiveRow::ctfIata, "301"},
        {EncodeMATRIX, "301010", &golden::TwoOfFiveRow::matrix, "30101"},
        {EncodeNEC, "3030", &golden::TwoOfFiveRow::nec, "123"},
    };
    for (const auto& l : layouts) {
        std::u16string symbol;
        const std::string pattern = l.encode({u"9053", true}, symbol);
        std::string expected = l.start;
        for (const char16_t c : symbol) expected += golden::kTwoOfFive[c - u'0'].*l.digits;
        expected += l.stop;
        EXPECT_EQ(pattern, expected) << l.start;
        EXPECT_EQ(symbol, u"90537"); // 3*3 + 5 + 0*3 + 9 = 23
    }
}

} // namespace
} // namespace zerbo::barcode
