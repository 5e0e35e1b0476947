#pragma once
// Version resources as a table: file name to its translation and strings.
#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "components/VersionInfo.h"

namespace zerbo::test {

class FakeVersions : public IVersionResource {
public:
    struct File {
        std::optional<std::pair<uint16_t, uint16_t>> translation;
        std::map<std::u16string, std::u16string> values;
    };
    bool Load(const std::u16string& fileName) override {
        const auto it = files.find(fileName);
        loaded = it == files.end() ? nullptr : &it->second;
        return loaded != nullptr;
    }
    std::optional<std::pair<uint16_t, uint16_t>> Translation() override { return loaded->translation; }
    std::optional<std::u16string> Value(const std::u16string& path) override {
        asked = path;
        const auto it = loaded->values.find(path);
        return it == loaded->values.end() ? std::nullopt : std::optional(it->second);
    }
    std::map<std::u16string, File> files;
    // The last string asked for.
    std::u16string asked;

private:
    File* loaded = nullptr;
};

} // namespace zerbo::test
