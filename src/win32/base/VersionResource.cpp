#include "win32/base/VersionResource.h"

#include <windows.h>

#include "win32/base/WideText.h"

namespace zerbo::win32 {

bool TWinVersionResource::Load(const std::u16string& fileName) {
    FData.clear();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(wide(fileName), &ignored);
    if (size == 0) return false;
    FData.resize(size);
    if (!GetFileVersionInfoW(wide(fileName), 0, size, FData.data())) {
        FData.clear();
        return false;
    }
    return true;
}

std::optional<std::pair<uint16_t, uint16_t>> TWinVersionResource::Translation() {
    void* value = nullptr;
    UINT length = 0;
    if (FData.empty() || !VerQueryValueW(FData.data(), L"\\VarFileInfo\\Translation", &value, &length) ||
        length < 2 * sizeof(WORD))
        return std::nullopt;
    const auto* words = static_cast<const WORD*>(value);
    return std::pair<uint16_t, uint16_t>{words[0], words[1]};
}

std::optional<std::u16string> TWinVersionResource::Value(const std::u16string& path) {
    void* value = nullptr;
    UINT length = 0;
    if (FData.empty() || !VerQueryValueW(FData.data(), wide(path), &value, &length) || !value) return std::nullopt;
    // The length counts characters, the terminating zero included.
    std::u16string text(static_cast<const char16_t*>(value), length);
    while (!text.empty() && text.back() == u'\0') text.pop_back();
    return text;
}

} // namespace zerbo::win32
