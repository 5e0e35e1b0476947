#pragma once
// Code97cd: CODE93's full-ASCII display. A typed shift ("<$>", "<%>", "</>", "<+>") and a
// capital letter are shown as the character or control name they stand for.
#include <string>
#include <string_view>

namespace zerbo::barcode {

// Rewrites `text` from left to right, replacing every display key that starts at the position
// reached by its text.
std::u16string Code97cd(std::u16string_view text);

} // namespace zerbo::barcode
