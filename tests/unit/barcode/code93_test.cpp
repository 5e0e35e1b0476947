#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "barcode/Code97cd.h"
#include "barcode/Encoder.h"
#include "test_patterns.h"

namespace zerbo::barcode {
namespace {

struct Case {
    std::u16string code;
    std::u16string symbol;   // empty: rejected
    std::vector<int> values; // data, C, K
};

TEST(EncodeCODE93, ChecksShiftsAndDisplay) {
    const Case cases[] = {
        {u"TEST93", u"TEST93+6", {29, 14, 28, 29, 9, 3, 41, 6}},
        {u"A", u"AAU", {10, 10, 30}},
        // Shift pairs are shown as the ASCII character they stand for.
        {u"<+>A<+>B", u"abZ%", {46, 10, 46, 11, 35, 42}},
        {u"<%>U<$>M<%>G</>A1", u"NULCR<!15U", {44, 30, 43, 22, 44, 16, 45, 10, 1, 5, 30}},
        // A pair that is no display key stays as typed.
        {u"<$>1", u"<$>1/U", {43, 1, 40, 30}},
        // A check character that is a shift shows in brackets, and joins a following letter.
        {u"Q ", u"Q <$>9", {26, 38, 43, 9}},
        {u"YP", u"YPa", {34, 25, 46, 10}},
        // Weights cycle: C after 20 values, K after 14.
        {u"ZZZZZZZZZZZZZZZ", u"ZZZZZZZZZZZZZZZHY", {35, 35, 35, 35, 35, 35, 35, 35, 35, 35, 35, 35, 35, 35, 35, 17, 34}},
        {u"ZZZZZZZZZZZZZZZZZZZZZ", u"ZZZZZZZZZZZZZZZZZZZZZ6S",
         {35, 35, 35, 35, 35, 35, 35, 35, 35, 35, 35, 35, 35, 35, 35, 35, 35, 35, 35, 35, 35, 6, 28}},
        {u"THE QUICK BROWN FOX 1234-5.6/7+8%9$0", u"THE QUICK BROWN FOX 1234-5.6/7+8%9$0Q6", {}},
        // Failures: lower case, the internal characters typed directly, broken shifts.
        {u"a", u"", {}},
        {u"!", u"", {}},
        {u"A@", u"", {}},
        {u"<", u"", {}},
        {u"A<", u"", {}},
        {u"A<$", u"", {}},
        {u"<$", u"", {}},
        {u"<$]", u"", {}},
        {u"<X>", u"", {}},
        {u"<$$>", u"", {}},
        {u"<>>", u"", {}},
        {std::u16string(u"<$\0", 3), u"", {}},
        {u"", u"", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.code.begin(), c.code.end()));
        std::u16string symbol = u"stale";
        const std::string pattern = EncodeCODE93({c.code}, symbol);
        EXPECT_EQ(symbol, c.symbol);
        if (c.symbol.empty()) {
            EXPECT_EQ(pattern, "");
        } else if (!c.values.empty()) {
            EXPECT_EQ(test::Code93ValuesOf(pattern), c.values);
        } else {
            EXPECT_EQ(test::Code93ValuesOf(pattern).size(), c.code.size() + 2);
        }
    }
}

TEST(Code97cd, RewritesKeysFromLeftToRight) {
    const struct {
        std::u16string in, out;
    } cases[] = {
        {u"", u""},
        {u"<+>A", u"a"},
        {u"<+>a", u"<+>a"},         // keys take capitals only
        {u"<+><+>A", u"<+>a"},      // the first '<' starts no key, the second does
        {u"</>D", u"</>D"},         // a slash pair without an entry
        {u"</>Z<%>L<%>W", u":\\`"},
        {u"<%>X<%>Y<%>Z<%>T", u"DELDELDELDEL"},
        {u"<$>", u"<$>"},           // too short to be a key
        {u"A<$>J", u"ALF"},
    };
    for (const auto& c : cases) EXPECT_EQ(Code97cd(c.in), c.out) << std::string(c.in.begin(), c.in.end());
}

} // namespace
} // namespace zerbo::barcode
