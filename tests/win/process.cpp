#include "process.h"

#include <stdexcept>
#include <vector>

namespace zerbo::test {

std::wstring windowsPath(const char* path) {
    int n = MultiByteToWideChar(CP_UTF8, 0, path, -1, nullptr, 0);
    std::wstring w(n > 0 ? n - 1 : 0, L'\0');
    if (n > 1) MultiByteToWideChar(CP_UTF8, 0, path, -1, w.data(), n);
    if (!w.empty() && w[0] == L'/') w.insert(0, L"Z:");
    for (auto& c : w)
        if (c == L'/') c = L'\\';
    return w;
}

Process::Process(const std::wstring& commandLine, const std::wstring& currentFolder, DWORD creationFlags) {
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(L'\0');
    STARTUPINFOW si{};
    si.cb = sizeof si;
    // Wine now and then fails a start with ERROR_INTERNAL_ERROR before the program runs (seen
    // once in CI and in the soak): one more try.
    for (int attempt = 0;; ++attempt) {
        if (CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, creationFlags, nullptr,
                           currentFolder.empty() ? nullptr : currentFolder.c_str(), &si, &info_))
            break;
        const DWORD error = GetLastError();
        if (error != ERROR_INTERNAL_ERROR || attempt == 1)
            throw std::runtime_error("CreateProcessW failed: " + std::to_string(error));
    }
}

Process::~Process() {
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

DWORD Process::wait(DWORD timeoutMs) {
    WaitForSingleObject(info_.hProcess, timeoutMs);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

HWND Process::findWindow(const wchar_t* className, const wchar_t* caption, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND hwnd = FindWindowW(className, caption); hwnd && IsWindowVisible(hwnd)) return hwnd;
        if (GetTickCount() - start >= timeoutMs) return nullptr;
        Sleep(50);
    }
}

} // namespace zerbo::test
