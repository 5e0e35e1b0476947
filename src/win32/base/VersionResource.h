#pragma once
// The version resource of a program file, read with the platform's version functions.
#include <cstdint>
#include <vector>

#include "components/VersionInfo.h"

namespace zerbo::win32 {

class TWinVersionResource : public IVersionResource {
public:
    bool Load(const std::u16string& fileName) override;
    std::optional<std::pair<uint16_t, uint16_t>> Translation() override;
    std::optional<std::u16string> Value(const std::u16string& path) override;

private:
    std::vector<uint8_t> FData;  // the whole resource of the file last loaded
};

} // namespace zerbo::win32
