#pragma once
// The contract between TBarImage and its encoders, one per TBarTypes value.
#include <iterator>
#include <string>
#include <string_view>

#include "barcode/BarTypes.h"

namespace zerbo::barcode {

// What an encoder reads from the component at the moment it is called.
struct EncodeInput {
    std::u16string_view Code;   // FCode, as the caller gave it
    bool CD = false;            // FCD: add the optional check character
    char16_t StartChar = u'A';  // FStartChar ('A'..'D'): NW-7 start, CODE128 start set
    char16_t StopChar = u'A';   // FStopChar ('A'..'D'): NW-7 stop
};

// An encoder empties `symbol` first; on success it returns the pattern string (ASCII digits,
// one element each: odd a bar, even a space, d / 2 + 1 modules wide; for the customer barcode a
// column of segments) and sets `symbol` to the human-readable text. On rejection it returns an
// empty string and leaves `symbol` empty. It never draws and never throws.
using Encoder = std::string (*)(const EncodeInput& in, std::u16string& symbol);

std::string EncodeJAN(const EncodeInput& in, std::u16string& symbol);
std::string EncodeUPC(const EncodeInput& in, std::u16string& symbol);
std::string EncodeCODE39(const EncodeInput& in, std::u16string& symbol);
std::string EncodeNW7(const EncodeInput& in, std::u16string& symbol);
std::string EncodeITF(const EncodeInput& in, std::u16string& symbol);
std::string EncodeCTF(const EncodeInput& in, std::u16string& symbol);
std::string EncodeIATA(const EncodeInput& in, std::u16string& symbol);
std::string EncodeMATRIX(const EncodeInput& in, std::u16string& symbol);
std::string EncodeNEC(const EncodeInput& in, std::u16string& symbol);
std::string EncodeCUSTOMER(const EncodeInput& in, std::u16string& symbol);
std::string EncodeCODE128(const EncodeInput& in, std::u16string& symbol);
std::string EncodeCODE93(const EncodeInput& in, std::u16string& symbol);

// The encoder of each TBarTypes ordinal, in the order of the enumeration.
inline constexpr Encoder kEncoders[] = {
    EncodeJAN,      // cbarJAN
    EncodeUPC,      // cbarUPC
    EncodeCODE39,   // cbarCODE39
    EncodeNW7,      // cbarNW7
    EncodeITF,      // cbarITF
    EncodeCTF,      // cbarCTF
    EncodeIATA,     // cbarIATA
    EncodeMATRIX,   // cbarMATRIX
    EncodeNEC,      // cbarNEC
    EncodeCUSTOMER, // cbarCUSTOMER
    EncodeCODE128,  // cbarCODE128
    EncodeCODE93,   // cbarCODE93
};
static_assert(std::size(kEncoders) == kBarTypeCount, "one encoder per bar type");

} // namespace zerbo::barcode
