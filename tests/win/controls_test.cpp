// The model controls on real Win32 controls: the user's input reaches the models by the
// path a command takes, the models' changes reach the controls without coming back, and
// clipboard watchers share the platform's viewer chain.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "components/ClipboardWatcher.h"
#include "components/Controls.h"
#include "components/SkyGroupCheckBox.h"
#include "components/WinSpinEdit.h"
#include "win32/ipc/ClipboardChain.h"
#include "win32/ui/ControlViews.h"
#include "win32/ui/MenuView.h"

namespace zerbo::win32 {
namespace {

std::u16string text(HWND hwnd) {
    wchar_t buffer[256];
    const int n = GetWindowTextW(hwnd, buffer, 256);
    return std::u16string(buffer, buffer + n);
}

void pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// One shown window for all tests: Wine takes a while to take a shown window down.
HWND sharedHost() {
    static TWindow host = [] {
        constexpr wchar_t kClass[] = L"ZerboControlsTestHost";
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kClass;
        RegisterClassExW(&wc);
        TWindow w(CreateWindowExW(0, kClass, L"Zerbo controls", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 50, 50,
                                       380, 320, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
        ShowWindow(w.Get(), SW_SHOW);
        SetForegroundWindow(w.Get());
        pump();
        return w;
    }();
    return host.Get();
}

// A hidden window that owns the clipboard while a test writes to it.
TWindow messageWindow() {
    return TWindow(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
}

// The clipboard as another program changes it.
void putText(HWND owner, const wchar_t* value) {
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    const size_t bytes = (wcslen(value) + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(memory), value, bytes);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);  // the clipboard owns it now
    CloseClipboard();
    pump();
}

struct Count {
    int n = 0;
    TNotifyEvent handler() {
        return [this](TObject*) { ++n; };
    }
};

// A small window laid out like parts of the main one.
struct Form : TPanel {
    Form() : TPanel(u"Form") {}
    TPanel Panel4{u"Panel4"}, Panel5{u"Panel5"}, Panel1{u"Panel1"};
    TComboList CdType{u"CdType"};
    TCheckBox BoxDraw{u"BoxDraw"};
    TSkyGroupCheckBox Comnt{u"Comnt"};
    TTextEdit ComntStr{u"ComntStr"}, Edit2{u"Edit2"};
    TLabel Label5{u"Label5"};
    TWinSpinEdit BarHeight{u"BarHeight"};
    TStatusBar StatusBar1{u"StatusBar1"};
    TSpeedButton ViewB1{u"ViewB1"}, ViewB2{u"ViewB2"};
    TButton Button1{u"Button1"};
};
template <auto Member>
constexpr auto M = &LayoutMember<Member>;

constexpr TLayoutEntry kLayout[] = {
    {M<&Form::Panel4>, nullptr, 8, 8, 337, 34, u""},
    {M<&Form::CdType>, M<&Form::Panel4>, 42, 8, 85, 0, u"JAN\nUPC\nCODE39"},
    {M<&Form::BoxDraw>, M<&Form::Panel4>, 232, 10, 0, 0, u"外枠をつける"},
    {M<&Form::Panel5>, nullptr, 8, 44, 337, 34, u""},
    {M<&Form::Comnt>, M<&Form::Panel5>, 14, 8, 0, 0, u"コメント", 500},
    {M<&Form::ComntStr>, M<&Form::Panel5>, 72, 6, 133, 20, u"", 500},
    {M<&Form::Panel1>, nullptr, 8, 80, 337, 34, u""},
    {M<&Form::Label5>, M<&Form::Panel1>, 10, 9, 0, 0, u"サイズ(高さ)"},
    {M<&Form::BarHeight>, M<&Form::Panel1>, 80, 6, 53, 20, u""},
    {M<&Form::Edit2>, M<&Form::Panel1>, 211, 7, 21, 20, u"*"},
    {M<&Form::StatusBar1>, nullptr, 0, 250, 351, 19, u""},
    {M<&Form::ViewB1>, nullptr, 272, 120, 25, 17, u"詳"},
    {M<&Form::ViewB2>, nullptr, 296, 120, 25, 17, u"簡1"},
    {M<&Form::Button1>, nullptr, 112, 120, 69, 22, u"フォント(&F)..."},
};

class ControlsWin : public testing::Test {
protected:
    ControlsWin() {
        BarHeight.SetMinValue(20);
        BarHeight.SetMaxValue(110);
        BarHeight.SetValue(50);
        BarHeight.Beep = [this] { ++beeps; };
        Edit2.SetCharCase(TEditCharCase::ecUpperCase);
        Edit2.MaxLength = 1;
        ViewB1.GroupIndex = ViewB2.GroupIndex = 1;
        ViewB1.SetDown(true);
        ViewB2.Hint = u"作成";
        ApplyLayout(form, kLayout);
        views = std::make_unique<TControlViews>(host, form, [this](const std::u16string& m) { errors.push_back(m); });
        BoxDraw.OnClick = boxClicks.handler();
        Comnt.OnClick = comntClicks.handler();
        ComntStr.OnChange = textChanges.handler();
        CdType.OnChange = listChanges.handler();
        BarHeight.OnChange = spinChanges.handler();
    }
    ~ControlsWin() override {
        views.reset();
        pump();
    }
    HWND hwnd(const TControl& c) const { return views->Handle(c); }

    HWND host = sharedHost();
    Form form;
    TPanel &Panel4 = form.Panel4, &Panel5 = form.Panel5, &Panel1 = form.Panel1;
    TComboList& CdType = form.CdType;
    TCheckBox& BoxDraw = form.BoxDraw;
    TSkyGroupCheckBox& Comnt = form.Comnt;
    TTextEdit &ComntStr = form.ComntStr, &Edit2 = form.Edit2;
    TLabel& Label5 = form.Label5;
    TWinSpinEdit& BarHeight = form.BarHeight;
    TStatusBar& StatusBar1 = form.StatusBar1;
    TSpeedButton &ViewB1 = form.ViewB1, &ViewB2 = form.ViewB2;
    TButton& Button1 = form.Button1;
    std::unique_ptr<TControlViews> views;
    Count boxClicks, comntClicks, textChanges, listChanges, spinChanges;
    int beeps = 0;
    std::vector<std::u16string> errors;
};

TEST_F(ControlsWin, EveryControlIsCreatedInItsPanelWithTheWindowFont) {
    for (const TControl* c : std::initializer_list<const TControl*>{&CdType, &BoxDraw, &Comnt, &ComntStr, &BarHeight}) {
        ASSERT_NE(hwnd(*c), nullptr);
        EXPECT_EQ(GetParent(hwnd(*c)), hwnd(*c->Parent()));
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(hwnd(*c), WM_GETFONT, 0, 0)), views->Font());
    }
    EXPECT_EQ(GetParent(hwnd(Panel5)), host);
    LOGFONTW lf{};
    GetObjectW(views->Font(), sizeof lf, &lf);
    EXPECT_STREQ(lf.lfFaceName, L"ＭＳ Ｐゴシック");
    EXPECT_EQ(lf.lfHeight, -12);
    EXPECT_EQ(lf.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_EQ(text(hwnd(BoxDraw)), u"外枠をつける");
    EXPECT_GT(BoxDraw.Width(), 0);  // sized to its caption
    EXPECT_EQ(text(hwnd(BarHeight)), u"50");
    EXPECT_EQ(SendMessageW(hwnd(CdType), CB_GETCOUNT, 0, 0), 3);
}

TEST_F(ControlsWin, AClickOnTheRealCheckBoxReachesTheModelAndItsHandler) {
    SendMessageW(hwnd(BoxDraw), BM_CLICK, 0, 0);
    EXPECT_TRUE(BoxDraw.Checked());
    EXPECT_EQ(boxClicks.n, 1);
    SendMessageW(hwnd(BoxDraw), BM_CLICK, 0, 0);
    EXPECT_FALSE(BoxDraw.Checked());
    EXPECT_EQ(boxClicks.n, 2);

    EXPECT_FALSE(IsWindowEnabled(hwnd(ComntStr)));  // the group was applied at creation
    SendMessageW(hwnd(Comnt), BM_CLICK, 0, 0);
    EXPECT_TRUE(Comnt.Checked());
    EXPECT_EQ(comntClicks.n, 1);
    EXPECT_TRUE(IsWindowEnabled(hwnd(ComntStr)));
}

TEST_F(ControlsWin, ButtonsReportTheirClicksAndSpeedButtonsShowWhichIsDown) {
    Count b1, b2, font;
    ViewB1.OnClick = b1.handler();
    ViewB2.OnClick = b2.handler();
    Button1.OnClick = font.handler();
    EXPECT_EQ(SendMessageW(hwnd(ViewB1), BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageW(hwnd(ViewB2), BM_CLICK, 0, 0);
    EXPECT_TRUE(ViewB2.Down());
    EXPECT_FALSE(ViewB1.Down());
    EXPECT_EQ(SendMessageW(hwnd(ViewB2), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(hwnd(ViewB1), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    SendMessageW(hwnd(ViewB2), BM_CLICK, 0, 0);  // stays down
    EXPECT_EQ(SendMessageW(hwnd(ViewB2), BM_GETCHECK, 0, 0), BST_CHECKED);
    ViewB1.SetDown(true);  // by program: shown, no click
    EXPECT_EQ(SendMessageW(hwnd(ViewB1), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(hwnd(ViewB2), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(b1.n, 0);
    EXPECT_EQ(b2.n, 2);
    SendMessageW(hwnd(Button1), BM_CLICK, 0, 0);
    EXPECT_EQ(font.n, 1);
}

TEST_F(ControlsWin, AControlWithAHintHasItsTooltip) {
    HWND tips = nullptr;
    while ((tips = FindWindowExW(nullptr, tips, TOOLTIPS_CLASSW, nullptr)) && GetWindow(tips, GW_OWNER) != host) {
    }
    ASSERT_NE(tips, nullptr);
    ASSERT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 1);
    wchar_t hint[64] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = host;
    tool.uId = reinterpret_cast<UINT_PTR>(hwnd(ViewB2));
    tool.lpszText = hint;
    SendMessageW(tips, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(hint, L"作成");
}

TEST_F(ControlsWin, ACheckSetByProgramShowsOnTheControlAndItsGroupWithOneClick) {
    Comnt.SetChecked(true);
    EXPECT_EQ(SendMessageW(hwnd(Comnt), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(IsWindowEnabled(hwnd(ComntStr)));
    EXPECT_TRUE(ComntStr.Enabled());
    Comnt.SetChecked(false);
    EXPECT_EQ(SendMessageW(hwnd(Comnt), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_FALSE(IsWindowEnabled(hwnd(ComntStr)));
    EXPECT_TRUE(IsWindowEnabled(hwnd(Edit2)));  // no tag, not in the group
    EXPECT_EQ(comntClicks.n, 2);
}

TEST_F(ControlsWin, TypingAndSettingTheTextEachRaiseOneChange) {
    Comnt.SetChecked(true);
    SendMessageW(hwnd(ComntStr), WM_CHAR, L'x', 0);
    EXPECT_EQ(ComntStr.Text(), u"x");
    EXPECT_EQ(textChanges.n, 1);
    ComntStr.SetText(u"コメント");
    EXPECT_EQ(text(hwnd(ComntStr)), u"コメント");
    EXPECT_EQ(textChanges.n, 2);  // the control's own change notice did not come back

    SendMessageW(hwnd(Edit2), EM_SETSEL, 0, -1);
    SendMessageW(hwnd(Edit2), WM_CHAR, L'a', 0);
    EXPECT_EQ(Edit2.Text(), u"A");  // a one-character field in upper case
    SendMessageW(hwnd(Edit2), WM_CHAR, L'b', 0);
    EXPECT_EQ(Edit2.Text(), u"A");

    StatusBar1.SetSimpleText(u"作成しました");
    wchar_t buffer[64]{};
    SendMessageW(hwnd(StatusBar1), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(buffer));  // the simple part
    EXPECT_STREQ(buffer, L"作成しました");
}

TEST_F(ControlsWin, TheRealSpinEditFiltersStepsAndClampsOnLeaving) {
    const HWND spin = hwnd(BarHeight);
    SendMessageW(spin, WM_CHAR, L'a', 0);
    EXPECT_EQ(text(spin), u"50");
    EXPECT_EQ(beeps, 1);

    SendMessageW(spin, WM_KEYDOWN, VK_UP, 0);
    SendMessageW(spin, WM_KEYUP, VK_UP, 0);
    EXPECT_EQ(text(spin), u"51");
    EXPECT_EQ(BarHeight.Value(), 51);
    EXPECT_EQ(spinChanges.n, 1);

    // The lower half of the button.
    const HWND button = FindWindowExW(spin, nullptr, UPDOWN_CLASSW, nullptr);
    ASSERT_NE(button, nullptr);
    RECT r{};
    GetClientRect(button, &r);
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right / 2, r.bottom - 2));
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(r.right / 2, r.bottom - 2));
    EXPECT_EQ(text(spin), u"50");

    BarHeight.SetValue(150);  // by program: taken as it is
    EXPECT_EQ(text(spin), u"150");
    SetFocus(spin);
    ASSERT_EQ(GetFocus(), spin);
    EXPECT_EQ(text(spin), u"150");
    SetFocus(hwnd(Edit2));
    pump();
    EXPECT_EQ(text(spin), u"110");
    EXPECT_EQ(BarHeight.Value(), 110);

    SendMessageW(spin, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"77"));  // as if typed
    EXPECT_EQ(BarHeight.Value(), 77);

    // Without the editor, pasting is ignored; with it, the pasted text arrives.
    TWindow owner = messageWindow();
    putText(owner.Get(), L"99");
    BarHeight.SetEditorEnabled(false);
    SendMessageW(spin, EM_SETSEL, 0, -1);
    SendMessageW(spin, WM_PASTE, 0, 0);
    EXPECT_EQ(text(spin), u"77");
    BarHeight.SetEditorEnabled(true);
    SendMessageW(spin, EM_SETSEL, 0, -1);
    SendMessageW(spin, WM_PASTE, 0, 0);
    EXPECT_EQ(BarHeight.Value(), 99);
    EXPECT_TRUE(errors.empty());
}

TEST_F(ControlsWin, AListIndexSetByProgramRaisesNothingButTheUsersChoiceDoes) {
    const HWND list = hwnd(CdType);
    CdType.SetItemIndex(2);
    EXPECT_EQ(SendMessageW(list, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(listChanges.n, 0);
    CdType.SetItemIndex(7);
    EXPECT_EQ(SendMessageW(list, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(CdType.ItemIndex(), -1);

    // The user picks an entry: the control selects it and tells its parent.
    SendMessageW(list, CB_SETCURSEL, 1, 0);
    SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    EXPECT_EQ(CdType.ItemIndex(), 1);
    EXPECT_EQ(CdType.Text(), u"UPC");
    EXPECT_EQ(listChanges.n, 1);
    // And by the keyboard.
    SendMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(CdType.ItemIndex(), 2);
    EXPECT_EQ(listChanges.n, 2);
}

TEST_F(ControlsWin, AHandlersErrorGoesToTheErrorDisplay) {
    BoxDraw.OnClick = [](TObject*) { throw std::runtime_error("broken"); };
    SendMessageW(hwnd(BoxDraw), BM_CLICK, 0, 0);
    EXPECT_EQ(errors, std::vector<std::u16string>{u"broken"});
    EXPECT_TRUE(BoxDraw.Checked());
}

TEST_F(ControlsWin, ControlsDestroyedWithTheirWindowAreLetGo) {
    DestroyWindow(hwnd(Panel5));
    EXPECT_EQ(hwnd(Comnt), nullptr);
    EXPECT_EQ(hwnd(ComntStr), nullptr);
    Comnt.SetChecked(true);  // nothing left to mirror into
    EXPECT_TRUE(ComntStr.Enabled());
    views.reset();
}

class MenusWin : public testing::Test {
protected:
    MenusWin() {
        File1.Add(P1);
        File1.Add(sep);
        File1.Add(Close1);
        for (TMenuItem* item : {&CopyMf, &CopyEmf, &CopyBm}) {
            item->RadioItem = item->AutoCheck = true;
            item->GroupIndex = 1;
            item->OnClick = kindClicks.handler();
            N2.Add(*item);
        }
        K1.AutoCheck = true;
        Edit5.Add(N2);
        Edit5.Add(K1);
        root.Add(File1);
        root.Add(Edit5);
        CopyEmf.SetChecked(true);
        File1.OnClick = fileOpened.handler();
        P1.OnClick = printClicks.handler();
        menu = std::make_unique<TMenuView>(host, root, false, [this](const std::u16string& m) { errors.push_back(m); });
    }
    ~MenusWin() override {
        menu.reset();
        EXPECT_EQ(GetMenu(host), nullptr);
    }
    void choose(const TMenuItem& item, WORD source = 0) {
        SendMessageW(host, WM_COMMAND, MAKEWPARAM(menu->CommandId(item), source), 0);
    }
    UINT state(const TMenuItem& item) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE | MIIM_FTYPE;
        GetMenuItemInfoW(GetMenu(host), menu->CommandId(item), FALSE, &info);
        return info.fState | info.fType;
    }

    HWND host = sharedHost();
    TMenuItem root{u"MainMenu1"}, File1{u"File1", u"ファイル(&F)"}, P1{u"P1", u"印刷(&P)...", scCtrl + 'P'},
        sep{u"N3", u"-"}, Close1{u"Close1", u"閉じる(&X)"}, Edit5{u"Edit5", u"編集(&E)"},
        N2{u"N2", u"コピーの種類"}, CopyMf{u"CopyMf", u"メタファイル(WMF)"}, CopyEmf{u"CopyEmf", u"拡張メタファイル(EMF)"},
        CopyBm{u"CopyBm", u"ビットマップ(BMP)"}, K1{u"K1", u"前後の空白を除去(&K)"};
    std::unique_ptr<TMenuView> menu;
    Count kindClicks, fileOpened, printClicks;
    std::vector<std::u16string> errors;
};

TEST_F(MenusWin, TheMenuBarShowsTheItemsWithRadioChecksAndShortcuts) {
    ASSERT_EQ(GetMenu(host), menu->Handle());
    EXPECT_EQ(GetMenuItemCount(menu->Handle()), 2);
    wchar_t caption[64]{};
    GetMenuStringW(menu->Handle(), menu->CommandId(P1), caption, 64, MF_BYCOMMAND);
    EXPECT_STREQ(caption, L"印刷(&P)...\tCtrl+P");
    EXPECT_EQ(state(CopyEmf), MFS_CHECKED | MFT_RADIOCHECK);
    EXPECT_EQ(state(CopyMf), MFT_RADIOCHECK);

    ACCEL accel[4]{};
    ASSERT_EQ(CopyAcceleratorTableW(menu->Accelerators(), accel, 4), 1);
    EXPECT_EQ(accel[0].key, 'P');
    EXPECT_EQ(accel[0].fVirt, FVIRTKEY | FCONTROL);
    EXPECT_EQ(accel[0].cmd, menu->CommandId(P1));
}

TEST_F(MenusWin, ChoosingAnItemRunsItsClickAndTheModelShowsOnTheMenu) {
    choose(CopyBm);
    EXPECT_TRUE(CopyBm.Checked());
    EXPECT_FALSE(CopyEmf.Checked());
    EXPECT_EQ(state(CopyBm), MFS_CHECKED | MFT_RADIOCHECK);
    EXPECT_EQ(state(CopyEmf), MFT_RADIOCHECK);
    EXPECT_EQ(kindClicks.n, 1);

    choose(K1, 1);  // by an accelerator
    EXPECT_TRUE(K1.Checked());
    EXPECT_EQ(state(K1), MFS_CHECKED);

    P1.SetEnabled(false);
    EXPECT_EQ(state(P1), MFS_GRAYED);
    choose(P1);
    EXPECT_EQ(printClicks.n, 0);
    P1.SetEnabled(true);
    choose(P1);
    EXPECT_EQ(printClicks.n, 1);

    // Opening a sub-menu is the click of the item that holds it.
    SendMessageW(host, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(menu->Handle(), 0)), 0);
    EXPECT_EQ(fileOpened.n, 1);
}

TEST(ClipboardWatcherWin, WatchersInOneChainSeeEachChangeAndTheChainSurvivesTheMiddleOneLeaving) {
    TWindow owner = messageWindow();
    std::vector<std::u16string> errors;
    auto showError = [&](const std::u16string& m) { errors.push_back(m); };
    struct Watched {
        std::unique_ptr<TClipboardWatcher> watcher;
        int changes = 0;
    };
    Watched first, middle, head;
    for (Watched* w : {&first, &middle, &head}) {
        w->watcher = std::make_unique<TClipboardWatcher>(CreateClipboardChain(), showError);
        w->watcher->SetOnChange([w](TObject*) { ++w->changes; });
        ASSERT_TRUE(w->watcher->Registered());
    }
    pump();
    // Joining is not a change.
    EXPECT_EQ(first.changes + middle.changes + head.changes, 0);

    putText(owner.Get(), L"4901234567894");
    EXPECT_EQ(first.changes, 1);
    EXPECT_EQ(middle.changes, 1);
    EXPECT_EQ(head.changes, 1);

    middle.watcher->SetEnabled(false);
    pump();
    putText(owner.Get(), L"ABC");
    EXPECT_EQ(first.changes, 2);
    EXPECT_EQ(middle.changes, 1);
    EXPECT_EQ(head.changes, 2);

    middle.watcher->SetEnabled(true);  // back in, now at the head
    pump();
    putText(owner.Get(), L"DEF");
    EXPECT_EQ(first.changes, 3);
    EXPECT_EQ(middle.changes, 2);
    EXPECT_EQ(head.changes, 3);
    EXPECT_TRUE(errors.empty());
}

TEST(ClipboardWatcherWin, AHandlerThatStepsOutAroundItsOwnWriteIsNotCalledBackByIt) {
    TWindow owner = messageWindow();
    int changes = 0, depth = 0, maxDepth = 0;
    TClipboardWatcher watcher(CreateClipboardChain(), [](const std::u16string&) {});
    watcher.SetOnChange([&](TObject*) {
        ++changes;
        maxDepth = std::max(maxDepth, ++depth);
        // As the watch mode does with an error text: out of the chain, write, back in.
        watcher.SetEnabled(false);
        putText(owner.Get(), L"作成できませんでした");
        watcher.SetEnabled(true);
        pump();
        --depth;
    });
    putText(owner.Get(), L"x");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(maxDepth, 1);
}

} // namespace
} // namespace zerbo::win32
