#include "win32/base/SystemError.h"

#include <cstdio>
#include <cstring>

#include "core/Error.h"
#include "win32/base/Handles.h"

namespace zerbo::win32 {

std::u16string SystemErrorMessage(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    const TLocalMemory owned(text);
    std::u16string message;
    if (n > 0 && text) message.assign(reinterpret_cast<const char16_t*>(text), n);
    while (!message.empty() && (message.back() == u'\n' || message.back() == u'\r' || message.back() == u' '))
        message.pop_back();
    if (!message.empty()) return message;
    // COM's codes (the high bit set) read, and are looked up, in hexadecimal.
    char code[16];
    std::snprintf(code, sizeof code, error & 0x80000000u ? "0x%08lX" : "%lu", static_cast<unsigned long>(error));
    return u"エラー " + std::u16string(code, code + std::strlen(code));
}

void RaiseLastError() {
    const DWORD error = GetLastError();
    throw Exception(SystemErrorMessage(error));
}

} // namespace zerbo::win32
