#include <gtest/gtest.h>

#include <set>
#include <string>

#include "barcode/Encoder.h"
#include "barcode/SymbologyTables.h"
#include "test_patterns.h"

namespace zerbo::barcode {
namespace {

using test::ShapeOf;

// Every row of a two-width table: its length, how many elements are wide, that bars and spaces
// alternate from a bar, and (when it has one) the narrow gap at its end.
struct TwoWidthTable {
    const char* name;
    const std::string_view* rows;
    int count;
    int elements;
    bool endsWithGap;
};

void ExpectTwoWidthRow(const TwoWidthTable& t, int row, int wide) {
    const std::string_view p = t.rows[row];
    const auto s = ShapeOf(p);
    SCOPED_TRACE(std::string(t.name) + " row " + std::to_string(row) + " " + std::string(p));
    EXPECT_EQ(s.elements, t.elements);
    EXPECT_EQ(static_cast<int>(p.size()), t.elements);
    EXPECT_TRUE(s.digitsOnly);
    EXPECT_TRUE(s.alternates);
    EXPECT_EQ(p.find_first_not_of("0123"), std::string_view::npos);
    EXPECT_EQ(s.wide, wide);
    if (t.endsWithGap) {
        EXPECT_EQ(p.back(), '0');
    }
}

void ExpectDistinct(const std::string_view* rows, int count, const char* name) {
    const std::set<std::string_view> unique(rows, rows + count);
    EXPECT_EQ(static_cast<int>(unique.size()), count) << name;
}

TEST(SymbologyTables, Code39HasThreeWideOfNineElementsAndAGap) {
    ASSERT_EQ(kCode39Chars.size(), 43u);
    const TwoWidthTable t{"CODE39", kCode39Patterns, 44, 10, true};
    for (int v = 0; v < t.count; ++v) ExpectTwoWidthRow(t, v, 3);
    ExpectDistinct(kCode39Patterns, 44, "CODE39");
}

TEST(SymbologyTables, Nw7HasTwoOrThreeWideOfSevenElementsAndAGap) {
    ASSERT_EQ(kNw7Chars.size(), 20u);
    const TwoWidthTable t{"NW-7", kNw7Patterns, 20, 8, true};
    // Digits, '-' and '$' have two wide elements; ":/.+" and the guards A..D three.
    for (int v = 0; v < t.count; ++v) ExpectTwoWidthRow(t, v, v < 12 ? 2 : 3);
    ExpectDistinct(kNw7Patterns, 20, "NW-7");
}

TEST(SymbologyTables, TwoOfFiveDigitsHaveTwoWideOfFive) {
    const TwoWidthTable withGap[] = {
        {"CTF/IATA", kCtfIataPatterns, 10, 10, true},
        {"MATRIX", kMatrixPatterns, 10, 6, true},
        {"NEC", kNecPatterns, 10, 6, true},
    };
    for (const auto& t : withGap) {
        for (int d = 0; d < 10; ++d) ExpectTwoWidthRow(t, d, 2);
        ExpectDistinct(t.rows, 10, t.name);
    }
    for (int d = 0; d < 10; ++d) {
        SCOPED_TRACE(d);
        const std::string_view bars = kItfBars[d], spaces = kItfSpaces[d];
        ASSERT_EQ(bars.size(), 5u);
        ASSERT_EQ(spaces.size(), 5u);
        EXPECT_EQ(bars.find_first_not_of("13"), std::string_view::npos);
        EXPECT_EQ(ShapeOf(bars).wide, 2);
        std::string asSpaces, ctfBars, ctfSpaces;
        for (const char c : bars) asSpaces += c == '3' ? '2' : '0';
        // The same digit as spaces, and as the five bars of CTF and IATA, each with a narrow space.
        EXPECT_EQ(spaces, asSpaces);
        for (std::size_t e = 0; e < 10; ++e) (e % 2 ? ctfSpaces : ctfBars) += kCtfIataPatterns[d][e];
        EXPECT_EQ(ctfBars, bars);
        EXPECT_EQ(ctfSpaces, "00000");
    }
    ExpectDistinct(kItfBars, 10, "ITF");
}

TEST(SymbologyTables, Code128CharactersAreElevenModulesWithEvenBars) {
    std::set<std::string_view> patterns;
    const auto check = [&](std::string_view p, int elements, int modules, const std::string& what) {
        SCOPED_TRACE(what + " " + std::string(p));
        const auto s = ShapeOf(p);
        EXPECT_EQ(s.elements, elements);
        EXPECT_EQ(static_cast<int>(p.size()), elements);
        EXPECT_TRUE(s.digitsOnly);
        EXPECT_TRUE(s.alternates);
        EXPECT_EQ(p.find_first_not_of("01234567"), std::string_view::npos);
        EXPECT_EQ(s.modules, modules);
        EXPECT_EQ(s.barModules % 2, 0); // the parity the standard builds into every character
        patterns.insert(p);
    };
    for (int v = 0; v < 103; ++v) check(kCode128Table[v].pattern, 6, 11, "value " + std::to_string(v));
    for (int s = 0; s < 3; ++s) check(kCode128Start[s], 6, 11, "start " + std::to_string(s));
    check(kCode128Stop, 7, 13, "stop");
    EXPECT_EQ(patterns.size(), 107u);
}

TEST(SymbologyTables, Code128NamesFollowAsciiAndDigitPairs) {
    for (int set = 0; set < 3; ++set) {
        std::set<std::string_view> names;
        for (int v = 0; v < 103; ++v) names.insert(kCode128Table[v].name[set]);
        EXPECT_EQ(names.size(), 103u) << "set " << set;
    }
    for (int v = 0; v < 103; ++v) {
        SCOPED_TRACE(v);
        const auto& row = kCode128Table[v];
        if (v < 64) {
            EXPECT_EQ(row.name[0], std::string(1, static_cast<char>(v + 32)));
            EXPECT_EQ(row.name[1], row.name[0]);
        } else if (v < 96) {
            EXPECT_GE(row.name[0].size(), 2u); // control character names
            if (v < 95) {
                EXPECT_EQ(row.name[1], std::string(1, static_cast<char>(v + 32)));
            }
        }
        if (v < 100) {
            const std::string pair{static_cast<char>('0' + v / 10), static_cast<char>('0' + v % 10)};
            EXPECT_EQ(row.name[2], pair);
        }
    }
    EXPECT_EQ(kCode128Table[69].name[0], "ENO");
    EXPECT_EQ(kCode128Table[95].name[1], "DEL");
}

TEST(SymbologyTables, Code93CharactersAreNineModules) {
    ASSERT_EQ(kCode93Chars.size(), 47u);
    for (int v = 0; v < 47; ++v) {
        const std::string_view p = kCode93Patterns[v];
        SCOPED_TRACE(std::to_string(v) + " " + std::string(p));
        const auto s = ShapeOf(p);
        EXPECT_EQ(s.elements, 6);
        EXPECT_EQ(p.size(), 6u);
        EXPECT_TRUE(s.alternates);
        EXPECT_EQ(p.find_first_not_of("01234567"), std::string_view::npos);
        EXPECT_EQ(s.modules, 9);
    }
    ExpectDistinct(kCode93Patterns, 47, "CODE93");
    EXPECT_EQ(ShapeOf(kCode93Start).modules, 9);
    EXPECT_TRUE(ShapeOf(kCode93Start).alternates);
    EXPECT_EQ(kCode93Stop, std::string(kCode93Start) + "1");
}

TEST(SymbologyTables, CustomerCharactersAreThreeBarsWithGaps) {
    std::set<std::string_view> unique;
    for (int v = 0; v < 19; ++v) {
        const std::string_view p = kCustomerPatterns[v];
        SCOPED_TRACE(std::to_string(v) + " " + std::string(p));
        ASSERT_EQ(p.size(), 6u);
        for (std::size_t col = 0; col < 6; ++col) {
            if (col % 2 == 0) {
                EXPECT_NE(std::string_view("2367").find(p[col]), std::string_view::npos); // a bar
            } else {
                EXPECT_EQ(p[col], '0'); // the empty column after it
            }
        }
        unique.insert(p);
    }
    EXPECT_EQ(unique.size(), 19u);
    // Guards: two bars each, outside empty columns.
    EXPECT_EQ(kCustomerStart, "007030");
    EXPECT_EQ(kCustomerStop, "307000");
    EXPECT_EQ(kCustomerCheckDisplay.size(), 19u);
}

TEST(SymbologyTables, Code97cdKeysAreShiftAndCapital) {
    std::set<std::u16string_view> keys;
    int perShift[4] = {};
    for (const auto& e : kCode97cd) {
        SCOPED_TRACE(std::string(e.key.begin(), e.key.end()));
        ASSERT_EQ(e.key.size(), 4u);
        EXPECT_EQ(e.key[0], u'<');
        EXPECT_EQ(e.key[2], u'>');
        const auto shift = std::u16string_view(u"$%/+").find(e.key[1]);
        ASSERT_NE(shift, std::u16string_view::npos);
        ++perShift[shift];
        EXPECT_TRUE(e.key[3] >= u'A' && e.key[3] <= u'Z');
        EXPECT_FALSE(e.text.empty());
        keys.insert(e.key);
    }
    EXPECT_EQ(keys.size(), 88u);
    EXPECT_EQ(perShift[0], 26);
    EXPECT_EQ(perShift[1], 26);
    EXPECT_EQ(perShift[2], 10);
    EXPECT_EQ(perShift[3], 26);
}

TEST(EncoderTable, HoldsTheEncoderOfEveryBarTypeOrdinal) {
    const Encoder expected[] = {EncodeCODE39, EncodeNW7,      EncodeITF,     EncodeCTF,
                                EncodeIATA,   EncodeMATRIX,   EncodeNEC,     EncodeCUSTOMER,
                                EncodeCODE128, EncodeCODE93};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(kEncoders[2 + i], expected[i]) << "ordinal " << 2 + i;
}

} // namespace
} // namespace zerbo::barcode
