#pragma once
// The registry of the current user, as far as the history list needs it. The Win32 build
// passes the real one; TMemoryRegistry stands in for it in native tests.
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "core/Error.h"

namespace zerbo {

class ERegistryException : public Exception {
public:
    using Exception::Exception;
};

struct TRegValue {
    enum Kind { rvMissing, rvInteger, rvString, rvOther };
    Kind kind = rvMissing;
    int32_t integer = 0;
    std::u16string text;
};

class IRegistryKey {
public:
    virtual ~IRegistryKey() = default;  // closes the key
    virtual TRegValue ReadValue(const std::u16string& name) = 0;
    virtual bool WriteString(const std::u16string& name, const std::u16string& value) = 0;
    virtual bool WriteInteger(const std::u16string& name, int32_t value) = 0;
};

class IRegistry {
public:
    virtual ~IRegistry() = default;
    // Opens the key by its path under the current user's root, creating it (and its
    // parents) when missing. Null when that fails.
    virtual std::unique_ptr<IRegistryKey> OpenKey(const std::u16string& path) = 0;
};

// Integer value; raises "'%s' の取得に失敗しました" when missing and
// "'%s' のデータ型が不正です" when it holds no integer.
int32_t RegReadInteger(IRegistryKey& key, const std::u16string& name);
// String value; empty when missing, raises "'%s' のデータ型が不正です" for another type.
std::u16string RegReadString(IRegistryKey& key, const std::u16string& name);

class TMemoryRegistry : public IRegistry {
public:
    using Values = std::map<std::u16string, TRegValue>;  // names folded to upper case
    std::unique_ptr<IRegistryKey> OpenKey(const std::u16string& path) override;
    // The values of a key, or null when it does not exist.
    Values* Find(const std::u16string& path);
    bool failWrites = false;

private:
    std::map<std::u16string, Values> keys_;  // paths folded to upper case
};

} // namespace zerbo
