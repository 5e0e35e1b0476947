// The watch's round trip: this program copies a text and waits for a bitmap in its place.
// Zerbo.exe (watching, automatic copy of bitmaps, JAN) and the trivial listener each answer
// the same rounds in one Wine session; the medians and their ratio are printed.
//
//   watch_bench.exe ZERBO.EXE LISTENER.EXE [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "AppDataFolder.h"

namespace {

void putText(const std::wstring& value) {
    while (!OpenClipboard(nullptr)) Sleep(1);
    EmptyClipboard();
    const size_t bytes = (value.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(memory), value.c_str(), bytes);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

// Microseconds from the copy to a bitmap answering it; negative after ten seconds.
double roundTrip(const std::wstring& data) {
    LARGE_INTEGER f, a, b;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&a);
    putText(data);
    const DWORD copied = GetClipboardSequenceNumber();
    const DWORD start = GetTickCount();
    while (GetClipboardSequenceNumber() == copied || !IsClipboardFormatAvailable(CF_BITMAP)) {
        if (GetTickCount() - start > 10000) return -1;
        Sleep(0);
    }
    QueryPerformanceCounter(&b);
    return 1e6 * static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

struct Started {
    PROCESS_INFORMATION info{};
    explicit Started(std::wstring commandLine) {
        STARTUPINFOW si{};
        si.cb = sizeof si;
        CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &info);
    }
    ~Started() {
        TerminateProcess(info.hProcess, 0);
        WaitForSingleObject(info.hProcess, 5000);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
};

// Rounds of distinct JAN codes, after a warm-up round that is not counted.
std::vector<double> rounds(int n) {
    static const wchar_t* const kCodes[] = {L"4901234567894", L"4512345678906", L"1234567890128"};
    std::vector<double> times;
    roundTrip(L"4901234567894");
    for (int i = 0; i < n; ++i) {
        const double t = roundTrip(kCodes[(i + 1) % 3]);
        if (t < 0) {
            std::fprintf(stderr, "no answer within ten seconds\n");
            std::exit(1);
        }
        times.push_back(t);
    }
    return times;
}

bool waitForWindow(const wchar_t* cls) {
    for (int i = 0; i < 3000; ++i) {
        if (FindWindowW(cls, nullptr)) return true;
        Sleep(10);
    }
    return false;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: watch_bench ZERBO.EXE LISTENER.EXE [ROUNDS]\n");
        return 2;
    }
    const int n = argc > 3 ? _wtoi(argv[3]) : 50;
    zerbo::test::AppDataFolder appData;
    appData.writeIni(L"[Options]\r\nCBWatch=1\r\nAutoCopy=1\r\nCodeType=0\r\nCopyToBm=1\r\nCopyToEMf=0\r\n");

    std::vector<double> zerbo, listener;
    {
        Started z(L"\"" + std::wstring(argv[1]) + L"\"");
        if (!waitForWindow(L"TZerboCode")) return 1;
        zerbo = rounds(n);
    }
    {
        Started l(L"\"" + std::wstring(argv[2]) + L"\"");
        if (!waitForWindow(L"ZerboBenchListener")) return 1;
        listener = rounds(n);
    }
    const double mz = median(zerbo) / 1000, ml = median(listener) / 1000;
    std::printf("rounds:                        %d of each\n", n);
    std::printf("trivial clipboard listener:    median %.2f ms\n", ml);
    std::printf("Zerbo watch, JAN to a bitmap:  median %.2f ms\n", mz);
    std::printf("ratio zerbo / trivial:         %.2f\n", mz / ml);
    return 0;
}
