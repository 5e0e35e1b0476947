#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "barcode/Encoder.h"
#include "golden_tables.h"

namespace zerbo::barcode {
namespace {

// The pattern a symbol text must have: the row of each of its characters, in order.
template <std::size_t N>
std::string RowsOf(std::u16string_view symbol, const golden::CharPattern (&rows)[N]) {
    std::string out;
    for (const char16_t c : symbol) {
        const auto row = std::find_if(std::begin(rows), std::end(rows), [c](const auto& r) { return r.ch == c; });
        if (row == std::end(rows)) return "?";
        out += row->pattern;
    }
    return out;
}

struct Case {
    std::u16string code;
    bool cd;
    char16_t start, stop;
    std::u16string symbol; // empty: rejected
};

TEST(EncodeCODE39, AddsGuardsAndTheOptionalModulo43Check) {
    const Case cases[] = {
        {u"CODE39", true, 0, 0, u"*CODE39W*"}, // check value 32
        {u"CODE39", false, 0, 0, u"*CODE39*"},
        {u"A B", false, 0, 0, u"*A B*"},       // space is value 38
        {u"%%", true, 0, 0, u"*%%+*"},         // 84 mod 43 = 41
        {u"0", true, 0, 0, u"*00*"},
        {u"-. $/+%", false, 0, 0, u"*-. $/+%*"},
        {u"", false, 0, 0, u""},
        {u"abc", false, 0, 0, u""},            // lower case is rejected, not converted
        {u"A*B", true, 0, 0, u""},             // the guard cannot be data
        {u"\uFF21", false, 0, 0, u""},         // full-width A
        {std::u16string(u"A\0B", 3), false, 0, 0, u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.code.begin(), c.code.end()));
        std::u16string symbol = u"stale";
        const std::string pattern = EncodeCODE39({c.code, c.cd}, symbol);
        EXPECT_EQ(symbol, c.symbol);
        if (c.symbol.empty()) {
            EXPECT_EQ(pattern, "");
        } else {
            EXPECT_EQ(pattern, RowsOf(c.symbol, golden::kCode39));
        }
    }
}

TEST(EncodeCODE39, EveryCharacterIsThreeWideAndSevenNarrowElements) {
    std::u16string symbol;
    const std::string pattern = EncodeCODE39({u"CODE39", true}, symbol);
    ASSERT_EQ(pattern.size(), 9u * 10u); // two guards, six characters, the check
    for (std::size_t i = 0; i < pattern.size(); i += 10) {
        const std::string_view ch(pattern.data() + i, 10);
        EXPECT_EQ(std::count_if(ch.begin(), ch.end(), [](char e) { return e >= '2'; }), 3) << ch;
        EXPECT_EQ(ch.back(), '0') << ch; // the gap, kept by the last character too
    }
}

TEST(EncodeNW7, UsesStartAndStopAndTheOptionalModulo16Check) {
    const Case cases[] = {
        {u"1234", true, u'A', u'B', u"A12345B"},
        {u"0", true, u'D', u'D', u"D0-D"},      // sum 38, check value 10
        {u"0", true, u'A', u'A', u"A00A"},      // sum 32: check value 0, not 16
        {u"A1B", false, u'A', u'A', u"AA1BA"},  // guards inside the data are accepted
        {u"12", false, u'C', u'D', u"C12D"},
        {u"-$:/.+", true, u'B', u'C', u"B-$:/.+2C"},
        {u"12", false, u'E', u'\0', u"A12A"},   // out-of-range guards are taken as 'A'
        {u"", true, u'A', u'A', u""},
        {u"1a", false, u'A', u'A', u""},
        {u"E", false, u'A', u'A', u""},
        {u"*", false, u'A', u'A', u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.code.begin(), c.code.end()));
        std::u16string symbol = u"stale";
        const std::string pattern = EncodeNW7({c.code, c.cd, c.start, c.stop}, symbol);
        EXPECT_EQ(symbol, c.symbol);
        if (c.symbol.empty()) {
            EXPECT_EQ(pattern, "");
        } else {
            EXPECT_EQ(pattern, RowsOf(c.symbol, golden::kNw7));
        }
    }
}

} // namespace
} // namespace zerbo::barcode
