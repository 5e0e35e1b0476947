// Every row of every symbology table, each character encoded alone and compared with its row
// as typed in golden_tables.h.
#include <gtest/gtest.h>

#include <string>

#include "barcode/Code97cd.h"
#include "barcode/Encoder.h"
#include "golden_tables.h"
#include "test_patterns.h"

namespace zerbo::barcode {
namespace {

std::string Str(std::u16string_view s) { return std::string(s.begin(), s.end()); }

std::string Cat(std::initializer_list<std::string_view> parts) {
    std::string out;
    for (const std::string_view p : parts) out += p;
    return out;
}

TEST(Golden, Code39) {
    const std::string_view star = golden::kCode39[43].pattern;
    for (const auto& row : golden::kCode39) {
        if (row.ch == u'*') continue;
        std::u16string symbol;
        EXPECT_EQ(EncodeCODE39({std::u16string(1, row.ch)}, symbol), Cat({star, row.pattern, star})) << char(row.ch);
    }
}

TEST(Golden, Nw7) {
    const std::string_view a = golden::kNw7[16].pattern, b = golden::kNw7[17].pattern;
    for (const auto& row : golden::kNw7) {
        std::u16string symbol;
        EXPECT_EQ(EncodeNW7({std::u16string(1, row.ch), false, u'A', u'B'}, symbol), Cat({a, row.pattern, b}))
            << char(row.ch);
    }
}

TEST(Golden, TwoOfFiveColumns) {
    // ITF: the bars of the first digit of a pair and the spaces of the second, alternating.
    for (char16_t first = u'0'; first <= u'9'; ++first)
        for (char16_t second = u'0'; second <= u'9'; ++second) {
            const std::string_view bars = golden::kTwoOfFive[first - u'0'].itfBars;
            const std::string_view spaces = golden::kTwoOfFive[second - u'0'].itfSpaces;
            std::string pair;
            for (int e = 0; e < 5; ++e) pair += {bars[e], spaces[e]};
            std::u16string symbol;
            EXPECT_EQ(EncodeITF({std::u16string{first, second}}, symbol), Cat({"1010", pair, "301"}))
                << char(first) << char(second);
        }
    const struct {
        Encoder encode;
        std::string_view start;
        std::string_view golden::TwoOfFiveRow::*column;
        std::string_view stop;
    } members[] = {
        {EncodeCTF, "303010", &golden::TwoOfFiveRow::ctfIata, "30103"},
        {EncodeIATA, "1010", &golden::TwoOfFiveRow::ctfIata, "301"},
        {EncodeMATRIX, "301010", &golden::TwoOfFiveRow::matrix, "30101"},
        {EncodeNEC, "3030", &golden::TwoOfFiveRow::nec, "123"},
    };
    for (const auto& m : members)
        for (char16_t d = u'0'; d <= u'9'; ++d) {
            std::u16string symbol;
            const std::string pattern = m.encode({std::u16string(1, d), false}, symbol);
            // IATA adds its check digit whatever CD says; the symbol text names it.
            std::string digits;
            for (const char16_t c : symbol) digits += golden::kTwoOfFive[c - u'0'].*m.column;
            EXPECT_EQ(symbol.substr(0, 1), std::u16string(1, d));
            EXPECT_EQ(pattern, Cat({m.start, digits, m.stop})) << m.start << " " << char(d);
        }
}

TEST(Golden, Code128FourColumns) {
    for (int set = 0; set < 3; ++set)
        for (int v = 0; v < 103; ++v) {
            const golden::Code128Row& row = golden::kCode128[v];
            // One codeword at position 1: the check value is start value + v, modulo 103.
            const std::string_view check = golden::kCode128[(103 + set + v) % 103].pattern;
            std::u16string symbol;
            EXPECT_EQ(EncodeCODE128({test::Typed(row.name[set], set), false, static_cast<char16_t>(u'A' + set)}, symbol),
                      Cat({golden::kCode128Start[set], row.pattern, check, golden::kCode128Stop}))
                << "set " << set << " value " << v << " " << Str(row.name[set]);
        }
    // Control character 5 is named "ENO" in this table, and only so.
    std::u16string symbol;
    EXPECT_EQ(EncodeCODE128({u"<ENQ>", false, u'A'}, symbol), "");
}

TEST(Golden, Code93Characters) {
    for (int v = 0; v < 47; ++v) {
        const golden::TypedPattern& row = golden::kCode93[v];
        // One value: C = v at weight 1, K = C + 2v.
        const std::string_view c = golden::kCode93[v].pattern, k = golden::kCode93[3 * v % 47].pattern;
        std::u16string symbol;
        EXPECT_EQ(EncodeCODE93({row.typed}, symbol),
                  Cat({golden::kCode93Start, row.pattern, c, k, golden::kCode93Stop}))
            << "value " << v << " " << Str(row.typed);
    }
}

TEST(Golden, Code93DisplayTexts) {
    int entries = 0;
    for (const auto& row : golden::kCode93Display) {
        const std::u16string_view texts[] = {row.dollar, row.percent, row.slash, row.plus};
        const std::u16string_view shifts[] = {u"<$>", u"<%>", u"</>", u"<+>"};
        for (int s = 0; s < 4; ++s) {
            const std::u16string key = std::u16string(shifts[s]) + row.letter;
            // A pair without an entry stays as typed. "<$>E" is "ENQ" here, unlike CODE128's "ENO".
            EXPECT_EQ(Code97cd(key), texts[s].empty() ? key : std::u16string(texts[s])) << Str(key);
            entries += !texts[s].empty();
        }
    }
    EXPECT_EQ(entries, 88);
}

TEST(Golden, Customer) {
    const std::string_view filler = golden::kCustomer[14].pattern; // CC4
    std::string fillers;
    for (int i = 0; i < 19; ++i) fillers += filler;
    // A digit or '-' alone and nineteen fillers: the sum is v + 19 x 14, so the check is 19 - v
    // (0 for v = 0), which reaches every row from '-' to CC8 as a check character.
    for (int v = 0; v <= 10; ++v) {
        const golden::TypedPattern& row = golden::kCustomer[v];
        const int check = v == 0 ? 0 : 19 - v;
        std::u16string symbol;
        EXPECT_EQ(EncodeCUSTOMER({row.typed}, symbol),
                  Cat({golden::kCustomerStart, row.pattern, fillers, golden::kCustomer[check].pattern,
                       golden::kCustomerStop}))
            << Str(row.typed);
        EXPECT_EQ(symbol.back(), golden::kCustomerCheckDisplay[check]) << Str(row.typed);
    }
    // Letters: CC1, CC2 or CC3 for the tens, then a digit.
    const struct {
        char16_t letter;
        int tens;
    } letters[] = {{u'A', 11}, {u'K', 12}, {u'U', 13}};
    for (const auto& l : letters) {
        std::u16string symbol;
        const std::string pattern = EncodeCUSTOMER({std::u16string(1, l.letter)}, symbol);
        EXPECT_EQ(pattern.substr(golden::kCustomerStart.size(), 12),
                  Cat({golden::kCustomer[l.tens].pattern, golden::kCustomer[0].pattern}))
            << char(l.letter);
    }
}

} // namespace
} // namespace zerbo::barcode
