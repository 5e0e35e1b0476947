// CODE39 and NW-7: two-width symbologies, one fixed pattern per character, each ending with
// the narrow gap to the next character (the last one keeps it too).
#include "barcode/Encoder.h"
#include "barcode/TableShape.h"
#include "core/Digits.h"

namespace zerbo::barcode {

namespace {

constexpr std::u16string_view kCode39Chars = u"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";

constexpr std::string_view kCode39Patterns[] = {
    "1012303010", "3012101030", "1032101030", "3032101010", // 0 1 2 3
    "1012301030", "3012301010", "1032301010", "1012103030", // 4 5 6 7
    "3012103010", "1032103010", "3010121030", "1030121030", // 8 9 A B
    "3030121010", "1010321030", "3010321010", "1030321010", // C D E F
    "1010123030", "3010123010", "1030123010", "1010323010", // G H I J
    "3010101230", "1030101230", "3030101210", "1010301230", // K L M N
    "3010301210", "1030301210", "1010103230", "3010103210", // O P Q R
    "1030103210", "1010303210", "3210101030", "1230101030", // S T U V
    "3230101010", "1210301030", "3210301010", "1230301010", // W X Y Z
    "1210103030", "3210103010", "1230103010", "1212121010", // - . space $
    "1212101210", "1210121210", "1012121210",               // / + %
    "1210303010",                                           // * (start and stop)
};
constexpr int kCode39StartStop = 43; // '*', after the 43 data characters
static_assert(kCode39Chars.size() == kCode39StartStop && std::size(kCode39Patterns) == kCode39StartStop + 1,
              "a pattern per character, and one for '*'");
static_assert(shape::Every(kCode39Patterns, [](std::string_view p) {
    return p.size() == 10 && shape::Alternates(p, "0123") && shape::Wide(p) == 3 && p.back() == '0';
}), "nine elements, three of them wide, and the narrow gap");
static_assert(shape::AllDistinct(kCode39Patterns));

constexpr std::u16string_view kNw7Chars = u"0123456789-$:/.+ABCD";

constexpr std::string_view kNw7Patterns[] = {
    "10101230", "10103210", "10121030", "32101010", // 0 1 2 3
    "10301210", "30101210", "12101030", "12103010", // 4 5 6 7
    "12301010", "30121010", "10123010", "10321010", // 8 9 - $
    "30103030", "30301030", "30303010", "10303030", // : / . +
    "10321210", "12121030", "10121230", "10123210", // A B C D
};
constexpr int kNw7FirstGuard = 16; // 'A'; B, C and D follow it
static_assert(kNw7Chars.substr(kNw7FirstGuard) == u"ABCD");
static_assert(std::size(kNw7Patterns) == kNw7Chars.size(), "a pattern per character");
static_assert(shape::Every(kNw7Patterns, [](std::string_view p) {
    return p.size() == 8 && shape::Alternates(p, "0123") && (shape::Wide(p) == 2 || shape::Wide(p) == 3) &&
           p.back() == '0';
}), "seven elements, two or three of them wide, and the narrow gap");
static_assert(shape::AllDistinct(kNw7Patterns));

// Value of `c` in an alphabet, or -1. Alphabets are short, a scan is cheap.
int ValueIn(std::u16string_view chars, char16_t c) {
    const auto pos = chars.find(c);
    return pos == std::u16string_view::npos ? -1 : static_cast<int>(pos);
}

int Code39Value(char16_t c) {
    // Digits and capitals are the common case and sit in order at the front of the set.
    if (IsDigit(c)) return c - u'0';
    if (c >= u'A' && c <= u'Z') return c - u'A' + 10;
    return ValueIn(kCode39Chars, c);
}

// NW-7's start and stop characters A..D; anything else is taken as 'A', as the component does.
char16_t Nw7Guard(char16_t c) {
    return c >= u'A' && c <= u'D' ? c : u'A';
}

} // namespace

std::string EncodeCODE39(const EncodeInput& in, std::u16string& symbol) {
    symbol.clear();
    if (in.Code.empty()) return {};

    std::string pattern;
    pattern.reserve((in.Code.size() + 3) * 10);
    pattern += kCode39Patterns[kCode39StartStop];
    int sum = 0;
    for (const char16_t c : in.Code) {
        const int v = Code39Value(c);
        if (v < 0) return {};
        sum = (sum + v) % 43;
        pattern += kCode39Patterns[v];
    }
    symbol.reserve(in.Code.size() + 3);
    symbol += u'*';
    symbol += in.Code;
    if (in.CD) {
        pattern += kCode39Patterns[sum];
        symbol += kCode39Chars[sum];
    }
    pattern += kCode39Patterns[kCode39StartStop];
    symbol += u'*';
    return pattern;
}

std::string EncodeNW7(const EncodeInput& in, std::u16string& symbol) {
    symbol.clear();
    if (in.Code.empty()) return {};

    const char16_t start = Nw7Guard(in.StartChar);
    const char16_t stop = Nw7Guard(in.StopChar);
    const int startValue = kNw7FirstGuard + (start - u'A');
    const int stopValue = kNw7FirstGuard + (stop - u'A');

    std::string pattern;
    pattern.reserve((in.Code.size() + 3) * 8);
    pattern += kNw7Patterns[startValue];
    int sum = startValue + stopValue;
    for (const char16_t c : in.Code) {
        const int v = IsDigit(c) ? c - u'0' : ValueIn(kNw7Chars, c);
        if (v < 0) return {};
        sum = (sum + v) % 16;
        pattern += kNw7Patterns[v];
    }
    symbol.reserve(in.Code.size() + 3);
    symbol += start;
    symbol += in.Code;
    if (in.CD) {
        const int r = sum % 16;
        const int k = r == 0 ? 0 : 16 - r;
        pattern += kNw7Patterns[k];
        symbol += kNw7Chars[k];
    }
    pattern += kNw7Patterns[stopValue];
    symbol += stop;
    return pattern;
}

} // namespace zerbo::barcode
