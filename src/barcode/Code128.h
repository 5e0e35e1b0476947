#pragma once
// The lookup of CODE128's encoder: a token, as read from the text, to its value.
#include <string_view>

namespace zerbo::barcode {

// The value of `token` in the column of code set `set` (0 = A, 1 = B, 2 = C): the row whose name
// equals it, case-sensitively; -1 when there is none.
int Code128Value(int set, std::u16string_view token);

} // namespace zerbo::barcode
