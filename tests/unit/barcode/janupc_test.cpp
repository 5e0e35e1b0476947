#include <gtest/gtest.h>

#include <random>
#include <string>

#include "barcode/CheckDigit.h"
#include "barcode/Encoder.h"
#include "barcode/JanUpc.h"
#include "core/Text.h"
#include "zint_modules.h"

using namespace zerbo;
using namespace zerbo::barcode;

namespace {

struct Encoded {
    std::string pattern;
    std::u16string symbol;
};

Encoded Encode(Encoder encode, std::u16string_view code) {
    Encoded e;
    e.symbol = u"stale"; // an encoder empties it first
    e.pattern = encode(EncodeInput{code}, e.symbol);
    return e;
}

} // namespace

TEST(CheckDigit, WorkedExamples) {
    EXPECT_EQ(CheckDigit(u"490123456789"), u'4');
    EXPECT_EQ(CheckDigit(u"4901234"), u'7');
    EXPECT_EQ(CheckDigit(u"03600029145"), u'2');
    EXPECT_EQ(CheckDigit(u"0000000"), u'0');
    // The two-of-five family's own examples.
    EXPECT_EQ(CheckDigit(u"01234"), u'8');
    EXPECT_EQ(CheckDigit(u"12345"), u'7');
    EXPECT_EQ(CheckDigit(u"123"), u'6');
}

TEST(EncodeJAN, AcceptsAndDrawsAsDescribed) {
    struct Case {
        std::u16string code, symbol;
        size_t modules;
    };
    const Case cases[] = {
        {u"490123456789", u"4901234567894", 96},
        {u"4901234567890", u"4901234567890", 96}, // a given check digit is drawn unchanged, even a wrong one
        {u"4901234", u"49012347", 68},
        {u"49012347", u"49012347", 68},
    };
    for (const Case& c : cases) {
        const Encoded e = Encode(EncodeJAN, c.code);
        EXPECT_EQ(e.symbol, c.symbol) << ToUtf8(c.code);
        EXPECT_EQ(e.pattern.size(), c.modules) << ToUtf8(c.code);
        EXPECT_EQ(e.pattern.find_first_not_of("01"), std::string::npos);
        EXPECT_EQ(e.pattern.substr(0, 3), "101");
        EXPECT_EQ(e.pattern.substr(e.pattern.size() - 4), "1010");
    }
    // EAN-13 4901234567894 module by module: start, 901234 in parity LGLLGG (first digit 4 is
    // 101100), centre, 567894 in R, end.
    EXPECT_EQ(Encode(EncodeJAN, u"4901234567894").pattern,
              "101"
              "0001011" "0100111" "0011001" "0010011" "0100001" "0011101"
              "01010"
              "1001110" "1010000" "1000100" "1001000" "1110100" "1011100"
              "1010");
}

TEST(EncodeJAN, FirstDigitZeroIsUpcA) {
    EXPECT_EQ(Encode(EncodeJAN, u"0036000291452").pattern, Encode(EncodeUPC, u"03600029145").pattern);
}

TEST(EncodeUPC, AcceptsAndDrawsAsDescribed) {
    struct Case {
        std::u16string code, symbol;
        size_t modules;
    };
    const Case cases[] = {
        {u"03600029145", u"036000291452", 96},
        {u"0425261", u"04252614", 52}, // check digit of its UPC-A form 04210000526
    };
    for (const Case& c : cases) {
        const Encoded e = Encode(EncodeUPC, c.code);
        EXPECT_EQ(e.symbol, c.symbol) << ToUtf8(c.code);
        EXPECT_EQ(e.pattern.size(), c.modules) << ToUtf8(c.code);
    }
    EXPECT_EQ(Encode(EncodeUPC, u"0425261").pattern.substr(45), "0101010");
}

TEST(EncodeUPC, CheckDigitZeroGivesParityEEEOOO) {
    // UPC-A form 01234300005, check digit 0.
    const std::u16string code = u"0123435";
    ASSERT_EQ(CheckDigit(UPCEToUPCA(code)), u'0');
    const Encoded e = Encode(EncodeUPC, code);
    ASSERT_EQ(e.symbol, u"01234350");
    // Digits 1 2 3 in G (even), 4 3 5 in L (odd).
    EXPECT_EQ(e.pattern, "101"
                         "0110011" "0011011" "0100001" "0100011" "0111101" "0110001"
                         "0101010");
}

// Whatever the text, a rejection is an empty pattern and an empty symbol.
TEST(EncodeJanUpc, RejectsBadCodes) {
    const std::u16string bad[] = {
        u"",
        u"4901234567",    // 10 digits
        u"49012345678A",  // a letter
        u"４９０１２３４", // full-width digits
        std::u16string(u"4901234\0" "5678", 12),
        std::u16string(u"49012\xD800" "4", 7),   // unpaired surrogate
        std::u16string(10000, u'1'),
        u"ばーこーど１２",
        u"-490123",
    };
    for (Encoder encode : {EncodeJAN, EncodeUPC})
        for (const auto& code : bad) {
            const Encoded e = Encode(encode, code);
            EXPECT_TRUE(e.pattern.empty()) << ToUtf8(code);
            EXPECT_TRUE(e.symbol.empty()) << ToUtf8(code);
        }
    for (const char16_t* code : {u"1425261", u"0123405", u"0360002914", u"036000291452"}) {
        EXPECT_TRUE(Encode(EncodeUPC, code).pattern.empty()) << ToUtf8(code);
        EXPECT_TRUE(Encode(EncodeUPC, code).symbol.empty()) << ToUtf8(code);
    }
}

TEST(UpcConversion, WorkedExamples) {
    EXPECT_EQ(UPCAToUPCE(u"01230000045"), u"0123453");
    EXPECT_EQ(UPCAToUPCE(u"04210000526"), u"0425261");
    EXPECT_EQ(UPCAToUPCE(u"03600029145"), u"");
    EXPECT_EQ(UPCAToUPCE(u"12345678901"), u"");
    EXPECT_EQ(UPCEToUPCA(u"0123464"), u"01234000006");
    EXPECT_EQ(UPCEToUPCA(u"0425261"), u"04210000526");
    EXPECT_EQ(UPCEToUPCA(u"0123405"), u"");
    EXPECT_EQ(UPCEToUPCA(u"1425261"), u"");
    // One case per rule, both ways.
    struct Case {
        std::u16string a, e;
    };
    const Case rules[] = {
        {u"01234500007", u"0123457"}, // last digit 5..9
        {u"01234000005", u"0123454"}, // 4
        {u"01340000056", u"0134563"}, // 3
        {u"01220000345", u"0123452"}, // 0..2
    };
    for (const Case& c : rules) {
        EXPECT_EQ(UPCAToUPCE(c.a), c.e) << ToUtf8(c.a);
        EXPECT_EQ(UPCEToUPCA(c.e), c.a) << ToUtf8(c.e);
    }
    // Wrong lengths are refused without reading past the end.
    for (const char16_t* s : {u"", u"0", u"012345", u"01234567", u"0123456789", u"012345678901"}) {
        EXPECT_EQ(UPCAToUPCE(s), u"");
        EXPECT_EQ(UPCEToUPCA(s), u"");
    }
}

TEST(UpcConversion, EveryUpcECodeRoundTrips) {
    int converted = 0;
    std::u16string e = u"0000000";
    for (int n = 0; n < 1000000; ++n) {
        for (int i = 6, v = n; i >= 1; --i, v /= 10) e[i] = static_cast<char16_t>(u'0' + v % 10);
        const std::u16string a = UPCEToUPCA(e);
        if (a.empty()) continue;
        ++converted;
        ASSERT_EQ(a.size(), 11u);
        ASSERT_EQ(UPCAToUPCE(a), e) << ToUtf8(e) << " -> " << ToUtf8(a);
    }
    // Rejected (the other four digits free): last digit 5..9 after a 0, 4 with a 0 in the
    // fifth place, 3 with 0..2 in the fourth.
    EXPECT_EQ(converted, 1000000 - 5 * 10000 - 10000 - 3 * 10000);
}

// A reader's view of the modules: zint's tables against ours, over many codes.
TEST(EncodeJanUpc, ModulesMatchZint) {
    std::mt19937 rng(12345);
    auto digits = [&](int n) {
        std::string s;
        for (int i = 0; i < n; ++i) s += static_cast<char>('0' + rng() % 10);
        return s;
    };
    for (int i = 0; i < 200; ++i) {
        const std::string jan13 = digits(12), jan8 = digits(7), upca = digits(11);
        EXPECT_EQ(test::WithoutTrailingSpace(Encode(EncodeJAN, FromUtf8(jan13)).pattern), test::ZintModules(BARCODE_EANX, jan13)) << jan13;
        EXPECT_EQ(test::WithoutTrailingSpace(Encode(EncodeJAN, FromUtf8(jan8)).pattern), test::ZintModules(BARCODE_EANX, jan8)) << jan8;
        EXPECT_EQ(test::WithoutTrailingSpace(Encode(EncodeUPC, FromUtf8(upca)).pattern), test::ZintModules(BARCODE_UPCA, upca)) << upca;
        const std::string upce = "0" + digits(6);
        const Encoded e = Encode(EncodeUPC, FromUtf8(upce));
        if (!e.pattern.empty()) {
            EXPECT_EQ(test::WithoutTrailingSpace(e.pattern), test::ZintModules(BARCODE_UPCE, upce)) << upce;
        }
    }
}
