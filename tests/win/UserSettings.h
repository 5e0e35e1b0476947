#pragma once
// The settings file of the user: COM starts the server with the user's own environment, not
// the test's, so a test of a COM start writes the real file and puts the user's back at its end.
#include <windows.h>

#include <shlobj.h>

#include <string>

#include "driver.h"
#include "files.h"

namespace zerbo::test {

class UserSettings {
public:
    UserSettings() {
        wchar_t folder[MAX_PATH] = {};
        SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
        folder_ = std::wstring(folder) + L"\\Zerbo";
        path_ = folder_ + L"\\Zerbo.ini";
        saved_ = ReadFileBytes(path_);
        had_ = GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    UserSettings(const UserSettings&) = delete;
    UserSettings& operator=(const UserSettings&) = delete;
    ~UserSettings() {
        if (had_)
            writeFile(path_, saved_);
        else
            DeleteFileW(path_.c_str());
    }
    void writeIni(const std::wstring& text) const {
        CreateDirectoryW(folder_.c_str(), nullptr);
        std::string bytes("\xFF\xFE");
        bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * 2);
        writeFile(path_, bytes);
    }
    std::wstring readIni() const {
        const std::string bytes = ReadFileBytes(path_);
        return bytes.size() < 2 ? std::wstring() : std::wstring(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
    }

private:
    std::wstring folder_, path_;
    std::string saved_;
    bool had_ = false;
};

} // namespace zerbo::test
