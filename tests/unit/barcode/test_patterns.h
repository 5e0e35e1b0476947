#pragma once
// Reading pattern strings back for the tests: what the painter sees, and the values through the
// rows of golden_tables.h.
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "golden_tables.h"

namespace zerbo::barcode::test {

struct Shape {
    int elements = 0;
    int wide = 0;       // elements of more than one module
    int modules = 0;    // nominal width: digit / 2 + 1 per element
    int barModules = 0;
    bool digitsOnly = true;
    bool alternates = true; // bar, space, bar ... starting with a bar
};

inline Shape ShapeOf(std::string_view pattern) {
    Shape s;
    for (const char c : pattern) {
        if (c < '0' || c > '9') {
            s.digitsOnly = false;
            continue;
        }
        const int d = c - '0';
        const bool bar = d % 2 == 1;
        if (bar != (s.elements % 2 == 0)) s.alternates = false;
        ++s.elements;
        if (d >= 2) ++s.wide;
        s.modules += d / 2 + 1;
        if (bar) s.barModules += d / 2 + 1;
    }
    return s;
}

// Splits `pattern` into a head, chunks of `width` looked up in `rows`, and a tail; -1 marks a
// chunk that is in no row, {-2} a pattern that does not fit the frame, {-3} wrong head or tail.
inline std::vector<int> ValuesBetween(std::string_view pattern, std::string_view head, std::string_view tail,
                                      const std::string_view* rows, int count, std::size_t width = 6) {
    if (pattern.size() < head.size() + tail.size() || (pattern.size() - head.size() - tail.size()) % width != 0)
        return {-2};
    if (pattern.substr(0, head.size()) != head || pattern.substr(pattern.size() - tail.size()) != tail) return {-3};
    std::vector<int> values;
    for (std::size_t i = head.size(); i + tail.size() < pattern.size(); i += width) {
        const std::string_view chunk = pattern.substr(i, width);
        int value = -1;
        for (int v = 0; v < count; ++v)
            if (rows[v] == chunk) value = v;
        values.push_back(value);
    }
    return values;
}

template <class Row, std::size_t N>
std::vector<std::string_view> PatternsOf(const Row (&rows)[N]) {
    std::vector<std::string_view> out;
    for (const Row& row : rows) out.push_back(row.pattern);
    return out;
}

// A CODE128 name as the user types it: a single character as it is ("<" and ">" doubled), a
// longer name in angle brackets, a set-C digit pair as its two digits.
inline std::u16string Typed(std::u16string_view name, int set) {
    if (name == u"<" || name == u">") return std::u16string(2, name[0]);
    if (name.size() == 1 || (set == 2 && name.size() == 2 && name[0] <= u'9')) return std::u16string(name);
    return u"<" + std::u16string(name) + u">";
}

// CODE128: the start value (103..105), the codewords, the check last.
inline std::vector<int> Code128ValuesOf(std::string_view pattern) {
    static const auto rows = [] {
        auto r = PatternsOf(golden::kCode128);
        r.insert(r.end(), std::begin(golden::kCode128Start), std::end(golden::kCode128Start));
        return r;
    }();
    return ValuesBetween(pattern, "", golden::kCode128Stop, rows.data(), static_cast<int>(rows.size()));
}

// CODE93: the values, then C and K.
inline std::vector<int> Code93ValuesOf(std::string_view pattern) {
    static const auto rows = PatternsOf(golden::kCode93);
    return ValuesBetween(pattern, golden::kCode93Start, golden::kCode93Stop, rows.data(), static_cast<int>(rows.size()));
}

// Customer barcode: the characters, the check last.
inline std::vector<int> CustomerValuesOf(std::string_view pattern) {
    static const auto rows = PatternsOf(golden::kCustomer);
    return ValuesBetween(pattern, golden::kCustomerStart, golden::kCustomerStop, rows.data(),
                         static_cast<int>(rows.size()));
}

} // namespace zerbo::barcode::test
