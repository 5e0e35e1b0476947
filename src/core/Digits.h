#pragma once
// ASCII digits, the only digits the symbologies and QR Code's numeric mode know: full-width
// and other Unicode digits are not among them.
#include <algorithm>
#include <string_view>

namespace zerbo {

constexpr bool IsDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

// True for the empty text too; callers that need a digit check the length first.
constexpr bool AllDigits(std::u16string_view text) {
    return std::all_of(text.begin(), text.end(), [](char16_t c) { return IsDigit(c); });
}

} // namespace zerbo
