// The two-of-five family: ITF, CTF, IATA, MATRIX and NEC. Each digit is five elements of which two
// are wide; the members differ in which elements carry the digit, their start and stop patterns
// and whether the check digit is optional.
#include "barcode/CheckDigit.h"
#include "barcode/Encoder.h"
#include "barcode/TableShape.h"

#include <utility>

#include "core/Digits.h"

namespace zerbo::barcode {

namespace {

// Digit:                         0        1        2        3        4
//                                5        6        7        8        9
constexpr std::string_view kItfBars[] = {"11331", "31113", "13113", "33111", "11313",
                                         "31311", "13311", "11133", "31131", "13131"};
constexpr std::string_view kItfSpaces[] = {"00220", "20002", "02002", "22000", "00202",
                                           "20200", "02200", "00022", "20020", "02020"};
constexpr std::string_view kCtfIataPatterns[] = {
    "1010303010", "3010101030", "1030101030", "3030101010", "1010301030",
    "3010301010", "1030301010", "1010103030", "3010103010", "1030103010"};
constexpr std::string_view kMatrixPatterns[] = {"103210", "301030", "121030", "321010", "103030",
                                                "303010", "123010", "101230", "301210", "121210"};
constexpr std::string_view kNecPatterns[] = {"321010", "101230", "103030", "103210", "121030",
                                             "121210", "123010", "301030", "301210", "303010"};

// Ten digits each, two of their five carrying elements wide, no digit twice.
template <class Rows>
constexpr bool DigitColumn(const Rows& rows, std::size_t elements, std::string_view allowed) {
    return std::size(rows) == 10 && shape::AllDistinct(rows) && shape::Every(rows, [&](std::string_view p) {
               return p.size() == elements && p.find_first_not_of(allowed) == std::string_view::npos &&
                      shape::Wide(p) == 2;
           });
}
static_assert(DigitColumn(kItfBars, 5, "13") && DigitColumn(kItfSpaces, 5, "02"));
static_assert(DigitColumn(kCtfIataPatterns, 10, "0123") && DigitColumn(kMatrixPatterns, 6, "0123") &&
              DigitColumn(kNecPatterns, 6, "0123"));
static_assert(shape::Every(kCtfIataPatterns, [](std::string_view p) { return shape::Alternates(p); }) &&
              shape::Every(kMatrixPatterns, [](std::string_view p) { return shape::Alternates(p); }) &&
              shape::Every(kNecPatterns, [](std::string_view p) { return shape::Alternates(p); }));

// Start, one table pattern per digit, stop: the scheme of every member but ITF.
struct Sequential {
    std::string_view start;
    const std::string_view* digits;
    std::string_view stop;
};

std::string EncodeSequential(const EncodeInput& in, bool withCheck, const Sequential& member,
                             std::u16string& symbol) {
    symbol.clear();
    if (in.Code.empty() || !AllDigits(in.Code)) return {};

    symbol.reserve(in.Code.size() + 1);
    symbol = in.Code;
    if (withCheck) symbol += CheckDigit(in.Code);

    std::string pattern;
    pattern.reserve(member.start.size() + symbol.size() * member.digits[0].size() + member.stop.size());
    pattern += member.start;
    for (const char16_t c : symbol) pattern += member.digits[c - u'0'];
    pattern += member.stop;
    return pattern;
}

} // namespace

std::string EncodeITF(const EncodeInput& in, std::u16string& symbol) {
    symbol.clear();
    if (in.Code.empty() || !AllDigits(in.Code)) return {};

    // Digits go in pairs: a leading '0' makes the count even once the check digit is in.
    std::u16string digits;
    digits.reserve(in.Code.size() + 2);
    if ((in.Code.size() + (in.CD ? 1 : 0)) % 2 != 0) digits += u'0';
    digits += in.Code;
    if (in.CD) digits += CheckDigit(digits);

    std::string pattern;
    pattern.reserve(4 + digits.size() * 5 + 3);
    pattern += "1010";
    for (std::size_t i = 0; i + 1 < digits.size(); i += 2) {
        // The first digit of a pair is carried by the bars, the second by the spaces between them.
        const std::string_view bars = kItfBars[digits[i] - u'0'];
        const std::string_view spaces = kItfSpaces[digits[i + 1] - u'0'];
        for (int e = 0; e < 5; ++e) {
            pattern += bars[e];
            pattern += spaces[e];
        }
    }
    pattern += "301";
    symbol = std::move(digits);
    return pattern;
}

std::string EncodeCTF(const EncodeInput& in, std::u16string& symbol) {
    return EncodeSequential(in, in.CD, {"303010", kCtfIataPatterns, "30103"}, symbol);
}

std::string EncodeIATA(const EncodeInput& in, std::u16string& symbol) {
    // IATA always carries its check digit.
    return EncodeSequential(in, true, {"1010", kCtfIataPatterns, "301"}, symbol);
}

std::string EncodeMATRIX(const EncodeInput& in, std::u16string& symbol) {
    return EncodeSequential(in, in.CD, {"301010", kMatrixPatterns, "30101"}, symbol);
}

std::string EncodeNEC(const EncodeInput& in, std::u16string& symbol) {
    return EncodeSequential(in, in.CD, {"3030", kNecPatterns, "123"}, symbol);
}

} // namespace zerbo::barcode
