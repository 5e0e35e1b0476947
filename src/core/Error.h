#pragma once
// Errors inside components carry the program's Japanese message as UTF-16; what() gives
// the same text in UTF-8 for logs and test output.
#include <exception>
#include <string>
#include <string_view>

namespace zerbo {

class Exception : public std::exception {
public:
    explicit Exception(std::u16string message);
    const std::u16string& Message() const noexcept { return message_; }
    const char* what() const noexcept override { return utf8_.c_str(); }

private:
    std::u16string message_;
    std::string utf8_;
};

// Text that is no number by the platform's conversion rules.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// The runtime's message format with one argument: every "%s" becomes arg.
std::u16string FormatMessage(std::u16string_view format, std::u16string_view arg);

} // namespace zerbo
