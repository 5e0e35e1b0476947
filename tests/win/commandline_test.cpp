// Zerbo.exe as batch files call it: options on the command line, then the file, the clipboard
// and the settings it leaves behind. BMP and JPEG files go to a folder that
// zbar_files.sh then decodes natively (the folder is the first argument).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "AppDataFolder.h"
#include "files.h"
#include "driver.h"
#include "process.h"

namespace {

using namespace zerbo::test;

std::wstring gZerboExe;
ZbarList gZbar;

void expectDecoded(const std::wstring& file, const std::string& decoded) { gZbar.expect(file, decoded); }

class CommandLineTest : public testing::Test {
protected:
    // The arguments as a batch file writes them after the program's name.
    void start(const std::wstring& args, const std::wstring& folder = {}) {
        zerbo_ = std::make_unique<Process>(L"\"" + gZerboExe + L"\" " + args, folder);
    }
    // A program that was asked to end must end by itself.
    void expectEnd() { EXPECT_EQ(zerbo_->wait(60000), 0u) << "the program did not end"; }
    HWND window() { return Process::findWindow(L"TZerboCode", L"Zerbo", 30000); }
    DWORD close(HWND w) {
        SendMessageW(w, WM_CLOSE, 0, 0);
        return zerbo_->wait(30000);
    }
    std::wstring zbarFile(const wchar_t* name) const { return gZbar.file(name); }

    AppDataFolder appData;
    TempFolder temp;
    std::unique_ptr<Process> zerbo_;
};

TEST_F(CommandLineTest, OneCallSavesABitmapAndEndsAndTheCloseKeepsTheOptions) {
    // An empty first argument, options in any case, a save beside the exit.
    start(L"\"\" /jan 4901234567894 /tn2 \"/SAVE:" + zbarFile(L"jan.bmp") + L"\" /Exit");
    expectEnd();
    EXPECT_EQ(ReadFileBytes(zbarFile(L"JAN.BMP")).substr(0, 2), "BM");
    expectDecoded(L"JAN.BMP", "4901234567894");
    const std::wstring ini = appData.readIni();
    for (const wchar_t* key : {L"CodeType=0", L"ThinWidth=1", L"AutoCopy=1", L"LastStr=\"4901234567894\""})
        EXPECT_TRUE(contains(ini, key)) << key;
}

TEST_F(CommandLineTest, AQuotedArgumentEndingInABackslashDoesNotSwallowTheExit) {
    start(L"\"AB\\\" /C128 \"/SAVE:" + zbarFile(L"backslash.bmp") + L"\" /EXIT");
    expectEnd();
    expectDecoded(L"BACKSLASH.BMP", "AB\\");
}

TEST_F(CommandLineTest, AnyOtherExtensionGivesJpegDataUnderTheUpperCasedName) {
    start(L"/C128 /cc1 \"/C:Lot 12\" /save:out.png /HT500 LOT-12 /exit", gZbar.folder());
    expectEnd();
    const std::string jpeg = ReadFileBytes(zbarFile(L"OUT.PNG"));
    ASSERT_GT(jpeg.size(), 4u);
    EXPECT_EQ(jpeg.substr(0, 3), "\xFF\xD8\xFF");
    WIN32_FIND_DATAW found{};
    HANDLE h = FindFirstFileW(zbarFile(L"out.png").c_str(), &found);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    FindClose(h);
    EXPECT_STREQ(found.cFileName, L"OUT.PNG");
    expectDecoded(L"OUT.PNG", "LOT-12");
    const std::wstring ini = appData.readIni();
    for (const wchar_t* key : {L"BarHeight=500", L"Comment=1", L"ComntStr=LOT 12", L"AddCodeChar=1", L"CodeType=10"})
        EXPECT_TRUE(contains(ini, key)) << key;
}

TEST_F(CommandLineTest, AQRSymbolSavedAsBitmapAndAsMetafile) {
    start(L"/QR2 /QRV2 /TN2 /QRE3 \"Hello QR\" /SAVE:" + zbarFile(L"qr.bmp") + L" /EXIT");
    expectEnd();
    const std::string bmp = ReadFileBytes(zbarFile(L"QR.BMP"));
    ASSERT_GT(bmp.size(), 26u);
    EXPECT_EQ(dword(bmp, 18), (25u + 8) * 2 + 1) << "W * s + 1 pixels square";
    EXPECT_EQ(dword(bmp, 22), (25u + 8) * 2 + 1);
    expectDecoded(L"QR.BMP", "Hello QR");

    start(L"/QR2 /QRV2 /tn1 ABC /SAVE:" + temp.file(L"qr.Emf") + L" /EXIT");
    expectEnd();
    const std::string emf = ReadFileBytes(temp.file(L"QR.EMF"));
    ASSERT_GT(emf.size(), 88u);
    EXPECT_EQ(dword(emf, 0), 1u) << "EMR_HEADER";
    EXPECT_EQ(dword(emf, 40), 0x464D4520u) << "' EMF'";
    EXPECT_EQ(dword(emf, 48), emf.size()) << "nBytes";
    // The bounds are inclusive device units: W * s + 1 pixels wide means 0 to 33.
    EXPECT_EQ(dword(emf, 16) - dword(emf, 8), 33u);
}

TEST_F(CommandLineTest, AListWithoutExitLeavesTheWindowWithTheSymbolCopiedAndSaved) {
    emptyClipboard();
    // Two data arguments: the last one counts; "/STA" is the start character.
    start(L"/c39 /sta first ABC-123 /SAVE:" + temp.file(L"c39.EMF"));
    HWND w = window();
    ASSERT_NE(w, nullptr);
    const std::string emf = ReadFileBytes(temp.file(L"C39.EMF"));
    ASSERT_GT(emf.size(), 88u);
    EXPECT_EQ(dword(emf, 40), 0x464D4520u);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_ENHMETAFILE)) << "automatic copy is forced for the run";
    EXPECT_EQ(text(control(w, idEdit2)), L"A");

    // The copy command puts the symbol there again and says so in the status bar.
    emptyClipboard();
    SendMessageW(control(w, idCopyBtn), BM_CLICK, 0, 0);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_ENHMETAFILE));
    EXPECT_EQ(LOWORD(SendMessageW(control(w, idStatusBar1), SB_GETTEXTLENGTHW, 0, 0)), 8) << "コピーしました.";

    EXPECT_EQ(close(w), 0u);
    const std::wstring ini = appData.readIni();
    for (const wchar_t* key : {L"CodeType=2", L"AutoCopy=1", L"LastStr=\"ABC-123\"", L"CopyToEMf=1"})
        EXPECT_TRUE(contains(ini, key)) << key;
}

TEST_F(CommandLineTest, DataThenTypeThenExitCopiesTheSymbolAndEnds) {
    emptyClipboard();
    start(L"12345 /C128 /CBM /EXIT");
    expectEnd();
    ASSERT_TRUE(saveClipboardBitmap(zbarFile(L"clipboard.bmp"))) << "the bitmap stays on the clipboard";
    expectDecoded(L"clipboard.bmp", "12345");
    const std::wstring ini = appData.readIni();
    EXPECT_TRUE(contains(ini, L"CodeType=10"));
    EXPECT_TRUE(contains(ini, L"CopyToEMf=1")) << "the kind option leaves the menu as it was";

    // "/EXIT" first: its own upper case is the data, what follows is ignored.
    start(L"/exit 12345");
    expectEnd();
    EXPECT_TRUE(contains(appData.readIni(), L"LastStr=\"/EXIT\""));
}

TEST_F(CommandLineTest, ABadValueIsShownAndEndsTheListBeforeItsExit) {
    start(L"123 /HT /EXIT");
    EXPECT_EQ(dismissError(), L"'''' は整数ではありません");
    HWND w = window();
    ASSERT_NE(w, nullptr) << "the list ended before /EXIT: the window stays";
    PostMessageW(w, WM_CLOSE, 0, 0);
    expectEnd();
}

TEST_F(CommandLineTest, ErrorsAreShownAndABatchThatAskedForTheEndStillGetsIt) {
    struct Case {
        std::wstring args;
        std::wstring message;
    };
    TempFolder& t = temp;
    writeFile(t.file(L"RO.BMP"), "old");
    SetFileAttributesW(t.file(L"RO.BMP").c_str(), FILE_ATTRIBUTE_READONLY);
    auto upper = [](std::wstring s) {
        CharUpperBuffW(s.data(), static_cast<DWORD>(s.size()));
        return s;
    };
    const Case cases[] = {
        {L"/JAN 4901234567894 /SAVE:" + t.file(L"none\\x.bmp") + L" /EXIT",
         upper(t.file(L"none\\x.bmp")) + L" に書き込めません"},
        {L"/JAN 4901234567894 /SAVE:" + t.file(L"ro.bmp") + L" /EXIT", upper(t.file(L"ro.bmp")) + L" に書き込めません"},
        // The level error leaves no QR picture to store.
        {L"/QR2 /QRE9 HELLO /SAVE:" + t.file(L"qre9.bmp") + L" /EXIT", upper(t.file(L"qre9.bmp")) + L" に書き込めません"},
    };
    for (const Case& c : cases) {
        start(c.args);
        EXPECT_EQ(dismissError(), c.message) << c.args;
        expectEnd();
    }
    EXPECT_EQ(ReadFileBytes(t.file(L"RO.BMP")), "old");
    EXPECT_EQ(t.files().size(), 1u) << "nothing half-written";
    const std::wstring ini = appData.readIni();
    EXPECT_TRUE(contains(ini, L"BarHeight=50"));
    EXPECT_TRUE(contains(ini, L"QRErrLebel=1")) << "the QR layout's start-up gives a list without level M";
    SetFileAttributesW(t.file(L"RO.BMP").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(CommandLineTest, HugeArgumentsAreTakenOrReportedWithoutACrash) {
    // Data that long is no JAN code: rejected, kept, saved at the close.
    const std::wstring data(32000, L'7');
    start(L"/JAN " + data + L" /EXIT");
    expectEnd();
    EXPECT_TRUE(contains(appData.readIni(), L"LastStr=\"" + data + L"\""));

    const std::wstring name = temp.path() + L"\\" + std::wstring(32000 - temp.path().size() - 40, L'n') + L".bmp";
    start(L"/C39 /SAVE:" + name + L" /EXIT");
    EXPECT_TRUE(contains(dismissError(), L" に書き込めません"));
    expectEnd();
}

TEST_F(CommandLineTest, TheSaveDialogAddsItsExtensionAndAsksBeforeOverwriting) {
    start(L"/C39 ABC");
    HWND w = window();
    ASSERT_NE(w, nullptr);
    for (int round = 0; round < 2; ++round) {
        PostMessageW(w, WM_COMMAND, MAKEWPARAM(idN10, 0), 0);
        HWND dialog = Process::findWindow(L"#32770", L"バーコードに名前を付けて保存する", 30000);
        ASSERT_NE(dialog, nullptr);
        // The file name box of the dialog (cmb13), then Save.
        SetDlgItemTextW(dialog, 0x47C, temp.file(L"dialog").c_str());
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        if (round == 1) {
            // The overwrite question carries the dialog's title too; wait for a second one.
            HWND ask = nullptr;
            for (int i = 0; i < 300 && !ask; ++i) {
                Sleep(50);
                HWND h = FindWindowW(L"#32770", L"バーコードに名前を付けて保存する");
                if (h && h != dialog && IsWindowVisible(h)) ask = h;
            }
            ASSERT_NE(ask, nullptr) << "no overwrite question";
            PostMessageW(ask, WM_COMMAND, IDYES, 0);
        }
        // The save follows the dialog's end: wait for the file (a new one in the second round).
        std::string bmp;
        for (int i = 0; i < 400 && bmp.substr(0, 2) != "BM"; ++i) {
            Sleep(50);
            bmp = ReadFileBytes(temp.file(L"dialog.bmp"));
        }
        EXPECT_EQ(bmp.substr(0, 2), "BM");
        // Something else in its place, which the second round must overwrite after asking.
        if (round == 0) writeFile(temp.file(L"dialog.bmp"), "old");
    }
    EXPECT_EQ(close(w), 0u);
}

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc < 3) {
        fprintf(stderr, "usage: zerbo_commandline_test PATH-TO-Zerbo.exe ZBAR-FOLDER\n");
        return 2;
    }
    gZerboExe = zerbo::test::windowsPath(argv[1]);
    if (!gZbar.create(zerbo::test::windowsPath(argv[2]))) return 2;
    return RUN_ALL_TESTS();
}
