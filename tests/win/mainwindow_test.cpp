// Zerbo.exe as its users drive it: started with a settings file the test prepares, worked
// through its real controls and menus by window messages, closed, and judged by the
// settings file and the clipboard it leaves behind.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "AppDataFolder.h"
#include "driver.h"
#include "process.h"

namespace {

using namespace zerbo::test;

std::wstring gZerboExe;

int outerHeight(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r.bottom - r.top;
}

void typeText(const wchar_t* text) {
    std::vector<INPUT> in;
    for (const wchar_t* c = text; *c; ++c) {
        in.push_back(INPUT{INPUT_KEYBOARD, {.ki = {0, *c, KEYEVENTF_UNICODE, 0, 0}}});
        in.push_back(INPUT{INPUT_KEYBOARD, {.ki = {0, *c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP, 0, 0}}});
    }
    SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

// The control of another process's window that has the keyboard focus.
HWND focusOf(HWND top) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &info);
    return info.hwndFocus;
}

// Waits until the focus is on the control with that identifier, answering the identifier
// the focus is on at the end.
int waitForFocus(HWND top, int id) {
    const DWORD start = GetTickCount();
    int now = 0;
    while (GetTickCount() - start < 10000) {
        now = GetDlgCtrlID(focusOf(top));
        if (now == id) return now;
        Sleep(20);
    }
    return now;
}

class MainWindowTest : public testing::Test {
protected:
    HWND start() {
        zerbo_ = std::make_unique<Process>(L"\"" + gZerboExe + L"\"");
        return Process::findWindow(L"TZerboCode", L"Zerbo", 30000);
    }
    DWORD close(HWND hwnd) {
        SendMessageW(hwnd, WM_CLOSE, 0, 0);
        return zerbo_->wait(30000);
    }
    AppDataFolder appData;
    std::unique_ptr<Process> zerbo_;
};

TEST_F(MainWindowTest, AFirstStartIsWorkedThroughItsControlsAndLeavesItsSettings) {
    emptyClipboard();
    HWND w = start();
    ASSERT_NE(w, nullptr);
    RECT client{};
    GetClientRect(w, &client);
    EXPECT_EQ(client.right, 351);
    EXPECT_EQ(outerHeight(w), 367) << "the full view";

    HWND edit = control(w, idEditCode, L"Edit");
    HWND type = control(w, idCdType, L"ComboBox");
    HWND cd = control(w, idCHB1, L"Button");
    ASSERT_TRUE(edit && type && cd);
    EXPECT_EQ(SendMessageW(type, CB_GETCOUNT, 0, 0), 13);
    EXPECT_EQ(SendMessageW(type, CB_GETCURSEL, 0, 0), 1);

    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"ABC-123"));
    select(type, 2);
    SendMessageW(cd, BM_CLICK, 0, 0);
    EXPECT_EQ(text(control(w, idMode, L"Static")), L"CODE39 1×CD ");
    menuCommand(w, idAutoCopy);  // 編集 > 自動コピー
    SendMessageW(control(w, idSpeedButton1, L"Button"), BM_CLICK, 0, 0);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_ENHMETAFILE)) << "automatic copy of the new symbol";

    // Switching to QR Code swaps the panels.
    select(type, 12);
    EXPECT_TRUE(IsWindowVisible(control(w, idQRPanel, L"TZerboPanel")));
    EXPECT_FALSE(IsWindowEnabled(control(w, idBarHeight, L"Edit")));
    select(type, 2);

    EXPECT_EQ(close(w), 0u);
    const std::wstring ini = appData.readIni();
    for (const wchar_t* key : {L"CodeType=2", L"CheckDigit=1", L"AutoCopy=1", L"LastStr=\"ABC-123\"", L"FormType=1",
                               L"CopyToEMf=1", L"Count=1", L"0=\"ABC-123\"", L"Windows.X="})
        EXPECT_TRUE(contains(ini, key)) << key;
    EXPECT_FALSE(contains(ini, L"BarColor"));
}

TEST_F(MainWindowTest, AStoredQRViewShowsItsErrorInTheStatusBarAndOnTheClipboard) {
    emptyClipboard();
    appData.writeIni(
        L"[Options]\r\nCodeType=12\r\nQRVersion=0\r\nPasteErr=1\r\nFormType=3\r\n[Desktop]\r\nLastStr=\"HELLO\"\r\n");
    HWND w = start();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(outerHeight(w), 108) << "簡易２";
    EXPECT_TRUE(IsWindowVisible(control(w, idQRPanel, L"TZerboPanel")));
    // The status bar's text stays in the program; its length comes back.
    EXPECT_EQ(LOWORD(SendMessageW(control(w, idStatusBar1, STATUSCLASSNAMEW), SB_GETTEXTLENGTHW, 0, 0)), 13);
    EXPECT_EQ(clipboardText(), L"ＱＲ：バージョン指定エラー");

    // The view buttons: back to the full view.
    SendMessageW(control(w, idViewB3 - 2, L"Button"), BM_CLICK, 0, 0);
    EXPECT_EQ(outerHeight(w), 367);
    EXPECT_EQ(close(w), 0u);
    const std::wstring ini = appData.readIni();
    EXPECT_TRUE(contains(ini, L"FormType=1"));
    EXPECT_TRUE(contains(ini, L"QRVersion=0"));
    EXPECT_TRUE(contains(ini, L"CodeType=12"));
}

TEST_F(MainWindowTest, GarbageInTheSettingsShowsTheConversionErrorOnceAndTheProgramGoesOn) {
    std::wstring ini = L"[Options]\r\n";
    for (const wchar_t* key : {L"CodeType", L"ThinWidth", L"CheckDigit", L"FormType", L"BarHeight", L"QRVersion",
                               L"QRErrLebel", L"BarColor", L"BackColor", L"NoSaveIni", L"Font.Size", L"Font.Color"})
        ini += std::wstring(key) + L"=q#q\r\n";
    ini += L"[Desktop]\r\nWindows.X=huge\r\nWindows.Y=-99999999\r\n";
    appData.writeIni(ini);
    zerbo_ = std::make_unique<Process>(L"\"" + gZerboExe + L"\"");
    HWND box = Process::findWindow(L"#32770", L"Zerbo", 30000);
    ASSERT_NE(box, nullptr) << "the conversion error of the font colour";
    // Its digits start after two characters that stand for "0x".
    EXPECT_EQ(text(GetDlgItem(box, 0xFFFF)), L"''$q'' は整数ではありません");
    SendMessageW(box, WM_COMMAND, IDOK, 0);

    HWND w = Process::findWindow(L"TZerboCode", L"Zerbo", 30000);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(SendMessageW(control(w, idCdType, L"ComboBox"), CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(text(control(w, idQRVer, L"Edit")), L"4");
    RECT r{};
    GetWindowRect(w, &r);
    EXPECT_GT(r.top, -1000) << "a stored position off the screens is not taken";
    EXPECT_EQ(close(w), 0u);
    const std::wstring saved = appData.readIni();
    EXPECT_TRUE(contains(saved, L"CodeType=1"));
    EXPECT_TRUE(contains(saved, L"BarHeight=50"));
}

TEST_F(MainWindowTest, WithNoSaveIniTheFileStaysAsItWas) {
    const std::wstring ini = L"[Options]\r\nNoSaveIni=1\r\nCodeType=4\r\n";
    appData.writeIni(ini);
    HWND w = start();
    ASSERT_NE(w, nullptr);
    select(control(w, idCdType, L"ComboBox"), 7);
    EXPECT_EQ(close(w), 0u);
    EXPECT_EQ(appData.readIni(), ini);
}

TEST_F(MainWindowTest, AKeyboardUserTypesAtOnceTabsThroughTheControlsAndPressesMnemonics) {
    HWND w = start();
    ASSERT_NE(w, nullptr);
    SetForegroundWindow(w);
    ASSERT_EQ(waitForFocus(w, idEditCode), idEditCode) << "the data field has the focus at start";
    typeText(L"ABC");
    const HWND editCode = control(w, idEditCode, L"Edit");
    for (DWORD t = GetTickCount(); text(editCode) != L"ABC" && GetTickCount() - t < 10000;) Sleep(20);
    EXPECT_EQ(text(editCode), L"ABC");

    // Layout order; the covered history box, disabled fields and speed buttons are passed by.
    for (int id : {idCdType, idThinWd, idBoxDraw, idCHB1, idEdit2, idEdit3, idAddCodeChar, idButton2, idComnt,
                   idComntPos, idComntAl, idBarHeight, idLeftMargin, idTopMargin, idEditCode}) {
        keys({VK_TAB});
        EXPECT_EQ(waitForFocus(w, id), id);
    }
    keys({VK_SHIFT, VK_TAB});
    EXPECT_EQ(waitForFocus(w, idTopMargin), idTopMargin);
    keys({VK_SHIFT, VK_TAB});
    keys({VK_SHIFT, VK_TAB});
    ASSERT_EQ(waitForFocus(w, idBarHeight), idBarHeight);

    // A spin edit keeps what is typed until the focus leaves it, then clamps it.
    const HWND barHeight = control(w, idBarHeight, L"Edit");
    typeText(L"500");
    for (DWORD t = GetTickCount(); text(barHeight) != L"500" && GetTickCount() - t < 10000;) Sleep(20);
    EXPECT_EQ(text(barHeight), L"500");
    keys({VK_TAB});
    EXPECT_EQ(waitForFocus(w, idLeftMargin), idLeftMargin);
    EXPECT_EQ(text(barHeight), L"110");

    // Alt with the underlined letter presses the button: "フォント(&F)..." opens the font
    // dialog once the human-readable characters are on.
    SendMessageW(control(w, idAddCodeChar, L"Button"), BM_CLICK, 0, 0);
    keys({VK_MENU, 'F'});
    HWND dialog = nullptr;
    for (DWORD t = GetTickCount(); !dialog && GetTickCount() - t < 10000; Sleep(50)) {
        const HWND popup = GetLastActivePopup(w);
        if (popup != w && IsWindowVisible(popup)) dialog = popup;
    }
    ASSERT_NE(dialog, nullptr) << "Alt+F did not open the font dialog";
    SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    for (DWORD t = GetTickCount(); IsWindow(dialog) && GetTickCount() - t < 10000;) Sleep(20);
    EXPECT_EQ(close(w), 0u);
}

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        fprintf(stderr, "usage: zerbo_mainwindow_test PATH-TO-Zerbo.exe\n");
        return 2;
    }
    gZerboExe = zerbo::test::windowsPath(argv[1]);
    return RUN_ALL_TESTS();
}
