#include "files.h"

namespace zerbo::test {

TempFolder::TempFolder(const wchar_t* prefix) {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    path_ = std::wstring(base) + prefix + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(GetTickCount());
    CreateDirectoryW(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
    for (const auto& name : files()) {
        SetFileAttributesW((path_ + L"\\" + name).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW((path_ + L"\\" + name).c_str());
    }
    RemoveDirectoryW(path_.c_str());
}

std::vector<std::wstring> TempFolder::files() const {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileW((path_ + L"\\*").c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
    } while (FindNextFileW(h, &data));
    FindClose(h);
    return names;
}

std::string ReadFileBytes(const std::wstring& path) {
    std::string bytes;
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return bytes;
    char buffer[4096];
    DWORD n = 0;
    while (ReadFile(h, buffer, sizeof buffer, &n, nullptr) && n > 0) bytes.append(buffer, n);
    CloseHandle(h);
    return bytes;
}

} // namespace zerbo::test
