#pragma once
// File names taken apart as the platform's path functions do. The folder part ends at the
// last of `delimiters` ("\\:" on Windows, "/" natively), so these work for either system.
#include <string>
#include <string_view>

namespace zerbo {

// The folder part with its final delimiter; empty when there is none.
std::u16string ExtractFilePath(std::u16string_view delimiters, std::u16string_view path);
// The name after the folder part.
std::u16string ExtractFileName(std::u16string_view delimiters, std::u16string_view path);
// The name's extension from its last ".", dot included; empty when the name has none.
std::u16string ExtractFileExt(std::u16string_view delimiters, std::u16string_view path);
// The path with the name's extension replaced by `ext` (or `ext` appended).
std::u16string ChangeFileExt(std::u16string_view delimiters, std::u16string_view path, std::u16string_view ext);

} // namespace zerbo
