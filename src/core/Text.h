#pragma once
// Inside, text is UTF-16 as the program's strings have always been; these convert at the edges.
#include <string>
#include <string_view>

namespace zerbo {

// UTF-8 to UTF-16. Malformed bytes become U+FFFD, so no input is lost silently or read past.
std::u16string FromUtf8(std::string_view utf8);
// UTF-16 to UTF-8. Unpaired surrogates become U+FFFD.
std::string ToUtf8(std::u16string_view utf16);

} // namespace zerbo
