#pragma once
// The component platform with its files in memory, so a target can parse and rewrite a
// settings file a million times a minute; code page 932 is the real conversion.
#include <map>

#include "components/PosixPlatform.h"

namespace zerbo::fuzz {

class TMemoryPlatform : public TPosixPlatform {
public:
    ReadResult ReadFile(const std::u16string& path, std::string& bytes) override {
        const auto it = files.find(path);
        bytes = it == files.end() ? std::string() : it->second;
        return it == files.end() ? ReadResult::Missing : ReadResult::Ok;
    }
    bool ReplaceFile(const std::u16string& path, std::string_view bytes) override {
        files[path] = std::string(bytes);
        return true;
    }
    bool FileExists(const std::u16string& path) override { return files.count(path) != 0; }
    bool IsReadOnly(const std::u16string&) override { return false; }
    bool SetArchiveOnly(const std::u16string& path) override { return FileExists(path); }
    bool CreateFolders(const std::u16string&) override { return true; }

    std::map<std::u16string, std::string> files;
};

} // namespace zerbo::fuzz
