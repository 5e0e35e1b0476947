#pragma once
// The contract between TBarImage and its encoders, one per TBarTypes value.
#include <string>
#include <string_view>

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

// The encoder of each TBarTypes ordinal (0..11); an entry is null until its symbology is built.
extern const Encoder kEncoders[12];

} // namespace zerbo::barcode
