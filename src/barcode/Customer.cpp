// The Japanese postal customer barcode: a postal code and address number of up to 20 characters,
// filled to 20 with CC4, a check character, start and stop: 67 bars of four kinds. Every digit of
// the pattern is one column, a set of segments (4 upper, 2 middle, 1 lower third of a full bar).
#include "barcode/Encoder.h"
#include "barcode/TableShape.h"
#include "core/Digits.h"

#include <utility>

namespace zerbo::barcode {

namespace {

// Three bars per character, each followed by an empty column.
// 7 long bar, 6 upper bar, 3 lower bar, 2 timing bar.
constexpr std::string_view kCustomerPatterns[] = {
    "702020", "707020", "703060", "307060", "706030", // 0 1 2 3 4
    "702070", "306070", "607030", "603070", "207070", // 5 6 7 8 9
    "207020",                                         // -
    "306020", "302060", "603020", "203060",           // CC1 CC2 CC3 CC4
    "602030", "206030", "202070", "707070",           // CC5 CC6 CC7 CC8
};
constexpr std::string_view kCustomerStart = "007030"; // two empty columns, long bar, lower bar
constexpr std::string_view kCustomerStop = "307000";  // lower bar, long bar, three empty columns
constexpr std::u16string_view kCustomerCheckDisplay = u"0123456789-        ";

static_assert(std::size(kCustomerPatterns) == 19 && kCustomerCheckDisplay.size() == 19, "values 0 to 18");
static_assert(shape::Every(kCustomerPatterns, [](std::string_view p) {
    // Bars of the four kinds, each followed by an empty column.
    const auto bar = [](char c) { return c == '7' || c == '6' || c == '3' || c == '2'; };
    return p.size() == 6 && bar(p[0]) && bar(p[2]) && bar(p[4]) && p[1] == '0' && p[3] == '0' && p[5] == '0';
}), "three bars a character");
static_assert(shape::AllDistinct(kCustomerPatterns));

constexpr int kHyphen = 10;
constexpr int kCC1 = 11;
constexpr int kFiller = 14; // CC4
constexpr int kDataLength = 20;
constexpr std::size_t kPaddedLength = 21;

} // namespace

std::string EncodeCUSTOMER(const EncodeInput& in, std::u16string& symbol) {
    symbol.clear();
    // Short texts are padded with spaces, which become fillers.
    std::u16string text(in.Code);
    if (text.size() < kPaddedLength) text.resize(kPaddedLength, u' ');

    std::string pattern;
    pattern.reserve(kCustomerStart.size() + (kDataLength + 1) * 6 + kCustomerStop.size());
    pattern += kCustomerStart;
    int sum = 0;
    int count = 0;
    const auto emit = [&](int value) {
        pattern += kCustomerPatterns[value];
        sum += value;
        ++count;
    };
    for (std::size_t i = 0; i < kDataLength && count < kDataLength; ++i) {
        const char16_t c = text[i];
        if (c == u' ') {
            emit(kFiller);
        } else if (c == u'-') {
            emit(kHyphen);
        } else if (IsDigit(c)) {
            emit(c - u'0');
        } else if (c >= u'A' && c <= u'Z') {
            // A letter takes two places: CC1..CC3 for its tens, a digit for its units. With one
            // place left it cannot fit and the filler takes the place instead.
            const int k = c - u'A';
            if (count < kDataLength - 1) {
                emit(kCC1 + k / 10);
                emit(k % 10);
            } else {
                emit(kFiller);
            }
        }
        // Anything else (lower case, other punctuation, non-ASCII) is skipped; its place is used up.
    }

    const int r = sum % 19;
    const int check = r == 0 ? 0 : 19 - r;
    pattern += kCustomerPatterns[check];
    pattern += kCustomerStop;

    symbol = std::move(text);
    symbol += kCustomerCheckDisplay[check];
    return pattern;
}

} // namespace zerbo::barcode
