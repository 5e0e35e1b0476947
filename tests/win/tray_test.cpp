// Zerbo.exe watching the clipboard while other programs copy, and living in the notification
// area: started, driven and judged from outside, as a user and other programs meet it.
// Bitmaps taken from the clipboard go to the folder that zbar_files.sh decodes afterwards.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "AppDataFolder.h"
#include "driver.h"
#include "process.h"

namespace {

using namespace zerbo::test;

std::wstring gZerboExe;
ZbarList gZbar;

class TrayTest : public testing::Test {
protected:
    // Zerbo with these options, its main window found whether it shows or not.
    HWND start(const std::wstring& options) {
        appData.writeIni(L"[Options]\r\n" + options);
        zerbo_ = std::make_unique<Process>(L"\"" + gZerboExe + L"\"");
        HWND w = nullptr;
        waitFor([&] { return (w = FindWindowW(L"TZerboCode", L"Zerbo")) != nullptr && answers(w); });
        return w;
    }
    // Another program copies a text; answers when Zerbo has taken it as its data.
    bool copyAndWait(HWND w, const std::wstring& copied, const std::wstring& data) {
        putClipboardText(copied);
        return waitFor([&] { return text(control(w, idEditCode, L"Edit")) == data; });
    }
    bool running() { return zerbo_->wait(0) == STILL_ACTIVE; }

    AppDataFolder appData;
    std::unique_ptr<Process> zerbo_;
};

TEST_F(TrayTest, TextCopiedByAnotherProgramComesBackAsItsSymbol) {
    emptyClipboard();
    HWND w = start(L"CBWatch=1\r\nTrim_Space=1\r\nAutoCopy=1\r\nCodeType=0\r\nCopyToBm=1\r\nCopyToEMf=0\r\n");
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(copyAndWait(w, L"  4901234567894 ", L"4901234567894"));
    ASSERT_TRUE(waitFor([] { return clipboardHas(CF_BITMAP); }));
    ASSERT_TRUE(saveClipboardBitmap(gZbar.file(L"WATCH-WIN32.BMP")));
    gZbar.expect(L"WATCH-WIN32.BMP", "4901234567894");

    // An X11 program: Wine hands its clipboard on to Windows programs.
    const DWORD before = GetClipboardSequenceNumber();
    Process xclip(L"start.exe /wait /unix /bin/sh -c \"printf ' 4512345678906  ' | xclip -selection clipboard "
                  L">/dev/null 2>&1\"");
    EXPECT_EQ(xclip.wait(30000), 0u);
    ASSERT_TRUE(waitFor([&] { return text(control(w, idEditCode, L"Edit")) == L"4512345678906"; }));
    ASSERT_TRUE(waitFor([&] { return GetClipboardSequenceNumber() != before && clipboardHas(CF_BITMAP); }));
    ASSERT_TRUE(saveClipboardBitmap(gZbar.file(L"WATCH-X11.BMP")));
    gZbar.expect(L"WATCH-X11.BMP", "4512345678906");

    SendMessageW(w, WM_CLOSE, 0, 0);
    EXPECT_EQ(zerbo_->wait(30000), 0u);
}

TEST_F(TrayTest, WithoutAutomaticCopyTheClipboardKeepsTheText) {
    HWND w = start(L"CBWatch=1\r\nAutoCopy=0\r\nCodeType=0\r\n");
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(copyAndWait(w, L"4901234567894", L"4901234567894"));
    EXPECT_TRUE(answers(w));
    EXPECT_EQ(clipboardText(), L"4901234567894");
    SendMessageW(w, WM_CLOSE, 0, 0);
    EXPECT_EQ(zerbo_->wait(30000), 0u);
}

TEST_F(TrayTest, OddTextsAndABurstOfChangesLeaveItResponsiveAndItsOwnCopiesAreNoNews) {
    // JAN turns the odd texts down; the error text it copies back must not come back as data.
    HWND w = start(L"CBWatch=1\r\nAutoCopy=1\r\nPasteErr=1\r\nCodeType=0\r\nCopyToBm=1\r\nCopyToEMf=0\r\n");
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(copyAndWait(w, L"not a JAN", L"not a JAN"));
    ASSERT_TRUE(waitFor([] { return clipboardText() == L"作成できませんでした"; }));
    // A megabyte is no data for a symbol: taken as nothing, as a picture would be.
    putClipboardText(std::wstring(1 << 20, L'7'));
    EXPECT_TRUE(answers(w));
    EXPECT_EQ(text(control(w, idEditCode, L"Edit")), L"not a JAN");
    ASSERT_TRUE(copyAndWait(w, std::wstring(L"12\0" L"34", 5), L"12"));
    ASSERT_TRUE(copyAndWait(w, L" \t ", L" \t "));

    const DWORD start = GetTickCount();
    for (int i = 0; i < 200; ++i) putClipboardText(L"burst " + std::to_wstring(i));
    ASSERT_TRUE(copyAndWait(w, L"4901234567894", L"4901234567894"));
    ASSERT_TRUE(waitFor([] { return clipboardHas(CF_BITMAP); }));
    const DWORD drained = GetTickCount() - start;
    std::printf("200 clipboard changes and a symbol drained in %lu ms\n", static_cast<unsigned long>(drained));

    // Quiet afterwards: the program's own copies start no run of their own.
    const DWORD settled = GetClipboardSequenceNumber();
    EXPECT_FALSE(waitFor([&] { return GetClipboardSequenceNumber() != settled; }, 1500));
    EXPECT_TRUE(answers(w));
    SendMessageW(w, WM_CLOSE, 0, 0);
    EXPECT_EQ(zerbo_->wait(30000), 0u);
}

TEST_F(TrayTest, ATrayResidentStartHidesItsWindowKeepsItsIconAndOnlyItsMenuEndsIt) {
    HWND w = start(L"TaskTary=1\r\n");
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(IsWindowVisible(w));
    // The shell knows the icon: changing nothing of it succeeds only for an icon it has.
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = w;
    icon.uID = 1;
    EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &icon));

    // A double click on the icon shows the window; closing it hides it again.
    PostMessageW(w, kNotifyIconMessage, 0, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(waitFor([&] { return IsWindowVisible(w) != 0; }));
    SendMessageW(w, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(w));
    EXPECT_TRUE(running());
    EXPECT_TRUE(answers(w));

    // "閉じる(&X)" of the icon's menu ends it; the next start is tray-resident again.
    menuCommand(w, idClose2);
    EXPECT_EQ(zerbo_->wait(30000), 0u);
    EXPECT_TRUE(contains(appData.readIni(), L"TaskTary=1"));
    EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &icon)) << "the icon left with the program";
}

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: zerbo_tray_test PATH-TO-Zerbo.exe ZBAR-FOLDER\n");
        return 2;
    }
    gZerboExe = windowsPath(argv[1]);
    if (!gZbar.create(windowsPath(argv[2]))) return 2;
    return RUN_ALL_TESTS();
}
