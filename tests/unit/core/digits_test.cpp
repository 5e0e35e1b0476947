#include <gtest/gtest.h>

#include "core/Digits.h"

namespace zerbo {
namespace {

TEST(Digits, OnlyAsciiZeroToNine) {
    for (char32_t c : {U'0', U'5', U'9'}) EXPECT_TRUE(IsDigit(c)) << int(c);
    // The neighbours of the range, full-width and Arabic-Indic digits, a Shift-JIS lead byte.
    for (char32_t c : {U'/', U':', U'\0', U'\uFF10', U'\u0660', char32_t{0x83}}) EXPECT_FALSE(IsDigit(c)) << int(c);
    EXPECT_TRUE(AllDigits(u"0123456789"));
    EXPECT_TRUE(AllDigits(u""));
    EXPECT_FALSE(AllDigits(u"12a"));
    EXPECT_FALSE(AllDigits(u"\uFF11\uFF12"));
    EXPECT_FALSE(AllDigits(std::u16string_view(u"1\0", 2)));
}

} // namespace
} // namespace zerbo
