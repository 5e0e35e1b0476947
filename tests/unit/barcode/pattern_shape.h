#pragma once
// What the painter sees in a pattern string, counted for the tests.
#include <string_view>

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

} // namespace zerbo::barcode::test
