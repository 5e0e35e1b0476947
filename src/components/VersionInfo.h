#pragma once
// The version text of a program file, read from its version resource the platform's way: the
// first translation's "FileVersion". Empty without a resource or a translation, "UnKnown"
// when the string table has no "FileVersion".
#include <cstdint>
#include <optional>
#include <string>

namespace zerbo {

// The platform's version functions over one file.
class IVersionResource {
public:
    virtual ~IVersionResource() = default;
    // False when the file has no version resource.
    virtual bool Load(const std::u16string& fileName) = 0;
    // Language and code page of the first entry of "\VarFileInfo\Translation".
    virtual std::optional<std::pair<uint16_t, uint16_t>> Translation() = 0;
    virtual std::optional<std::u16string> Value(const std::u16string& path) = 0;
};

std::u16string FileVersionText(IVersionResource& resource, const std::u16string& fileName);

} // namespace zerbo
