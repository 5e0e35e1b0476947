// THistoryEx: the most-recently-used rules, the INI and registry layouts, the boxes.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "TempDir.h"
#include "components/HistoryEx.h"
#include "components/IniFile.h"
#include "components/PosixPlatform.h"

namespace zerbo {
namespace {

using Strings = std::vector<std::u16string>;
using test::readBytes;
using test::TempDir;

class FakeCombo : public IHistoryComboBox {
public:
    Strings items;
    std::u16string text = u"untouched";
    void SetItems(const Strings& v) override { items = v; }
    void SetText(const std::u16string& v) override { text = v; }
};

class FakeList : public IHistoryListBox {
public:
    Strings items;
    void SetItems(const Strings& v) override { items = v; }
};

class HistoryTest : public testing::Test {
protected:
    HistoryTest() {
        platform.programFileName = FromUtf8(dir.file("bin/Zerbo.exe"));
        platform.appDataFolder = FromUtf8(dir.file("appdata"));
    }
    THistoryEx make() { return THistoryEx(platform, &registry, u"HistoryEx1"); }
    TIniFile ini(const THistoryEx& h) { return TIniFile(platform, h.FileName()); }

    TempDir dir;
    TPosixPlatform platform;
    TMemoryRegistry registry;
};

TEST_F(HistoryTest, FileLiesInAppDataFromVersion6OnAndBesideTheProgramBefore) {
    const THistoryEx modern = make();
    EXPECT_EQ(modern.FileName(), FromUtf8(dir.file("appdata/Zerbo/Zerbo.ini")));
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("appdata/Zerbo")));
    platform.majorVersion = 5;
    EXPECT_EQ(make().FileName(), FromUtf8(dir.file("bin/Zerbo.ini")));
    EXPECT_EQ(modern.Max(), 10);
    EXPECT_EQ(modern.Count(), -1);
}

TEST_F(HistoryTest, AppendKeepsTheNewestFirstWithoutDuplicates) {
    THistoryEx h = make();
    FakeCombo combo;
    FakeList list;
    h.SetComboBox(&combo);
    h.SetListBox(&list);
    h.SetMax(3);
    const struct {
        const char16_t* append;
        Strings expected;
    } steps[] = {
        {u"P", {u"P"}},
        {u"Q", {u"Q", u"P"}},
        {u"R", {u"R", u"Q", u"P"}},
        {u"S", {u"S", u"R", u"Q"}},
        {u"Q", {u"Q", u"S", u"R"}},
        {u"q", {u"q", u"Q", u"S"}},  // case-sensitive
        {u"", {u"", u"q", u"Q"}},
    };
    for (const auto& s : steps) {
        h.Append(s.append);
        EXPECT_EQ(h.History(), s.expected) << ToUtf8(s.append);
        EXPECT_EQ(h.Count(), static_cast<int32_t>(s.expected.size()));
        EXPECT_EQ(combo.items, s.expected);
        EXPECT_EQ(combo.text, s.append);
        EXPECT_EQ(list.items, s.expected);
    }
    // A list longer than Max loses one entry per call.
    h.SetHistory({u"a", u"b", u"c", u"d", u"e"});
    h.Append(u"f");
    EXPECT_EQ(h.History(), (Strings{u"f", u"a", u"b", u"c", u"d"}));

    h.Clear();
    EXPECT_TRUE(h.History().empty());
    EXPECT_EQ(h.Count(), -1);
    EXPECT_EQ(combo.items.size(), 5u);  // the boxes keep what they show
    h.SetMax(0);
    EXPECT_EQ(h.Max(), 1);
    h.Append(u"x");
    EXPECT_EQ(h.History(), (Strings{u"x"}));
}

TEST_F(HistoryTest, AppendAllTakesAtMostMaxEntries) {
    THistoryEx h = make();
    FakeCombo combo;
    h.SetComboBox(&combo);
    h.SetMax(2);
    h.AppendAll({});
    EXPECT_EQ(combo.text, u"untouched");
    h.AppendAll({u"one"});
    EXPECT_EQ(h.History(), (Strings{u"one"}));
    EXPECT_EQ(combo.text, u"one");
    h.AppendAll({u"a", u"b", u"c"});
    EXPECT_EQ(h.History(), (Strings{u"a", u"b"}));
    EXPECT_EQ(h.Count(), 2);
}

TEST_F(HistoryTest, SaveAndLoadThroughTheIniFile) {
    THistoryEx h = make();
    for (const char16_t* s : {u"R", u" S ", u"", u"Q"}) h.Append(s);
    h.SaveToIni();
    const TIniFile file = ini(h);
    std::vector<std::u16string> lines;
    file.ReadSectionValues(u"HistoryEx1", lines);
    EXPECT_EQ(lines, (Strings{u"0=Q", u"1=NIL", u"2= S ", u"3=R"}));
    EXPECT_EQ(file.ReadInteger(u"History", u"Count", 0), 4);
    EXPECT_NE(readBytes(ToUtf8(h.FileName())).find(std::string("0\0=\0\"\0Q\0\"\0", 10)), std::string::npos);

    THistoryEx loaded = make();
    loaded.Append(u"older");
    loaded.LoadFromIni();
    EXPECT_EQ(loaded.History(), (Strings{u"Q", u" S ", u"R", u"older"}));
    EXPECT_EQ(loaded.Count(), 4);

    h.Clear();
    h.SaveToIni();
    EXPECT_EQ(file.ReadInteger(u"History", u"Count", 0), -1);
    EXPECT_EQ(file.ReadString(u"HistoryEx1", u"0", u""), u"Q");  // old keys stay
    THistoryEx empty = make();
    empty.AppendFromIni();
    EXPECT_TRUE(empty.History().empty());
    EXPECT_EQ(empty.Count(), -1);
}

// An entry with a line break is saved up to it like any other, so the save always reaches Count
// and no key of an earlier, longer save is read back among the new entries.
TEST_F(HistoryTest, EntriesWithLineBreaksAreSavedUpToThemAndCountStaysTrue) {
    THistoryEx earlier = make();
    for (const char16_t* s : {u"old4", u"old3", u"old2", u"old1", u"old0"}) earlier.Append(s);
    earlier.SaveToIni();

    THistoryEx h = make();
    for (const char16_t* s : {u"last", u"two\r\nlines", u"\nonly a break first", u"first"}) h.Append(s);
    ASSERT_NO_THROW(h.SaveToIni());
    const TIniFile file = ini(h);
    std::vector<std::u16string> lines;
    file.ReadSectionValues(u"HistoryEx1", lines);
    EXPECT_EQ(lines, (Strings{u"0=first", u"1=NIL", u"2=two", u"3=last", u"4=old4"}));
    EXPECT_EQ(file.ReadInteger(u"History", u"Count", 0), 4);

    THistoryEx loaded = make();
    loaded.LoadFromIni();
    EXPECT_EQ(loaded.History(), (Strings{u"first", u"two", u"last"}));
}

TEST_F(HistoryTest, ReadOnlyFileIsSkippedAndOtherWriteErrorsPropagate) {
    THistoryEx h = make();
    h.Append(u"x");
    h.SaveToIni();
    const std::string file = ToUtf8(h.FileName());
    const std::string before = readBytes(file);
    h.Append(u"y");
    ::chmod(file.c_str(), 0444);
    EXPECT_NO_THROW(h.SaveToIni());
    EXPECT_EQ(readBytes(file), before);

    platform.appDataFolder = FromUtf8(dir.file("plain-file"));
    test::writeBytes(dir.file("plain-file"), "");
    THistoryEx nowhere = make();
    nowhere.Append(u"x");
    EXPECT_THROW(nowhere.SaveToIni(), EIniFileException);
}

TEST_F(HistoryTest, SaveAndLoadThroughTheRegistry) {
    THistoryEx h = make();
    for (const char16_t* s : {u"R", u"", u"Q"}) h.Append(s);
    h.SaveToReg(u"Software\\Zerbo\\History");
    const auto* values = registry.Find(u"software\\zerbo\\history");
    ASSERT_NE(values, nullptr);
    EXPECT_EQ(values->at(u"0").text, u"Q");
    EXPECT_EQ(values->count(u"1"), 0u);  // empty entries are not written
    EXPECT_EQ(values->at(u"2").text, u"R");
    EXPECT_EQ(values->at(u"COUNT").integer, 3);

    THistoryEx loaded = make();
    loaded.LoadFromReg(u"Software\\Zerbo\\History");
    EXPECT_EQ(loaded.History(), (Strings{u"Q", u"R"}));

    // An entry of the wrong type is passed over.
    registry.OpenKey(u"Software\\Zerbo\\History")->WriteInteger(u"0", 5);
    THistoryEx partly = make();
    partly.LoadFromReg(u"Software\\Zerbo\\History");
    EXPECT_EQ(partly.History(), (Strings{u"R"}));

    THistoryEx none = make();
    none.LoadFromReg(u"");
    none.SaveToReg(u"");
    EXPECT_EQ(registry.Find(u""), nullptr);
}

TEST_F(HistoryTest, RegistryErrorsLeaveTheListUnchanged) {
    THistoryEx h = make();
    h.Append(u"kept");
    const struct {
        bool writeCount;
        const char16_t* message;
    } cases[] = {{false, u"'Count' の取得に失敗しました"}, {true, u"'Count' のデータ型が不正です"}};
    for (const auto& c : cases) {
        const std::u16string key = c.writeCount ? u"Bad" : u"Empty";
        if (c.writeCount) registry.OpenKey(key)->WriteString(u"Count", u"3");
        try {
            h.LoadFromReg(key);
            ADD_FAILURE() << "no error raised";
        } catch (const ERegistryException& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
        EXPECT_EQ(h.History(), (Strings{u"kept"}));
        EXPECT_EQ(h.Count(), 1);
    }
    registry.failWrites = true;
    EXPECT_THROW(h.SaveToReg(u"Fails"), ERegistryException);
}

} // namespace
} // namespace zerbo
