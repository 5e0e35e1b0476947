#pragma once
// Compile-time checks of the symbology tables: every file states the shape of its tables in
// static_asserts right below them, so a row typed one element short, a wide element too many
// or a row given twice does not build.
#include <algorithm>
#include <functional>
#include <iterator>
#include <string_view>

namespace zerbo::barcode::shape {

// Pattern digits: odd a bar, even a space, d / 2 + 1 modules wide.
constexpr bool IsBar(char d) { return (d - '0') % 2 == 1; }
constexpr int ModulesOf(char d) { return (d - '0') / 2 + 1; }

constexpr int Modules(std::string_view pattern) {
    int n = 0;
    for (const char d : pattern) n += ModulesOf(d);
    return n;
}

constexpr int Wide(std::string_view pattern) {
    return static_cast<int>(std::count_if(pattern.begin(), pattern.end(), [](char d) { return ModulesOf(d) > 1; }));
}

// Bar, space, bar ... from a bar, in the digits `allowed`.
constexpr bool Alternates(std::string_view pattern, std::string_view allowed = "01234567") {
    for (std::size_t i = 0; i < pattern.size(); ++i)
        if (allowed.find(pattern[i]) == std::string_view::npos || IsBar(pattern[i]) != (i % 2 == 0)) return false;
    return true;
}

template <class Rows, class Pred>
constexpr bool Every(const Rows& rows, Pred pred) {
    return std::all_of(std::begin(rows), std::end(rows), pred);
}

// No two rows alike (as seen through `key`).
template <class Rows, class Key = std::identity>
constexpr bool AllDistinct(const Rows& rows, Key key = {}) {
    for (auto a = std::begin(rows); a != std::end(rows); ++a)
        for (auto b = std::next(a); b != std::end(rows); ++b)
            if (key(*a) == key(*b)) return false;
    return true;
}

} // namespace zerbo::barcode::shape
