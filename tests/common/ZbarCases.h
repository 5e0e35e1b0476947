#pragma once
// The symbols that saved files must carry to zbarimg, natively and from the Win32 build: one
// row per symbology that zbar reads. A new encoder adds its row here.
#include "barcode/BarTypes.h"

namespace zerbo::test {

struct ZbarCase {
    const char* name; // file name stem
    barcode::TBarTypes type;
    const char16_t* code;
    // What zbarimg reports; nullptr: the human-readable text the encoder gives.
    const char* decoded;
};

inline constexpr ZbarCase kZbarCases[] = {
    {"jan13", barcode::cbarJAN, u"490123456789", nullptr},
    {"jan8", barcode::cbarJAN, u"4901234", nullptr},
    {"upca", barcode::cbarUPC, u"03600029145", nullptr},
    {"upce", barcode::cbarUPC, u"0425261", nullptr},
};

// Two pixels a module, so that JPEG's smoothing of edges does not merge modules.
inline constexpr int kZbarFileScale = 2;

// UPC-A and UPC-E are off by default in zbar (it would report UPC-A as EAN-13).
inline constexpr const char* kZbarOptions = "-Supca.enable -Supce.enable";

} // namespace zerbo::test
