#include "components/Registry.h"

namespace zerbo {

namespace {

// Registry names compare without regard to ASCII case; the path's outer separators go.
std::u16string fold(std::u16string s) {
    for (auto& c : s)
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 0x20);
    while (!s.empty() && s.front() == u'\\') s.erase(s.begin());
    while (!s.empty() && s.back() == u'\\') s.pop_back();
    return s;
}

class MemoryKey : public IRegistryKey {
public:
    MemoryKey(TMemoryRegistry::Values& values, const bool& failWrites) : values_(values), failWrites_(failWrites) {}
    TRegValue ReadValue(const std::u16string& name) override {
        const auto it = values_.find(fold(name));
        return it == values_.end() ? TRegValue{} : it->second;
    }
    bool WriteString(const std::u16string& name, const std::u16string& value) override {
        if (failWrites_) return false;
        values_[fold(name)] = TRegValue{TRegValue::rvString, 0, value};
        return true;
    }
    bool WriteInteger(const std::u16string& name, int32_t value) override {
        if (failWrites_) return false;
        values_[fold(name)] = TRegValue{TRegValue::rvInteger, value, {}};
        return true;
    }

private:
    TMemoryRegistry::Values& values_;
    const bool& failWrites_;
};

} // namespace

int32_t RegReadInteger(IRegistryKey& key, const std::u16string& name) {
    const TRegValue v = key.ReadValue(name);
    if (v.kind == TRegValue::rvMissing) throw ERegistryException(FormatText(u"'%s' の取得に失敗しました", name));
    if (v.kind != TRegValue::rvInteger) throw ERegistryException(FormatText(u"'%s' のデータ型が不正です", name));
    return v.integer;
}

std::u16string RegReadString(IRegistryKey& key, const std::u16string& name) {
    const TRegValue v = key.ReadValue(name);
    if (v.kind == TRegValue::rvMissing) return {};
    if (v.kind != TRegValue::rvString) throw ERegistryException(FormatText(u"'%s' のデータ型が不正です", name));
    return v.text;
}

std::unique_ptr<IRegistryKey> TMemoryRegistry::OpenKey(const std::u16string& path) {
    return std::make_unique<MemoryKey>(keys_[fold(path)], failWrites);
}

TMemoryRegistry::Values* TMemoryRegistry::Find(const std::u16string& path) {
    const auto it = keys_.find(fold(path));
    return it == keys_.end() ? nullptr : &it->second;
}

} // namespace zerbo
