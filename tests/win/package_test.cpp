// The release archive as a user unpacked it (packaging/test unpacks it and runs this): the
// program's version resource, and each example run the way its read-me says, from a folder
// whose name has a blank and Japanese characters: the batch file by cmd, the VBScript by the
// script host, the DDE macros of the VBA module by a DDE client. What they saved goes to the
// folder zbar_files.sh decodes. A second copy in a read-only folder must still start, and so
// must the first from a network path.
//
//   zerbo_package_test FOLDER READ-ONLY-FOLDER|- ARCHIVE-NAME ZBAR-FOLDER NETWORK-FOLDER
#include <windows.h>
#include <ddeml.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "AppDataFolder.h"
#include "UserSettings.h"
#include "ddeclient.h"
#include "driver.h"
#include "files.h"
#include "process.h"

namespace {

using namespace zerbo::test;

std::wstring gFolder;    // the unpacked archive
std::wstring gReadOnly;  // a second copy in a read-only folder; empty when none could be made
std::wstring gNetwork;   // the unpacked archive as a network share
std::wstring gArchiveName;
ZbarList gZbar;

std::wstring examples(const wchar_t* name) { return gFolder + L"\\examples\\" + name; }
std::wstring quoted(const std::wstring& s) { return L"\"" + s + L"\""; }

std::string utf8(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
    return bytes;
}

std::wstring decode(UINT codePage, const std::string& bytes) {
    const int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(n, L'\0');
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), text.data(), n);
    return text;
}

bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The example's files beside it are new for each run, and once made go to the zbar folder.
void removeOutputs(const std::vector<const wchar_t*>& names) {
    for (const wchar_t* name : names) DeleteFileW(examples(name).c_str());
}
void expectDecoded(const wchar_t* name, const std::string& text, const std::wstring& prefix) {
    const std::wstring copy = prefix + name;
    ASSERT_TRUE(exists(examples(name))) << "not saved beside the example: " << utf8(name);
    ASSERT_TRUE(CopyFileW(examples(name).c_str(), gZbar.file(copy.c_str()).c_str(), FALSE));
    gZbar.expect(copy, text);
}

HWND zerboWindow() { return FindWindowW(L"TZerboCode", L"Zerbo"); }

// The examples start Zerbo through cmd or COM: one that a failed example left running is
// ended, so that the next one starts afresh and the Wine session can end.
class Examples : public testing::Test {
protected:
    void TearDown() override {
        while (HWND w = zerboWindow()) {
            DWORD id = 0;
            GetWindowThreadProcessId(w, &id);
            HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
            if (!process) break;
            ADD_FAILURE() << "an example left Zerbo running";
            TerminateProcess(process, 1);
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        }
    }
};

// ---- the version resource

std::wstring versionValue(const std::vector<char>& data, const std::wstring& path) {
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), path.c_str(), &value, &length) || !value) return L"(missing)";
    return static_cast<const wchar_t*>(value);
}

TEST(Archive, TheProgramCarriesItsVersionIconAndTypeLibraryAndTheArchiveIsNamedAfterItsVersion) {
    const std::wstring exe = gFolder + L"\\Zerbo.exe";
    DWORD ignored = 0;
    std::vector<char> data(GetFileVersionInfoSizeW(exe.c_str(), &ignored));
    ASSERT_FALSE(data.empty()) << "no version resource";
    ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(data.size()), data.data()));

    // The project's version, as CMake gave it to this test too.
    unsigned major = 0, minor = 0, patch = 0;
    ASSERT_EQ(std::sscanf(ZERBO_VERSION, "%u.%u.%u", &major, &minor, &patch), 3);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, major << 16 | minor);
    EXPECT_EQ(fixed->dwFileVersionLS, patch << 16);
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0411) << "Japanese";
    EXPECT_EQ(translation[1], 1200) << "Unicode";

    const std::wstring version(ZERBO_VERSION, ZERBO_VERSION + std::strlen(ZERBO_VERSION));
    const std::map<std::wstring, std::wstring> strings = {
        {L"FileVersion", version + L".0"},
        {L"ProductVersion", version},
        {L"ProductName", L"Zerbo"},
        {L"FileDescription", L"Zerbo バーコード作成"},
        {L"LegalCopyright", L"Zerbo 開発チーム 2024-2026"},
        {L"OriginalFilename", L"Zerbo.exe"},
    };
    for (const auto& [name, value] : strings)
        EXPECT_EQ(versionValue(data, L"\\StringFileInfo\\041104B0\\" + name), value) << utf8(name);
    EXPECT_EQ(gArchiveName, L"Zerbo-" + versionValue(data, L"\\StringFileInfo\\041104B0\\ProductVersion") + L"-win64.zip");

    HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr);
    EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(1), RT_GROUP_ICON), nullptr) << "its icon";
    FreeLibrary(module);
    ITypeLib* lib = nullptr;
    EXPECT_EQ(LoadTypeLibEx(exe.c_str(), REGKIND_NONE, &lib), S_OK) << "its type library";
    if (lib) lib->Release();
}

// ---- the batch file

TEST_F(Examples, TheBatchFileMakesItsLabelsBesideItselfAndEndsAlsoForATrayResidentUser) {
    const std::vector<const wchar_t*> outputs = {L"JAN.BMP", L"LOT.BMP", L"QR.BMP"};
    for (const wchar_t* settings : {L"", L"TaskTary=1\r\n"}) {
        SCOPED_TRACE(settings[0] ? "tray-resident user" : "first start");
        AppDataFolder appData;
        appData.writeIni(std::wstring(L"[Options]\r\n") + settings);
        removeOutputs(outputs);
        // As Explorer runs a double-clicked batch file.
        Process batch(L"cmd.exe /c " + quoted(examples(L"labels.bat")));
        ASSERT_EQ(batch.wait(60000), 0u) << "the batch file failed or never ended";
        const std::wstring prefix = settings[0] ? L"BATCH-TRAY-" : L"BATCH-";
        expectDecoded(L"JAN.BMP", "4901234567894", prefix);
        expectDecoded(L"LOT.BMP", "LOT-0815", prefix);
        expectDecoded(L"QR.BMP", "品名: 六角ボルト M8", prefix);
    }
}

// ---- the VBScript

// Wine's script host (8.0) reads every script in the ANSI code page and runs none that is
// UTF-16 (it stops without a word). The Windows script host decodes the UTF-16 file to the
// very text this transcription holds; the transcription must lose nothing for that.
std::wstring ansiTranscription(const std::wstring& script) {
    const std::string bytes = ReadFileBytes(script);
    EXPECT_TRUE(bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') << "UTF-16LE with its BOM";
    const std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
    BOOL lost = FALSE;
    const int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, &lost);
    std::string ansi(n, '\0');
    WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), ansi.data(), n, nullptr, &lost);
    EXPECT_FALSE(lost) << "the script has characters code page 932 lacks";
    const std::wstring path = examples(L"automation-ansi.vbs");
    writeFile(path, ansi);
    return path;
}

// Runs the script host in this process's console and writes what it put there into a file
// (UTF-16); answers its exit code. This program does so when started with --script-host.
DWORD scriptHost(const std::wstring& script, const std::wstring& said) {
    const DWORD exitCode = Process(L"cscript.exe //nologo " + quoted(script)).wait(120000);
    HANDLE screen = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    CONSOLE_SCREEN_BUFFER_INFO info{};
    GetConsoleScreenBufferInfo(screen, &info);
    std::wstring cells(static_cast<size_t>(info.dwSize.X) * (info.dwCursorPosition.Y + 1), L' ');
    DWORD read = 0;
    ReadConsoleOutputCharacterW(screen, cells.data(), static_cast<DWORD>(cells.size()), COORD{0, 0}, &read);
    CloseHandle(screen);
    cells.resize(read);
    writeFile(said, std::string(reinterpret_cast<const char*>(cells.data()), cells.size() * sizeof(wchar_t)));
    return exitCode;
}

// What a script said and its exit code, run as in a command prompt: in a console of its own
// (this program again, as its host). Wine's script host overruns its heap when it writes
// Japanese text to a file or a pipe instead.
struct ScriptRun {
    DWORD exitCode = STILL_ACTIVE;
    std::wstring said;
};
ScriptRun runScript(const std::wstring& script) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    TempFolder temp;
    const std::wstring said = temp.file(L"said.txt");
    ScriptRun run;
    run.exitCode = Process(quoted(self) + L" --script-host " + quoted(script) + L" " + quoted(said), {}, CREATE_NEW_CONSOLE)
                       .wait(180000);
    const std::string bytes = ReadFileBytes(said);
    run.said.assign(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
    return run;
}

TEST_F(Examples, TheVBScriptDrivesZerboAutoOnceRegisteredAndSaysWhatIsMissingOtherwise) {
    const std::wstring exe = gFolder + L"\\Zerbo.exe";
    const std::vector<const wchar_t*> outputs = {L"AUTO-CODE128.BMP", L"AUTO-QR.BMP"};
    UserSettings user;
    user.writeIni(L"[Options]\r\n");
    const std::wstring script = ansiTranscription(examples(L"automation.vbs"));

    ASSERT_EQ(Process(quoted(exe) + L" /REGSERVER").wait(30000), 0u);
    ASSERT_EQ(zerboWindow(), nullptr);
    removeOutputs(outputs);
    const ScriptRun registered = runScript(script);
    EXPECT_EQ(registered.exitCode, 0u) << utf8(registered.said);
    // Its last line: the script ran to its end (Wine's script host stops silently on an error).
    EXPECT_TRUE(contains(registered.said, L"保存しました: " + gFolder + L"\\examples")) << utf8(registered.said);
    expectDecoded(L"AUTO-CODE128.BMP", "ABC-12345", L"");
    expectDecoded(L"AUTO-QR.BMP", "品番 A-100 入荷日 2024年4月1日", L"");
    EXPECT_TRUE(waitFor([] { return zerboWindow() == nullptr; })) << "the script's end ends the Zerbo it started";

    ASSERT_EQ(Process(quoted(exe) + L" /UNREGSERVER").wait(30000), 0u);
    removeOutputs(outputs);
    const ScriptRun unregistered = runScript(script);
    EXPECT_EQ(unregistered.exitCode, 1u);
    EXPECT_TRUE(contains(unregistered.said, L"Zerbo.exe /REGSERVER で登録してから実行してください")) << utf8(unregistered.said);
    EXPECT_FALSE(exists(examples(L"AUTO-CODE128.BMP")));
    DeleteFileW(script.c_str());
}

// ---- the VBA module's DDE macros

// What the VBA module sends: the names it connects to and each DDEExecute's text, evaluated
// as VBA would for a workbook saved beside the module. The module may use string literals,
// vbCrLf, ThisWorkbook.Path and variables assigned from them, joined by "&".
struct DdeModule {
    std::wstring service, topic;
    std::vector<std::wstring> macros;
    std::wstring unread;  // a statement of interest that could not be evaluated
};

std::wstring trim(const std::wstring& s) {
    const size_t b = s.find_first_not_of(L" \t"), e = s.find_last_not_of(L" \t");
    return b == std::wstring::npos ? std::wstring() : s.substr(b, e - b + 1);
}

// Splits at a separator outside string literals.
std::vector<std::wstring> splitOutsideQuotes(const std::wstring& s, wchar_t separator) {
    std::vector<std::wstring> parts(1);
    bool inString = false;
    for (wchar_t c : s) {
        if (c == L'"') inString = !inString;
        if (c == separator && !inString)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

// Logical lines: " _" continues a line, an apostrophe outside a string starts a comment.
std::vector<std::wstring> statements(const std::wstring& text) {
    std::vector<std::wstring> result;
    std::wstring pending;
    for (std::wstring& line : splitOutsideQuotes(text, L'\n')) {
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        line = splitOutsideQuotes(line, L'\'')[0];
        const std::wstring t = trim(line);
        if (t.size() >= 2 && t.ends_with(L" _")) {
            pending += t.substr(0, t.size() - 1);
            continue;
        }
        result.push_back(trim(pending + t));
        pending.clear();
    }
    return result;
}

std::optional<std::wstring> evaluate(const std::wstring& expression, const std::map<std::wstring, std::wstring>& names) {
    std::wstring value;
    for (const std::wstring& part : splitOutsideQuotes(expression, L'&')) {
        const std::wstring term = trim(part);
        if (term.size() >= 2 && term.front() == L'"' && term.back() == L'"') {
            const std::wstring inner = term.substr(1, term.size() - 2);
            for (size_t i = 0; i < inner.size(); ++i) {
                value += inner[i];
                if (inner[i] == L'"') ++i;  // "" is one quote
            }
        } else if (const auto it = names.find(term); it != names.end()) {
            value += it->second;
        } else {
            return std::nullopt;
        }
    }
    return value;
}

DdeModule readDdeModule(const std::wstring& text, const std::wstring& workbookFolder) {
    DdeModule module;
    std::map<std::wstring, std::wstring> names = {{L"vbCrLf", L"\r\n"}, {L"ThisWorkbook.Path", workbookFolder}};
    const std::wregex initiate(LR"(^\w+\s*=\s*DDEInitiate\((.*)\)$)"), execute(LR"(^DDEExecute\s+\w+\s*,(.*)$)"),
        assignment(LR"(^(\w+)\s*=(.*)$)");
    for (const std::wstring& s : statements(text)) {
        std::wsmatch m;
        if (std::regex_match(s, m, initiate)) {
            const auto args = splitOutsideQuotes(m[1].str(), L',');
            const auto service = evaluate(args[0], names);
            const auto topic = args.size() == 2 ? evaluate(args[1], names) : std::nullopt;
            if (!service || !topic) return module.unread = s, module;
            module.service = *service;
            module.topic = *topic;
        } else if (std::regex_match(s, m, execute)) {
            const auto macro = evaluate(m[1].str(), names);
            if (!macro) return module.unread = s, module;
            module.macros.push_back(*macro);
        } else if (std::regex_match(s, m, assignment)) {
            if (const auto value = evaluate(m[2].str(), names)) names[m[1].str()] = *value;
        }
    }
    return module;
}

TEST_F(Examples, TheDdeMacrosOfTheVbaModuleMakeTheirLabelsBesideTheWorkbook) {
    // The VBA editor imports a module in the ANSI code page.
    const std::wstring text = decode(932, ReadFileBytes(examples(L"dde.bas")));
    ASSERT_FALSE(text.empty()) << "dde.bas is missing or no code page 932 text";
    EXPECT_TRUE(text.starts_with(L"Attribute VB_Name = ")) << "the editor names the module from it";
    const DdeModule module = readDdeModule(text, gFolder + L"\\examples");
    ASSERT_TRUE(module.unread.empty()) << "cannot evaluate: " << utf8(module.unread);
    ASSERT_EQ(module.macros.size(), 2u);

    const std::vector<const wchar_t*> outputs = {L"DDE-JAN.BMP", L"DDE-CODE128.BMP"};
    removeOutputs(outputs);
    AppDataFolder appData;
    Process zerbo(quoted(gFolder + L"\\Zerbo.exe"));
    HWND w = nullptr;
    ASSERT_TRUE(waitFor([&] { return (w = zerboWindow()) != nullptr && answers(w); }));
    {
        DdeClient client;
        ASSERT_TRUE(client.connect(Cp932(module.service).c_str(), Cp932(module.topic).c_str()));
        for (const std::wstring& macro : module.macros)
            EXPECT_EQ(client.execute(Cp932(macro) + '\0'), static_cast<DWORD>(DDE_FACK));
    }
    expectDecoded(L"DDE-JAN.BMP", "4901234567894", L"");
    expectDecoded(L"DDE-CODE128.BMP", "DDE-0815", L"");
    SendMessageW(w, WM_CLOSE, 0, 0);
    EXPECT_EQ(zerbo.wait(30000), 0u);
}

// ---- a read-only folder

TEST(ReadOnlyFolder, ZerboStartsFromItSavesWhereItIsToldAndKeepsItsSettingsInAppData) {
    if (gReadOnly.empty()) GTEST_SKIP() << "packaging/test could not make a read-only folder here";
    const std::wstring probe = gReadOnly + L"\\probe.txt";
    HANDLE h = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        CloseHandle(h);
        DeleteFileW(probe.c_str());
        FAIL() << "the folder is not read-only for Wine";
    }
    AppDataFolder appData;
    // Started from its own folder, as a double click on it starts it.
    Process zerbo(quoted(gReadOnly + L"\\Zerbo.exe") + L" RO-4711 /C128 /TN2 " + quoted(L"/SAVE:" + gZbar.file(L"READ-ONLY.BMP")) +
                      L" /EXIT",
                  gReadOnly);
    ASSERT_EQ(zerbo.wait(60000), 0u);
    gZbar.expect(L"READ-ONLY.BMP", "RO-4711");
    EXPECT_TRUE(contains(appData.readIni(), L"CodeType=10")) << "the settings of the call, saved in %AppData%";
}

// ---- a network path

TEST(NetworkPath, ZerboStartsFromAShareAndWorksOrSaysWhatItCannotDo) {
    AppDataFolder appData;
    Process zerbo(quoted(gNetwork + L"\\Zerbo.exe") + L" NET-4711 /C128 /TN2 " + quoted(L"/SAVE:" + gZbar.file(L"NETWORK.BMP")) +
                  L" /EXIT");
    // A door that cannot open there is named in a box, which the user closes; the rest works.
    std::vector<std::wstring> boxes;
    waitFor([&] {
        if (HWND box = FindWindowW(L"#32770", L"Zerbo"); box && IsWindowVisible(box)) {
            boxes.push_back(text(GetDlgItem(box, 0xFFFF)));
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            waitFor([&] { return !IsWindow(box); }, 10000);
        }
        return zerbo.wait(0) != STILL_ACTIVE;
    }, 60000);
    ASSERT_EQ(zerbo.wait(0), 0u);
    for (const std::wstring& message : boxes) {
        std::printf("shown from the share: %s\n", utf8(message).c_str());
        EXPECT_TRUE(contains(message, L"は使えません: ")) << utf8(message);
    }
    gZbar.expect(L"NETWORK.BMP", "NET-4711");
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 4 && std::wstring(argv[1]) == L"--script-host") return static_cast<int>(scriptHost(argv[2], argv[3]));
    testing::InitGoogleTest(&argc, argv);
    if (argc < 6) {
        std::fprintf(stderr, "usage: zerbo_package_test FOLDER READ-ONLY-FOLDER|- ARCHIVE-NAME ZBAR-FOLDER NETWORK-FOLDER\n");
        return 2;
    }
    // Unix paths as packaging/test hands them over, which may have any character.
    auto windows = [](const wchar_t* unix) { return windowsPath(utf8(unix).c_str()); };
    gFolder = windows(argv[1]);
    if (std::wstring(argv[2]) != L"-") gReadOnly = windows(argv[2]);
    gArchiveName = argv[3];
    gNetwork = argv[5];
    if (!gZbar.create(windows(argv[4]))) return 2;
    return RUN_ALL_TESTS();
}
