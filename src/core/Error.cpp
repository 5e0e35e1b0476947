#include "core/Error.h"

#include <new>

#include "core/Text.h"

namespace zerbo {

Exception::Exception(std::u16string message) : message_(std::move(message)), utf8_(ToUtf8(message_)) {}

std::u16string FormatText(std::u16string_view format, std::u16string_view arg) {
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

std::u16string DescribeException(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const Exception& e) {
        return e.Message();
    } catch (const std::bad_alloc&) {
        return u"メモリが不足しています";
    } catch (const std::exception& e) {
        // A fault of the program itself; its text is all there is to show.
        return FromUtf8(e.what());
    } catch (...) {
        return u"不明な例外が発生しました";
    }
}

} // namespace zerbo
