// Arbitrary UTF-16 text through every encoder: rejected or encoded, never read outside the text.
// Meant to run under AddressSanitizer as well.
#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "barcode/Encoder.h"
#include "test_patterns.h"

namespace zerbo::barcode {
namespace {

struct Symbology {
    const char* name;
    Encoder encode;
    bool twoWidth;
};

const Symbology kSymbologies[] = {
    {"CODE39", EncodeCODE39, true},     {"NW-7", EncodeNW7, true},     {"ITF", EncodeITF, true},
    {"CTF", EncodeCTF, true},           {"IATA", EncodeIATA, true},    {"MATRIX", EncodeMATRIX, true},
    {"NEC", EncodeNEC, true},           {"CUSTOMER", EncodeCUSTOMER, false},
    {"CODE128", EncodeCODE128, false},  {"CODE93", EncodeCODE93, false},
};

// What every result must satisfy, accepted or not.
bool ExpectWellFormed(const Symbology& s, const EncodeInput& in) {
    std::u16string symbol = u"stale";
    const std::string pattern = s.encode(in, symbol);
    EXPECT_EQ(pattern.empty(), symbol.empty()) << s.name;
    if (pattern.empty()) return false;
    EXPECT_EQ(pattern.find_first_not_of(s.twoWidth ? "0123" : "01234567"), std::string::npos) << s.name;
    if (s.encode == EncodeCUSTOMER) {
        const auto values = test::CustomerValuesOf(pattern);
        int sum = 0;
        for (const int v : values) sum += v;
        EXPECT_EQ(sum % 19, 0) << s.name;
        return true;
    }
    EXPECT_TRUE(test::ShapeOf(pattern).alternates) << s.name;
    if (s.encode == EncodeCODE128) {
        // A reader accepts it only with the right check: start + sum of value x position.
        const auto values = test::Code128ValuesOf(pattern);
        EXPECT_GE(values.size(), 2u);
        long long sum = values.empty() ? -1 : values[0];
        for (std::size_t p = 1; p + 1 < values.size(); ++p) {
            EXPECT_GE(values[p], 0);
            sum += static_cast<long long>(values[p]) * static_cast<long long>(p);
        }
        EXPECT_EQ(sum % 103, values.back());
    } else if (s.encode == EncodeCODE93) {
        const auto values = test::Code93ValuesOf(pattern);
        EXPECT_GE(values.size(), 3u);
        for (const int v : values) EXPECT_GE(v, 0);
        EXPECT_EQ(pattern.size(), 6 * (values.size() + 1) + 7);
    }
    return true;
}

// A fixed generator, so that every run and every standard library sees the same texts.
struct XorShift {
    std::uint32_t state = 2463534242u;
    std::uint32_t operator()() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
};

TEST(BadInput, RandomTextIsRejectedOrEncodedWellFormed) {
    // Characters the encoders give meaning to, and characters they must survive.
    const std::u16string pool = std::u16string(u"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcz-. $/+%*:!#&@`'<<<>>>^_~") +
                                std::u16string(u"\0\x7F\u00E9\u30A2\u4E00\uFF10\uFFFF\xD800\xDC00\xDBFF\xDFFF", 11);
    const std::u16string digits = u"0123456789";
    XorShift next;
    int accepted[std::size(kSymbologies)] = {};
    for (int round = 0; round < 4000; ++round) {
        // Every fourth text is digits only, so that the numeric symbologies accept some.
        const std::u16string& from = round % 4 == 1 ? digits : pool;
        std::u16string code;
        const std::uint32_t length = next() % 30;
        for (std::uint32_t i = 0; i < length; ++i) code += from[next() % from.size()];
        // Names often enough that CODE128's and CODE93's brackets are exercised.
        if (round % 3 == 0) {
            const std::u16string_view names = u"<SHIFT><$><CODEC><+>";
            code.insert(next() % (code.size() + 1), names.substr(next() % names.size()));
        }
        const EncodeInput in{code, next() % 2 == 0, static_cast<char16_t>(u'@' + next() % 6),
                             static_cast<char16_t>(u'@' + next() % 6)};
        for (std::size_t k = 0; k < std::size(kSymbologies); ++k) {
            SCOPED_TRACE(round);
            accepted[k] += ExpectWellFormed(kSymbologies[k], in);
        }
    }
    for (std::size_t k = 0; k < std::size(kSymbologies); ++k) {
        EXPECT_GT(accepted[k], 100) << kSymbologies[k].name;
        // The customer barcode skips what it cannot encode; every other one rejects.
        if (kSymbologies[k].encode != EncodeCUSTOMER) {
            EXPECT_LT(accepted[k], 4000) << kSymbologies[k].name;
        }
    }
}

TEST(BadInput, EdgesOfTheTextAndVeryLongTexts) {
    const std::u16string cases[] = {
        u"<", u"A<", u"<<", u"<$", u"A<$", u"<$>", u">", u"A>", u"12<", u"12>", u"<CODEB", u"<FNC1",
        std::u16string(1, u'\0'), std::u16string(u"<\0", 2), std::u16string(u">\0", 2),
        u"\xD800", u"\xDC00\xD800", u"\u30A2\u30A4\u30A6",
        std::u16string(10000, u'7'), std::u16string(10000, u'A'), std::u16string(10000, u'<'),
        std::u16string(9999, u'1') + u"<", std::u16string(10000, u'\xD83D'), std::u16string(10000, u'\0'),
        std::u16string(5000, u'<') + std::u16string(5000, u'>'),
    };
    for (const auto& code : cases) {
        for (const auto& s : kSymbologies) {
            for (const char16_t start : {u'A', u'C', u'D'}) {
                SCOPED_TRACE(code.size());
                ExpectWellFormed(s, {code, true, start, u'B'});
            }
        }
    }
}

TEST(BadInput, TextEndingInAnOpenEscapeIsRejected) {
    const struct {
        Encoder encode;
        std::u16string code;
    } cases[] = {
        {EncodeCODE128, u"AB<"}, {EncodeCODE128, u"AB>"}, {EncodeCODE128, u"AB<C"},
        {EncodeCODE93, u"AB<"},  {EncodeCODE93, u"AB<$"},
    };
    for (const auto& c : cases) {
        std::u16string symbol;
        EXPECT_EQ(c.encode({c.code, false, u'B'}, symbol), "") << std::string(c.code.begin(), c.code.end());
        EXPECT_EQ(symbol, u"");
    }
}

} // namespace
} // namespace zerbo::barcode
