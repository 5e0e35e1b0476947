#include <gtest/gtest.h>

#include <cmath>

#include "core/Convert.h"
#include "core/Error.h"
#include "core/Text.h"

namespace zerbo {
namespace {

struct IntCase {
    const char* text;
    bool ok;
    int32_t value;
};

TEST(Convert, StrToIntFollowsTheRuntimeRules) {
    const IntCase cases[] = {
        {"0", true, 0},           {"123", true, 123},         {"  -45", true, -45},
        {"+7", true, 7},          {"$1F", true, 31},          {"0x1F", true, 31},
        {"0X1f", true, 31},       {"x10", true, 16},          {"-$10", true, -16},
        {"$FFFFFFFF", true, -1},  {"$80000000", true, INT32_MIN},
        {"2147483647", true, INT32_MAX}, {"-2147483648", true, INT32_MIN},
        {"2147483648", false, 0}, {"99999999999", false, 0},  {"$123456789", false, 0},
        {"", false, 0},           {"  ", false, 0},           {"-", false, 0},
        {"0x", false, 0},         {"$", false, 0},            {"12 ", false, 0},
        {"1a", false, 0},         {"abc", false, 0},          {"0x1G", false, 0},
        {"１２", false, 0},  // full-width digits are no digits
    };
    for (const auto& c : cases) {
        int32_t v = -999;
        EXPECT_EQ(TryStrToInt(FromUtf8(c.text), v), c.ok) << c.text;
        if (c.ok) { EXPECT_EQ(v, c.value) << c.text; }
        EXPECT_EQ(StrToIntDef(FromUtf8(c.text), -999), c.ok ? c.value : -999) << c.text;
    }
}

TEST(Convert, StrToIntRaisesTheRuntimeMessage) {
    try {
        StrToInt(u"12x");
        FAIL() << "no error raised";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), u"''12x'' は整数ではありません");
        EXPECT_STREQ(e.what(), "''12x'' は整数ではありません");
    }
}

TEST(Convert, IntToHexPadsAndUsesUpperCase) {
    EXPECT_EQ(IntToHex(0xFF0000, 8), u"00FF0000");
    EXPECT_EQ(IntToHex(0xFFFFFFFFu, 8), u"FFFFFFFF");
    EXPECT_EQ(IntToHex(0xABC, 2), u"ABC");
    EXPECT_EQ(IntToStr(-2147483647 - 1), u"-2147483648");
}

TEST(Convert, FloatToStrUsesGeneralFormatWith15Digits) {
    const struct {
        double value;
        const char16_t* text;
    } cases[] = {
        {0, u"0"},
        {1.5, u"1.5"},
        {-2.25, u"-2.25"},
        {0.1, u"0.1"},
        {1.0 / 3, u"0.333333333333333"},
        {0.0001, u"0.0001"},
        {0.00001, u"1E-5"},
        {123456789012345.0, u"123456789012345"},
        {1e15, u"1E15"},
        {1.5e20, u"1.5E20"},
        {45000.75, u"45000.75"},  // a date-time: 15 March 2023, 18:00
    };
    for (const auto& c : cases) EXPECT_EQ(FloatToStr(c.value), c.text) << c.value;
}

TEST(Convert, FloatTextRoundTripsAndFollowsTheSeparator) {
    for (double v : {0.1, 1.0 / 3, -1e-300, 6.02214076e23, 45000.75}) {
        const double back = StrToFloat(FloatToStr(v));
        EXPECT_NEAR(back, v, std::fabs(v) * 1e-14) << v;
    }
    SetDecimalSeparator(u',');
    EXPECT_EQ(FloatToStr(2.5), u"2,5");
    EXPECT_EQ(StrToFloat(u"2,5"), 2.5);
    double v = 0;
    EXPECT_FALSE(TryStrToFloat(u"2.5", v));
    SetDecimalSeparator(u'.');
}

TEST(Convert, StrToFloatAcceptsNumbersOnly) {
    const struct {
        const char16_t* text;
        bool ok;
        double value;
    } cases[] = {
        {u"  1.5 ", true, 1.5}, {u"-2", true, -2},  {u".5", true, 0.5}, {u"5.", true, 5},
        {u"1e3", true, 1000},   {u"1E-2", true, 0.01}, {u"+3", true, 3},
        {u"", false, 0},        {u".", false, 0},   {u"1e", false, 0},  {u"1.2.3", false, 0},
        {u"abc", false, 0},     {u"INF", false, 0}, {u"1e999", false, 0}, {u"0x10", false, 0},
    };
    for (const auto& c : cases) {
        double v = -1;
        EXPECT_EQ(TryStrToFloat(c.text, v), c.ok) << ToUtf8(c.text);
        if (c.ok) { EXPECT_EQ(v, c.value) << ToUtf8(c.text); }
    }
    try {
        StrToFloat(u"1,5");
        FAIL() << "no error raised";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), u"'1,5' は浮動小数点数ではありません");
    }
}

TEST(Convert, FormatMessageReplacesEveryPlaceholder) {
    EXPECT_EQ(FormatText(u"%s に書き込めません", u"C:\\a.ini"), u"C:\\a.ini に書き込めません");
    EXPECT_EQ(FormatText(u"%s/%s%", u"x"), u"x/x%");
}

} // namespace
} // namespace zerbo
