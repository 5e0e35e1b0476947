// TIniGT: the encodings of every kind of value, the fence rules, and where the file lies.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "TempDir.h"
#include "components/IniGT.h"
#include "components/PosixPlatform.h"
#include "core/Convert.h"
#include "core/Path.h"

namespace zerbo {
namespace {

using test::readBytes;
using test::TempDir;
using test::utf16File;
using test::writeBytes;

class FakeFont : public IIniFont {
public:
    std::u16string name = u"ＭＳ Ｐゴシック";
    int32_t size = 9;
    uint8_t style = 0;
    int32_t color = 0;
    int charset = 128;  // not stored in the file: a fresh font's value comes through
    std::u16string Name() const override { return name; }
    void SetName(const std::u16string& v) override { name = v; }
    int32_t Size() const override { return size; }
    void SetSize(int32_t v) override { size = v; }
    uint8_t Style() const override { return style; }
    void SetStyle(uint8_t v) override { style = v; }
    int32_t Color() const override { return color; }
    void SetColor(int32_t v) override { color = v; }
    std::unique_ptr<IIniFont> CreateFresh() const override { return std::make_unique<FakeFont>(); }
    void Assign(const IIniFont& source) override { *this = dynamic_cast<const FakeFont&>(source); }
};

class FakeForm : public IIniForm {
public:
    TWindowPlacement placement;
    int applied = 0;
    int32_t left = 10, top = 20, width = 300, height = 200;
    TWindowPlacement GetPlacement() override { return placement; }
    void SetPlacement(const TWindowPlacement& p) override {
        placement = p;
        ++applied;
    }
    int32_t Left() override { return left; }
    void SetLeft(int32_t v) override { left = v; }
    int32_t Top() override { return top; }
    void SetTop(int32_t v) override { top = v; }
    int32_t Width() override { return width; }
    void SetWidth(int32_t v) override { width = v; }
    int32_t Height() override { return height; }
    void SetHeight(int32_t v) override { height = v; }
};

class IniGTTest : public testing::Test {
protected:
    IniGTTest() : ini(platform) { ini.SetFileName(dir.file16("a.ini")); }
    // Puts text in the file so that the store hands back exactly `returned`.
    void storeReturning(const std::u16string& key, const std::u16string& returned) {
        ini.Store().WriteString(u"S", key, u"'" + returned + u"'");
    }

    TPosixPlatform platform;
    TempDir dir;
    TIniGT ini;
};

constexpr TIniGTFence kFences[] = {fnDoubleQuote, fnParenthesis, fnVer11Mode, fnNone};

TEST_F(IniGTTest, WriteStrWrapsByFenceAndEachModeReadsItsOwnBack) {
    const char16_t* stored[] = {u"k=\"abc\"", u"k=｢abc｣", u"k=｢abc｣", u"k=abc"};
    for (int m = 0; m < 4; ++m) {
        ini.SetFence(kFences[m]);
        // Text after a line break never reaches the file; the fence closes what does.
        for (const char16_t* value : {u"abc", u"abc\r\nrest"}) {
            ini.WriteStr(u"S", u"k", value);
            EXPECT_EQ(readBytes(dir.file("a.ini")), utf16File(u"[S]\r\n" + std::u16string(stored[m]) + u"\r\n")) << m;
            EXPECT_EQ(ini.ReadStr(u"S", u"k", u"def"), u"abc") << m;
        }
    }
}

TEST_F(IniGTTest, ReadStrStripsOnePairOfItsOwnFenceOnly) {
    const struct {
        const char16_t* returned;
        const char16_t* read[4];  // fnDoubleQuote, fnParenthesis, fnVer11Mode, fnNone
    } cases[] = {
        {u"\"abc\"", {u"abc", u"\"abc\"", u"abc", u"\"abc\""}},
        {u"｢abc｣", {u"｢abc｣", u"abc", u"abc", u"｢abc｣"}},
        {u"\"\"abc\"\"", {u"\"abc\"", u"\"\"abc\"\"", u"\"abc\"", u"\"\"abc\"\""}},
        {u"\"", {u"\"", u"\"", u"\"", u"\""}},
        {u"\"\"", {u"", u"\"\"", u"", u"\"\""}},
        {u"｢｣", {u"｢｣", u"", u"", u"｢｣"}},
        {u"\"abc｣", {u"\"abc｣", u"\"abc｣", u"\"abc｣", u"\"abc｣"}},
        {u"abc", {u"abc", u"abc", u"abc", u"abc"}},
    };
    for (const auto& c : cases) {
        storeReturning(u"k", c.returned);
        for (int m = 0; m < 4; ++m) {
            ini.SetFence(kFences[m]);
            EXPECT_EQ(ini.ReadStr(u"S", u"k", u"def"), c.read[m]) << ToUtf8(c.returned) << " fence " << m;
        }
    }
    for (auto fence : kFences) {
        ini.SetFence(fence);
        EXPECT_EQ(ini.ReadStr(u"S", u"missing", u"x y"), u"x y") << fence;
    }
}

TEST_F(IniGTTest, HexAndColourReads) {
    const struct {
        const char16_t* returned;
        int32_t value;
    } cases[] = {
        {u"0x0000FF00", 65280}, {u"#x0000FF00", 65280}, {u"0xff", 255}, {u"255", 5},
        {u"0x123456789", 0x12345678}, {u"0xFFFFFFFF", -1}, {u"0x00FF0000", 0xFF0000},
    };
    for (const auto& c : cases) {
        storeReturning(u"h", c.returned);
        EXPECT_EQ(ini.ReadHex(u"S", u"h", 7), c.value) << ToUtf8(c.returned);
        EXPECT_EQ(ini.ReadColor(u"S", u"h", 7), c.value) << ToUtf8(c.returned);
    }
    EXPECT_EQ(ini.ReadHex(u"S", u"missing", -2), -2);
    const struct {
        const char16_t* returned;
        const char16_t* message;
    } errors[] = {
        {u"12", u"''$'' は整数ではありません"},
        {u"", u"''$'' は整数ではありません"},
        {u"0xGG", u"''$GG'' は整数ではありません"},
        {u"0x 1", u"''$ 1'' は整数ではありません"},
    };
    for (const auto& e : errors) {
        storeReturning(u"h", e.returned);
        try {
            ini.ReadColor(u"S", u"h", 0);
            ADD_FAILURE() << "no error for " << ToUtf8(e.returned);
        } catch (const EConvertError& error) {
            EXPECT_EQ(error.Message(), e.message);
        }
    }
    ini.WriteColor(u"S", u"blue", 0xFF0000);
    ini.WriteHex(u"S", u"neg", -1);
    EXPECT_EQ(ini.Store().ReadString(u"S", u"blue", u""), u"0x00FF0000");
    EXPECT_EQ(ini.Store().ReadString(u"S", u"neg", u""), u"0xFFFFFFFF");
}

TEST_F(IniGTTest, IntegerBooleanFloatAndDateTime) {
    const struct {
        const char16_t* returned;
        int32_t value;
    } ints[] = {{u"0x1F", 31}, {u"abc", 9}, {u"0x", 9}, {u"", 9}, {u"-12", -12}};
    for (const auto& c : ints) {
        storeReturning(u"i", c.returned);
        EXPECT_EQ(ini.ReadInt(u"S", u"i", 9), c.value) << ToUtf8(c.returned);
    }
    const struct {
        const char16_t* returned;
        bool value;
    } bools[] = {{u"2", true}, {u"-1", true}, {u"0", false}, {u"yes", false}};
    for (const auto& c : bools) {
        storeReturning(u"b", c.returned);
        EXPECT_EQ(ini.ReadBool(u"S", u"b", false), c.value) << ToUtf8(c.returned);
    }
    ini.WriteBool(u"S", u"b", true);
    ini.WriteInt(u"S", u"i", -2147483647 - 1);
    ini.WriteFloat(u"S", u"f", 1.5);
    ini.WriteDateTime(u"S", u"d", 45000.75);
    EXPECT_EQ(ini.Store().ReadString(u"S", u"b", u""), u"1");
    EXPECT_EQ(ini.ReadInt(u"S", u"i", 0), -2147483647 - 1);
    EXPECT_EQ(ini.Store().ReadString(u"S", u"f", u""), u"1.5");
    EXPECT_EQ(ini.ReadFloat(u"S", u"f", 0), 1.5);
    EXPECT_EQ(ini.ReadDateTime(u"S", u"d", 0), 45000.75);
    EXPECT_EQ(ini.ReadFloat(u"S", u"missing", 0.25), 0.25);
    storeReturning(u"f", u"1.5x");
    try {
        ini.ReadFloat(u"S", u"f", 0);
        ADD_FAILURE() << "no error raised";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), u"'1.5x' は浮動小数点数ではありません");
    }
}

TEST_F(IniGTTest, Lists) {
    std::vector<std::u16string> list;
    ini.Store().WriteString(u"S", u"L.Count", u"3");
    ini.Store().WriteString(u"S", u"L.0", u"first");
    ini.ReadList(u"S", u"L", list);
    EXPECT_EQ(list, (std::vector<std::u16string>{u"first", u"", u""}));

    ini.Store().WriteString(u"S", u"L.Count", u"0");
    ini.ReadList(u"S", u"L", list);
    EXPECT_TRUE(list.empty());

    list = {u"kept", u"too"};
    ini.ReadList(u"S", u"None", list);
    EXPECT_EQ(list, (std::vector<std::u16string>{u"kept", u"too"}));

    ini.SetFence(fnDoubleQuote);
    ini.WriteList(u"S", u"W", {u"a", u" b ", u"c"});
    ini.WriteList(u"S", u"W", {u"z"});
    EXPECT_EQ(ini.ReadInt(u"S", u"W.Count", 0), 1);
    EXPECT_EQ(ini.ReadStr(u"S", u"W.0", u""), u"z");
    EXPECT_EQ(ini.ReadStr(u"S", u"W.1", u""), u" b ");  // left from the longer list
    EXPECT_EQ(ini.ReadStr(u"S", u"W.2", u""), u"c");
}

TEST_F(IniGTTest, FontsAcceptEveryFenceAndComeOutAsFreshFonts) {
    FakeFont font;
    font.name = u"Arial";
    font.size = 12;
    font.style = fsBold | fsItalic;
    font.color = 0xFF;
    font.charset = 0;
    for (auto fence : kFences) {
        ini.SetFence(fence);
        ini.WriteFont(u"S", u"Font", font);
        EXPECT_EQ(ini.Store().ReadString(u"S", u"Font.Name", u""), u"Arial") << fence;
    }
    EXPECT_EQ(ini.Store().ReadString(u"S", u"Font.Style", u""), u"3");
    EXPECT_EQ(ini.Store().ReadString(u"S", u"Font.Color", u""), u"0x000000FF");

    ini.SetFence(fnNone);
    for (const char16_t* returned : {u"\"ＭＳ 明朝\"", u"｢ＭＳ 明朝｣", u"ＭＳ 明朝"}) {
        storeReturning(u"Font.Name", returned);
        FakeFont target;
        target.charset = 1;
        ini.ReadFont(u"S", u"Font", target);
        EXPECT_EQ(target.name, u"ＭＳ 明朝") << ToUtf8(returned);
        EXPECT_EQ(target.size, 12);
        EXPECT_EQ(target.style, fsBold | fsItalic);
        EXPECT_EQ(target.color, 0xFF);
        EXPECT_EQ(target.charset, 128);  // a fresh font's, not the old one
        EXPECT_EQ(ini.Fence(), fnNone);
    }
    ini.Store().WriteString(u"S", u"Font.Style", u"0x10F");
    FakeFont target;
    ini.ReadFont(u"S", u"Font", target);
    EXPECT_EQ(target.style, 0x0F);  // the low 8 bits
}

TEST_F(IniGTTest, WindowPlacementPositionAndSize) {
    FakeForm form;
    form.placement.flags = 2;
    form.placement.showCmd = 1;
    form.placement.ptMinPosition = {-1, -1};
    form.placement.ptMaxPosition = {-8, -9};
    form.placement.rcNormalPosition = {100, 50, 740, 530};
    ini.WriteWin(u"Desktop", u"Windows", form);
    std::vector<std::u16string> lines;
    ini.ReadSectionValues(u"Desktop", lines);
    EXPECT_EQ(lines, (std::vector<std::u16string>{u"Windows.Flags=2", u"Windows.Show=1", u"Windows.MaxX=-8",
                                                  u"Windows.MaxY=-9", u"Windows.X=100", u"Windows.Y=50",
                                                  u"Windows.XSize=740", u"Windows.YSize=530"}));

    FakeForm other;
    other.placement.ptMinPosition = {5, 6};
    ini.ReadWin(u"Desktop", u"Windows", other);
    EXPECT_EQ(other.applied, 1);
    EXPECT_EQ(other.placement.flags, 2u);
    EXPECT_EQ(other.placement.showCmd, 1u);
    EXPECT_EQ(other.placement.ptMaxPosition.x, -8);
    EXPECT_EQ(other.placement.ptMinPosition.x, 5);  // never stored
    EXPECT_EQ(other.placement.rcNormalPosition.right, 740);
    EXPECT_EQ(other.placement.rcNormalPosition.bottom, 530);

    FakeForm untouched;
    untouched.placement.rcNormalPosition = {1, 2, 3, 4};
    ini.ReadWin(u"Desktop", u"Nothing", untouched);
    EXPECT_EQ(untouched.applied, 1);  // applied even with no keys
    EXPECT_EQ(untouched.placement.rcNormalPosition.right, 3);

    ini.WriteWinPos(u"D", u"W", form);
    ini.WriteWinSize(u"D", u"W", form);
    EXPECT_EQ(ini.ReadInt(u"D", u"W.XSize", 0), 300);  // a width this time
    FakeForm moved;
    moved.left = moved.top = moved.width = moved.height = 1;
    ini.Store().WriteString(u"D", u"W.Y", u"bad");
    ini.ReadWinPos(u"D", u"W", moved);
    ini.ReadWinSize(u"D", u"W", moved);
    EXPECT_EQ(moved.left, 10);
    EXPECT_EQ(moved.top, 1);  // unreadable: the current value stays
    EXPECT_EQ(moved.width, 300);
    EXPECT_EQ(moved.height, 200);
}

TEST_F(IniGTTest, CheckAndSections) {
    storeReturning(u"empty", u"");
    storeReturning(u"zero", u"0");
    EXPECT_FALSE(ini.Check(u"S", u"empty"));
    EXPECT_FALSE(ini.Check(u"S", u"missing"));
    EXPECT_TRUE(ini.Check(u"S", u"zero"));
    std::vector<std::u16string> keys;
    ini.ReadSection(u"S", keys);
    EXPECT_EQ(keys, (std::vector<std::u16string>{u"empty", u"zero"}));
    ini.EraseSection(u"S");
    ini.ReadSection(u"S", keys);
    EXPECT_TRUE(keys.empty());
}

class FoldersPlatform : public TPosixPlatform {
public:
    FoldersPlatform() {
        programFileName = u"C:\\Prog\\APP.EXE";
        windowsFolder = u"C:\\WINDOWS";
        pathSeparator = u'\\';
    }
};

TEST(IniGTFileName, ResolvesByDefaultDir) {
    FoldersPlatform platform;
    TIniGT ini(platform);
    EXPECT_EQ(ini.FullFileName(), u"");
    const struct {
        TIniGTDefaultDir dir;
        const char16_t* name;
        const char16_t* full;
    } cases[] = {
        {ddApplication, u"a.ini", u"C:\\Prog\\a.ini"}, {ddWindows, u"a.ini", u"C:\\WINDOWS\\a.ini"},
        {ddNone, u"a.ini", u"a.ini"},                  {ddApplication, u"C:\\x\\a.ini", u"C:\\x\\a.ini"},
        {ddWindows, u"C:\\x\\a.ini", u"C:\\x\\a.ini"}, {ddNone, u"C:\\x\\a.ini", u"C:\\x\\a.ini"},
        {ddWindows, u"D:a.ini", u"D:a.ini"},
    };
    for (const auto& c : cases) {
        ini.SetDefaultDir(c.dir);
        ini.SetFileName(c.name);
        EXPECT_EQ(ini.FullFileName(), c.full) << ToUtf8(c.name) << " " << c.dir;
        EXPECT_EQ(ini.FileName(), c.name);
    }
    ini.SetFileName(u"b.ini");
    ini.SetDefaultDir(ddWindows);  // resolves the name again
    EXPECT_EQ(ini.FullFileName(), u"C:\\WINDOWS\\b.ini");
}

TEST(IniGTFileName, DefaultNameAtLoadFollowsTheProgram) {
    const struct {
        const char16_t* program;
        const char16_t* name;
    } cases[] = {
        {u"C:\\Prog\\APP.EXE", u"App.ini"},   {u"C:\\Prog\\zerbo.exe", u"Zerbo.ini"},
        {u"C:\\Prog\\1ABC.EXE", u"1abc.ini"}, {u"C:\\Prog\\TOOL", u"Tool.ini"},
        {u"C:\\P.Q\\R.S.EXE", u"R.s.ini"},
    };
    for (const auto& c : cases) {
        FoldersPlatform platform;
        platform.programFileName = c.program;
        TIniGT ini(platform);
        ini.Loaded();
        EXPECT_EQ(ini.FileName(), c.name) << ToUtf8(c.program);
        EXPECT_EQ(ini.FullFileName(), ExtractFilePath(platform.PathDelimiters(), c.program) + c.name);
    }
    FoldersPlatform platform;
    TIniGT named(platform);
    named.SetFileName(u"x.ini");
    named.Loaded();
    EXPECT_EQ(named.FileName(), u"x.ini");
}

TEST(IniGTFileName, FenceAndVer11Flag) {
    FoldersPlatform platform;
    TIniGT ini(platform);
    EXPECT_EQ(ini.Fence(), fnNone);
    EXPECT_TRUE(ini.Ver11Flg);
    ini.SetFence(fnNone);  // unchanged value: the flag still drops
    EXPECT_FALSE(ini.Ver11Flg);
}

TEST(IniGTFileName, ClearsAReadOnlyFileWhenTheNameIsSet) {
    TPosixPlatform platform;
    TempDir dir;
    writeBytes(dir.file("ro.ini"), "[S]\r\nk=1\r\n");
    ::chmod(dir.file("ro.ini").c_str(), 0444);
    TIniGT ini(platform);
    ini.SetFileName(dir.file16("ro.ini"));
    ini.WriteInt(u"S", u"k", 2);
    EXPECT_EQ(ini.ReadInt(u"S", u"k", 0), 2);
}

} // namespace
} // namespace zerbo
