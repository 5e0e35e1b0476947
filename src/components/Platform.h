#pragma once
// What the settings file and the history list need from the operating system, so that
// both stay portable: the Win32 build passes its implementation, native tests the POSIX
// one (or a fake).
#include <optional>
#include <string>
#include <string_view>

namespace zerbo {

class IComponentPlatform {
public:
    virtual ~IComponentPlatform() = default;

    enum class ReadResult { Ok, Missing, Failed };
    // The whole file. Missing when it does not exist, Failed when it exists but cannot be read.
    virtual ReadResult ReadFile(const std::u16string& path, std::string& bytes) = 0;
    // Puts `bytes` in place of the file (creating it) so that a crash, a kill or a full disk
    // at any moment leaves either the old or the new file whole, and the new one is on the
    // disk before the call returns. False when it could not be done.
    virtual bool ReplaceFile(const std::u16string& path, std::string_view bytes) = 0;
    virtual bool FileExists(const std::u16string& path) = 0;
    // True when the file exists and carries the read-only attribute.
    virtual bool IsReadOnly(const std::u16string& path) = 0;
    // Leaves the archive attribute alone: clears read-only (and hidden and system).
    virtual bool SetArchiveOnly(const std::u16string& path) = 0;
    // Creates the folder and every missing parent.
    virtual bool CreateFolders(const std::u16string& path) = 0;

    // Characters that end the folder part of a file name.
    virtual std::u16string_view PathDelimiters() = 0;
    // The character that joins a folder and a name ("\\" on Windows).
    virtual char16_t PathSeparator() = 0;
    // Full file name of the running program.
    virtual std::u16string ProgramFileName() = 0;
    // The Windows folder, without a trailing delimiter.
    virtual std::u16string WindowsFolder() = 0;
    // The per-user application-data folder (the expansion of "%AppData%").
    virtual std::u16string AppDataFolder() = 0;
    // The operating system's major version, 0 when it cannot be read.
    virtual int MajorVersion() = 0;

    // ANSI code page 932 to UTF-16 and back; nullopt when some byte or character has
    // no exact counterpart, so that nothing is changed silently.
    virtual std::optional<std::u16string> DecodeCp932(std::string_view bytes) = 0;
    virtual std::optional<std::string> EncodeCp932(std::u16string_view text) = 0;
};

} // namespace zerbo
