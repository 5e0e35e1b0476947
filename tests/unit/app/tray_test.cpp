// The clipboard watch, the clearing of the history, the notification area and what the
// window shows at start-up.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "FakeServices.h"
#include "app/ZerboCode.h"
#include "core/Text.h"

namespace zerbo::app {
namespace {

using test::FakeZerboPlatform;
using Args = std::vector<std::u16string>;

struct Window {
    FakeZerboPlatform platform;
    std::unique_ptr<TZerboCode> z;
    explicit Window(const std::u16string& options = {}, const Args& args = {}) {
        if (!options.empty()) platform.writeIni(u"[Options]\r\n" + options);
        z = std::make_unique<TZerboCode>(platform.services());
        z->FormCreate(args);
    }
    bool attached() const { return static_cast<bool>(z->ClipboardWatcher1->OnChange()); }
    // Another program copies a text; the platform tells the watcher.
    void copied(const std::u16string& text) {
        platform.clipboard.PutText(text);
        changed();
    }
    void changed() { z->ClipboardWatcher1->WMDrawClipboard(0, 0); }
    bool close() {
        bool canClose = false;
        z->FormCloseQuery(canClose);
        return canClose;
    }
};

TEST(Watch, TheHandlerIsAttachedAtStartOnActivationAndByTheMenuAndDetachedAtTheClose) {
    struct Step {
        const char* what;
        std::function<void(TZerboCode&)> event;
        bool attached;
    };
    Window off;
    EXPECT_FALSE(off.attached()) << "CBWatch off at start";
    Window on(u"CBWatch=1\r\n");
    EXPECT_TRUE(on.attached()) << "CBWatch on at start";
    const Step steps[] = {
        {"the menu turns it off", [](TZerboCode& z) { z.CBW.Click(); }, false},
        {"an activation attaches whatever the menu says", [](TZerboCode& z) { z.FormActivate(); }, true},
        {"the menu turns it on", [](TZerboCode& z) { z.CBW.Click(); }, true},
        {"the close detaches", [](TZerboCode& z) {
             bool canClose = false;
             z.FormCloseQuery(canClose);
         }, false},
    };
    for (const Step& s : steps) {
        s.event(*on.z);
        EXPECT_EQ(on.attached(), s.attached) << s.what;
    }
    EXPECT_TRUE(on.z->CBW.Checked());
}

TEST(Watch, CopiedTextBecomesTheDataAndItsSymbolReplacesItOnTheClipboard) {
    Window w(u"CBWatch=1\r\nTrim_Space=1\r\nAutoCopy=1\r\nCodeType=0\r\n");
    w.copied(u"  4901234567894 \t");
    EXPECT_EQ(w.z->EditCode.Text(), u"4901234567894");
    EXPECT_FALSE(w.z->BError);
    EXPECT_EQ(w.platform.clipboard.Format(), gfx::TClipFormat::EnhMetafile);
    EXPECT_TRUE(w.z->ClipboardWatcher1->Enabled()) << "enabled again after the run";
    EXPECT_TRUE(w.z->Edit1.Items().empty()) << "the watch adds nothing to the history";

    // The platform reports the program's own copy too, later or on joining again: no run.
    const int puts = w.platform.clipboard.Puts;
    w.changed();
    EXPECT_EQ(w.platform.clipboard.Puts, puts);

    // A picture another program copied is no data.
    w.platform.clipboard.PutGraphic(w.z->BarImage1.Picture().Bitmap());
    w.changed();
    EXPECT_EQ(w.z->EditCode.Text(), u"4901234567894");
}

TEST(Watch, TrimOffKeepsTheBlanksAutoCopyOffKeepsTheTextAndWatchOffDoesNothing) {
    Window w(u"CBWatch=1\r\nCodeType=10\r\n");
    w.copied(u" A1 ");
    EXPECT_EQ(w.z->EditCode.Text(), u" A1 ");
    EXPECT_EQ(w.platform.clipboard.Text(), u" A1 ") << "without automatic copy the text stays";
    w.z->CBW.Click();
    w.z->FormActivate();  // attached again, but watching is off
    w.copied(u"B2");
    EXPECT_EQ(w.z->EditCode.Text(), u" A1 ");
}

TEST(Watch, TheErrorTextOfARejectedSymbolDoesNotComeBackAsData) {
    Window w(u"CBWatch=1\r\nCodeType=0\r\nPasteErr=1\r\n");
    w.copied(u"not a JAN");
    EXPECT_TRUE(w.z->BError);
    EXPECT_EQ(w.platform.clipboard.Text(), u"作成できませんでした");
    w.changed();
    EXPECT_EQ(w.z->EditCode.Text(), u"not a JAN");
}

TEST(Watch, OddTextsAreTakenWholeAndTextsNoSymbolHoldsAreNone) {
    // JAN turns them down at once: what matters here is the text that arrives.
    Window w(u"CBWatch=1\r\nTrim_Space=1\r\nCodeType=0\r\n");
    const std::u16string longest(kMaxDataLength, u'7');
    w.copied(longest);
    EXPECT_EQ(w.z->EditCode.Text(), longest);
    w.copied(std::u16string(1 << 20, u'8'));
    EXPECT_EQ(w.z->EditCode.Text(), longest);
    w.copied(std::u16string(u"A\0B", 3));
    EXPECT_EQ(w.z->EditCode.Text(), std::u16string(u"A\0B", 3));
    w.copied(u" \r\n\t ");
    EXPECT_EQ(w.z->EditCode.Text(), u"");
}

TEST(History, ClearingAsksFirstAndLeavesTheEmptyStateForTheClose) {
    Window w(u"CodeType=10\r\n");
    for (const char16_t* data : {u"A1", u"B2"}) {
        w.z->EditCode.SetText(data);
        w.z->Execute(nullptr);
    }
    w.z->Edit5.Click();
    EXPECT_TRUE(w.z->D1.Enabled());
    w.platform.dialogs.answer = false;
    w.z->D1.Click();
    ASSERT_EQ(w.platform.dialogs.boxes.size(), 1u);
    EXPECT_EQ(w.platform.dialogs.boxes[0].text, u"編集履歴を削除しますか?");
    EXPECT_EQ(w.platform.dialogs.boxes[0].buttons, TMsgButtons::YesNo);
    EXPECT_EQ(w.platform.dialogs.boxes[0].icon, TMsgIcon::Information);
    EXPECT_EQ(w.z->Edit1.Items().size(), 2u) << "No keeps the history";
    w.platform.dialogs.answer = true;
    w.z->D1.Click();
    EXPECT_TRUE(w.z->Edit1.Items().empty());
    EXPECT_EQ(w.z->HistoryEx1.Count(), -1);
    w.z->Edit5.Click();
    EXPECT_FALSE(w.z->D1.Enabled());
    EXPECT_TRUE(w.close());
    const std::u16string ini = w.platform.readIni();
    EXPECT_NE(ini.find(u"Count=-1"), std::u16string::npos) << ToUtf8(ini);
}

// The states of the notification area: what the field, the icon and the window are, and
// what a close request does.
struct TrayState {
    bool resident, icon, visible;
};

void expectState(Window& w, TrayState s, const char* what) {
    EXPECT_EQ(w.z->ResTaskTray, s.resident) << what;
    EXPECT_EQ(w.z->N7.Checked(), s.resident) << what;
    EXPECT_EQ(w.platform.trayIcon.visible, s.icon) << what;
    EXPECT_EQ(w.platform.form.visible, s.visible) << what;
}

TEST(Tray, TheMenuTheCloseTheIconsMenuAndTheEndMoveThroughTheStates) {
    Window w;
    w.platform.form.Show();  // the loop shows the window of a normal start
    EXPECT_TRUE(w.platform.form.showAtStart);
    expectState(w, {false, false, true}, "normal");
    w.z->N7.Click();
    expectState(w, {true, true, true}, "resident, window open");
    EXPECT_FALSE(w.close()) << "a resident window hides instead of closing";
    expectState(w, {true, true, false}, "resident, window hidden");
    EXPECT_TRUE(w.platform.readIni().empty()) << "nothing is saved when hiding";
    w.z->Open1.Click();
    expectState(w, {true, true, true}, "shown again");
    w.z->Close2.Click();
    EXPECT_FALSE(w.platform.trayIcon.visible);
    EXPECT_EQ(w.platform.form.closes, 1);
    EXPECT_TRUE(w.close()) << "ending";
    EXPECT_NE(w.platform.readIni().find(u"TaskTary=1"), std::u16string::npos) << "it starts resident again";
}

TEST(Tray, StartUpShowsTheWindowOnlyWhenNeitherTheTrayNorCOMStartedIt) {
    struct Case {
        const char* what;
        std::u16string options;
        Args args;
        bool showAtStart, icon, asFlag;
    };
    const Case cases[] = {
        {"a first start", u"", {}, true, false, false},
        {"tray-resident", u"TaskTary=1\r\n", {}, false, true, false},
        {"started by COM, any case", u"", {u"-Embedding"}, false, false, true},
        {"/VOFF", u"", {u"123", u"/voff"}, false, true, false},
        {"/VON leaves the tray", u"TaskTary=1\r\n", {u"/VON"}, true, false, false},
        {"another first argument", u"", {u"123"}, true, false, false},
    };
    for (const Case& c : cases) {
        Window w(c.options, c.args);
        EXPECT_EQ(w.platform.form.showAtStart, c.showAtStart) << c.what;
        EXPECT_EQ(w.platform.trayIcon.visible, c.icon) << c.what;
        EXPECT_EQ(w.z->AS_Flag, c.asFlag) << c.what;
        EXPECT_EQ(w.z->N7.Checked(), w.z->ResTaskTray) << c.what;
    }
}

TEST(Tray, SlashSTHidesIntoTheTrayWithItsIconAndTheSessionsEndSavesANormalStart) {
    Window w;
    w.platform.form.Show();
    w.z->Params = {u"/ST"};
    w.z->ProcessParams();
    ASSERT_EQ(w.platform.form.closes, 1);
    EXPECT_FALSE(w.close());
    expectState(w, {true, true, false}, "after /ST");

    EXPECT_TRUE(w.z->QueryEndSession());
    EXPECT_NE(w.platform.readIni().find(u"TaskTary=0"), std::u16string::npos);
}

} // namespace
} // namespace zerbo::app
