// The model controls: which changes raise events, radio menus and button groups, the group
// check box's siblings, and the layout table.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "components/Controls.h"
#include "components/SkyGroupCheckBox.h"

namespace zerbo {
namespace {

// Counts the events a control raises.
struct Counter {
    int n = 0;
    TObject* sender = nullptr;
    TNotifyEvent handler() {
        return [this](TObject* s) {
            ++n;
            sender = s;
        };
    }
};

// Records what a view would be told to mirror.
struct RecordingObserver : IChangeObserver {
    std::vector<TChange> changes;
    void Changed(TComponent&, TChange what) override { changes.push_back(what); }
};

TEST(CheckBox, ASetByProgramReportsAClickWhenTheStateChanges) {
    TCheckBox box(u"CHB1");
    Counter clicks;
    box.OnClick = clicks.handler();
    box.SetChecked(true);
    EXPECT_TRUE(box.Checked());
    EXPECT_EQ(clicks.n, 1);
    EXPECT_EQ(clicks.sender, &box);
    box.SetChecked(true);  // no change, no click
    EXPECT_EQ(clicks.n, 1);
    box.SetChecked(false);
    EXPECT_EQ(clicks.n, 2);
}

TEST(TextEdit, EveryChangeOfTheTextRaisesOnChangeAndUpperCaseFieldsStayUpperCase) {
    TTextEdit edit(u"Edit2");
    Counter changes;
    edit.OnChange = changes.handler();
    edit.SetText(u"abc");
    edit.SetText(u"abc");
    EXPECT_EQ(changes.n, 1);

    edit.SetCharCase(TEditCharCase::ecUpperCase);  // the present text follows
    EXPECT_EQ(edit.Text(), u"ABC");
    EXPECT_EQ(changes.n, 2);
    edit.SetText(u"aｂ*ア");
    EXPECT_EQ(edit.Text(), u"AＢ*ア");
    edit.SetText(u"AＢ*ア");  // the same text once upper-cased: no change
    EXPECT_EQ(changes.n, 3);
}

TEST(TextEdit, AutoSelectSelectsAllOnEnterUnlessTheMouseIsDown) {
    TTextEdit edit(u"ComntStr");
    edit.SetText(u"comment");
    EXPECT_EQ(edit.SelStart(), 7);  // a new text leaves the caret at its end
    EXPECT_EQ(edit.SelLength(), 0);
    edit.SetMouseDown(true);
    edit.DoEnter();
    EXPECT_EQ(edit.SelLength(), 0);
    edit.SetMouseDown(false);
    edit.DoEnter();
    EXPECT_EQ(edit.SelStart(), 0);
    EXPECT_EQ(edit.SelLength(), 7);
    edit.AutoSelect = false;
    edit.SetSel(2, 100);  // held inside the text
    EXPECT_EQ(edit.SelLength(), 5);
    edit.DoEnter();
    EXPECT_EQ(edit.SelStart(), 2);
}

TEST(ComboList, AnIndexSetByProgramRaisesNothingAndOnlyAUserSelectionDoes) {
    TComboList list(u"CdType");
    list.SetItems({u"JAN", u"UPC", u"CODE39"});
    Counter changes;
    list.OnChange = changes.handler();
    list.SetItemIndex(1);
    EXPECT_EQ(list.ItemIndex(), 1);
    EXPECT_EQ(list.Text(), u"UPC");
    EXPECT_EQ(changes.n, 0);
    list.UserSelect(2);
    EXPECT_EQ(list.ItemIndex(), 2);
    EXPECT_EQ(changes.n, 1);
    EXPECT_EQ(changes.sender, &list);
}

TEST(ComboList, AnIndexOutsideTheEntriesLeavesNoSelection) {
    struct Case {
        int32_t index;
        int32_t expected;
    };
    for (const Case c : {Case{-5, -1}, {-1, -1}, {0, 0}, {2, 2}, {3, -1}, {1000, -1}}) {
        TComboList list(u"ThinWd");
        list.SetItems({u"1倍", u"2倍", u"3倍"});
        list.SetItemIndex(1);
        list.SetItemIndex(c.index);
        EXPECT_EQ(list.ItemIndex(), c.expected) << c.index;
        EXPECT_EQ(list.Text(), c.expected < 0 ? u"" : list.Items()[static_cast<size_t>(c.expected)]) << c.index;
    }
}

TEST(ComboList, NewEntriesClearTheSelectionAndADropDownKeepsItsOwnText) {
    TComboList list(u"QRErr");
    list.SetItems({u"L", u"M"});
    list.SetItemIndex(1);
    list.AddItem(u"Q");  // appending keeps the selection
    EXPECT_EQ(list.ItemIndex(), 1);
    list.SetItems({u"L", u"M", u"Q", u"H"});
    EXPECT_EQ(list.ItemIndex(), -1);
    list.SetText(u"Q");  // a list selects the equal entry
    EXPECT_EQ(list.ItemIndex(), 2);
    list.SetText(u"X");
    EXPECT_EQ(list.ItemIndex(), -1);

    TComboList history(u"Edit1");
    history.Style = TComboStyle::csDropDown;
    Counter changes;
    history.OnChange = changes.handler();
    IHistoryComboBox& box = history;  // as THistoryEx fills it
    box.SetItems({u"4901234567894", u"ABC"});
    box.SetText(u"4901234567894");
    EXPECT_EQ(history.Text(), u"4901234567894");
    EXPECT_EQ(history.ItemIndex(), -1);
    EXPECT_EQ(changes.n, 0);
    history.UserEdit(u"49");
    history.UserSelect(1);
    EXPECT_EQ(history.Text(), u"ABC");
    EXPECT_EQ(changes.n, 2);
}

TEST(MenuItem, RadioItemsOfOneGroupAreCheckedOneAtATime) {
    TMenuItem n2(u"N2", u"コピーの種類");
    TMenuItem mf(u"CopyMf", u"メタファイル(WMF)"), emf(u"CopyEmf", u"拡張メタファイル(EMF)"),
        bm(u"CopyBm", u"ビットマップ(BMP)"), other(u"Other", u"other");
    for (TMenuItem* item : {&mf, &emf, &bm}) {
        item->RadioItem = true;
        item->GroupIndex = 1;
        n2.Add(*item);
    }
    other.RadioItem = true;  // another group of the same menu
    other.GroupIndex = 2;
    other.SetChecked(true);
    n2.Add(other);

    mf.SetChecked(true);
    bm.SetChecked(true);
    EXPECT_FALSE(mf.Checked());
    EXPECT_FALSE(emf.Checked());
    EXPECT_TRUE(bm.Checked());
    EXPECT_TRUE(other.Checked());
    bm.SetChecked(false);  // unchecking one changes nothing else
    EXPECT_FALSE(mf.Checked() || emf.Checked() || bm.Checked());
}

TEST(MenuItem, AClickChecksAutoCheckItemsAndRaisesOnClickWhileASetRaisesNothing) {
    TMenuItem k1(u"K1", u"前後の空白を除去(&K)");
    k1.AutoCheck = true;
    Counter clicks;
    k1.OnClick = clicks.handler();
    k1.SetChecked(true);
    EXPECT_EQ(clicks.n, 0);
    k1.Click();
    EXPECT_FALSE(k1.Checked());
    EXPECT_EQ(clicks.n, 1);
    EXPECT_EQ(clicks.sender, &k1);

    TMenuItem view(u"FormType"), view1(u"View1"), view2(u"View2");
    for (TMenuItem* v : {&view1, &view2}) {
        v->RadioItem = v->AutoCheck = true;
        view.Add(*v);
    }
    view1.Click();
    view2.Click();
    view2.Click();  // a radio item stays checked
    EXPECT_FALSE(view1.Checked());
    EXPECT_TRUE(view2.Checked());

    TMenuItem plain(u"CBW", u"クリップボード監視", scCtrl + 'W');
    plain.Click();  // without AutoCheck the handler decides
    EXPECT_FALSE(plain.Checked());
    EXPECT_EQ(plain.ShortCut, 0x4057);
}

TEST(SpeedButton, ButtonsOfOneGroupAreDownOneAtATime) {
    TPanel panel(u"Panel2");
    TSpeedButton b1(u"ViewB1"), b2(u"ViewB2"), b3(u"ViewB3"), run(u"SpeedButton1");
    for (TSpeedButton* b : {&b1, &b2, &b3}) {
        b->GroupIndex = 1;
        b->SetParent(&panel);
    }
    run.SetParent(&panel);
    Counter clicks;
    b2.OnClick = clicks.handler();
    b1.SetDown(true);
    b2.Click();
    EXPECT_FALSE(b1.Down());
    EXPECT_TRUE(b2.Down());
    EXPECT_EQ(clicks.n, 1);
    b2.Click();  // pressing the one that is down keeps it down
    EXPECT_TRUE(b2.Down());
    b3.SetDown(true);  // by program: no click
    EXPECT_FALSE(b2.Down());
    EXPECT_EQ(clicks.n, 2);
    run.Click();
    EXPECT_FALSE(run.Down());
}

// A window like the main one: two panels, a group check box among its siblings.
struct GroupFixture {
    TPanel form{u"Form"}, panel{u"Panel5"}, otherPanel{u"Panel3"};
    TSkyGroupCheckBox box{u"Comnt"};
    TTextEdit same{u"ComntStr"}, next{u"Next"}, zero{u"Zero"}, elsewhere{u"Elsewhere"};
    TLabel sameLabel{u"SameLabel"};

    GroupFixture(int32_t tag, bool activeTag0) {
        panel.SetParent(&form);
        otherPanel.SetParent(&form);
        box.Tag = tag;
        box.ActiveTag0 = activeTag0;
        for (TControl* c : std::initializer_list<TControl*>{&same, &box, &next, &zero, &sameLabel}) c->SetParent(&panel);
        same.Tag = sameLabel.Tag = tag;
        next.Tag = tag + 1;
        elsewhere.Tag = tag;
        elsewhere.SetParent(&otherPanel);
    }
};

TEST(SkyGroupCheckBox, EachSetOfTheStateEnablesTheSiblingsWithItsTag) {
    struct Case {
        int32_t tag;
        bool activeTag0;
        bool checked;
        bool same, next, zero, elsewhere;  // enabled afterwards; all start disabled
    };
    const Case cases[] = {
        {500, false, true, true, false, false, false},  // only the same tag in the same panel
        {500, false, false, false, false, false, false},
        {0, false, true, false, false, false, false},  // tag 0 forms no group
        {0, true, true, true, false, true, false},     // unless asked to; "zero" has tag 0 too
    };
    for (const Case& c : cases) {
        GroupFixture f(c.tag, c.activeTag0);
        for (TControl* t : std::initializer_list<TControl*>{&f.same, &f.next, &f.zero, &f.elsewhere, &f.sameLabel})
            t->SetEnabled(false);
        f.box.SetChecked(c.checked);
        const std::string where = "tag " + std::to_string(c.tag) + (c.checked ? " checked" : " unchecked");
        EXPECT_EQ(f.same.Enabled(), c.same) << where;
        EXPECT_EQ(f.sameLabel.Enabled(), c.same) << where;  // controls of any kind
        EXPECT_EQ(f.next.Enabled(), c.next) << where;
        EXPECT_EQ(f.zero.Enabled(), c.zero) << where;
        EXPECT_EQ(f.elsewhere.Enabled(), c.elsewhere) << where;
        EXPECT_TRUE(f.box.Enabled()) << where;  // never itself
    }
}

TEST(SkyGroupCheckBox, TheGroupFollowsUserAndProgramAlikeAndTheClickComesAfterIt) {
    GroupFixture f(100, false);
    bool enabledInClick = false;
    f.box.OnClick = [&](TObject*) { enabledInClick = f.same.Enabled(); };
    f.box.SetChecked(true);
    EXPECT_TRUE(enabledInClick);
    f.box.SetChecked(false);
    EXPECT_FALSE(f.same.Enabled());
    f.same.SetEnabled(true);
    f.box.SetChecked(false);  // a set without a change still applies the group
    EXPECT_FALSE(f.same.Enabled());
    f.same.SetEnabled(true);
    f.box.UpdateGroup();  // as the view does when it creates the window
    EXPECT_FALSE(f.same.Enabled());

    TSkyGroupCheckBox orphan(u"Orphan");
    orphan.Tag = 100;
    orphan.SetChecked(true);  // no parent: nothing to do
    EXPECT_TRUE(orphan.Checked());
}

TEST(Control, ParentsKeepTheirControlsInOrderAndForgetDestroyedOnes) {
    TPanel form(u"Form");
    TLabel a(u"A"), c(u"C");
    a.SetParent(&form);
    {
        TLabel b(u"B");
        b.SetParent(&form);
        c.SetParent(&form);
        EXPECT_EQ(form.Controls(), (std::vector<TControl*>{&a, &b, &c}));
        EXPECT_EQ(form.FindControl(u"B"), &b);
    }
    EXPECT_EQ(form.Controls(), (std::vector<TControl*>{&a, &c}));
    EXPECT_EQ(form.FindControl(u"B"), nullptr);
    EXPECT_THROW(form.SetParent(&form), std::logic_error);
    {
        TPanel inner(u"Inner");
        a.SetParent(&inner);
        EXPECT_EQ(a.Parent(), &inner);
    }
    EXPECT_EQ(a.Parent(), nullptr);
}

TEST(Control, AViewIsToldOnlyOfRealChanges) {
    TCheckBox box(u"BoxDraw");
    RecordingObserver view;
    box.SetObserver(&view);
    box.SetChecked(false);
    box.SetEnabled(true);
    box.SetChecked(true);
    box.SetEnabled(false);
    box.SetVisible(false);
    box.SetBounds(1, 2, 3, 4);
    box.SetBounds(1, 2, 3, 4);
    box.SetCaption(u"外枠をつける");
    EXPECT_EQ(view.changes, (std::vector<TChange>{TChange::Checked, TChange::Enabled, TChange::Visible,
                                                   TChange::Bounds, TChange::Text}));
}

// A form laid out from a table that names its members.
struct LaidOutForm : TPanel {
    LaidOutForm() : TPanel(u"Form") {}
    TPanel Panel5{u"Panel5"};
    TSkyGroupCheckBox Comnt{u"Comnt"};
    TTextEdit ComntStr{u"ComntStr"};
    TComboList ComntPos{u"ComntPos"};
};
using F = LaidOutForm;

TEST(Layout, TheTablePlacesEachControlOnItsParentWithBoundsCaptionAndTag) {
    F form;
    const TLayoutEntry layout[] = {
        {LayoutMember<&F::Panel5>, nullptr, 8, 144, 337, 34, u""},
        {LayoutMember<&F::Comnt>, LayoutMember<&F::Panel5>, 14, 8, 0, 0, u"コメント", 500},
        {LayoutMember<&F::ComntStr>, LayoutMember<&F::Panel5>, 72, 6, 133, 20, u"", 500},
        {LayoutMember<&F::ComntPos>, LayoutMember<&F::Panel5>, 216, 6, 53, 0, u"上側\n下側"},
    };
    ApplyLayout(form, layout);
    EXPECT_EQ(form.Controls(), std::vector<TControl*>{&form.Panel5});
    EXPECT_EQ(form.Panel5.Controls(), (std::vector<TControl*>{&form.Comnt, &form.ComntStr, &form.ComntPos}));
    EXPECT_EQ(form.Comnt.Caption(), u"コメント");
    EXPECT_EQ(form.Comnt.Tag, 500);
    EXPECT_EQ(form.ComntStr.Left(), 72);
    EXPECT_EQ(form.ComntStr.Width(), 133);
    EXPECT_EQ(form.ComntPos.Items(), (std::vector<std::u16string>{u"上側", u"下側"}));
    EXPECT_EQ(form.FindControl(u"ComntStr"), &form.ComntStr);

    form.Comnt.SetChecked(true);
    EXPECT_TRUE(form.ComntStr.Enabled());
    form.Comnt.SetChecked(false);
    EXPECT_FALSE(form.ComntStr.Enabled());
}

TEST(Layout, AChildBeforeItsParentIsRefused) {
    F form;
    const TLayoutEntry childFirst[] = {{LayoutMember<&F::Comnt>, LayoutMember<&F::Panel5>, 0, 0, 0, 0, u""},
                                       {LayoutMember<&F::Panel5>, nullptr, 0, 0, 0, 0, u""}};
    EXPECT_THROW(ApplyLayout(form, childFirst), std::logic_error);
}

} // namespace
} // namespace zerbo
