// Printing as a user does it: Ctrl+P in a Zerbo showing its symbol, the dialog's proposal,
// "印刷(&P)". The printer is CUPS's PDF printer (cups.sh); each PDF it writes is copied to the
// folder print_check.py renders at the printer's 300 dpi, decodes and measures.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "AppDataFolder.h"
#include "driver.h"
#include "files.h"
#include "process.h"

namespace {

using namespace zerbo::test;

std::wstring gZerboExe;
std::wstring gPdfFolder;  // where the PDF printer writes
std::wstring gOut;        // what print_check.py reads

// The controls of the print dialog: 1000 plus their place in its layout.
enum : int { idPrX = 1001, idPrY = 1004, idPrint = 1006, idCancel = 1007 };

std::vector<std::wstring> pdfs() {
    std::vector<std::wstring> found;
    WIN32_FIND_DATAW f{};
    HANDLE h = FindFirstFileW((gPdfFolder + L"\\*.pdf").c_str(), &f);
    if (h == INVALID_HANDLE_VALUE) return found;
    do found.push_back(f.cFileName);
    while (FindNextFileW(h, &f));
    FindClose(h);
    return found;
}

// The dark span of a 24-bit BMP, from its leftmost to its rightmost dark column, and its width.
struct Span {
    int dark, width;
};
Span barSpan(const std::string& bmp) {
    const int32_t w = static_cast<int32_t>(dword(bmp, 18)), h = static_cast<int32_t>(dword(bmp, 22));
    const size_t offset = dword(bmp, 10), stride = (static_cast<size_t>(w) * 3 + 3) & ~size_t(3);
    int first = w, last = -1;
    for (int y = 0; y < std::abs(h); ++y)
        for (int x = 0; x < w; ++x)
            if (static_cast<unsigned char>(bmp[offset + y * stride + x * 3]) < 128) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    return {last < first ? 0 : last - first + 1, w};
}

void expect(const std::wstring& pdf, const std::string& text, int span) {
    const std::string line = std::string(pdf.begin(), pdf.end()) + "\t" + text + "\t" + std::to_string(span) + "\n";
    HANDLE f = CreateFileW((gOut + L"\\expected.txt").c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    DWORD n = 0;
    WriteFile(f, line.data(), static_cast<DWORD>(line.size()), &n, nullptr);
    CloseHandle(f);
}

class PrintTest : public testing::Test {
protected:
    // Zerbo showing the symbol of these arguments in the front.
    HWND start(const std::wstring& options, const std::wstring& args) {
        appData.writeIni(L"[Options]\r\n" + options);
        zerbo_ = std::make_unique<Process>(L"\"" + gZerboExe + L"\" " + args);
        HWND w = Process::findWindow(L"TZerboCode", L"Zerbo", 30000);
        if (w) SetForegroundWindow(w);
        return w;
    }
    HWND openPrintDialog(HWND w) {
        SetForegroundWindow(w);
        waitFor([&] { return GetForegroundWindow() == w; }, 10000);
        keys({VK_CONTROL, 'P'});
        return Process::findWindow(L"TZerboForm", L"印刷", 30000);
    }
    // Prints with the dialog's proposal; answers the new PDF's name in the output folder.
    std::wstring printProposal(HWND w, const wchar_t* name, int& dotsWide) {
        const std::vector<std::wstring> before = pdfs();
        HWND dialog = openPrintDialog(w);
        if (!dialog) return L"";
        const int mm = _wtoi(text(control(dialog, idPrX)).c_str());
        dotsWide = static_cast<int>(std::nearbyint(mm / 25.4 * 300));
        SendMessageW(control(dialog, idPrint), BM_CLICK, 0, 0);
        std::wstring fresh;
        waitFor([&] {
            for (const auto& p : pdfs())
                if (std::find(before.begin(), before.end(), p) == before.end()) fresh = p;
            return !fresh.empty() && ReadFileBytes(gPdfFolder + L"\\" + fresh).find("%%EOF") != std::string::npos;
        }, 60000);
        if (fresh.empty()) return L"";
        CopyFileW((gPdfFolder + L"\\" + fresh).c_str(), (gOut + L"\\" + name).c_str(), FALSE);
        return name;
    }
    // The running Zerbo's symbol as a bitmap, saved by a second start.
    std::string savedBitmap(const wchar_t* args, const wchar_t* name) {
        const std::wstring file = gOut + L"\\" + name;
        Process(L"\"" + gZerboExe + L"\" " + args + L" \"/SAVE:" + file + L"\"").wait(30000);
        std::string bytes;
        waitFor([&] { return (bytes = ReadFileBytes(file)).size() > 54; });
        return bytes;
    }
    void end(HWND w) {
        SendMessageW(w, WM_CLOSE, 0, 0);
        EXPECT_EQ(zerbo_->wait(30000), 0u);
    }

    AppDataFolder appData;
    std::unique_ptr<Process> zerbo_;
};

TEST_F(PrintTest, ALinearBitmapIsEnlargedToThePrintersDotsAndReadsBack) {
    HWND w = start(L"CopyToBm=1\r\nCopyToEMf=0\r\n", L"4901234567894 /JAN");
    ASSERT_NE(w, nullptr);
    int dots = 0;
    const std::wstring pdf = printProposal(w, L"JAN-BITMAP.PDF", dots);
    ASSERT_FALSE(pdf.empty()) << "no PDF arrived";
    // The resampling maps the first and the last source pixel onto the first and the last dot,
    // so a span of k pixels becomes k x (dots - 1) / (width - 1) dots.
    const Span s = barSpan(savedBitmap(L"4901234567894 /JAN", L"JAN-BITMAP.BMP"));
    expect(pdf, "4901234567894", static_cast<int>(std::lround(s.dark * (dots - 1.0) / (s.width - 1))));
    end(w);
}

TEST_F(PrintTest, AQRSymbolAsBitmapAndAsMetafileAndALinearMetafile) {
    HWND w = start(L"CopyToBm=1\r\nCopyToEMf=0\r\n", L"PRINTED-QR /QR2 /QRV2 /TN2");
    ASSERT_NE(w, nullptr);
    int dots = 0;
    const std::wstring bitmapPdf = printProposal(w, L"QR-BITMAP.PDF", dots);
    ASSERT_FALSE(bitmapPdf.empty());
    // Stretched by the printer: the picture's share of the dots.
    const Span s = barSpan(savedBitmap(L"PRINTED-QR /QR2 /QRV2 /TN2", L"QR-BITMAP.BMP"));
    expect(bitmapPdf, "PRINTED-QR", static_cast<int>(std::lround(dots * static_cast<double>(s.dark) / s.width)));
    end(w);

    // The metafile kinds: read back; the frame a metafile is recorded in makes its span
    // one source pixel wider than the bitmap's, so only the text is checked.
    for (auto [args, name, data] : {std::tuple{L"PRINTED-QR /QR2 /QRV2 /TN2", L"QR-METAFILE.PDF", "PRINTED-QR"},
                                    std::tuple{L"4901234567894 /JAN /TN2", L"JAN-METAFILE.PDF", "4901234567894"}}) {
        w = start(L"", args);
        ASSERT_NE(w, nullptr);
        ASSERT_FALSE(printProposal(w, name, dots).empty()) << "no PDF for " << std::string(data);
        expect(name, data, 0);
        end(w);
    }
}

TEST_F(PrintTest, CancelPrintsNothingAndAnImpossibleSizeIsRefusedWithTheDialogOpen) {
    HWND w = start(L"", L"4901234567894 /JAN");
    ASSERT_NE(w, nullptr);
    const size_t before = pdfs().size();
    HWND dialog = openPrintDialog(w);
    ASSERT_NE(dialog, nullptr);
    SendMessageW(control(dialog, idCancel), BM_CLICK, 0, 0);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(dialog); }));

    dialog = openPrintDialog(w);
    ASSERT_NE(dialog, nullptr);
    SendMessageW(control(dialog, idPrX), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"100000"));
    PostMessageW(control(dialog, idPrint), BM_CLICK, 0, 0);
    HWND box = Process::findWindow(L"#32770", L"Zerbo", 30000);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(contains(text(GetDlgItem(box, 0xFFFF)), L"1000 mm"));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(box); }));
    EXPECT_TRUE(IsWindow(dialog)) << "the dialog stays open for a better size";
    SendMessageW(dialog, WM_CLOSE, 0, 0);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(dialog); }));
    EXPECT_EQ(pdfs().size(), before);

    // "プリンタの設定..." chooses a queue that refuses documents: later printing goes there, the
    // platform fails the document's end, and the user is told; nothing is printed, nothing hangs.
    PostMessageW(w, WM_COMMAND, MAKEWPARAM(idN16, 0), 0);
    ASSERT_TRUE(choosePrinter(L"Refusing"));
    dialog = openPrintDialog(w);
    ASSERT_NE(dialog, nullptr);
    PostMessageW(control(dialog, idPrint), BM_CLICK, 0, 0);
    box = Process::findWindow(L"#32770", L"Zerbo", 30000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(text(GetDlgItem(box, 0xFFFF)), L"プリンタが文書を受け付けませんでした");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(dialog); }));
    EXPECT_EQ(pdfs().size(), before);
    end(w);
}

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: zerbo_print_test PATH-TO-Zerbo.exe PDF-FOLDER OUT-FOLDER\n");
        return 2;
    }
    gZerboExe = windowsPath(argv[1]);
    gPdfFolder = windowsPath(argv[2]);
    gOut = windowsPath(argv[3]);
    CreateDirectoryW(gOut.c_str(), nullptr);
    DeleteFileW((gOut + L"\\expected.txt").c_str());
    writeFile(gOut + L"\\expected.txt", "");
    return RUN_ALL_TESTS();
}
