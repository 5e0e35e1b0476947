#include "core/Error.h"

#include "core/Text.h"

namespace zerbo {

Exception::Exception(std::u16string message) : message_(std::move(message)), utf8_(ToUtf8(message_)) {}

std::u16string FormatMessage(std::u16string_view format, std::u16string_view arg) {
    std::u16string out;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == u'%' && i + 1 < format.size() && format[i + 1] == u's') {
            out += arg;
            ++i;
        } else {
            out += format[i];
        }
    }
    return out;
}

} // namespace zerbo
