// The INI store: what it reads from files in the platform's format, how it writes them,
// and that bad files and bad names never cost data.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "TempDir.h"
#include "components/IniFile.h"
#include "components/PosixPlatform.h"
#include "core/Text.h"

namespace zerbo {
namespace {

using test::readBytes;
using test::TempDir;
using test::utf16File;
using test::writeBytes;

class IniFileTest : public testing::Test {
protected:
    TIniFile store(const std::string& name = "a.ini") { return TIniFile(platform, dir.file16(name)); }
    void expectWriteError(const std::function<void()>& write, const std::string& name = "a.ini") {
        try {
            write();
            ADD_FAILURE() << "no error raised";
        } catch (const EIniFileException& e) {
            EXPECT_EQ(e.Message(), dir.file16(name) + u" に書き込めません");
        }
    }
    TPosixPlatform platform;
    TempDir dir;
};

TEST_F(IniFileTest, ReadStringFollowsTheStoreRules) {
    writeBytes(dir.file("a.ini"), utf16File(u"top=outside\r\n"
                                            u"[S]\r\n"
                                            u"plain=abc\r\n"
                                            u"  blanks  =   x y   \r\n"
                                            u"quoted=\"  a b  \"\r\n"
                                            u"single='q'\r\n"
                                            u"twice=\"\"abc\"\"\r\n"
                                            u"mixed=\"abc'\r\n"
                                            u"lone=\"\r\n"
                                            u"empty=\r\n"
                                            u"noequals\r\n"
                                            u"; note=comment\r\n"
                                            u"dup=first\r\n"
                                            u"dup=second\r\n"
                                            u"日本=語\r\n"
                                            u"[ other ]\r\n"
                                            u"plain=other\r\n"));
    const struct {
        const char16_t* section;
        const char16_t* key;
        const char16_t* expected;
    } cases[] = {
        {u"S", u"plain", u"abc"},
        {u"s", u"PLAIN", u"abc"},  // names without regard to case
        {u"S", u"blanks", u"x y"},
        {u"S", u"quoted", u"  a b  "},  // one pair of quotes removed, blanks kept
        {u"S", u"single", u"q"},
        {u"S", u"twice", u"\"abc\""},
        {u"S", u"mixed", u"\"abc'"},
        {u"S", u"lone", u"\""},
        {u"S", u"empty", u""},  // present and empty is not the default
        {u"S", u"noequals", u""},
        {u"S", u"; note", u"def"},
        {u"S", u"dup", u"first"},
        {u"S", u"日本", u"語"},
        {u"S", u"missing", u"def"},
        {u"S", u"top", u"def"},
        {u"other", u"plain", u"other"},
        {u"missing", u"plain", u"def"},
        {u"S=", u"plain", u"def"},
        {u"S]", u"plain", u"def"},
        {u"S", u"plain=abc", u"def"},
    };
    const TIniFile ini = store();
    for (const auto& c : cases)
        EXPECT_EQ(ini.ReadString(c.section, c.key, u"def"), c.expected) << ToUtf8(c.section) << "/" << ToUtf8(c.key);
}

TEST_F(IniFileTest, ReadStringHandsBackAtMost2047Characters) {
    const std::u16string longValue(100000, u'v');
    writeBytes(dir.file("a.ini"), utf16File(u"[S]\r\nlong=" + longValue + u"\r\nnext=1\r\n"));
    const TIniFile ini = store();
    EXPECT_EQ(ini.ReadString(u"S", u"long", u""), std::u16string(2047, u'v'));
    EXPECT_EQ(ini.ReadString(u"S", u"next", u""), u"1");
}

TEST_F(IniFileTest, ReadIntegerFollowsTheStoreRules) {
    const struct {
        const char16_t* text;
        int32_t expected;
    } cases[] = {
        {u"42", 42},  {u"-7", -7},    {u"0x1F", 31},  {u"0X1f", 31},   {u"$ff", 255},
        {u"x10", 16}, {u"0xFFFFFFFF", -1}, {u"0x123456789", 99}, {u"abc", 99}, {u"0x", 99},
        {u"", 99},    {u"12abc", 99}, {u"99999999999", 99}, {u"\"5\"", 5},
    };
    TIniFile ini = store();
    for (const auto& c : cases) {
        ini.WriteString(u"S", u"k", c.text);
        EXPECT_EQ(ini.ReadInteger(u"S", u"k", 99), c.expected) << ToUtf8(c.text);
    }
    EXPECT_EQ(ini.ReadInteger(u"S", u"missing", 99), 99);
    const struct {
        const char16_t* text;
        bool expected;
    } bools[] = {{u"1", true}, {u"2", true}, {u"-1", true}, {u"0", false}, {u"yes", true}};
    for (const auto& c : bools) {
        ini.WriteString(u"S", u"b", c.text);
        EXPECT_EQ(ini.ReadBool(u"S", u"b", true), c.expected) << ToUtf8(c.text);
    }
    ini.WriteBool(u"S", u"b", false);
    EXPECT_EQ(ini.ReadString(u"S", u"b", u""), u"0");
}

TEST_F(IniFileTest, WritesKeepTheRestOfTheFileAndItsLayout) {
    writeBytes(dir.file("a.ini"), utf16File(u"; settings\r\n[A]\r\nKey=1\r\nother = 2\r\n\r\n[B]\r\nx=y\r\n"));
    TIniFile ini = store();
    ini.WriteString(u"a", u"KEY", u"new");  // the file's spelling of the key stays
    ini.WriteString(u"A", u"added", u"3");  // after the section's last key, before the blank line
    ini.WriteString(u"C", u"k", u"v");      // a new section at the end
    ini.WriteInteger(u"B", u"n", -5);
    EXPECT_EQ(readBytes(dir.file("a.ini")),
              utf16File(u"; settings\r\n[A]\r\nKey=new\r\nother = 2\r\nadded=3\r\n\r\n[B]\r\nx=y\r\nn=-5\r\n\r\n[C]\r\nk=v\r\n"));
}

TEST_F(IniFileTest, NewFilesAreUtf16AndAnsiFilesStayAnsiWhileEveryCharacterFits) {
    TIniFile fresh = store("new.ini");
    fresh.WriteString(u"S", u"k", u"日本語");
    EXPECT_EQ(readBytes(dir.file("new.ini")), utf16File(u"[S]\r\nk=日本語\r\n"));

    // 日本語 and 表 (whose second byte is a backslash) in code page 932.
    writeBytes(dir.file("ansi.ini"), "[S]\r\nk=\x93\xFA\x96\x7B\x8C\xEA\r\n");
    TIniFile ansi = store("ansi.ini");
    EXPECT_EQ(ansi.ReadString(u"S", u"k", u""), u"日本語");
    ansi.WriteString(u"S", u"t", u"表");
    EXPECT_EQ(readBytes(dir.file("ansi.ini")), "[S]\r\nk=\x93\xFA\x96\x7B\x8C\xEA\r\nt=\x95\\\r\n");
    // A character the code page lacks turns the file into UTF-16 rather than losing it.
    ansi.WriteString(u"S", u"e", u"café ☃");
    EXPECT_EQ(readBytes(dir.file("ansi.ini")), utf16File(u"[S]\r\nk=日本語\r\nt=表\r\ne=café ☃\r\n"));
    EXPECT_EQ(ansi.ReadString(u"S", u"e", u""), u"café ☃");

    writeBytes(dir.file("utf8.ini"), "\xEF\xBB\xBF[S]\nk=\xE2\x98\x83\n");
    EXPECT_EQ(store("utf8.ini").ReadString(u"S", u"k", u""), u"☃");
}

TEST_F(IniFileTest, AnsiFilesTakeNoLookAlikeOfACharacter) {
    // Each has a code page 932 look-alike that reads back as its full-width twin.
    for (const std::u16string value : {u"¬", u"〜", u"−", u"‖", u"¢", u"£", u"x¬y"}) {
        SCOPED_TRACE(ToUtf8(value));
        writeBytes(dir.file("ansi.ini"), "[S]\r\nk=\x93\xFA\r\n");
        TIniFile ansi = store("ansi.ini");
        ansi.WriteString(u"S", u"e", value);
        ansi.WriteString(u"S", value, u"name");
        EXPECT_EQ(ansi.ReadString(u"S", u"e", u""), value);
        EXPECT_EQ(ansi.ReadString(u"S", value, u""), u"name");
        EXPECT_EQ(readBytes(dir.file("ansi.ini")).substr(0, 2), "\xFF\xFE") << "the file became UTF-16";
    }
    // Their twins are in the code page and keep the file ANSI.
    writeBytes(dir.file("ansi.ini"), "[S]\r\n");
    store("ansi.ini").WriteString(u"S", u"e", u"￢～");
    EXPECT_EQ(readBytes(dir.file("ansi.ini")), "[S]\r\ne=\x81\xCA\x81\x60\r\n");
}

TEST_F(IniFileTest, SectionsListEraseAndReport) {
    writeBytes(dir.file("a.ini"), utf16File(u"[S]\r\nb=\"2\"\r\na=1\r\n[T]\r\nc=3\r\n[s]\r\nd=4\r\n"));
    TIniFile ini = store();
    std::vector<std::u16string> lines = {u"stale"};
    ini.ReadSection(u"S", lines);
    EXPECT_EQ(lines, (std::vector<std::u16string>{u"b", u"a"}));
    ini.ReadSectionValues(u"S", lines);
    EXPECT_EQ(lines, (std::vector<std::u16string>{u"b=2", u"a=1"}));
    ini.ReadSection(u"none", lines);
    EXPECT_TRUE(lines.empty());

    ini.EraseSection(u"S");  // both copies of the section
    EXPECT_EQ(readBytes(dir.file("a.ini")), utf16File(u"[T]\r\nc=3\r\n"));
    ini.EraseSection(u"missing");
    EXPECT_EQ(readBytes(dir.file("a.ini")), utf16File(u"[T]\r\nc=3\r\n"));
    store("none.ini").EraseSection(u"S");
    EXPECT_FALSE(std::filesystem::exists(dir.file("none.ini")));
}

TEST_F(IniFileTest, UnwritableNamesRaiseAndLeaveTheFileAlone) {
    writeBytes(dir.file("a.ini"), utf16File(u"[S]\r\nk=1\r\n"));
    const std::string before = readBytes(dir.file("a.ini"));
    TIniFile ini = store();
    const struct {
        const char16_t* section;
        const char16_t* key;
        const char16_t* value;
    } cases[] = {
        {u"S]x", u"k", u"v"}, {u"S", u"a=b", u"v"}, {u"S", u"a]b", u"v"}, {u"S=", u"k", u"v"},
        {u"S", u"", u"v"},    {u"S", u"  ", u"v"},  {u"", u"k", u"v"},    {u"S", u"[k", u"v"},
        {u"S", u";k", u"v"},  {u"S\n[T", u"k", u"v"},
    };
    for (const auto& c : cases)
        expectWriteError([&] { ini.WriteString(c.section, c.key, c.value); });
    expectWriteError([&] { ini.EraseSection(u"S]"); });
    EXPECT_EQ(readBytes(dir.file("a.ini")), before);
}

// A value keeps the text up to its first line break, which is what the platform's profile
// functions give back for it; the rest never becomes a line, or a key, of its own.
TEST_F(IniFileTest, ValuesAreStoredUpToTheirFirstLineBreak) {
    const struct {
        std::u16string value, stored;
    } cases[] = {
        {u"a\r\nk2=injected", u"a"},
        {u"two\nlines", u"two"},
        {u"cr\ronly", u"cr"},
        {u"\r\n[T]\r\nk=v", u""},
        {std::u16string(u"nul\0after", 9), u"nul"},
        {u"\"quoted\r\nrest\"", u"\"quoted"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ToUtf8(c.value));
        std::filesystem::remove(dir.file("a.ini"));
        TIniFile ini = store();
        ini.WriteString(u"S", u"k", c.value);
        EXPECT_EQ(readBytes(dir.file("a.ini")), utf16File(u"[S]\r\nk=" + c.stored + u"\r\n"));
        EXPECT_EQ(ini.ReadString(u"S", u"k", u"def"), c.stored);
        EXPECT_EQ(TIniFile::StoredPart(c.value), c.stored);
    }
}

TEST_F(IniFileTest, BinaryOrTruncatedFilesReadTheirDefaultsAndAreNeverRewritten) {
    const std::string files[] = {
        std::string("\x00\x01\x02\xFF\x80[S]\x00k=1", 11),
        "[S]\r\nk=1\r\nbad=\x81\r\n",             // a lead byte with no trail byte
        utf16File(u"[S]\r\nk=1\r\n") + "\x41",    // odd length: cut inside a character
    };
    for (const auto& bytes : files) {
        writeBytes(dir.file("a.ini"), bytes);
        TIniFile ini = store();
        EXPECT_EQ(ini.ReadString(u"S", u"missing", u"def"), u"def");
        std::vector<std::u16string> keys;
        ini.ReadSection(u"none", keys);
        EXPECT_TRUE(keys.empty());
        expectWriteError([&] { ini.WriteString(u"S", u"k", u"2"); });
        expectWriteError([&] { ini.EraseSection(u"S"); });
        EXPECT_EQ(readBytes(dir.file("a.ini")), bytes);
    }
    // Lines that do decode are still read.
    writeBytes(dir.file("a.ini"), "[S]\r\nk=1\r\nbad=\x81\r\n");
    EXPECT_EQ(store().ReadString(u"S", u"k", u""), u"1");
}

TEST_F(IniFileTest, AFileThatTurnsReadOnlyOrVanishesBetweenCalls) {
    TIniFile ini = store();
    ini.WriteString(u"S", u"k", u"1");
    ::chmod(dir.file("a.ini").c_str(), 0444);
    expectWriteError([&] { ini.WriteString(u"S", u"k", u"2"); });
    expectWriteError([&] { ini.WriteString(u"S", u"k", u"1"); });  // even when nothing would change
    expectWriteError([&] { ini.EraseSection(u"S"); });
    EXPECT_EQ(ini.ReadString(u"S", u"k", u""), u"1");
    ::chmod(dir.file("a.ini").c_str(), 0644);

    std::filesystem::remove(dir.file("a.ini"));
    EXPECT_EQ(ini.ReadString(u"S", u"k", u"gone"), u"gone");
    ini.WriteString(u"S", u"k", u"3");
    EXPECT_EQ(ini.ReadString(u"S", u"k", u""), u"3");

    // A folder where the file should be: unreadable, so never replaced.
    std::filesystem::remove(dir.file("a.ini"));
    std::filesystem::create_directory(dir.file("a.ini"));
    EXPECT_EQ(ini.ReadString(u"S", u"k", u"def"), u"def");
    expectWriteError([&] { ini.WriteString(u"S", u"k", u"4"); });

    // A missing folder, and a store with no file name at all.
    TIniFile nowhere(platform, dir.file16("no/such/folder.ini"));
    expectWriteError([&] { nowhere.WriteString(u"S", u"k", u"v"); }, "no/such/folder.ini");
    TIniFile unnamed(platform, u"");
    EXPECT_EQ(unnamed.ReadString(u"S", u"k", u"def"), u"def");
    EXPECT_THROW(unnamed.WriteString(u"S", u"k", u"v"), EIniFileException);
}

TEST_F(IniFileTest, TwoStoresOnOneFileSeeEachOthersWrites) {
    TIniFile first = store();
    TIniFile second = store();
    first.WriteString(u"S", u"k", u"1");
    EXPECT_EQ(second.ReadString(u"S", u"k", u""), u"1");
    second.WriteString(u"S", u"k", u"2");
    EXPECT_EQ(first.ReadString(u"S", u"k", u""), u"2");
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

} // namespace
} // namespace zerbo
