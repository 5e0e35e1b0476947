#pragma once
// On Windows wchar_t and char16_t are both UTF-16 code units: our strings pass to the API as
// they are, without conversion.
#include <string>
#include <string_view>

namespace zerbo::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 text is UTF-16");

inline const wchar_t* wide(const std::u16string& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }
inline const wchar_t* wide(std::u16string_view s) { return reinterpret_cast<const wchar_t*>(s.data()); }
inline std::u16string fromWide(const wchar_t* s) { return s ? reinterpret_cast<const char16_t*>(s) : u""; }
inline std::u16string fromWide(const wchar_t* s, size_t n) { return {reinterpret_cast<const char16_t*>(s), n}; }

} // namespace zerbo::win32
