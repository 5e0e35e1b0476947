#include "core/Path.h"

namespace zerbo {

namespace {

size_t nameStart(std::u16string_view delimiters, std::u16string_view path) {
    const size_t last = path.find_last_of(delimiters);
    return last == std::u16string_view::npos ? 0 : last + 1;
}

// Where the extension begins, or the path's end.
size_t extensionStart(std::u16string_view delimiters, std::u16string_view path) {
    const size_t dot = path.rfind(u'.');
    return dot == std::u16string_view::npos || dot < nameStart(delimiters, path) ? path.size() : dot;
}

} // namespace

std::u16string ExtractFilePath(std::u16string_view delimiters, std::u16string_view path) {
    return std::u16string(path.substr(0, nameStart(delimiters, path)));
}

std::u16string ExtractFileName(std::u16string_view delimiters, std::u16string_view path) {
    return std::u16string(path.substr(nameStart(delimiters, path)));
}

std::u16string ExtractFileExt(std::u16string_view delimiters, std::u16string_view path) {
    return std::u16string(path.substr(extensionStart(delimiters, path)));
}

std::u16string ChangeFileExt(std::u16string_view delimiters, std::u16string_view path, std::u16string_view ext) {
    return std::u16string(path.substr(0, extensionStart(delimiters, path))) + std::u16string(ext);
}

} // namespace zerbo
