#pragma once
// zint as a reader we did not write for the EAN and UPC modules: what it draws for a code,
// and a pattern of ours cut the same way.
#include <zint.h>

#include <string>

namespace zerbo::barcode::test {

// The modules zint draws for a symbol, '1' for a bar, without trailing spaces; empty when
// zint refuses the data.
inline std::string ZintModules(int symbology, const std::string& data) {
    zint_symbol* s = ZBarcode_Create();
    s->symbology = symbology;
    const int rc = ZBarcode_Encode(s, reinterpret_cast<const unsigned char*>(data.data()), static_cast<int>(data.size()));
    std::string row;
    if (rc < ZINT_ERROR) {
        const int r = s->rows - 1; // the last row holds the main symbol
        for (int col = 0; col < s->width; ++col) row += (s->encoded_data[r][col >> 3] >> (col & 7)) & 1 ? '1' : '0';
    }
    ZBarcode_Delete(s);
    while (!row.empty() && row.back() == '0') row.pop_back();
    return row;
}

inline std::string WithoutTrailingSpace(std::string p) {
    while (!p.empty() && p.back() == '0') p.pop_back();
    return p;
}

} // namespace zerbo::barcode::test
