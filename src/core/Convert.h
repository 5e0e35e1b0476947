#pragma once
// The platform runtime's number conversions, which the settings file and the command
// line share so that a number means the same wherever the user types it.
#include <climits>
#include <cstdint>
#include <string>
#include <string_view>

namespace zerbo {

// Integer text: leading blanks, an optional sign, then decimal digits or, after "$", "x",
// "X", "0x" or "0X", at most 8 hexadecimal digits (8 digits wrap to negative values).
// Nothing may follow. Decimal overflow fails.
bool TryStrToInt(std::u16string_view text, int32_t& value);
// As TryStrToInt; raises EConvertError "''%s'' は整数ではありません" on failure.
int32_t StrToInt(std::u16string_view text);
int32_t StrToIntDef(std::u16string_view text, int32_t defaultValue);

std::u16string IntToStr(int32_t value);
// A 64-bit value as the nearest 32-bit one: spin edits hold 64 bits, their users 32.
constexpr int32_t ClampToInt32(int64_t value) {
    return value < INT32_MIN ? INT32_MIN : value > INT32_MAX ? INT32_MAX : static_cast<int32_t>(value);
}
// Upper-case hexadecimal of the 32-bit pattern, at least `digits` wide.
std::u16string IntToHex(uint32_t value, int digits);

// The decimal separator of the current locale settings ("." on the systems the program
// is made for); the Windows start-up may set it from the user's locale.
char16_t DecimalSeparator();
void SetDecimalSeparator(char16_t separator);

// General format with at most 15 significant digits: fixed notation for decimal
// exponents -4 … 14, otherwise "1.5E20", "1E-5".
std::u16string FloatToStr(double value);
// Blanks around the number, a sign, digits with one decimal separator, an optional
// exponent. Out-of-range values fail.
bool TryStrToFloat(std::u16string_view text, double& value);
// As TryStrToFloat; raises EConvertError "'%s' は浮動小数点数ではありません" on failure.
double StrToFloat(std::u16string_view text);

} // namespace zerbo
