#pragma once
// Conversion between the UPC-A and UPC-E forms of a code (both without check digit).
// Neither checks for digits: callers pass codes that passed the encoder's digit check.
#include <string>
#include <string_view>

namespace zerbo::barcode {

// 11 characters of UPC-A to the 7 of UPC-E, or empty when the code has no UPC-E form.
std::u16string UPCAToUPCE(std::u16string_view a);
// 7 characters of UPC-E to the 11 of UPC-A, or empty when it is not a number-system-0 code.
std::u16string UPCEToUPCA(std::u16string_view e);

} // namespace zerbo::barcode
