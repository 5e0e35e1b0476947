// The three dialogs as a user opens them from a running Zerbo: the QR content assistant, whose
// address-book text must end as a symbol that reads back exactly and whose addresses land in
// Address.txt beside the program in code page 932; the colour palette, whose choice colours
// the next symbol; the about box with the program's own version.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "AppDataFolder.h"
#include "driver.h"
#include "files.h"
#include "process.h"

namespace {

using namespace zerbo::test;

std::wstring gZerboExe;  // a copy in a folder of the test's own, where Address.txt is written
ZbarList gZbar;

// Controls of the dialogs: 1000 plus their place in the dialog's layout, pages first.
enum : int {
    idKFirstN = 1005, idKLastN = 1006, idFirstN = 1008, idLastN = 1009, idPhone1 = 1011,
    idAddress1 = 1021, idAddress2 = 1023, idSub = 1025, idQRImage = 1034, idCreate = 1035, idQRCancel = 1036,
};
enum : int { idPalette = 1000, idColOk = 1001 };
enum : int { idVer = 1003, idAboutOk = 1007 };

// The palette cells the test picks and their colours (0x00BBGGRR): dark blue, light cyan.
constexpr int kForegroundCell = 35, kBackgroundCell = 7;
constexpr uint32_t kPaletteForeground = 0x00CC0000, kPaletteBackground = 0x00FFFF99;

SIZE clientSize(HWND h) {
    RECT r{};
    GetClientRect(h, &r);
    return {r.right, r.bottom};
}

// The user types into a field: its text changes and it tells its parent.
void type(HWND field, const std::wstring& text) {
    SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}
// The user types into the text field of an editable drop-down, a character at a time.
void typeInto(HWND combo, const std::wstring& text) {
    HWND field = FindWindowExW(combo, nullptr, L"Edit", nullptr);
    for (wchar_t c : text) SendMessageW(field, WM_CHAR, c, 0);
}

void click(HWND h, int x, int y, bool right = false) {
    const LPARAM at = MAKELPARAM(x, y);
    SendMessageW(h, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, at);
    SendMessageW(h, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at);
}

HWND findButton(HWND top, const std::wstring& caption) {
    struct Search {
        const std::wstring& caption;
        HWND found;
    } s{caption, nullptr};
    EnumChildWindows(top, [](HWND h, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        if (text(h) != s->caption) return TRUE;
        s->found = h;
        return FALSE;
    }, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

class DialogsTest : public testing::Test {
protected:
    HWND start(const std::wstring& options, const std::wstring& args) {
        appData.writeIni(L"[Options]\r\n" + options);
        zerbo_ = std::make_unique<Process>(L"\"" + gZerboExe + L"\" " + args);
        return Process::findWindow(L"TZerboCode", L"Zerbo", 30000);
    }
    // Presses a button of the main window that opens a modal dialog, and finds the dialog.
    HWND openWith(HWND button, const wchar_t* caption) {
        PostMessageW(button, BM_CLICK, 0, 0);
        return Process::findWindow(L"TZerboForm", caption, 30000);
    }
    void close(HWND dialog, int okId) {
        SendMessageW(control(dialog, okId), BM_CLICK, 0, 0);
        EXPECT_TRUE(waitFor([&] { return !IsWindow(dialog); }));
    }
    void end(HWND w) {
        SendMessageW(w, WM_CLOSE, 0, 0);
        EXPECT_EQ(zerbo_->wait(30000), 0u);
    }
    std::wstring addressFile() const { return gZerboExe.substr(0, gZerboExe.rfind(L'\\')) + L"\\Address.txt"; }

    AppDataFolder appData;
    std::unique_ptr<Process> zerbo_;
};

TEST_F(DialogsTest, TheAssistantsAddressBookTextBecomesTheSymbolAndItsAddressesGoToAddressTxt) {
    DeleteFileW(addressFile().c_str());
    HWND w = start(L"AutoCopy=1\r\nCopyToBm=1\r\nCopyToEMf=0\r\n", L"X /QR2 /TN2");
    ASSERT_NE(w, nullptr);
    HWND dialog = openWith(findButton(w, L"&QR補助..."), L"QRコード補助(DoCoMo用)");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(clientSize(dialog).cx, 351);
    EXPECT_EQ(clientSize(dialog).cy, 236);
    EXPECT_TRUE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST);

    type(control(dialog, idKFirstN), L"山田");
    type(control(dialog, idKLastN), L"太郎");
    type(control(dialog, idFirstN), L"ﾔﾏﾀﾞ");
    type(control(dialog, idLastN), L"ﾀﾛｳ");
    type(control(dialog, idPhone1), L"0312345678");
    emptyClipboard();
    SendMessageW(control(dialog, idCreate), BM_CLICK, 0, 0);
    const std::wstring mecard = L"MECARD:N:山田,太郎;SOUND:ﾔﾏﾀﾞ,ﾀﾛｳ;TEL:0312345678;;";
    EXPECT_EQ(text(control(w, idEditCode)), mecard);
    EXPECT_TRUE(IsWindowVisible(control(dialog, idQRImage))) << "the symbol's page shows";
    ASSERT_TRUE(waitFor([] { return clipboardHas(CF_BITMAP); }));
    ASSERT_TRUE(saveClipboardBitmap(gZbar.file(L"MECARD.BMP")));
    // zbarimg recognises the code page 932 bytes and gives the text back in UTF-8.
    char utf8[256] = {};
    WideCharToMultiByte(CP_UTF8, 0, mecard.c_str(), -1, utf8, sizeof utf8, nullptr, nullptr);
    gZbar.expect(L"MECARD.BMP", utf8);

    // The mail page: the user clicks its tab, types two addresses and creates.
    HWND tabs = GetParent(GetParent(control(dialog, idKFirstN)));
    click(tabs, 100, 10);
    ASSERT_TRUE(waitFor([&] { return IsWindowVisible(control(dialog, idAddress1)); })) << "the mail page shows";
    typeInto(control(dialog, idAddress1), L"first@example.jp");
    typeInto(control(dialog, idAddress2), L"山田@example.jp");
    type(control(dialog, idSub), L"Hi");
    SendMessageW(control(dialog, idCreate), BM_CLICK, 0, 0);
    EXPECT_EQ(text(control(w, idEditCode)), L"MATMSG:TO:first@example.jp;TO:山田@example.jp;SUB:Hi;;");
    close(dialog, idQRCancel);
    EXPECT_EQ(ReadFileBytes(addressFile()), "first@example.jp\r\n\x8E\x52\x93\x63@example.jp\r\n");

    // Opened again: the addresses are offered in both lists.
    dialog = openWith(findButton(w, L"&QR補助..."), L"QRコード補助(DoCoMo用)");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(SendMessageW(control(dialog, idAddress2), CB_GETCOUNT, 0, 0), 2);
    close(dialog, idQRCancel);
    end(w);
}

TEST_F(DialogsTest, ThePalettesChoiceColoursTheNextSymbol) {
    HWND w = start(L"AutoCopy=0\r\n", L"4901234567894 /JAN");
    ASSERT_NE(w, nullptr);
    HWND dialog = openWith(control(w, idButton2), L"色の設定");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(clientSize(dialog).cx, 223);
    EXPECT_EQ(clientSize(dialog).cy, 104);
    // Cells of 16 x 16 pixels: the left button picks the bars', the right one the ground's.
    HWND palette = control(dialog, idPalette);
    click(palette, kForegroundCell % 13 * 16 + 8, kForegroundCell / 13 * 16 + 8);
    click(palette, kBackgroundCell % 13 * 16 + 8, kBackgroundCell / 13 * 16 + 8, true);
    close(dialog, idColOk);

    const std::wstring file = gZbar.folder() + L"\\COLOURED.BMP";
    Process(L"\"" + gZerboExe + L"\" 4901234567894 /JAN \"/SAVE:" + file + L"\"").wait(30000);
    std::string bmp;
    ASSERT_TRUE(waitFor([&] { return (bmp = ReadFileBytes(file)).size() > 54; }));
    // Every pixel is one of the two colours, and both are there.
    const uint32_t w24 = dword(bmp, 18), h24 = dword(bmp, 22), offset = dword(bmp, 10);
    const size_t stride = (w24 * 3 + 3) & ~3u;
    auto pixel = [&](uint32_t x, uint32_t y) {
        const size_t at = offset + y * stride + x * 3;
        return static_cast<uint32_t>(static_cast<unsigned char>(bmp[at + 2])) |
               static_cast<uint32_t>(static_cast<unsigned char>(bmp[at + 1])) << 8 |
               static_cast<uint32_t>(static_cast<unsigned char>(bmp[at])) << 16;
    };
    std::map<uint32_t, int> colours;
    for (uint32_t y = 0; y < h24; ++y)
        for (uint32_t x = 0; x < w24; ++x) ++colours[pixel(x, y)];
    EXPECT_GT(colours[kPaletteForeground], 100) << "the bars";
    EXPECT_GT(colours[kPaletteBackground], 100) << "the ground";
    EXPECT_EQ(colours.size(), 2u) << "no other colour";
    end(w);
}

TEST_F(DialogsTest, TheAboutBoxShowsTheVersionOfTheProgramFile) {
    HWND w = start(L"", L"");
    ASSERT_NE(w, nullptr);
    SetForegroundWindow(w);
    waitFor([&] { return GetForegroundWindow() == w; }, 10000);
    keys({VK_MENU, 'H'});
    keys({'A'});
    HWND dialog = Process::findWindow(L"TZerboForm", L"Zerboについて", 30000);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(clientSize(dialog).cx, 216);
    EXPECT_EQ(clientSize(dialog).cy, 123);
    // What the program file's version resource says, read here the platform's way.
    std::wstring expected;
    DWORD ignored = 0;
    std::vector<char> data(GetFileVersionInfoSizeW(gZerboExe.c_str(), &ignored));
    void* value = nullptr;
    UINT length = 0;
    if (!data.empty() && GetFileVersionInfoW(gZerboExe.c_str(), 0, static_cast<DWORD>(data.size()), data.data()) &&
        VerQueryValueW(data.data(), L"\\StringFileInfo\\041104b0\\FileVersion", &value, &length))
        expected = static_cast<const wchar_t*>(value);
    EXPECT_FALSE(expected.empty()) << "the program carries its version";
    EXPECT_EQ(text(control(dialog, idVer)), expected);
    close(dialog, idAboutOk);
    end(w);
}

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc < 3) {
        fprintf(stderr, "usage: dialogs_test ZERBO_EXE ZBAR_FOLDER\n");
        return 2;
    }
    const std::wstring zbarFolder = windowsPath(argv[2]);
    if (!gZbar.create(zbarFolder, "")) return 2;
    // The program in a folder of its own, so that its Address.txt is the test's.
    const std::wstring programFolder = zbarFolder + L"\\program";
    CreateDirectoryW(programFolder.c_str(), nullptr);
    gZerboExe = programFolder + L"\\Zerbo.exe";
    if (!CopyFileW(windowsPath(argv[1]).c_str(), gZerboExe.c_str(), FALSE)) return 2;
    return RUN_ALL_TESTS();
}
