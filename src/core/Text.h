#pragma once
// Inside, text is UTF-16 as the program's strings have always been; these convert at the edges.
#include <string>
#include <string_view>
#include <vector>

namespace zerbo {

// UTF-8 to UTF-16. Malformed bytes become U+FFFD, so no input is lost silently or read past.
std::u16string FromUtf8(std::string_view utf8);
// UTF-16 to UTF-8. Unpaired surrogates become U+FFFD.
std::string ToUtf8(std::u16string_view utf16);

// The text without the blanks and control characters around it, as the runtime's Trim.
std::u16string Trim(std::u16string_view text);

// A..Z as a..z, every other character as it is: for names compared without regard to case.
std::u16string LowerAscii(std::u16string_view text);

// Lines as a string list takes them from a text: a line ends at CR, LF or CR LF; a last line
// without an ending counts, an ending at the very end adds no empty line.
std::vector<std::u16string> SplitLines(std::u16string_view text);

} // namespace zerbo
