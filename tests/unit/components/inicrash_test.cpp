// A writer killed at random moments in a long run of writes: the file always parses and
// every key holds either its old or its new value, whole.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

#include "TempDir.h"
#include "components/IniFile.h"
#include "components/PosixPlatform.h"
#include "core/Convert.h"

namespace zerbo {
namespace {

constexpr int kKeys = 12;

std::u16string valueFor(int round, int key) {
    // Long enough that a torn write would cut a value short.
    return IntToStr(round) + u":" + std::u16string(300, static_cast<char16_t>(u'a' + key)) + u"日本";
}

[[noreturn]] void writeForever(const std::u16string& path) {
    TPosixPlatform platform;
    TIniFile ini(platform, path);
    for (int round = 1;; ++round)
        for (int key = 0; key < kKeys; ++key) ini.WriteString(u"S", u"k" + IntToStr(key), valueFor(round, key));
}

TEST(IniCrash, KilledWritersLeaveOldOrNewValuesWhole) {
    test::TempDir dir;
    const std::u16string path = dir.file16("crash.ini");
    TPosixPlatform platform;
    std::mt19937 rng(12345);
    int newest = 0;
    for (int attempt = 0; attempt < 25; ++attempt) {
        // Every key starts with a value of round 0; the writer goes on from round 1.
        std::u16string start = u"[S]\r\n";
        for (int key = 0; key < kKeys; ++key) start += u"k" + IntToStr(key) + u"=" + valueFor(0, key) + u"\r\n";
        test::writeBytes(ToUtf8(path), test::utf16File(start));
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) writeForever(path);
        std::this_thread::sleep_for(std::chrono::microseconds(2000 + rng() % 60000));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));

        // Whole and well-formed: a byte-order mark, then complete UTF-16 lines.
        const std::string bytes = test::readBytes(ToUtf8(path));
        ASSERT_EQ(bytes.substr(0, 2), "\xFF\xFE");
        ASSERT_EQ(bytes.size() % 2, 0u);
        ASSERT_EQ(bytes.substr(bytes.size() - 4), std::string("\r\0\n\0", 4));

        // Keys are written in order, so rounds fall by at most one along the keys.
        const TIniFile ini(platform, path);
        int first = -1;
        for (int key = 0; key < kKeys; ++key) {
            const std::u16string value = ini.ReadString(u"S", u"k" + IntToStr(key), u"missing");
            const size_t colon = value.find(u':');
            ASSERT_NE(colon, std::u16string::npos) << "key " << key << " lost";
            const int round = StrToInt(value.substr(0, colon));
            ASSERT_EQ(value, valueFor(round, key)) << "key " << key;
            if (first < 0) first = round;
            ASSERT_TRUE(round == first || round == first - 1) << "key " << key << " round " << round;
        }
        newest = std::max(newest, first);
    }
    EXPECT_GT(newest, 0) << "no writer got a single value into the file";
}

} // namespace
} // namespace zerbo
