// The support components on the platform itself: our INI store against the platform's
// profile functions in both directions, window placement, fonts, the registry, the boxes.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include "app/QRText.h"
#include "components/HistoryEx.h"
#include "components/IniFile.h"
#include "components/IniGT.h"
#include "core/Path.h"
#include "core/Text.h"
#include "files.h"
#include "win32/base/ComponentPlatform.h"
#include "win32/base/Registry.h"
#include "win32/gdi/Printer.h"
#include "win32/ui/ComponentViews.h"
#include "driver.h"

namespace zerbo::win32 {
namespace {

std::wstring w(const std::u16string& s) { return std::wstring(s.begin(), s.end()); }
std::u16string u(const std::wstring& s) { return std::u16string(s.begin(), s.end()); }


void writeBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
    CloseHandle(h);
}

std::wstring profileString(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
    wchar_t buffer[4096];
    const DWORD n = GetPrivateProfileStringW(section, key, L"<default>", buffer, 4096, file.c_str());
    return std::wstring(buffer, n);
}

class ComponentsWin : public testing::Test {
protected:
    TWin32ComponentPlatform platform;
    zerbo::test::TempFolder folder;
};

TEST_F(ComponentsWin, OurStoreReadsWhatTheProfileFunctionsWrite) {
    const std::wstring file = folder.file(L"platform.ini");
    ASSERT_TRUE(WritePrivateProfileStringW(L"設定", L"名前", L"日本語のテキスト", file.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringW(L"設定", L"Quoted", L"\"  前後に空白  \"", file.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringW(L"設定", L"Empty", L"", file.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringW(L"Other", L"Number", L"0x1F", file.c_str()));
    const TIniFile ini(platform, u(file));
    EXPECT_EQ(ini.ReadString(u"設定", u"名前", u""), u"日本語のテキスト");
    EXPECT_EQ(ini.ReadString(u"設定", u"quoted", u""), u"  前後に空白  ");
    EXPECT_EQ(ini.ReadString(u"設定", u"Empty", u"default"), u"");
    EXPECT_EQ(ini.ReadString(u"設定", u"Missing", u"default"), u"default");
    EXPECT_EQ(ini.ReadInteger(u"OTHER", u"number", 0), 31);
    std::vector<std::u16string> keys;
    ini.ReadSection(u"設定", keys);
    EXPECT_EQ(keys, (std::vector<std::u16string>{u"名前", u"Quoted", u"Empty"}));
}

TEST_F(ComponentsWin, TheProfileFunctionsReadWhatOurStoreWrites) {
    const std::wstring file = folder.file(L"ours.ini");
    TIniFile ini(platform, u(file));
    ini.WriteString(u"設定", u"名前", u"日本語のテキスト");
    ini.WriteString(u"設定", u"Quoted", u"\"  前後に空白  \"");
    ini.WriteString(u"設定", u"Outside932", u"café ☃");
    ini.WriteInteger(u"設定", u"Count", -3);
    EXPECT_EQ(profileString(file, L"設定", L"名前"), L"日本語のテキスト");
    EXPECT_EQ(profileString(file, L"設定", L"Quoted"), L"  前後に空白  ");
    EXPECT_EQ(profileString(file, L"設定", L"Outside932"), L"café ☃");
    EXPECT_EQ(GetPrivateProfileIntW(L"設定", L"Count", 0, file.c_str()), static_cast<UINT>(-3));

    // Each side goes on writing into the other's file.
    ASSERT_TRUE(WritePrivateProfileStringW(L"設定", L"追加", L"表示", file.c_str()));
    EXPECT_EQ(ini.ReadString(u"設定", u"追加", u""), u"表示");
    EXPECT_EQ(ini.ReadString(u"設定", u"Outside932", u""), u"café ☃");
    ini.WriteString(u"設定", u"名前", u"変更");
    EXPECT_EQ(profileString(file, L"設定", L"名前"), L"変更");
    EXPECT_EQ(profileString(file, L"設定", L"追加"), L"表示");
}

// A value with a line break: the profile functions give back the text up to it, and our store
// keeps just that, so both read the same and no further key appears.
TEST_F(ComponentsWin, ValuesWithLineBreaksComeBackAsTheProfileFunctionsGiveThem) {
    const std::wstring platformFile = folder.file(L"platform.ini"), oursFile = folder.file(L"ours.ini");
    TIniFile ours(platform, u(oursFile));
    const std::wstring values[] = {L"two\r\nlines", L"a\nk2=injected", L"cr\ronly", L"\"quoted\r\nrest\""};
    for (const std::wstring& value : values) {
        SCOPED_TRACE(std::string(value.begin(), value.end()));
        ASSERT_TRUE(WritePrivateProfileStringW(L"S", L"k", value.c_str(), platformFile.c_str()));
        ours.WriteString(u"S", u"k", u(value));
        const std::wstring given = profileString(platformFile, L"S", L"k");
        EXPECT_EQ(u(given), TIniFile::StoredPart(u(value)));
        EXPECT_EQ(profileString(oursFile, L"S", L"k"), given);
        EXPECT_EQ(ours.ReadString(u"S", u"k", u""), u(given));
    }
    wchar_t keys[256] = {};
    const DWORD n = GetPrivateProfileSectionNamesW(keys, 256, oursFile.c_str());
    EXPECT_EQ(std::wstring(keys, n), std::wstring(L"S\0", 2)) << "one section";
    EXPECT_EQ(GetPrivateProfileStringW(L"S", nullptr, L"", keys, 256, oursFile.c_str()), 2u) << "one key";
}

// QR data in code page 932 as the platform converts it: no best fit, so a character without a
// form of its own in 932 becomes one "?", a surrogate pair included, and none turns into a
// look-alike ("é" into "e", "¥" into "\\", the wave dash into the full-width tilde).
TEST_F(ComponentsWin, QRDataInCodePage932) {
    const struct {
        std::u16string text;
        std::string bytes;
    } cases[] = {
        {u"AB 12", "AB 12"},
        {u"漢字ｱ①", "\x8A\xBF\x8E\x9A\xB1\x87\x40"},
        {u"～", "\x81\x60"},
        {u"café", "caf?"},
        {u"¥100", "?100"},
        {u"〜", "?"},
        {u"☃x", "?x"},
        {u"a\U0001F600b", "a?b"},
        {u"\xD800z", "?z"},
        {u"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(app::ToAnsi(platform, c.text), c.bytes) << ToUtf8(c.text);
}

TEST_F(ComponentsWin, AnExistingAnsiFileStaysReadableByBoth) {
    const std::wstring file = folder.file(L"ansi.ini");
    // [Options] / LastStr="  日本語  " / Font.Name=ＭＳ 明朝, in code page 932.
    writeBytes(file, "[Options]\r\nLastStr=\"  \x93\xFA\x96\x7B\x8C\xEA  \"\r\nFont.Name=\x82\x6C\x82\x72 \x96\xBE\x92\xA9\r\n");
    TIniFile ini(platform, u(file));
    EXPECT_EQ(ini.ReadString(u"Options", u"LastStr", u""), u"  日本語  ");
    EXPECT_EQ(ini.ReadString(u"Options", u"Font.Name", u""), u"ＭＳ 明朝");
    ini.WriteString(u"Options", u"ComntStr", u"表示テスト");
    EXPECT_EQ(zerbo::test::ReadFileBytes(file).substr(0, 9), "[Options]");  // still ANSI
    EXPECT_EQ(profileString(file, L"Options", L"ComntStr"), L"表示テスト");
    EXPECT_EQ(profileString(file, L"Options", L"LastStr"), L"  日本語  ");
    ini.WriteString(u"Options", u"Snow", u"☃");
    EXPECT_EQ(zerbo::test::ReadFileBytes(file).substr(0, 2), "\xFF\xFE");  // a character 932 lacks: now UTF-16
    EXPECT_EQ(profileString(file, L"Options", L"Snow"), L"☃");
    EXPECT_EQ(profileString(file, L"Options", L"LastStr"), L"  日本語  ");
}

TEST_F(ComponentsWin, WritesLeaveNoTemporaryFilesAndReadOnlyFilesRefuse) {
    const std::wstring file = folder.file(L"a.ini");
    TIniFile ini(platform, u(file));
    for (int i = 0; i < 20; ++i) ini.WriteInteger(u"S", u"k", i);
    EXPECT_EQ(folder.files(), std::vector<std::wstring>{L"a.ini"});
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
    try {
        ini.WriteInteger(u"S", u"k", 99);
        ADD_FAILURE() << "no error raised";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(e.Message(), u(file) + u" に書き込めません");
    }
    EXPECT_EQ(ini.ReadInteger(u"S", u"k", 0), 19);
    EXPECT_EQ(folder.files(), std::vector<std::wstring>{L"a.ini"});

    // Setting the name clears read-only (with hidden and system).
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    TIniGT gt(platform);
    gt.SetFileName(u(file));
    EXPECT_EQ(GetFileAttributesW(file.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
    gt.WriteInt(u"S", u"k", 7);
    EXPECT_EQ(GetPrivateProfileIntW(L"S", L"k", 0, file.c_str()), 7u);
}

TEST_F(ComponentsWin, FileNamesFollowTheProgramAndTheWindowsFolder) {
    const std::u16string program = platform.ProgramFileName();
    ASSERT_GT(program.size(), 4u);
    EXPECT_EQ(program.substr(program.size() - 4), u".exe");
    EXPECT_GE(platform.MajorVersion(), 5);
    EXPECT_FALSE(platform.AppDataFolder().empty());

    TIniGT gt(platform);
    gt.Loaded();
    EXPECT_EQ(gt.FileName(), u"Zerbo_components_test.ini");
    EXPECT_EQ(gt.FullFileName(), ExtractFilePath(platform.PathDelimiters(), program) + u"Zerbo_components_test.ini");
    gt.SetDefaultDir(ddWindows);
    wchar_t windows[MAX_PATH];
    GetWindowsDirectoryW(windows, MAX_PATH);
    EXPECT_EQ(gt.FullFileName(), u(windows) + u"\\Zerbo_components_test.ini");
}

LRESULT CALLBACK plainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

HWND createWindow(int x, int y, int width, int height) {
    static const ATOM atom = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = plainProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ZerboComponentsTest";
        return RegisterClassW(&wc);
    }();
    (void)atom;
    return CreateWindowExW(0, L"ZerboComponentsTest", L"test", WS_OVERLAPPEDWINDOW, x, y, width, height, nullptr,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

TEST_F(ComponentsWin, WindowPlacementPositionAndSizeRoundTrip) {
    HWND hwnd = createWindow(100, 50, 640, 480);
    ASSERT_NE(hwnd, nullptr);
    TWinIniForm form(hwnd);
    TIniGT gt(platform);
    gt.SetFileName(u(folder.file(L"placement.ini")));
    gt.WriteWin(u"Desktop", u"Windows", form);
    const std::wstring file = folder.file(L"placement.ini");
    EXPECT_EQ(GetPrivateProfileIntW(L"Desktop", L"Windows.X", -1, file.c_str()), 100u);
    EXPECT_EQ(GetPrivateProfileIntW(L"Desktop", L"Windows.Y", -1, file.c_str()), 50u);
    EXPECT_EQ(GetPrivateProfileIntW(L"Desktop", L"Windows.XSize", -1, file.c_str()), 740u);
    EXPECT_EQ(GetPrivateProfileIntW(L"Desktop", L"Windows.YSize", -1, file.c_str()), 530u);

    SetWindowPos(hwnd, nullptr, 10, 20, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    gt.ReadWin(u"Desktop", u"Windows", form);
    EXPECT_EQ(form.Left(), 100);
    EXPECT_EQ(form.Top(), 50);
    EXPECT_EQ(form.Width(), 640);
    EXPECT_EQ(form.Height(), 480);

    gt.WriteWinPos(u"Pos", u"W", form);
    gt.WriteWinSize(u"Pos", u"W", form);
    SetWindowPos(hwnd, nullptr, 0, 0, 100, 100, SWP_NOZORDER | SWP_NOACTIVATE);
    gt.ReadWinPos(u"Pos", u"W", form);
    gt.ReadWinSize(u"Pos", u"W", form);
    EXPECT_EQ(form.Left(), 100);
    EXPECT_EQ(form.Width(), 640);
    EXPECT_EQ(GetPrivateProfileIntW(L"Pos", L"W.XSize", -1, file.c_str()), 640u);
    DestroyWindow(hwnd);
}

TEST_F(ComponentsWin, FontsRoundTripAndComeBackFresh) {
    TWinFont font;
    font.SetName(u"ＭＳ 明朝");
    font.SetSize(12);
    font.SetStyle(fsBold | fsItalic);
    font.SetColor(0x0000FF);
    TIniGT gt(platform);
    gt.SetFileName(u(folder.file(L"font.ini")));
    gt.SetFence(fnDoubleQuote);
    gt.WriteFont(u"Options", u"Font", font);
    const std::wstring file = folder.file(L"font.ini");
    EXPECT_EQ(profileString(file, L"Options", L"Font.Name"), L"ＭＳ 明朝");
    EXPECT_EQ(profileString(file, L"Options", L"Font.Style"), L"3");
    EXPECT_EQ(profileString(file, L"Options", L"Font.Color"), L"0x000000FF");

    LOGFONTW odd{};
    odd.lfCharSet = SYMBOL_CHARSET;
    odd.lfPitchAndFamily = FIXED_PITCH;
    TWinFont target(odd, 0, font.PixelsPerInch());
    gt.SetFence(fnNone);
    gt.ReadFont(u"Options", u"Font", target);
    EXPECT_EQ(target.Name(), u"ＭＳ 明朝");
    EXPECT_EQ(target.Size(), 12);
    EXPECT_EQ(target.Style(), fsBold | fsItalic);
    EXPECT_EQ(target.Color(), 0xFF);
    const TWinFont fresh;
    EXPECT_EQ(target.LogFont().lfCharSet, fresh.LogFont().lfCharSet);  // not SYMBOL_CHARSET
    EXPECT_EQ(target.LogFont().lfPitchAndFamily, fresh.LogFont().lfPitchAndFamily);
}

TEST_F(ComponentsWin, HistoryInTheRegistryAndInTheBoxes) {
    const std::u16string key = u"Software\\ZerboTest\\History";
    TWinRegistry registry;
    THistoryEx history(platform, &registry);
    HWND owner = createWindow(0, 0, 300, 300);
    HWND combo = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | CBS_DROPDOWN, 0, 0, 200, 200, owner, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    HWND list = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD, 0, 0, 200, 200, owner, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    TWinHistoryComboBox comboView(combo);
    TWinHistoryListBox listView(list);
    history.SetComboBox(&comboView);
    history.SetListBox(&listView);
    for (const char16_t* s : {u"古い", u"", u"新しい"}) history.Append(s);
    EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 3);
    wchar_t text[64];
    GetWindowTextW(combo, text, 64);
    EXPECT_EQ(std::wstring(text), L"新しい");

    history.SaveToReg(key);
    HKEY hkey = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, w(key).c_str(), 0, KEY_READ, &hkey), ERROR_SUCCESS);
    DWORD count = 0, size = sizeof count, type = 0;
    EXPECT_EQ(RegQueryValueExW(hkey, L"Count", nullptr, &type, reinterpret_cast<BYTE*>(&count), &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(count, 3u);
    EXPECT_NE(RegQueryValueExW(hkey, L"1", nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);  // empty: not written
    RegCloseKey(hkey);

    THistoryEx loaded(platform, &registry);
    loaded.LoadFromReg(key);
    EXPECT_EQ(loaded.History(), (std::vector<std::u16string>{u"新しい", u"古い"}));

    TWinRegistry().OpenKey(u"Software\\ZerboTest\\Broken")->WriteString(u"Count", u"x");
    THistoryEx broken(platform, &registry);
    try {
        broken.LoadFromReg(u"Software\\ZerboTest\\Broken");
        ADD_FAILURE() << "no error raised";
    } catch (const ERegistryException& e) {
        EXPECT_EQ(e.Message(), u"'Count' のデータ型が不正です");
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\ZerboTest");
    DestroyWindow(owner);
}

// CUPS's PDF printer (cups.sh): a document it takes, and one that the queue chosen in the set-up
// dialog refuses, both ended with every handle given back.
TEST(WinPrinter, DocumentsEndAndLeaveNoHandleAlsoWhenTheQueueRefusesThem) {
    const zerbo::gfx::TBitmap24 pixels(20, 10);
    zerbo::win32::TWinPrinter printer(nullptr);
    EXPECT_EQ(printer.PixelsPerInchX(), 300);
    EXPECT_EQ(printer.PixelsPerInchY(), 300);
    const int before = zerbo::win32::OwnedHandleCount();
    printer.BeginDoc();
    printer.StretchDraw(pixels, 200, 100);
    printer.EndDoc();
    EXPECT_EQ(zerbo::win32::OwnedHandleCount(), before);

    std::thread user([] { EXPECT_TRUE(zerbo::test::choosePrinter(L"Refusing")); });
    printer.ExecuteSetupDialog();
    user.join();
    const int chosen = zerbo::win32::OwnedHandleCount();
    printer.BeginDoc();
    printer.StretchDraw(pixels, 200, 100);
    EXPECT_THROW(printer.EndDoc(), zerbo::Exception);
    EXPECT_EQ(zerbo::win32::OwnedHandleCount(), chosen);
}

} // namespace
} // namespace zerbo::win32
