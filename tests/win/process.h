#pragma once
#include <windows.h>

#include <string>

namespace zerbo::test {

// A Windows path for a program path handed over by ctest, which speaks Unix paths.
std::wstring windowsPath(const char* path);

// A started program; the destructor ends it if the test did not, so no test leaves it behind.
class Process {
public:
    // `currentFolder` empty: the test's own. `creationFlags` as CreateProcessW takes them.
    explicit Process(const std::wstring& commandLine, const std::wstring& currentFolder = {}, DWORD creationFlags = 0);
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process();

    // Waits for the end and answers the exit code, or STILL_ACTIVE after the timeout.
    DWORD wait(DWORD timeoutMs);
    // The first visible top-level window of the given class and caption, waiting up to the timeout.
    static HWND findWindow(const wchar_t* className, const wchar_t* caption, DWORD timeoutMs);

private:
    PROCESS_INFORMATION info_{};
};

} // namespace zerbo::test
