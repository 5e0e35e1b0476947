// Labels through DDE: 200 macros "WRITE <data>" + "SAVE <file>.BMP" in one conversation,
// against 200 empty executes and against 20 one-call command-line runs
// (Zerbo.exe <data> /SAVE:<file> /EXIT), all in one Wine session. Prints the three rates and
// the ratios.
//
//   dde_bench.exe ZERBO.EXE FOLDER [LABELS]
#include <windows.h>

#include <cstdio>
#include <string>

#include "AppDataFolder.h"
#include "ddeclient.h"
#include "driver.h"
#include "process.h"

namespace {

double seconds(LARGE_INTEGER a, LARGE_INTEGER b) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

LARGE_INTEGER now() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t;
}

// A whole run of the command, waited for: its exit code.
DWORD run(const std::wstring& commandLine) { return zerbo::test::Process(commandLine).wait(INFINITE); }

std::string data(int i) { return "LABEL-" + std::to_string(1000 + i); }

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: dde_bench ZERBO.EXE FOLDER [LABELS]\n");
        return 2;
    }
    const std::wstring zerbo = argv[1], folder = argv[2];
    const int labels = argc > 3 ? _wtoi(argv[3]) : 200, calls = labels / 10;
    const std::string ansiFolder(folder.begin(), folder.end());
    zerbo::test::AppDataFolder appData;
    appData.writeIni(L"[Options]\r\nCodeType=10\r\n");

    // One-call command-line runs, while no Zerbo runs.
    LARGE_INTEGER a = now();
    for (int i = 0; i < calls; ++i) {
        const std::string d = data(i);
        if (run(L"\"" + zerbo + L"\" " + std::wstring(d.begin(), d.end()) + L" /SAVE:" + folder + L"\\CALL" +
                std::to_wstring(i) + L".BMP /EXIT") != 0)
            return 1;
    }
    const double perCall = seconds(a, now()) / calls;

    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring line = L"\"" + zerbo + L"\"";
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 1;
    zerbo::test::DdeClient client;
    if (!client.connect()) return 1;
    client.execute(std::string("WRITE WARMUP") + '\0');

    a = now();
    for (int i = 0; i < labels; ++i)
        if (client.execute(std::string(1, '\0')) != DDE_FACK) return 1;
    const double perEmpty = seconds(a, now()) / labels;

    a = now();
    for (int i = 0; i < labels; ++i) {
        const std::string macro = "WRITE " + data(i) + "\r\nSAVE " + ansiFolder + "\\DDE" + std::to_string(i) + ".BMP";
        if (client.execute(macro + '\0') != DDE_FACK) return 1;
    }
    const double perLabel = seconds(a, now()) / labels;
    client.execute(std::string("CLOSE") + '\0');
    client.disconnect();
    WaitForSingleObject(pi.hProcess, 30000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);

    std::printf("command-line calls:       %d, %.1f labels/s (%.1f ms each)\n", calls, 1 / perCall, perCall * 1000);
    std::printf("empty DDE executes:       %d, %.0f per second (%.3f ms each)\n", labels, 1 / perEmpty, perEmpty * 1000);
    std::printf("DDE labels (WRITE+SAVE):  %d, %.1f labels/s (%.2f ms each)\n", labels, 1 / perLabel, perLabel * 1000);
    std::printf("DDE label / command-line call: %.4f (goal below 0.01)\n", perLabel / perCall);
    std::printf("DDE label / empty execute:     %.1f (goal below 10)\n", perLabel / perEmpty);
    return 0;
}
