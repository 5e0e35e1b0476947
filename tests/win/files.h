#pragma once
// File helpers of the Win32 tests.
#include <windows.h>

#include <string>
#include <vector>

namespace zerbo::test {

// A fresh folder under the temporary folder, removed at the end with its files.
class TempFolder {
public:
    explicit TempFolder(const wchar_t* prefix = L"zerbo-");
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    const std::wstring& path() const { return path_; }
    std::wstring file(const wchar_t* name) const { return path_ + L"\\" + name; }
    std::vector<std::wstring> files() const;

private:
    std::wstring path_;
};

// The whole file, or nothing when it cannot be read.
std::string ReadFileBytes(const std::wstring& path);

} // namespace zerbo::test
