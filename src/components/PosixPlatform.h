#pragma once
// The component platform on POSIX systems: real files with the same crash safety as on
// Windows; the system folders and version are plain settings so tests can choose them.
#include "components/Platform.h"

namespace zerbo {

class TPosixPlatform : public IComponentPlatform {
public:
    TPosixPlatform();

    ReadResult ReadFile(const std::u16string& path, std::string& bytes) override;
    bool ReplaceFile(const std::u16string& path, std::string_view bytes) override;
    bool FileExists(const std::u16string& path) override;
    bool IsReadOnly(const std::u16string& path) override;
    bool SetArchiveOnly(const std::u16string& path) override;
    bool CreateFolders(const std::u16string& path) override;

    std::u16string_view PathDelimiters() override { return u"\\:/"; }
    char16_t PathSeparator() override { return pathSeparator; }
    std::u16string ProgramFileName() override { return programFileName; }
    std::u16string WindowsFolder() override { return windowsFolder; }
    std::u16string AppDataFolder() override { return appDataFolder; }
    int MajorVersion() override { return majorVersion; }

    std::optional<std::u16string> DecodeCp932(std::string_view bytes) override;
    std::optional<std::string> EncodeCp932(std::u16string_view text) override;

    std::u16string programFileName;  // /proc/self/exe at construction
    std::u16string windowsFolder = u"/windows";
    std::u16string appDataFolder;    // $HOME/.config at construction
    int majorVersion = 10;
    char16_t pathSeparator = u'/';
};

} // namespace zerbo
