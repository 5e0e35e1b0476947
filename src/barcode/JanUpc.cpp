// JAN (EAN-13, EAN-8) and UPC (UPC-A, UPC-E), one module per pattern character.
#include "barcode/JanUpc.h"

#include "barcode/CheckDigit.h"
#include "barcode/Encoder.h"
#include "barcode/TableShape.h"
#include "core/Digits.h"

namespace zerbo::barcode {

namespace {

// Number set L (odd parity, left half) of each digit. R is L inverted; G is R reversed.
constexpr std::string_view kSetL[] = {
    "0001101", "0011001", "0010011", "0111101", "0100011",
    "0110001", "0101111", "0111011", "0110111", "0001011",
};

// EAN-13 parity of the six left digits by the first digit: '1' for L, '0' for G.
constexpr std::string_view kJanParity[] = {
    "111111", "110100", "110010", "110001", "101100",
    "100110", "100011", "101010", "101001", "100101",
};

// UPC-E (number system 0) parity of the six digits by the check digit: 'E' for G, 'O' for L.
constexpr std::string_view kUpcEParity[] = {
    "EEEOOO", "EEOEOO", "EEOOEO", "EEOOOE", "EOEEOO",
    "EOOEEO", "EOOOEE", "EOEOEO", "EOEOOE", "EOOEOE",
};

// Seven modules a digit in two bars; six parities a first or check digit.
static_assert(std::size(kSetL) == 10 && shape::AllDistinct(kSetL) && shape::Every(kSetL, [](std::string_view p) {
    return p.size() == 7 && p.find_first_not_of("01") == std::string_view::npos && p.front() == '0' && p.back() == '1';
}));
static_assert(std::size(kJanParity) == 10 && shape::AllDistinct(kJanParity) &&
              shape::Every(kJanParity, [](std::string_view p) { return p.size() == 6; }));
static_assert(std::size(kUpcEParity) == 10 && shape::AllDistinct(kUpcEParity) &&
              shape::Every(kUpcEParity, [](std::string_view p) { return p.size() == 6; }));

constexpr const char* kStartGuard = "101";
constexpr const char* kCentreGuard = "01010";
constexpr const char* kEndGuard = "1010";      // JAN and UPC-A: a space module follows the last bar
constexpr const char* kUpcEEndGuard = "0101010";

enum class NumberSet { L, G, R };

int Digit(char16_t c) { return c - u'0'; }

void AppendDigit(std::string& out, char16_t c, NumberSet set) {
    const std::string_view l = kSetL[Digit(c)];
    for (int i = 0; i < 7; ++i) {
        const char m = set == NumberSet::L ? l[i] : set == NumberSet::R ? l[i] ^ 1 : l[6 - i] ^ 1;
        out.push_back(m);
    }
}

bool Between(char16_t c, char16_t lo, char16_t hi) { return c >= lo && c <= hi; }

} // namespace

std::string EncodeJAN(const EncodeInput& in, std::u16string& symbol) {
    symbol.clear();
    const std::u16string_view code = in.Code;
    const std::size_t n = code.size();
    if (n != 7 && n != 8 && n != 12 && n != 13) return {};
    if (!AllDigits(code)) return {};
    std::u16string d(code);
    // A given check digit is kept as it is, right or wrong.
    if (n == 7 || n == 12) d.push_back(CheckDigit(code));

    std::string pattern;
    pattern.reserve(96);
    pattern += kStartGuard;
    if (d.size() == 13) {
        // The first digit is not drawn as bars; it chooses the parity of the next six.
        const std::string_view parity = kJanParity[Digit(d[0])];
        for (int i = 1; i <= 6; ++i) AppendDigit(pattern, d[i], parity[i - 1] == '1' ? NumberSet::L : NumberSet::G);
        pattern += kCentreGuard;
        for (int i = 7; i <= 12; ++i) AppendDigit(pattern, d[i], NumberSet::R);
    } else {
        for (int i = 0; i < 4; ++i) AppendDigit(pattern, d[i], NumberSet::L);
        pattern += kCentreGuard;
        for (int i = 4; i < 8; ++i) AppendDigit(pattern, d[i], NumberSet::R);
    }
    pattern += kEndGuard;
    symbol = std::move(d);
    return pattern;
}

std::string EncodeUPC(const EncodeInput& in, std::u16string& symbol) {
    symbol.clear();
    const std::u16string_view code = in.Code;
    const std::size_t n = code.size();
    if (n != 11 && n != 7) return {};
    if (!AllDigits(code)) return {};
    const std::u16string a = n == 11 ? std::u16string(code) : UPCEToUPCA(code);
    if (a.empty()) return {};
    std::u16string d(code);
    d.push_back(CheckDigit(a)); // the check digit is always that of the UPC-A form

    std::string pattern;
    pattern.reserve(96);
    pattern += kStartGuard;
    if (n == 11) {
        for (int i = 0; i < 6; ++i) AppendDigit(pattern, d[i], NumberSet::L);
        pattern += kCentreGuard;
        for (int i = 6; i < 12; ++i) AppendDigit(pattern, d[i], NumberSet::R);
        pattern += kEndGuard;
    } else {
        // The number system (always 0) and the check digit are carried by the parity alone.
        const std::string_view parity = kUpcEParity[Digit(d[7])];
        for (int i = 1; i <= 6; ++i) AppendDigit(pattern, d[i], parity[i - 1] == 'E' ? NumberSet::G : NumberSet::L);
        pattern += kUpcEEndGuard;
    }
    symbol = std::move(d);
    return pattern;
}

std::u16string UPCEToUPCA(std::u16string_view e) {
    if (e.size() != 7 || e[0] != u'0') return {};
    std::u16string a;
    a.reserve(11);
    if (Between(e[6], u'5', u'9') && e[5] != u'0') {
        a.append(e.substr(0, 6)).append(u"0000").push_back(e[6]);
    } else if (e[6] == u'4' && e[4] != u'0') {
        a.append(e.substr(0, 5)).append(u"00000").push_back(e[5]);
    } else if (e[6] == u'3' && Between(e[3], u'3', u'9')) {
        a.append(e.substr(0, 4)).append(u"00000").append(e.substr(4, 2));
    } else if (Between(e[6], u'0', u'2')) {
        a.append(e.substr(0, 3)).append(1, e[6]).append(u"0000").append(e.substr(3, 3));
    }
    return a;
}

std::u16string UPCAToUPCE(std::u16string_view a) {
    if (a.size() != 11 || a[0] != u'0') return {};
    std::u16string e;
    e.reserve(7);
    if (a.substr(6, 4) == u"0000" && a[5] != u'0' && Between(a[10], u'5', u'9')) {
        e.append(a.substr(0, 6)).push_back(a[10]);
    } else if (a.substr(5, 5) == u"00000" && a[4] != u'0') {
        e.append(a.substr(0, 5)).append(1, a[10]).push_back(u'4');
    } else if (a.substr(4, 5) == u"00000" && Between(a[3], u'3', u'9')) {
        e.append(a.substr(0, 4)).append(1, a[9]).append(1, a[10]).push_back(u'3');
    } else if (a.substr(4, 4) == u"0000" && Between(a[3], u'0', u'2')) {
        e.append(a.substr(0, 3)).append(a.substr(8, 3)).push_back(a[3]);
    }
    return e;
}

} // namespace zerbo::barcode
