// Starts Zerbo.exe, finds its main window the way other programs do, closes it and
// checks that the program ends cleanly.
#include <gtest/gtest.h>

#include "AppDataFolder.h"
#include "process.h"

namespace {

std::wstring gZerboExe;

TEST(Smoke, StartsShowsItsWindowAndClosesWithExitCodeZero) {
    zerbo::test::AppDataFolder appData;
    // A view mode the program does not know keeps the window as laid out.
    appData.writeIni(L"[Options]\r\nFormType=7\r\n");
    zerbo::test::Process zerbo(L"\"" + gZerboExe + L"\"");
    HWND hwnd = zerbo::test::Process::findWindow(L"TZerbocode", L"Zerbo", 30000);
    ASSERT_NE(hwnd, nullptr) << "no window of class TZerbocode with caption Zerbo";

    RECT client{};
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right - client.left, 351);
    EXPECT_EQ(client.bottom - client.top, 361);

    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(zerbo.wait(30000), 0u);
}

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        fprintf(stderr, "usage: zerbo_smoke_test PATH-TO-Zerbo.exe\n");
        return 2;
    }
    gZerboExe = zerbo::test::windowsPath(argv[1]);
    return RUN_ALL_TESTS();
}
