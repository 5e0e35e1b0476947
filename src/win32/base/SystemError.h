#pragma once
// Failures of the platform reach the user in the platform's own words, in the user's
// language, as our own Exception: one error path for the whole program.
#include <windows.h>

#include <string>

namespace zerbo::win32 {

// The platform's text for an error code, without the line break it ends with; "エラー <code>"
// when there is no text (a COM code in hexadecimal).
std::u16string SystemErrorMessage(DWORD error);

// Raises Exception with the platform's text for the calling thread's last error.
[[noreturn]] void RaiseLastError();

} // namespace zerbo::win32
