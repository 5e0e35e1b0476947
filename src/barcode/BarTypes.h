#pragma once
// The enumerations and byte ranges of the barcode image component.
#include <cstdint>

namespace zerbo::barcode {

enum TBarTypes : std::uint8_t {
    cbarJAN, cbarUPC, cbarCODE39, cbarNW7, cbarITF, cbarCTF,
    cbarIATA, cbarMATRIX, cbarNEC, cbarCUSTOMER, cbarCODE128, cbarCODE93,
};
constexpr int kBarTypeCount = cbarCODE93 + 1; // the number of TBarTypes values
// Their names as lists and labels show them, in the order of the ordinals.
inline constexpr const char16_t* kBarTypeNames[] = {
    u"JAN", u"UPC", u"CODE39", u"NW-7", u"ITF", u"CTF", u"IATA", u"MATRIX", u"NEC", u"CUSTOMER", u"CODE128", u"CODE93",
};
static_assert(sizeof kBarTypeNames / sizeof kBarTypeNames[0] == kBarTypeCount, "a name per bar type");

enum TLocation : std::uint8_t { locLeft, locCenter, locRight };
enum TBarPictures : std::uint8_t { pbarBMP, pbarEMF, pbarWMF };

// Declared ranges; the setters do not check them, the painter copes with any byte.
using TSCale = std::uint8_t;         // 1 to 10: module width in pixels
using TElementRatio = std::uint8_t;  // 20 to 30: wide-to-narrow ratio times ten
using TFrameSize = std::uint8_t;     // 0 to 100: frame thickness in pixels

// CODE39 to NEC: the symbologies of narrow and wide elements, stretched by ElementRatio.
constexpr bool IsTwoWidth(TBarTypes t) { return t >= cbarCODE39 && t <= cbarNEC; }

} // namespace zerbo::barcode
