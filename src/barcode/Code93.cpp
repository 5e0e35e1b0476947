// CODE93 with its two check characters C and K. The four shift characters are typed as
// "<$>", "<%>", "</>" and "<+>"; full ASCII is written by the user as shift-and-letter pairs.
#include "barcode/Code97cd.h"
#include "barcode/Encoder.h"
#include "barcode/TableShape.h"
#include "core/Digits.h"

#include <vector>

namespace zerbo::barcode {

namespace {

// The 43 data characters, then the characters that stand for the shifts ($), (%), (/), (+).
constexpr std::u16string_view kCode93Chars = u"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%!#&@";

// Every character is nine modules: three bars and three spaces, starting with a bar.
constexpr std::string_view kCode93Patterns[] = {
    "141012", "101214", "101412", "101610", "121014", "121212", // 0 1 2 3 4 5
    "121410", "101016", "141210", "161010", "301014", "301212", // 6 7 8 9 A B
    "301410", "321012", "321210", "341010", "103014", "103212", // C D E F G H
    "103410", "123012", "143010", "101034", "101232", "101430", // I J K L M N
    "121032", "141030", "303012", "303210", "301032", "301230", // O P Q R S T
    "321030", "323010", "103032", "103230", "123030", "125010", // U V W X Y Z
    "121050", "501012", "501210", "521010", "103050", "105030", // - . space $ / +
    "301050",                                                   // %
    "121230", "503010", "501030", "123210",                     // ($) (%) (/) (+)
};
constexpr std::string_view kCode93Start = "101070";
constexpr std::string_view kCode93Stop = "1010701"; // the start pattern and a final one-module bar

constexpr int kFirstShift = 43;
constexpr std::u16string_view kShiftNames = u"$%/+";

static_assert(kCode93Chars.size() == kFirstShift + kShiftNames.size() &&
                  std::size(kCode93Patterns) == kCode93Chars.size(),
              "a pattern per data character and per shift");
static_assert(shape::Every(kCode93Patterns, [](std::string_view p) {
    return p.size() == 6 && shape::Alternates(p) && shape::Modules(p) == 9;
}), "three bars and three spaces in nine modules");
static_assert(shape::AllDistinct(kCode93Patterns));
static_assert(shape::Alternates(kCode93Start) && shape::Modules(kCode93Start) == 9 &&
              kCode93Stop.substr(0, kCode93Start.size()) == kCode93Start && kCode93Stop.back() == '1');

int DataValue(char16_t c) {
    if (IsDigit(c)) return c - u'0';
    if (c >= u'A' && c <= u'Z') return c - u'A' + 10;
    // Only the 43 data characters may be typed directly, not the internal shift characters.
    const auto pos = kCode93Chars.substr(0, kFirstShift).find(c);
    return pos == std::u16string_view::npos ? -1 : static_cast<int>(pos);
}

// How a value is typed: its character, or a shift name in angle brackets.
void AppendTyped(std::u16string& text, int value) {
    if (value < kFirstShift) {
        text += kCode93Chars[value];
    } else {
        text += u'<';
        text += kShiftNames[value - kFirstShift];
        text += u'>';
    }
}

} // namespace

std::string EncodeCODE93(const EncodeInput& in, std::u16string& symbol) {
    symbol.clear();
    const std::u16string_view code = in.Code;
    const std::size_t n = code.size();
    if (n == 0) return {};

    std::string pattern;
    pattern.reserve((n + 4) * 6 + 1);
    pattern += kCode93Start;

    // The check sums weigh values from the right, so keep the values and sum afterwards.
    std::vector<unsigned char> values;
    values.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        int value;
        if (code[i] == u'<') {
            // A shift is exactly "<", one of "$%/+" and ">"; the bounds come first.
            if (n - i < 3 || code[i + 2] != u'>') return {};
            const auto shift = kShiftNames.find(code[i + 1]);
            if (shift == std::u16string_view::npos) return {};
            value = kFirstShift + static_cast<int>(shift);
            i += 2;
        } else {
            value = DataValue(code[i]);
            if (value < 0) return {};
        }
        values.push_back(static_cast<unsigned char>(value));
        pattern += kCode93Patterns[value];
    }

    // C: weights 1..20 rising from the right; K: C at weight 1, then 2.. rising, cycling at 15.
    int c = 0, k = 0;
    int wc = 1, wk = 2;
    for (auto it = values.rbegin(); it != values.rend(); ++it) {
        c = (c + *it * wc) % 47;
        k = (k + *it * wk) % 47;
        wc = wc == 20 ? 1 : wc + 1;
        wk = wk == 15 ? 1 : wk + 1;
    }
    k = (k + c) % 47;
    pattern += kCode93Patterns[c];
    pattern += kCode93Patterns[k];
    pattern += kCode93Stop;

    // Shown as typed with the check characters, shift pairs turned into their ASCII characters.
    std::u16string typed;
    typed.reserve(n + 6);
    typed += code;
    AppendTyped(typed, c);
    AppendTyped(typed, k);
    symbol = Code97cd(typed);
    return pattern;
}

} // namespace zerbo::barcode
