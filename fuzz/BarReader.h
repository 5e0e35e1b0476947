#pragma once
// Reading a drawn linear symbol back into a pattern string, as a scanner would: the runs of
// one pixel row (or, for the customer barcode, the segments of each column) turned into
// pattern digits by their widths alone.
#include <string>

#include "barcode/BarTestUtil.h"

namespace zerbo::fuzz {

// The runs of `row` ('1' bar, '0' space) from its first to its last bar, as pixel widths.
inline std::vector<int> RunsOf(const std::string& row) {
    std::vector<int> runs;
    const size_t first = row.find('1'), last = row.rfind('1');
    if (first == std::string::npos) return runs;
    for (size_t i = first; i <= last;) {
        size_t j = i;
        while (j <= last && row[j] == row[i]) ++j;
        runs.push_back(static_cast<int>(j - i));
        i = j;
    }
    return runs;
}

// Modules of one pixel row, '1' a bar module: JAN and UPC patterns are written so. Empty when
// some run is not a whole number of modules.
inline std::string ModulesOf(const std::vector<int>& runs, int scale) {
    std::string out;
    for (size_t i = 0; i < runs.size(); ++i) {
        if (runs[i] % scale != 0) return {};
        out.append(static_cast<size_t>(runs[i] / scale), i % 2 == 0 ? '1' : '0');
    }
    return out;
}

// Elements of one to four modules (CODE128, CODE93): a bar of k modules is digit 2k - 1,
// a space 2k - 2. Empty when some run is no such width.
inline std::string MultiWidthOf(const std::vector<int>& runs, int scale) {
    std::string out;
    for (size_t i = 0; i < runs.size(); ++i) {
        const int k = runs[i] / scale;
        if (runs[i] % scale != 0 || k < 1 || k > 4) return {};
        out += static_cast<char>('0' + 2 * k - (i % 2 == 0 ? 1 : 2));
    }
    return out;
}

// Narrow and wide elements (CODE39 to NEC): narrow is one module, wide two modules times
// ratio / 20. Empty when some run is neither.
inline std::string TwoWidthOf(const std::vector<int>& runs, int scale, int ratio) {
    const int wide = 2 * scale * ratio / 20;
    std::string out;
    for (size_t i = 0; i < runs.size(); ++i) {
        if (runs[i] != scale && runs[i] != wide) return {};
        out += static_cast<char>('0' + (runs[i] == wide ? 2 : 0) + (i % 2 == 0 ? 1 : 0));
    }
    return out;
}

// The customer barcode's columns from the first one with a segment to the last: each column
// `scale` pixels wide, its digit 4 for the upper, 2 for the middle and 1 for the lower segment,
// read at rows y, y + 2 scale and y + 4 scale.
inline std::string CustomerColumnsOf(const gfx::TBitmap24& b, int x0, int x1, int y, int scale) {
    const std::string rows[3] = {barcode::testing::RowOf(b, y, x0, x1), barcode::testing::RowOf(b, y + 2 * scale, x0, x1),
                                 barcode::testing::RowOf(b, y + 4 * scale, x0, x1)};
    size_t first = std::string::npos, last = 0;
    for (const auto& r : rows) {
        const size_t f = r.find('1');
        if (f == std::string::npos) continue;
        first = std::min(first, f);
        last = std::max(last, r.rfind('1'));
    }
    std::string out;
    if (first == std::string::npos) return out;
    for (size_t x = first; x <= last; x += static_cast<size_t>(scale))
        out += static_cast<char>('0' + 4 * (rows[0][x] == '1') + 2 * (rows[1][x] == '1') + (rows[2][x] == '1'));
    return out;
}

} // namespace zerbo::fuzz
