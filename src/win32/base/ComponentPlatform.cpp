#include "win32/base/ComponentPlatform.h"
#include "win32/base/Handles.h"
#include "win32/base/WideText.h"

#include <vector>

namespace zerbo::win32 {

namespace {


bool writeAll(HANDLE h, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = bytes.size() > 0x40000000 ? 0x40000000 : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!WriteFile(h, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

} // namespace

IComponentPlatform::ReadResult TWin32ComponentPlatform::ReadFile(const std::u16string& path, std::string& bytes) {
    bytes.clear();
    const TFile file(CreateFileW(wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME
                   ? ReadResult::Missing
                   : ReadResult::Failed;
    }
    char buffer[65536];
    for (;;) {
        DWORD n = 0;
        if (!::ReadFile(file.Get(), buffer, sizeof buffer, &n, nullptr)) return ReadResult::Failed;
        if (n == 0) return ReadResult::Ok;
        bytes.append(buffer, n);
    }
}

bool TWin32ComponentPlatform::ReplaceFile(const std::u16string& path, std::string_view bytes) {
    // The new text goes to a file of its own in the same folder, reaches the disk, and
    // only then takes the old file's name in one step.
    const size_t slash = path.find_last_of(u"\\/:");
    std::u16string folder = slash == std::u16string::npos ? u"." : path.substr(0, slash + 1);
    if (folder.size() == 2 && folder[1] == u':') folder += u'.';  // "D:name": the drive's current folder
    wchar_t temp[MAX_PATH];
    if (GetTempFileNameW(wide(folder), L"ini", 0, temp) == 0) return false;
    bool ok = false;
    {
        const TFile file(CreateFileW(temp, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ok = file && writeAll(file.Get(), bytes) && FlushFileBuffers(file.Get());
    }
    ok = ok && MoveFileExW(temp, wide(path), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileW(temp);
    return ok;
}

bool TWin32ComponentPlatform::FileExists(const std::u16string& path) {
    const DWORD a = GetFileAttributesW(wide(path));
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool TWin32ComponentPlatform::IsReadOnly(const std::u16string& path) {
    const DWORD a = GetFileAttributesW(wide(path));
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY);
}

bool TWin32ComponentPlatform::SetArchiveOnly(const std::u16string& path) {
    return SetFileAttributesW(wide(path), FILE_ATTRIBUTE_ARCHIVE) != 0;
}

bool TWin32ComponentPlatform::CreateFolders(const std::u16string& path) {
    // Each prefix that ends before a separator, from the root on; existing ones are fine.
    for (size_t i = 0; i <= path.size(); ++i) {
        if (i < path.size() && path[i] != u'\\' && path[i] != u'/') continue;
        const std::u16string prefix = path.substr(0, i);
        if (prefix.empty() || prefix.back() == u':' || prefix == u"\\\\") continue;
        CreateDirectoryW(wide(prefix), nullptr);
    }
    const DWORD a = GetFileAttributesW(wide(path));
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::u16string TWin32ComponentPlatform::ProgramFileName() {
    std::vector<wchar_t> buffer(32768);
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    return fromWide(buffer.data(), n);
}

std::u16string TWin32ComponentPlatform::WindowsFolder() {
    wchar_t buffer[150];
    const UINT n = GetWindowsDirectoryW(buffer, 150);
    return n == 0 || n >= 150 ? std::u16string() : fromWide(buffer, n);
}

std::u16string TWin32ComponentPlatform::AppDataFolder() {
    std::vector<wchar_t> buffer(32768);
    const DWORD n = ExpandEnvironmentStringsW(L"%AppData%", buffer.data(), static_cast<DWORD>(buffer.size()));
    return n == 0 || n > buffer.size() ? std::u16string() : fromWide(buffer.data(), n - 1);
}

int TWin32ComponentPlatform::MajorVersion() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    return GetVersionExW(&info) ? static_cast<int>(info.dwMajorVersion) : 0;
}

std::optional<std::u16string> TWin32ComponentPlatform::DecodeCp932(std::string_view bytes) {
    if (bytes.empty()) return std::u16string();
    if (bytes.size() > 0x7FFFFFFF) return std::nullopt;
    const int size = static_cast<int>(bytes.size());
    const int n = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (n <= 0) return std::nullopt;
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), size, out.data(), n);
    return fromWide(out.data(), out.size());
}

std::optional<std::string> TWin32ComponentPlatform::EncodeCp932(std::u16string_view text) {
    if (text.empty()) return std::string();
    if (text.size() > 0x3FFFFFFF) return std::nullopt;
    const auto* w = reinterpret_cast<const wchar_t*>(text.data());
    const int size = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, w, size, nullptr, 0, nullptr, &usedDefault);
    if (n <= 0 || usedDefault) return std::nullopt;
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, w, size, out.data(), n, nullptr, &usedDefault);
    // Only an exact round trip counts: no character may come back as another.
    const auto back = DecodeCp932(out);
    if (usedDefault || !back || *back != text) return std::nullopt;
    return out;
}

} // namespace zerbo::win32
