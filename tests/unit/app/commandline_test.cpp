// The command line as the window processes it: the option table, the run that follows it, and
// the start-up that ends the program.
#include <gtest/gtest.h>

#include <functional>

#include "FakeServices.h"
#include "app/CommandLine.h"
#include "app/ServerStart.h"
#include "app/ZerboCode.h"
#include "core/Error.h"

namespace zerbo::app {
namespace {

using test::FakeZerboPlatform;
using Args = std::vector<std::u16string>;

// Saved names are upper-cased like every option value: the tests save into the current
// folder, which is the platform's fresh one for the test's duration.
class InFolder {
public:
    explicit InFolder(const std::filesystem::path& folder) : old_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;
    ~InFolder() { std::filesystem::current_path(old_); }

private:
    std::filesystem::path old_;
};

class CommandLine : public testing::Test {
protected:
    CommandLine() : z(platform.services()) { z.FormCreate(); }
    void run(Args args) {
        z.Params = std::move(args);
        z.ProcessParams();
    }
    FakeZerboPlatform platform;
    TZerboCode z;
};

TEST_F(CommandLine, EachOptionSetsItsControlOrField) {
    struct Case {
        Args args;
        std::function<void(TZerboCode&, FakeZerboPlatform&)> check;
    };
    const Case cases[] = {
        {{u"/s"}, [](TZerboCode&, FakeZerboPlatform& p) { EXPECT_EQ(p.form.minimizes, 1); }},
        {{u"/St"},
         [](TZerboCode& z, FakeZerboPlatform& p) {
             EXPECT_TRUE(z.ResTaskTray);
             EXPECT_EQ(p.form.closes, 1);
         }},
        {{u"/tn3"}, [](TZerboCode& z, FakeZerboPlatform&) { EXPECT_EQ(z.ThinWd.ItemIndex(), 2); }},
        {{u"/TN2"}, [](TZerboCode& z, FakeZerboPlatform&) { EXPECT_EQ(z.ThinWd.ItemIndex(), 1); }},
        {{u"/cd1"}, [](TZerboCode& z, FakeZerboPlatform&) { EXPECT_TRUE(z.CHB1.Checked()); }},
        {{u"/CD1", u"/CD0"}, [](TZerboCode& z, FakeZerboPlatform&) { EXPECT_FALSE(z.CHB1.Checked()); }},
        {{u"/CC1", u"/BC1"},
         [](TZerboCode& z, FakeZerboPlatform&) {
             EXPECT_TRUE(z.AddCodeChar.Checked());
             EXPECT_TRUE(z.BarImage1.SymbolDisp());
             EXPECT_TRUE(z.BoxDraw.Checked());
         }},
        {{u"/CC1", u"/CC0", u"/BC1", u"/BC0"},
         [](TZerboCode& z, FakeZerboPlatform&) {
             EXPECT_FALSE(z.AddCodeChar.Checked());
             EXPECT_FALSE(z.BoxDraw.Checked());
         }},
        // "/ST" alone is the tray; with more it is the start character, one of it.
        {{u"/sta", u"/SPbc"},
         [](TZerboCode& z, FakeZerboPlatform& p) {
             EXPECT_EQ(z.Edit2.Text(), u"A");
             EXPECT_EQ(z.Edit3.Text(), u"B");
             EXPECT_FALSE(z.ResTaskTray);
             EXPECT_EQ(p.form.closes, 0);
         }},
        {{u"/SP"}, [](TZerboCode& z, FakeZerboPlatform&) { EXPECT_EQ(z.Edit3.Text(), u""); }},
        // Spin edits take values beyond their range; integers as the platform reads them.
        {{u"/HT500", u"/lm$10", u"/TM0x0a"},
         [](TZerboCode& z, FakeZerboPlatform&) {
             EXPECT_EQ(z.BarHeight.Value(), 500);
             EXPECT_EQ(z.LeftMargin.Value(), 16);
             EXPECT_EQ(z.TopMargin.Value(), 10);
             EXPECT_EQ(z.BarImage1.BarHeight(), 500);
         }},
        {{u"/HT-5"}, [](TZerboCode& z, FakeZerboPlatform&) { EXPECT_EQ(z.BarHeight.Value(), -5); }},
        // Option values are taken upper-cased by the locale's rules, not only ASCII.
        {{u"/C:Lot 12 é", u"/cau", u"/CAR"},
         [](TZerboCode& z, FakeZerboPlatform&) {
             EXPECT_EQ(z.ComntStr.Text(), u"LOT 12 É");
             EXPECT_TRUE(z.Comnt.Checked());
             EXPECT_EQ(z.ComntPos.ItemIndex(), 0);
             EXPECT_EQ(z.ComntAl.ItemIndex(), 2);
         }},
        {{u"/CAD", u"/CAL"},
         [](TZerboCode& z, FakeZerboPlatform&) {
             EXPECT_EQ(z.ComntPos.ItemIndex(), 1);
             EXPECT_EQ(z.ComntAl.ItemIndex(), 0);
         }},
        {{u"/CAC"}, [](TZerboCode& z, FakeZerboPlatform&) { EXPECT_EQ(z.ComntAl.ItemIndex(), 1); }},
        // The picture kind alone: the menu keeps the user's choice.
        {{u"/cbm"},
         [](TZerboCode& z, FakeZerboPlatform&) {
             EXPECT_EQ(z.BarImage1.BarPicture(), barcode::pbarBMP);
             EXPECT_TRUE(z.CopyEmf.Checked());
             EXPECT_FALSE(z.CopyBm.Checked());
         }},
        {{u"/CWM"}, [](TZerboCode& z, FakeZerboPlatform&) { EXPECT_EQ(z.BarImage1.BarPicture(), barcode::pbarWMF); }},
        {{u"/CBM", u"/CEM"},
         [](TZerboCode& z, FakeZerboPlatform&) { EXPECT_EQ(z.BarImage1.BarPicture(), barcode::pbarEMF); }},
        {{u"/QRV10", u"/qre3"},
         [](TZerboCode& z, FakeZerboPlatform&) {
             EXPECT_EQ(z.QRVer.Value(), 10);
             EXPECT_EQ(z.QRErr.ItemIndex(), 3);
         }},
        {{u"/QRE9"}, [](TZerboCode& z, FakeZerboPlatform&) { EXPECT_EQ(z.QRErr.ItemIndex(), -1); }},
        {{u"/sc1"}, [](TZerboCode& z, FakeZerboPlatform&) { EXPECT_TRUE(z.SpCode.Checked()); }},
        {{u"/SC1", u"sc0x"}, [](TZerboCode& z, FakeZerboPlatform&) { EXPECT_FALSE(z.SpCode.Checked()); }},
        // "SC0" has no slash: "/SC0" is data, typed case kept.
        {{u"/SC1", u"/sc0"},
         [](TZerboCode& z, FakeZerboPlatform&) {
             EXPECT_TRUE(z.SpCode.Checked());
             EXPECT_EQ(z.EditCode.Text(), u"/sc0");
         }},
        {{u"/VOFF"}, [](TZerboCode& z, FakeZerboPlatform&) { EXPECT_TRUE(z.ResTaskTray); }},
        {{u"/voff", u"/von"}, [](TZerboCode& z, FakeZerboPlatform&) { EXPECT_FALSE(z.ResTaskTray); }},
        {{u"/d:$10"}, [](TZerboCode& z, FakeZerboPlatform&) { EXPECT_EQ(z.DelayTime, 16); }},
        {{u"/exit"}, [](TZerboCode& z, FakeZerboPlatform&) { EXPECT_TRUE(z.ExitFlag); }},
        // Data: the last one wins, empty arguments are skipped, after "/EXIT" data is ignored.
        {{u"first", u"", u"Second"}, [](TZerboCode& z, FakeZerboPlatform&) { EXPECT_EQ(z.EditCode.Text(), u"Second"); }},
        {{u"keep", u"/EXIT", u"12345"}, [](TZerboCode& z, FakeZerboPlatform&) { EXPECT_EQ(z.EditCode.Text(), u"keep"); }},
        {{u"/SAVE", u"/S0"}, [](TZerboCode& z, FakeZerboPlatform&) { EXPECT_EQ(z.EditCode.Text(), u"/S0"); }},
        {{u"/save"}, [](TZerboCode& z, FakeZerboPlatform&) { EXPECT_EQ(z.EditCode.Text(), u"/save"); }},
    };
    for (const Case& c : cases) {
        FakeZerboPlatform p;
        TZerboCode w(p.services());
        w.FormCreate();
        w.Params = c.args;
        w.ProcessParams();
        SCOPED_TRACE(ToUtf8(c.args[0]));
        c.check(w, p);
        EXPECT_FALSE(w.Running);
    }
}

TEST_F(CommandLine, EachSymbologyOptionSelectsItsIndex) {
    const std::pair<const char16_t*, int32_t> cases[] = {
        {u"/jan", 0}, {u"/C39", 2},  {u"/c39", 2},  {u"/NW7", 3},   {u"/ITF", 4},  {u"/CST", 9},  {u"/UPC", 1},
        {u"/CTF", 5}, {u"/IATA", 6}, {u"/MAT", 7},  {u"/NEC", 8},   {u"/C128", 10}, {u"/C93", 11}, {u"/qr2", 12},
    };
    for (const auto& [arg, index] : cases) {
        z.CdType.SetItemIndex(-1);
        run({arg});
        EXPECT_EQ(z.CdType.ItemIndex(), index) << ToUtf8(arg);
    }
}

TEST_F(CommandLine, TheRunGeneratesWithAutomaticCopyForcedAndGivesTheMenuItsStateBack) {
    z.Comnt.SetChecked(true);
    run({u"/C128", u"ABC-1"});
    EXPECT_FALSE(z.Comnt.Checked()) << "a list without /C: switches the comment off";
    EXPECT_EQ(z.BarImage1.Code(), u"ABC-1");
    EXPECT_EQ(z.BarImage1.BarType(), barcode::cbarCODE128);
    EXPECT_EQ(platform.clipboard.Format(), gfx::TClipFormat::EnhMetafile);
    EXPECT_FALSE(z.AutoCopy.Checked());
    EXPECT_GT(platform.app.messageRounds, 0);
    EXPECT_TRUE(platform.app.sleeps.empty());
}

TEST_F(CommandLine, ADelayPausesTheLinearRunTwiceTheQRRunOnceAndLastsUntilTheNextList) {
    run({u"/D:1000", u"/C39", u"123"});
    EXPECT_EQ(platform.app.sleeps, (std::vector<int32_t>{1000, 1000}));
    z.RB_Click(nullptr);
    EXPECT_EQ(platform.app.sleeps.size(), 3u) << "later generations pause too";
    platform.app.sleeps.clear();
    run({u"/D:500", u"/QR2", u"ABC"});
    EXPECT_EQ(platform.app.sleeps, (std::vector<int32_t>{500}));
    platform.app.sleeps.clear();
    run({u"ABC"});
    EXPECT_EQ(z.DelayTime, 0);
    EXPECT_TRUE(platform.app.sleeps.empty());
}

TEST_F(CommandLine, ABadIntegerEndsTheListAndSkipsGenerationAndSave) {
    struct Case {
        Args args;
        const char16_t* message;
    };
    const Case cases[] = {
        {{u"/HT60", u"/HT1o", u"/TM9", u"999", u"/SAVE:never.bmp"}, u"''1O'' は整数ではありません"},
        {{u"/HT60", u"/ht", u"/TM9"}, u"'''' は整数ではありません"},
        {{u"/HT60", u"/QRE 1.5", u"/TM9"}, u"'' 1.5'' は整数ではありません"},
        {{u"/HT60", u"/D:12345678901", u"/TM9"}, u"''12345678901'' は整数ではありません"},
    };
    for (const Case& c : cases) {
        FakeZerboPlatform p;
        InFolder here(p.dir.path());
        TZerboCode w(p.services());
        w.FormCreate();
        w.EditCode.SetText(u"123");
        w.Params = c.args;
        const int puts = p.clipboard.Puts;
        try {
            w.ProcessParams();
            ADD_FAILURE() << "no error for " << ToUtf8(c.args[1]);
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
        EXPECT_EQ(w.BarHeight.Value(), 60);
        EXPECT_EQ(w.TopMargin.Value(), 5) << "later arguments are skipped";
        EXPECT_EQ(w.EditCode.Text(), u"123");
        EXPECT_EQ(p.clipboard.Puts, puts) << "no forced copy";
        EXPECT_FALSE(w.Running);
        EXPECT_FALSE(w.ExitFlag);
        EXPECT_FALSE(std::filesystem::exists("NEVER.BMP"));
    }
}

TEST_F(CommandLine, AnExitAfterABadArgumentIsNotReached) {
    z.Params = {u"/HT", u"123", u"/exit"};
    EXPECT_THROW(z.ProcessParams(), EConvertError);
    EXPECT_FALSE(z.ExitFlag);
    EXPECT_EQ(platform.form.closes, 0);
    EXPECT_FALSE(z.Running);
}

TEST_F(CommandLine, AnExitOutsideTheStartUpLeavesTheTrayAndClosesWithoutGenerating) {
    z.ResTaskTray = true;
    const int puts = platform.clipboard.Puts;
    run({u"/C39", u"ABC", u"/EXIT"});
    EXPECT_TRUE(z.ExitFlag);
    EXPECT_TRUE(z.TaskClose);
    EXPECT_FALSE(z.ResTaskTray);
    EXPECT_EQ(platform.form.closes, 1);
    EXPECT_EQ(platform.clipboard.Puts, puts);
    EXPECT_FALSE(z.Running);
}

TEST_F(CommandLine, ARunUnderWayIsAwaitedWhileMessagesAreHandledButNotForEver) {
    // A message handled meanwhile ends the run: the list goes on at once.
    z.Running = true;
    platform.app.onProcessMessages = [this] {
        if (platform.app.messageRounds == 3) z.Running = false;
    };
    run({u"/HT70"});
    EXPECT_EQ(z.BarHeight.Value(), 70);
    EXPECT_EQ(platform.app.sleeps, (std::vector<int32_t>{10, 10}));

    // A run that nothing ends (it waits for this very command further up the stack).
    platform.app.onProcessMessages = nullptr;
    platform.app.sleeps.clear();
    z.Running = true;
    run({u"/HT80"});
    EXPECT_EQ(z.BarHeight.Value(), 80);
    EXPECT_GE(platform.app.clock, 2000u);
    EXPECT_LT(platform.app.clock, 2100u);
}

TEST_F(CommandLine, AnErrorInTheRunIsReportedInTheStatusBarAndTheSaveStillHappens) {
    platform.clipboard.HeldElsewhere = true;
    run({u"/C39", u"ABC"});
    EXPECT_EQ(z.StatusBar1.SimpleText(), u"エラーが発生しました.");
    EXPECT_FALSE(z.AutoCopy.Checked());
    EXPECT_FALSE(z.Running);
    InFolder here(platform.dir.path());
    run({u"/C39", u"ABC", u"/SAVE:held.bmp"});
    EXPECT_TRUE(std::filesystem::exists(platform.dir.file("HELD.BMP"))) << "the save name is upper-cased";
    EXPECT_FALSE(z.Running);
}

TEST_F(CommandLine, TheQRPathReportsALevelOutsideTheList) {
    run({u"/QR2", u"/QRE9", u"HELLO"});
    EXPECT_EQ(z.StatusBar1.SimpleText(), u"ＱＲ：誤り訂正レベル指定エラー");
    EXPECT_TRUE(z.BError);
}

// Start-up ----------------------------------------------------------------------------------

class StartUp : public testing::Test {
protected:
    FakeZerboPlatform platform;
};

TEST_F(StartUp, DataOptionsAndExitGenerateCopyKeepAutomaticCopyAndEndWhenShown) {
    TZerboCode z(platform.services());
    z.FormCreate({u"12345", u"/C128", u"/EXIT"});
    EXPECT_FALSE(z.InitPers);
    EXPECT_EQ(z.CdType.ItemIndex(), 10);
    EXPECT_EQ(z.BarImage1.Code(), u"12345");
    EXPECT_TRUE(z.AutoCopy.Checked());
    EXPECT_EQ(platform.clipboard.Format(), gfx::TClipFormat::EnhMetafile);
    EXPECT_EQ(platform.form.closes, 0) << "the exit waits for the window to be shown";
    z.FormShow();
    EXPECT_EQ(platform.form.closes, 1);
    bool canClose = false;
    z.FormCloseQuery(canClose);
    const std::u16string ini = platform.readIni();
    for (const char16_t* key : {u"CodeType=10", u"AutoCopy=1", u"LastStr=\"12345\""})
        EXPECT_NE(ini.find(key), std::u16string::npos) << ToUtf8(key);
}

TEST_F(StartUp, TheFirstArgumentUpperCasedIsTheDataUnlessADataArgumentFollows) {
    struct Case {
        Args args;
        const char16_t* data;
        bool exits;
    };
    const Case cases[] = {
        {{u"/exit", u"12345"}, u"/EXIT", true},
        {{u"/c39"}, u"/C39", false},
        {{u"/c39", u"abc"}, u"abc", false},
        {{u"äbc"}, u"äbc", false},
        {{u"/VOFF", u"/EXIT"}, u"/VOFF", true},
    };
    for (const Case& c : cases) {
        FakeZerboPlatform p;
        TZerboCode z(p.services());
        z.FormCreate(c.args);
        SCOPED_TRACE(ToUtf8(c.args[0]));
        EXPECT_EQ(z.EditCode.Text(), c.data);
        EXPECT_TRUE(z.AutoCopy.Checked());
        z.FormShow();
        EXPECT_EQ(p.form.closes, c.exits ? 1 : 0);
        // Leaving the tray for the exit: the close then really ends the program.
        EXPECT_FALSE(z.ResTaskTray);
        EXPECT_EQ(z.TaskClose, c.exits && c.args[0] == u"/VOFF");
    }
}

TEST_F(StartUp, ABadArgumentIsShownAndTheWindowStartsAsWithoutIt) {
    TZerboCode z(platform.services());
    z.FormCreate({u"/QR2", u"/QRV", u"HELLO"});
    EXPECT_EQ(platform.dialogs.errors, (std::vector<std::u16string>{u"'''' は整数ではありません"}));
    EXPECT_FALSE(z.InitPers);
    EXPECT_FALSE(z.Running);
    EXPECT_TRUE(z.Image1Visible()) << "the QR layout of the type the list chose";
    EXPECT_EQ(z.EditCode.Text(), u"/QR2");
    z.FormShow();
    EXPECT_EQ(platform.form.closes, 0);
}

TEST_F(StartUp, ASaveBesideExitIsMadeBeforeTheEnd) {
    TZerboCode z(platform.services());
    InFolder here(platform.dir.path());
    z.FormCreate({u"4901234567894", u"/JAN", u"/save:jan.bmp", u"/EXIT"});
    const std::string bytes = test::readBytes(platform.dir.file("JAN.BMP"));
    ASSERT_GT(bytes.size(), 54u);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    z.FormShow();
    EXPECT_EQ(platform.form.closes, 1);
    EXPECT_TRUE(platform.dialogs.errors.empty());
}

TEST(SplitCommandLine, BlanksSeparateQuotesGroupAndBackslashesAreOrdinary) {
    struct Case {
        std::u16string_view line;
        Args args;
    } cases[] = {
        {u"Zerbo.exe 12345 /C128 /EXIT", {u"Zerbo.exe", u"12345", u"/C128", u"/EXIT"}},
        {u"\"C:\\Program Files\\Zerbo.exe\"  \"/C:Lot 12\"", {u"C:\\Program Files\\Zerbo.exe", u"/C:Lot 12"}},
        // A quote before a backslash ends the quoted part: "/EXIT" stays an option.
        {u"Zerbo.exe \"AB\\\" /C128 /EXIT", {u"Zerbo.exe", u"AB\\", u"/C128", u"/EXIT"}},
        {u"Zerbo.exe /SAVE:C:\\out\\ x", {u"Zerbo.exe", u"/SAVE:C:\\out\\", u"x"}},
        // Quotes in the middle of an argument join its parts.
        {u"Zerbo.exe /C:\"a b\"c d", {u"Zerbo.exe", u"/C:a bc", u"d"}},
        {u"Zerbo.exe \"\" x", {u"Zerbo.exe", u"", u"x"}},
        {u"Zerbo.exe\ta\t\tb ", {u"Zerbo.exe", u"a", u"b"}},
        // An unclosed quote runs to the end.
        {u"Zerbo.exe \"a b", {u"Zerbo.exe", u"a b"}},
        {u"", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(SplitCommandLine(c.line), c.args) << ToUtf8(c.line);
}

TEST(ServerStart, SwitchesCountWithEitherMarkInAnyCaseAnywhere) {
    using S = TServerStart;
    const std::pair<std::vector<std::u16string>, S> cases[] = {
        {{}, S::Normal},
        {{u"ABC", u"/C39"}, S::Normal},
        {{u"-Embedding"}, S::Automation},
        {{u"x", u"/automation"}, S::Automation},
        {{u"/REGSERVER"}, S::RegServer},
        {{u"-unregserver", u"-Embedding"}, S::UnregServer},
        {{u"REGSERVER"}, S::Normal},
        {{u"/REGSERVERS"}, S::Normal},
    };
    for (const auto& [args, start] : cases) EXPECT_EQ(ServerStartOf(args), start) << (args.empty() ? "" : ToUtf8(args[0]));
    EXPECT_EQ(WithoutServerSwitches({u"-Embedding", u"ABC", u"/automation", u"/C39"}),
              (std::vector<std::u16string>{u"ABC", u"/C39"}));
}

} // namespace
} // namespace zerbo::app
