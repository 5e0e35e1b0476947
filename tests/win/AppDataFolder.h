#pragma once
// A fresh folder that Zerbo.exe started by the test takes as %AppData%, so each test
// prepares and reads its own settings file and leaves the prefix's alone.
#include <windows.h>

#include <string>

namespace zerbo::test {

class AppDataFolder {
public:
    AppDataFolder() {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        path_ = std::wstring(temp) + L"zerbo-appdata-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(counter()++);
        CreateDirectoryW(path_.c_str(), nullptr);
        // The started program inherits this environment.
        SetEnvironmentVariableW(L"APPDATA", path_.c_str());
    }
    AppDataFolder(const AppDataFolder&) = delete;
    AppDataFolder& operator=(const AppDataFolder&) = delete;
    ~AppDataFolder() {
        DeleteFileW(iniPath().c_str());
        RemoveDirectoryW((path_ + L"\\Zerbo").c_str());
        RemoveDirectoryW(path_.c_str());
    }

    std::wstring iniPath() const { return path_ + L"\\Zerbo\\Zerbo.ini"; }

    // Writes the settings file as UTF-16LE with its mark.
    void writeIni(const std::wstring& text) const {
        CreateDirectoryW((path_ + L"\\Zerbo").c_str(), nullptr);
        HANDLE f = CreateFileW(iniPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (f == INVALID_HANDLE_VALUE) return;
        const wchar_t bom = 0xFEFF;
        DWORD n = 0;
        WriteFile(f, &bom, 2, &n, nullptr);
        WriteFile(f, text.data(), static_cast<DWORD>(text.size() * 2), &n, nullptr);
        CloseHandle(f);
    }
    // The file's text; empty when there is none.
    std::wstring readIni() const {
        HANDLE f = CreateFileW(iniPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (f == INVALID_HANDLE_VALUE) return {};
        std::string bytes(GetFileSize(f, nullptr), '\0');
        DWORD n = 0;
        ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
        CloseHandle(f);
        std::wstring text;
        for (size_t i = 2; i + 1 < bytes.size(); i += 2)
            text += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8));
        return text;
    }

private:
    static int& counter() {
        static int n = 0;
        return n;
    }
    std::wstring path_;
};

} // namespace zerbo::test
