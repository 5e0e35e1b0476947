#pragma once
// The system under the support components: files with crash-safe replacement, the system
// folders and version, and code page 932.
#include <windows.h>

#include "components/Platform.h"

namespace zerbo::win32 {

class TWin32ComponentPlatform : public IComponentPlatform {
public:
    ReadResult ReadFile(const std::u16string& path, std::string& bytes) override;
    bool ReplaceFile(const std::u16string& path, std::string_view bytes) override;
    bool FileExists(const std::u16string& path) override;
    bool IsReadOnly(const std::u16string& path) override;
    bool SetArchiveOnly(const std::u16string& path) override;
    bool CreateFolders(const std::u16string& path) override;
    std::u16string_view PathDelimiters() override { return u"\\:"; }
    char16_t PathSeparator() override { return u'\\'; }
    std::u16string ProgramFileName() override;
    std::u16string WindowsFolder() override;
    std::u16string AppDataFolder() override;
    int MajorVersion() override;
    std::optional<std::u16string> DecodeCp932(std::string_view bytes) override;
    std::optional<std::string> EncodeCp932(std::u16string_view text) override;
};

} // namespace zerbo::win32
