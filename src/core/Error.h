#pragma once
// One error path for the whole program. Errors inside components are our own Exception,
// carrying the program's Japanese message as UTF-16 (what() gives it in UTF-8 for logs and
// test output). Every boundary where control returns to the platform (the message loop,
// a control's handler, start-up, the close) runs its work through Guarded (core/Guard.h),
// which shows whatever escaped in the error display.
#include <exception>
#include <functional>
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
std::u16string FormatText(std::u16string_view format, std::u16string_view arg);

// Where errors are shown to the user: a message box in the program, a list in tests.
using TErrorDisplay = std::function<void(const std::u16string& message)>;

// The message the user sees for an error: our own text, the platform runtime's text for
// running out of memory, and a fixed text for anything we do not know.
std::u16string DescribeException(const std::exception_ptr& error);

} // namespace zerbo
