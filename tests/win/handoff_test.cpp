// Second starts of Zerbo.exe as batch files make them: each hands its arguments to the
// running Zerbo and ends. Nothing handed over is lost, one after another or all at once;
// the files the running Zerbo saves go to the folder zbar_files.sh decodes afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "AppDataFolder.h"
#include "driver.h"
#include "process.h"

namespace {

using namespace zerbo::test;

std::wstring gZerboExe;
ZbarList gZbar;

constexpr UINT kHandOffMessage = 0x5FE;

bool fileThere(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    return GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) && data.nFileSizeLow > 0;
}

class HandOffTest : public testing::Test {
protected:
    // The first instance, with these options; its window, shown or not.
    HWND startFirst(const std::wstring& options = L"") {
        appData.writeIni(L"[Options]\r\n" + options);
        first_ = std::make_unique<Process>(L"\"" + gZerboExe + L"\"");
        HWND w = nullptr;
        waitFor([&] { return (w = FindWindowW(L"TZerboCode", L"Zerbo")) != nullptr && answers(w); });
        return w;
    }
    std::unique_ptr<Process> second(const std::wstring& args) {
        return std::make_unique<Process>(L"\"" + gZerboExe + L"\" " + args);
    }
    // A second start with a save of its own: the file's name as the option gives it.
    std::unique_ptr<Process> saving(const std::wstring& data, const std::wstring& name) {
        return second(data + L" /C39 /SAVE:" + gZbar.file(name.c_str()));
    }
    void endFirst(HWND w) {
        SendMessageW(w, WM_CLOSE, 0, 0);
        EXPECT_EQ(first_->wait(30000), 0u);
    }

    AppDataFolder appData;
    std::unique_ptr<Process> first_;
};

TEST_F(HandOffTest, FiftySecondStartsInARowEachSaveTheirOwnFile) {
    HWND w = startFirst();
    ASSERT_NE(w, nullptr);
    for (int i = 1; i <= 50; ++i) {
        const std::wstring data = L"SEQ" + std::to_wstring(i), name = data + L".BMP";
        EXPECT_EQ(saving(data, name)->wait(30000), 0u) << "second start " << i;
        gZbar.expect(name, std::string(data.begin(), data.end()));
    }
    for (int i = 1; i <= 50; ++i) {
        const std::wstring name = L"SEQ" + std::to_wstring(i) + L".BMP";
        EXPECT_TRUE(waitFor([&] { return fileThere(gZbar.file(name.c_str())); })) << "missing " << i;
    }
    EXPECT_TRUE(answers(w));
    endFirst(w);
}

TEST_F(HandOffTest, TenSecondStartsAtOnceAreServedOneAfterAnother) {
    HWND w = startFirst();
    ASSERT_NE(w, nullptr);
    std::vector<std::unique_ptr<Process>> starts;
    for (int i = 1; i <= 10; ++i) starts.push_back(saving(L"ONCE" + std::to_wstring(i), L"ONCE" + std::to_wstring(i) + L".BMP"));
    for (auto& s : starts) EXPECT_EQ(s->wait(60000), 0u);
    for (int i = 1; i <= 10; ++i) {
        const std::wstring data = L"ONCE" + std::to_wstring(i), name = data + L".BMP";
        EXPECT_TRUE(waitFor([&] { return fileThere(gZbar.file(name.c_str())); })) << "missing " << i;
        gZbar.expect(name, std::string(data.begin(), data.end()));
    }
    endFirst(w);
}

TEST_F(HandOffTest, AnExitHandedOverEndsTheRunningZerboAlsoInTheTrayWithItsOptionsSaved) {
    for (const wchar_t* options : {L"", L"TaskTary=1\r\n"}) {
        HWND w = startFirst(options);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(second(L"/C39 /TN2 /exit")->wait(30000), 0u);
        EXPECT_EQ(first_->wait(30000), 0u) << "the running Zerbo did not end; options: " << options;
        const std::wstring ini = appData.readIni();
        EXPECT_TRUE(contains(ini, L"CodeType=2"));
        EXPECT_TRUE(contains(ini, L"ThinWidth=1"));
        EXPECT_TRUE(contains(ini, L"AutoCopy=1"));
        EXPECT_TRUE(contains(ini, L"TaskTary=0"));
    }
}

TEST_F(HandOffTest, WithoutARunningWindowASecondStartEndsWithFailure) {
    // The instance's mutex without its window: a first start still starting or closing.
    HANDLE mutex = CreateMutexW(nullptr, FALSE, L"hZerbo");
    ASSERT_NE(mutex, nullptr);
    EXPECT_EQ(second(L"/C39 ABC")->wait(30000), 1u);
    CloseHandle(mutex);
}

TEST_F(HandOffTest, GarbageUnknownMessagesAndHugeArgumentListsDoNoHarm) {
    HWND w = startFirst(L"CodeType=2\r\n");
    ASSERT_NE(w, nullptr);
    // Another program fills the block without a zero and posts the message itself.
    HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 2048, L"Zerbo");
    ASSERT_NE(mapping, nullptr);
    auto* bytes = static_cast<unsigned char*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 2048));
    ASSERT_NE(bytes, nullptr);
    std::fill(bytes + 4, bytes + 2048, 0x41);
    PostMessageW(w, kHandOffMessage, 0x1234, 0);  // unknown: nothing happens
    PostMessageW(w, kHandOffMessage, 0xFFFF, 0);
    EXPECT_TRUE(waitFor([&] { return text(control(w, idEditCode, L"Edit")) == std::wstring(1022, L'\x4141'); }));
    EXPECT_TRUE(waitFor([&] { return bytes[0] == 0 && bytes[1] == 0; })) << "busy word back to 0";
    UnmapViewOfFile(bytes);
    CloseHandle(mapping);

    // The longest command line: what fits in the block arrives, the rest is cut.
    EXPECT_EQ(second(L"X" + std::wstring(32000, L'Y'))->wait(30000), 0u);
    EXPECT_TRUE(waitFor([&] { return text(control(w, idEditCode, L"Edit")) == L"X" + std::wstring(1020, L'Y'); }));
    EXPECT_TRUE(answers(w));
    endFirst(w);
}

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: zerbo_handoff_test PATH-TO-Zerbo.exe ZBAR-FOLDER\n");
        return 2;
    }
    gZerboExe = windowsPath(argv[1]);
    if (!gZbar.create(windowsPath(argv[2]))) return 2;
    return RUN_ALL_TESTS();
}
