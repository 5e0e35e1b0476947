#pragma once
// The modulo-10 check digit of JAN, UPC and the two-of-five family: weights 3, 1, 3, 1 ... from
// the rightmost digit, and the digit that brings the sum to a multiple of ten.
#include <string_view>

namespace zerbo::barcode {

// `digits` holds '0'..'9' only. The sum is kept modulo 10, so no length can overflow it.
constexpr char16_t CheckDigit(std::u16string_view digits) {
    int sum = 0;
    bool triple = true;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it, triple = !triple)
        sum = (sum + (*it - u'0') * (triple ? 3 : 1)) % 10;
    return static_cast<char16_t>(u'0' + (10 - sum) % 10);
}

} // namespace zerbo::barcode
