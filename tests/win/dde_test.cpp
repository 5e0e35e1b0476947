// Zerbo.exe driven by a DDE client as spreadsheet macros drive it: execute macros, the
// item, the end. Files and clipboard bitmaps go to the folder zbar_files.sh decodes.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "AppDataFolder.h"
#include "ddeclient.h"
#include "driver.h"
#include "process.h"

namespace {

using namespace zerbo::test;

std::wstring gZerboExe;
ZbarList gZbar;

constexpr int idComntStr = 1036;

std::string narrow(const std::wstring& s) { return std::string(s.begin(), s.end()); }

class DdeTest : public testing::Test {
protected:
    HWND start(const std::wstring& options = L"CopyToBm=1\r\nCopyToEMf=0\r\n") {
        appData.writeIni(L"[Options]\r\n" + options);
        zerbo_ = std::make_unique<Process>(L"\"" + gZerboExe + L"\"");
        HWND w = nullptr;
        waitFor([&] { return (w = FindWindowW(L"TZerboCode", L"Zerbo")) != nullptr && answers(w); });
        return w;
    }
    void end(HWND w) {
        SendMessageW(w, WM_CLOSE, 0, 0);
        EXPECT_EQ(zerbo_->wait(30000), 0u);
    }

    AppDataFolder appData;
    std::unique_ptr<Process> zerbo_;
};

TEST_F(DdeTest, TheFourLineMacroOfASpreadsheetGeneratesCopiesAndSaves) {
    emptyClipboard();
    HWND w = start();
    ASSERT_NE(w, nullptr);
    DdeClient client;
    ASSERT_TRUE(client.connect());
    const std::wstring file = gZbar.file(L"dde.bmp");
    EXPECT_EQ(client.execute("CODE JAN\r\nTHIN 2\r\nWRITE 4901234567894\r\nSAVE " + narrow(file) + std::string(1, '\0')),
              static_cast<DWORD>(DDE_FACK));
    gZbar.expect(L"DDE.BMP", "4901234567894");
    ASSERT_TRUE(clipboardHas(CF_BITMAP)) << "automatic copy is on during a macro";
    ASSERT_TRUE(saveClipboardBitmap(gZbar.file(L"DDE-CLIPBOARD.BMP")));
    gZbar.expect(L"DDE-CLIPBOARD.BMP", "4901234567894");

    EXPECT_EQ(client.request("DdeZerbocode"), "") << "the item never holds data";

    // Japanese text arrives as the client meant it.
    EXPECT_EQ(client.execute(Cp932(L"COMMENTSHOW TRUE\r\nCOMMENT 日本語のコメント") + std::string(1, '\0')),
              static_cast<DWORD>(DDE_FACK));
    EXPECT_EQ(text(control(w, idComntStr, L"Edit")), L"日本語のコメント");

    // "CLOSE" ends the program with its settings written.
    EXPECT_EQ(client.execute(std::string("CLOSE") + '\0'), static_cast<DWORD>(DDE_FACK));
    client.disconnect();
    EXPECT_EQ(zerbo_->wait(30000), 0u);
    const std::wstring ini = appData.readIni();
    for (const wchar_t* key : {L"CodeType=0", L"ThinWidth=1", L"Comment=1", L"LastStr=\"4901234567894\""})
        EXPECT_TRUE(contains(ini, key)) << key;
}

TEST_F(DdeTest, OddExecutesAndClientsThatLeaveEarlyDoNoHarm) {
    HWND w = start(L"CodeType=10\r\n");
    ASSERT_NE(w, nullptr);
    {
        // Connected and gone without an execute.
        DdeClient quiet;
        ASSERT_TRUE(quiet.connect());
    }
    DdeClient client;
    ASSERT_TRUE(client.connect());
    const DWORD fack = DDE_FACK;
    EXPECT_EQ(client.execute("THIN 3"), fack) << "no terminating zero";
    EXPECT_EQ(client.execute(std::string("THIN 2\0WRITE ZZZ", 16)), fack) << "a zero in the middle ends the text";
    std::string lines;
    while (lines.size() < (1u << 20)) lines += "THIN 1\r\n";
    EXPECT_EQ(client.execute(lines + '\0'), fack) << "a megabyte of lines";
    EXPECT_EQ(client.execute("WRITE " + std::string(100000, '7') + '\0'), fack) << "a line of 100 000 characters";
    EXPECT_EQ(client.execute(std::string("WRITE A\x81\r\nCOMMENT \xFF\xFE\x81\0", 24)), fack) << "broken code page 932";
    EXPECT_EQ(client.execute(std::string("CODE QR2\r\nWRITE HELLO\r\nPOKE 0\r\nPOKE 12345\r\nCODE 128") + '\0'), fack);
    EXPECT_TRUE(answers(w));

    // A file that cannot be written: the error is shown once the client has its answer.
    EXPECT_EQ(client.execute("WRITE 12\r\nSAVE " + narrow(gZbar.file(L"missing\\a.bmp")) + "\r\nTHIN 3" + '\0'), fack);
    EXPECT_TRUE(contains(dismissError(), L" に書き込めません"));
    EXPECT_NE(SendMessageW(control(w, 1014, L"ComboBox"), CB_GETCURSEL, 0, 0), 2) << "the macro ended at the error";

    // A client that leaves in the middle of its transaction; the next one is served.
    ASSERT_TRUE(client.executeAsync("WRITE 34\r\nHEIGHT 60" + std::string(1, '\0')));
    client.disconnect();
    DdeClient next;
    ASSERT_TRUE(next.connect());
    EXPECT_EQ(next.execute("WRITE 56" + std::string(1, '\0')), fack);
    EXPECT_TRUE(waitFor([&] { return text(control(w, idEditCode, L"Edit")) == L"56"; }));
    next.disconnect();
    end(w);
}

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: zerbo_dde_test PATH-TO-Zerbo.exe ZBAR-FOLDER\n");
        return 2;
    }
    gZerboExe = windowsPath(argv[1]);
    if (!gZbar.create(windowsPath(argv[2]))) return 2;
    return RUN_ALL_TESTS();
}
