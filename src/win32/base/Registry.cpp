#include "win32/base/Registry.h"

#include <vector>

#include "win32/base/Handles.h"
#include "win32/base/WideText.h"

namespace zerbo::win32 {

namespace {

class RegistryKey : public IRegistryKey {
public:
    explicit RegistryKey(HKEY key) : key_(key) {}

    TRegValue ReadValue(const std::u16string& name) override {
        DWORD type = 0;
        DWORD size = 0;
        TRegValue value;
        if (RegQueryValueExW(key_.Get(), wide(name), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return value;
        std::vector<BYTE> data(size + sizeof(wchar_t));
        if (RegQueryValueExW(key_.Get(), wide(name), nullptr, &type, data.data(), &size) != ERROR_SUCCESS) return value;
        if (type == REG_DWORD && size == sizeof(DWORD)) {
            value.kind = TRegValue::rvInteger;
            value.integer = static_cast<int32_t>(*reinterpret_cast<const DWORD*>(data.data()));
        } else if (type == REG_SZ || type == REG_EXPAND_SZ) {
            value.kind = TRegValue::rvString;
            value.text.assign(reinterpret_cast<const char16_t*>(data.data()), size / sizeof(char16_t));
            while (!value.text.empty() && value.text.back() == u'\0') value.text.pop_back();
        } else {
            value.kind = TRegValue::rvOther;
        }
        return value;
    }
    bool WriteString(const std::u16string& name, const std::u16string& value) override {
        const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(char16_t));
        return RegSetValueExW(key_.Get(), wide(name), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes) ==
               ERROR_SUCCESS;
    }
    bool WriteInteger(const std::u16string& name, int32_t value) override {
        const auto data = static_cast<DWORD>(value);
        return RegSetValueExW(key_.Get(), wide(name), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data) ==
               ERROR_SUCCESS;
    }

private:
    TRegistryKey key_;
};

} // namespace

std::unique_ptr<IRegistryKey> TWinRegistry::OpenKey(const std::u16string& path) {
    std::u16string relative = path;
    while (!relative.empty() && relative.front() == u'\\') relative.erase(relative.begin());
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, wide(relative), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<RegistryKey>(key);
}

} // namespace zerbo::win32
