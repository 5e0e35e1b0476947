#include <gtest/gtest.h>

#include "core/Text.h"

namespace zerbo {
namespace {

TEST(Text, RoundTripsJapaneseAndAstralCharacters) {
    const std::u16string text = u"ＭＳ Ｐゴシック 作成\U0001F600";
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
    EXPECT_EQ(ToUtf8(u"コピーしました."), "コピーしました.");
}

TEST(Text, ReplacesMalformedInputInsteadOfReadingPastIt) {
    struct Case { std::string in; std::u16string out; };
    const Case cases[] = {
        {"\xE3\x81", u"\uFFFD\uFFFD"},          // truncated at the end
        {"a\xC3", u"a\uFFFD"},                   // lead byte last
        {"\xC0\xAF", u"\uFFFD\uFFFD"},           // overlong
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"}, // encoded surrogate
        {std::string("\0x", 2), std::u16string(u"\0x", 2)},
    };
    for (const auto& c : cases) EXPECT_EQ(FromUtf8(c.in), c.out);
    EXPECT_EQ(ToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
}

TEST(Text, LinesEndAtCrLfOrCrLfAndAnEndingAtTheEndAddsNoLine) {
    using L = std::vector<std::u16string>;
    EXPECT_EQ(SplitLines(u"a\r\nb\rc\nd"), (L{u"a", u"b", u"c", u"d"}));
    EXPECT_EQ(SplitLines(u"a\n\r\nb\r\n"), (L{u"a", u"", u"b"}));
    EXPECT_EQ(SplitLines(u"\n"), L{u""});
    EXPECT_EQ(SplitLines(u"\r\r"), (L{u"", u""}));
    EXPECT_EQ(SplitLines(u""), L{});
}

} // namespace
} // namespace zerbo
