#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "barcode/BarImage.h"
#include "barcode/Code128.h"
#include "barcode/Encoder.h"
#include "test_patterns.h"

namespace zerbo::barcode {
namespace {

struct Case {
    std::u16string code;
    char16_t start;
    std::u16string symbol;   // empty: rejected
    std::vector<int> values; // start, data, check
};

TEST(EncodeCODE128, EncodesNamesEscapesShiftsAndSwitches) {
    const Case cases[] = {
        // Worked examples.
        {u"ABC", u'B', u"BABC!", {104, 33, 34, 35, 1}},
        {u"123456", u'C', u"C123456<44>", {105, 12, 34, 56, 44}},
        {u"<FNC1>0123<CODEB>x", u'C', u"C<FNC1>0123<CODEB>xx", {105, 102, 1, 23, 100, 88, 88}},
        // 'D' starts in set A and shows 'A'.
        {u"ABC", u'D', u"AABC ", {103, 33, 34, 35, 0}},
        // Names are case-insensitive, single characters are not.
        {u"<fnc1>A", u'B', u"B<fnc1>Ab", {104, 102, 33, 66}},
        {u"a", u'B', u"Bab", {104, 65, 66}},
        {u"a", u'A', u"", {}},
        {u"<a>", u'A', u"A<a>A", {103, 33, 33}},
        // "<<" is a literal '<'; '>' makes the next character literal.
        {u"<<", u'A', u"A<<<<", {103, 28, 28}},
        {u"<<", u'B', u"B<<=", {104, 28, 29}},
        {u"<<", u'C', u"", {}},
        {u">>", u'A', u"A>>>>", {103, 30, 30}},
        {u">A>a", u'B', u"B>A>a]", {104, 33, 65, 61}},
        // Set C: digit pairs; an odd digit fails; a switch lets one through.
        {u"123", u'C', u"", {}},
        {u"12<CODEB>3", u'C', u"C12<CODEB>3a", {105, 12, 100, 19, 65}},
        {u"<05>", u'C', u"C<05><07>", {105, 5, 7}},
        {u"1A", u'C', u"", {}},
        {u"<SHIFT>12", u'C', u"", {}},
        // A shift reads one token from the other set, then the set returns.
        {u"<SHIFT>aA", u'A', u"A<SHIFT>aA2", {103, 98, 65, 33, 18}},
        {u"<SHIFT>ab", u'A', u"", {}},
        {u"<SHIFT><NUL>a", u'B', u"B<SHIFT><NUL>a*", {104, 98, 64, 65, 10}},
        // A switch keeps a pending shift, which returns after the next token.
        {u"<SHIFT><CODEC>12A", u'A', u"A<SHIFT><CODEC>12AT", {103, 98, 99, 12, 33, 52}},
        // Switches by the name of the current set; a redundant one fails.
        {u"<CODEB>a", u'A', u"A<CODEB>a8", {103, 100, 65, 24}},
        {u"<CODEA>", u'A', u"", {}},
        {u"<FNC4>A", u'A', u"A<FNC4>A<NUL>", {103, 101, 33, 64}},
        {u"<CODEA><NUL>", u'B', u"B<CODEA><NUL>8", {104, 101, 64, 24}},
        {u"<FNC4>", u'B', u"B<FNC4><CODEA>", {104, 100, 101}},
        {u"<CODEC>12", u'A', u"A<CODEC>12<20>", {103, 99, 12, 20}},
        // Grave accent in set B; apostrophe in both.
        {u"`", u'B', u"B`a", {104, 64, 65}},
        {u"'", u'A', u"A''", {103, 7, 7}},
        {u"'", u'B', u"B'(", {104, 7, 8}},
        // The check character as typed: "<<", ">>", a name in brackets, a space.
        {u";", u'B', u"B;<<", {104, 27, 28}},
        {u"=", u'B', u"B=>>", {104, 29, 30}},
        {u"<ENO>", u'A', u"A<ENO><ENO>", {103, 69, 69}},
        {u" ", u'A', u"A  ", {103, 0, 0}},
        {u"0050", u'C', u"C0050<FNC1>", {105, 0, 50, 102}},
        // Names left open, unknown names, nothing after '>', characters outside the sets.
        {u"<FNC1", u'A', u"", {}},
        {u"A<", u'A', u"", {}},
        {u"<A", u'A', u"", {}},
        {u"A>", u'A', u"", {}},
        {u"<>", u'A', u"", {}},
        {u"<FNC5>", u'A', u"", {}},
        {u"<SHIFTX>", u'A', u"", {}},
        {u"\u00E9", u'B', u"", {}},
        {std::u16string(u"\0", 1), u'A', u"", {}},
        {u"\x7F", u'B', u"", {}},       // DEL is typed as its name
        {u"<DEL>", u'B', u"B<DEL><FNC3>", {104, 95, 96}},
        {u"", u'A', u"", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.code.begin(), c.code.end()) + " start " + static_cast<char>(c.start));
        std::u16string symbol = u"stale";
        const std::string pattern = EncodeCODE128({c.code, false, c.start}, symbol);
        EXPECT_EQ(symbol, c.symbol);
        if (c.symbol.empty()) {
            EXPECT_EQ(pattern, "");
        } else {
            EXPECT_EQ(test::Code128ValuesOf(pattern), c.values);
        }
    }
}

TEST(EncodeCODE128, StartCharDFallsBackToAInTheComponent) {
    for (const char16_t* code : {u"ABC", u"abc"}) { // accepted and rejected alike
        TBarImage image(nullptr);
        image.SetBarType(cbarCODE128);
        image.SetStartChar(u'D');
        EXPECT_EQ(image.StartChar(), u'D');
        image.SetCode(code);
        EXPECT_EQ(image.StartChar(), u'A');
    }
    // NW-7 keeps its 'D'.
    TBarImage nw7(nullptr);
    nw7.SetBarType(cbarNW7);
    nw7.SetStartChar(u'D');
    nw7.SetCode(u"123");
    EXPECT_TRUE(nw7.BarDisped());
    EXPECT_EQ(nw7.StartChar(), u'D');
}

TEST(EncodeCODE128, WorkedExamplePatternInFull) {
    std::u16string symbol;
    EXPECT_EQ(EncodeCODE128({u"ABC", false, u'B'}, symbol),
              "301216" "101434" "141034" "141430" "323032" "3450103");
}

TEST(EncodeCODE128, CheckSumStaysExactOverLongTexts) {
    // 6000 codewords: value x position would pass 2^31 summed naively.
    const std::u16string code(12000, u'9');
    std::u16string symbol;
    const auto values = test::Code128ValuesOf(EncodeCODE128({code, false, u'C'}, symbol));
    ASSERT_EQ(values.size(), 6002u);
    long long sum = 105;
    for (std::size_t p = 1; p <= 6000; ++p) sum += 99LL * static_cast<long long>(p);
    EXPECT_EQ(values.back(), static_cast<int>(sum % 103));
}

// The fast paths of the lookup must agree with a plain scan of the table's rows.
int ScanTable(int set, std::u16string_view token) {
    for (int v = 0; v < 103; ++v)
        if (golden::kCode128[v].name[set] == token) return v;
    return -1;
}

TEST(Code128Value, AgreesWithTheTableForEveryShortToken) {
    for (int set = 0; set < 3; ++set) {
        for (int v = 0; v < 103; ++v) {
            const std::u16string_view name = golden::kCode128[v].name[set];
            EXPECT_EQ(Code128Value(set, name), v) << set << " " << std::string(name.begin(), name.end());
        }
        for (char32_t c = 0; c <= 0xFFFF; ++c) {
            const char16_t one[1] = {static_cast<char16_t>(c)};
            ASSERT_EQ(Code128Value(set, {one, 1}), ScanTable(set, {one, 1})) << set << " " << static_cast<int>(c);
        }
        for (char16_t a = 0; a < 0x80; ++a) {
            for (char16_t b = 0; b < 0x80; ++b) {
                const char16_t two[2] = {a, b};
                ASSERT_EQ(Code128Value(set, {two, 2}), ScanTable(set, {two, 2})) << set << " " << int{a} << " " << int{b};
            }
        }
    }
    EXPECT_EQ(Code128Value(3, u"A"), -1);
    EXPECT_EQ(Code128Value(0, u""), -1);
}

} // namespace
} // namespace zerbo::barcode
