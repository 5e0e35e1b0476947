#include "app/ZerboCode.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <exception>

#include "app/QRText.h"
#include "core/Convert.h"
#include "core/Error.h"
#include "gfx/PictureFile.h"
#include "core/Text.h"
#include "qr/QREncoder.h"

namespace zerbo::app {

using barcode::TBarTypes;
using barcode::TLocation;

namespace {

constexpr std::u16string_view kOptions = u"Options";
constexpr std::u16string_view kDesktop = u"Desktop";
constexpr int32_t kStatusBarHeight = 19;
constexpr int32_t kFullPanelHeight = 221;
constexpr int32_t kSmallPanelHeight = 49;

using K = TControlKind;

// Left, top, width, height within the parent; 0 lets the view size a control to its caption.
constexpr TLayoutEntry kLayout[] = {
    {u"Panel2", K::Panel, u"", 0, 0, 351, 221, u""},
    {u"Label4", K::Label, u"Panel2", 8, 8, 0, 0, u"データ文字列"},
    {u"Mode", K::Label, u"Panel2", 86, 8, 130, 12, u""},
    {u"SpeedButton1", K::SpeedButton, u"Panel2", 220, 4, 22, 17, u"作"},
    {u"CopyBtn", K::SpeedButton, u"Panel2", 244, 4, 22, 17, u"コ"},
    {u"ViewB1", K::SpeedButton, u"Panel2", 272, 4, 25, 17, u"詳"},
    {u"ViewB2", K::SpeedButton, u"Panel2", 296, 4, 25, 17, u"簡1"},
    {u"ViewB3", K::SpeedButton, u"Panel2", 320, 4, 25, 17, u"簡2"},
    // In front of the history box, whose drop-down arrow alone shows at its right.
    {u"EditCode", K::TextEdit, u"Panel2", 8, 22, 317, 20, u""},
    {u"Edit1", K::ComboList, u"Panel2", 8, 22, 337, 20, u""},
    {u"Panel4", K::Panel, u"Panel2", 8, 48, 337, 34, u""},
    {u"Label3", K::Label, u"Panel4", 8, 12, 0, 0, u"コード"},
    {u"CdType", K::ComboList, u"Panel4", 42, 8, 85, 0,
     u"JAN\nUPC\nCODE39\nNW-7\nITF\nCTF\nIATA\nMATRIX\nNEC\nCUSTOMER\nCODE128\nCODE93"},
    {u"Label6", K::Label, u"Panel4", 140, 12, 0, 0, u"倍率"},
    {u"ThinWd", K::ComboList, u"Panel4", 168, 8, 53, 0, u"1倍\n2倍\n3倍"},
    {u"BoxDraw", K::CheckBox, u"Panel4", 232, 10, 0, 0, u"外枠をつける"},
    {u"CDpanel", K::Panel, u"Panel2", 8, 80, 337, 34, u""},
    {u"CHB1", K::CheckBox, u"CDpanel", 14, 8, 0, 0, u"チェックディジット"},
    {u"Label1", K::Label, u"CDpanel", 156, 12, 0, 0, u"スタート"},
    {u"Edit2", K::TextEdit, u"CDpanel", 211, 7, 21, 0, u"*"},
    {u"Label2", K::Label, u"CDpanel", 248, 12, 0, 0, u"ストップ"},
    {u"Edit3", K::TextEdit, u"CDpanel", 303, 7, 21, 0, u"*"},
    // Same place as CDpanel; covers it while QR Code is chosen.
    {u"QRPanel", K::Panel, u"Panel2", 8, 80, 337, 34, u""},
    {u"Label9", K::Label, u"QRPanel", 8, 12, 0, 0, u"バージョン"},
    {u"QRVer", K::SpinEdit, u"QRPanel", 64, 8, 37, 0, u""},
    {u"Label11", K::Label, u"QRPanel", 104, 12, 0, 0, u"エラー訂正"},
    {u"QRErr", K::ComboList, u"QRPanel", 164, 8, 41, 0, u"L\nM\nQ\nH"},
    {u"QRSubBtn", K::Button, u"QRPanel", 212, 8, 65, 21, u"&QR補助..."},
    {u"SpCode", K::CheckBox, u"QRPanel", 280, 8, 0, 0, u"特殊"},
    {u"Panel3", K::Panel, u"Panel2", 8, 112, 337, 34, u""},
    {u"AddCodeChar", K::GroupCheckBox, u"Panel3", 14, 8, 0, 0, u"コード文字列", 100},
    {u"Button1", K::Button, u"Panel3", 112, 7, 69, 22, u"フォント(&F)...", 100},
    {u"CharSmp", K::Label, u"Panel3", 192, 8, 121, 21, u"123ABC", 100},
    {u"Button2", K::Button, u"Panel3", 260, 7, 69, 22, u"色(&C)..."},
    {u"Panel5", K::Panel, u"Panel2", 8, 144, 337, 34, u""},
    {u"Comnt", K::GroupCheckBox, u"Panel5", 14, 8, 0, 0, u"コメント", 500},
    {u"ComntStr", K::TextEdit, u"Panel5", 72, 6, 133, 20, u"", 500},
    {u"ComntPos", K::ComboList, u"Panel5", 216, 6, 53, 0, u"上側\n下側"},
    {u"ComntAl", K::ComboList, u"Panel5", 272, 6, 57, 0, u"左寄せ\n中央\n右寄せ"},
    {u"Panel1", K::Panel, u"Panel2", 8, 176, 337, 34, u""},
    {u"Label5", K::Label, u"Panel1", 10, 9, 0, 0, u"サイズ(高さ)"},
    {u"BarHeight", K::SpinEdit, u"Panel1", 80, 6, 53, 0, u""},
    {u"Label7", K::Label, u"Panel1", 161, 9, 0, 0, u"左右"},
    {u"LeftMargin", K::SpinEdit, u"Panel1", 192, 6, 45, 0, u""},
    {u"Label8", K::Label, u"Panel1", 245, 9, 0, 0, u"上下"},
    {u"TopMargin", K::SpinEdit, u"Panel1", 280, 6, 45, 0, u""},
    {u"StatusBar1", K::StatusBar, u"", 0, 342, 351, 19, u""},
    {u"ScrollBox1", K::Panel, u"", 0, 221, 351, 121, u""},
};

int32_t toInt32(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

char16_t firstChar(const std::u16string& s) { return s.empty() ? u'\0' : s[0]; }

// File extensions are compared without regard to case; ".emf" and ".bmp" are ASCII.
std::u16string lowerAscii(std::u16string s) {
    for (auto& c : s)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 0x20);
    return s;
}

// How long a command waits for a generation run under way. On this one thread such a run is
// an earlier frame of the same stack, which only the messages handled meanwhile can finish;
// the limit keeps a nested command from waiting for ever when none does.
constexpr uint32_t kRunWaitLimitMs = 2000;
constexpr int32_t kRunWaitPollMs = 10;

struct TFlagScope {
    bool& flag;
    ~TFlagScope() { flag = false; }
};

} // namespace

// TIniFontOf --------------------------------------------------------------------------------

void TIniFontOf::SetSize(int32_t value) { font_->SetSize(value); }

std::unique_ptr<IIniFont> TIniFontOf::CreateFresh() const {
    auto own = std::make_unique<gfx::TFont>();
    own->PixelsPerInch = font_->PixelsPerInch;
    auto fresh = std::make_unique<TIniFontOf>(*own);
    fresh->own_ = std::move(own);
    return fresh;
}

void TIniFontOf::Assign(const IIniFont& source) {
    if (&source == this) return;
    SetName(source.Name());
    SetSize(source.Size());
    SetStyle(source.Style());
    SetColor(source.Color());
}

// TZerboCode --------------------------------------------------------------------------------

TZerboCode::TZerboCode(IZerboPlatform& platform)
    : TPanel(u"ZerboCode"),
      BarImage1(this, platform.Graphics()),
      Image1(this, platform.Graphics()),
      Ini(platform.Components()),
      HistoryEx1(platform.Components(), nullptr),
      ClipboardWatcher1(std::make_unique<TClipboardWatcher>(platform.CreateClipboardChain(),
                                                            [&platform](const std::u16string& m) { platform.ShowError(m); })),
      platform_(platform) {
    SetBounds(0, 0, 351, 361);
    SetCaption(u"Zerbo");
    std::vector<TControl*> controls{
        &Panel2,   &Label4,  &Mode,     &SpeedButton1, &CopyBtn,  &ViewB1,      &ViewB2,   &ViewB3,     &EditCode,
        &Edit1,    &Panel4,  &Label3,   &CdType,       &Label6,   &ThinWd,      &BoxDraw,  &CDpanel,    &CHB1,
        &Label1,   &Edit2,   &Label2,   &Edit3,        &QRPanel,  &Label9,      &QRVer,    &Label11,    &QRErr,
        &QRSubBtn, &SpCode,  &Panel3,   &AddCodeChar,  &Button1,  &CharSmp,     &Button2,  &Panel5,     &Comnt,
        &ComntStr, &ComntPos, &ComntAl, &Panel1,       &Label5,   &BarHeight,   &Label7,   &LeftMargin, &Label8,
        &TopMargin, &StatusBar1, &ScrollBox1};
    ApplyLayout(*this, kLayout, controls);

    // The designed state, which is also what a first start shows.
    Edit1.Style = TComboStyle::csDropDown;
    for (TSpeedButton* b : {&ViewB1, &ViewB2, &ViewB3}) b->GroupIndex = 1;
    ViewB1.SetDown(true);
    for (TTextEdit* e : {&Edit2, &Edit3}) {
        e->MaxLength = 1;
        e->SetCharCase(TEditCharCase::ecUpperCase);
    }
    CdType.SetItemIndex(1);
    ThinWd.SetItemIndex(0);
    QRPanel.SetVisible(false);
    QRVer.SetMinValue(1);
    QRVer.SetMaxValue(40);
    QRVer.SetValue(4);
    QRErr.SetItemIndex(0);
    ComntPos.SetItemIndex(1);
    ComntAl.SetItemIndex(1);
    BarHeight.SetMinValue(20);
    BarHeight.SetMaxValue(110);
    BarHeight.SetValue(50);
    LeftMargin.SetMinValue(0);
    LeftMargin.SetMaxValue(100);
    LeftMargin.SetValue(20);
    TopMargin.SetMinValue(0);
    TopMargin.SetMaxValue(50);
    TopMargin.SetValue(5);
    AddCodeChar.UpdateGroup();
    Comnt.UpdateGroup();

    BarImage1.SetAutoSize(true);
    BarImage1.SetStretch(true);
    BarImage1.SetMatch(true);
    BarImage1.SetTransparent(false);
    BarImage1.SetBarPicture(barcode::pbarEMF);
    Image1.SetWidth(33);
    Image1.SetHeight(33);

    Ini.SetDefaultDir(ddApplication);
    Ini.SetFence(fnNone);
    HistoryEx1.SetMax(10);
    HistoryEx1.SetComboBox(&Edit1);

    Fnt.PixelsPerInch = platform_.ScreenPixelsPerInch();
    buildMenus();
    wireEvents();
}

TZerboCode::~TZerboCode() {
    // The watcher's handler refers to this window.
    if (ClipboardWatcher1) ClipboardWatcher1->SetOnChange(nullptr);
    BarImage1.SetOnPaintedBar(nullptr);
}

std::span<const TLayoutEntry> TZerboCode::Layout() { return kLayout; }

void TZerboCode::buildMenus() {
    auto separator = [this](TMenuItem& parent) {
        separators_.push_back(std::make_unique<TMenuItem>(u"", u"-"));
        parent.Add(*separators_.back());
    };
    MainMenu1.Add(File1);
    File1.Add(N10);
    separator(File1);
    File1.Add(P1);
    File1.Add(N16);
    separator(File1);
    File1.Add(Close1);

    MainMenu1.Add(Edit5);
    Edit5.Add(Copy1);
    separator(Edit5);
    Edit5.Add(N2);
    for (TMenuItem* m : {&CopyMf, &CopyEmf, &CopyBm}) {
        m->RadioItem = true;
        m->GroupIndex = 1;
        N2.Add(*m);
    }
    CopyEmf.SetChecked(true);
    Edit5.Add(N13);
    N13.Add(K1);
    N13.Add(N14);
    K1.AutoCheck = true;
    N14.AutoCheck = true;
    Edit5.Add(AutoCopy);
    separator(Edit5);
    Edit5.Add(D1);

    MainMenu1.Add(Edit4);
    Edit4.Add(V1);
    separator(Edit4);
    Edit4.Add(CBW);
    separator(Edit4);
    Edit4.Add(FormType);
    for (TMenuItem* m : {&View1, &View2, &View3}) {
        m->RadioItem = true;
        m->GroupIndex = 2;
        FormType.Add(*m);
    }
    View1.SetChecked(true);
    Edit4.Add(FStyle);
    Edit4.Add(N7);
    separator(Edit4);
    Edit4.Add(Font1);
    Edit4.Add(C1);
    Edit4.Add(N17);
    N17.Add(N18);
    N17.Add(N19);

    MainMenu1.Add(N4);
    N4.Add(Contents1);
    separator(N4);
    N4.Add(ZerboA1);

    PopupMenu1.Add(Open1);
    separator(PopupMenu1);
    PopupMenu1.Add(Close2);
}

void TZerboCode::wireEvents() {
    const TNotifyEvent rb = [this](TObject* s) { RB_Click(s); };
    QRVer.OnChange = rb;
    QRErr.OnChange = rb;
    BoxDraw.OnClick = rb;
    Comnt.OnClick = rb;
    V1.OnClick = rb;
    // BarHeightChange, LeftMarginChange, TopMarginChange, ThinWdChange, ThinWidthClick,
    // ComntPosChange, ComntAlChange.
    for (TTextEdit* spin : {static_cast<TTextEdit*>(&BarHeight), static_cast<TTextEdit*>(&LeftMargin),
                            static_cast<TTextEdit*>(&TopMargin)})
        spin->OnChange = rb;
    ThinWd.OnChange = rb;
    CHB1.OnClick = rb;
    ComntPos.OnChange = rb;
    ComntAl.OnChange = rb;
    // ComntStrKeyDown: Enter generates.
    ComntStr.OnKeyDown = [this](TObject*, uint16_t& Key) {
        if (Key == vkReturn) RB_Click(&ComntStr);
    };
    // Edit1KeyUp: Enter released in the data fields generates and remembers.
    for (TControl* c : {static_cast<TControl*>(&EditCode), static_cast<TControl*>(&Edit1),
                        static_cast<TControl*>(&Edit2), static_cast<TControl*>(&Edit3)})
        c->OnKeyUp = [this, c](TObject*, uint16_t& Key) {
            if (Key == vkReturn) Execute(c);
        };
    SpeedButton1.OnClick = [this](TObject* s) { Execute(s); };
    Edit1.OnChange = [this](TObject* s) { Edit1Change(s); };
    CdType.OnChange = [this](TObject* s) { CdTypeChange(s); };
    AddCodeChar.OnClick = [this](TObject* s) { AddCodeCharClick(s); };
    for (TSpeedButton* b : {&ViewB1, &ViewB2, &ViewB3}) b->OnClick = [this](TObject* s) { ViewB1Click(s); };
    for (TMenuItem* m : {&View1, &View2, &View3}) m->OnClick = [this](TObject* s) { FormTypeClick(s); };
    FStyle.OnClick = [this](TObject* s) { FStyleClick(s); };
    Button1.OnClick = [this](TObject* s) { Button1Click(s); };
    Font1.OnClick = [this](TObject* s) { Button1Click(s); };
    N18.OnClick = [this](TObject* s) { N18Click(s); };
    N19.OnClick = [this](TObject* s) { N19Click(s); };
    Contents1.OnClick = [this](TObject* s) { Contents1Click(s); };
    CopyMf.OnClick = [this](TObject* s) { CopyMfClick(s); };
    CopyEmf.OnClick = [this](TObject* s) { CopyEmfClick(s); };
    CopyBm.OnClick = [this](TObject* s) { CopyBmClick(s); };
    AutoCopy.OnClick = [this](TObject* s) { AutoCopyClick(s); };
    Copy1.OnClick = [this](TObject* s) { Copy1Click(s); };
    CopyBtn.OnClick = [this](TObject* s) { Copy1Click(s); };
    N10.OnClick = [this](TObject* s) { N10Click(s); };
    File1.OnClick = [this](TObject* s) { File1Click(s); };
    Edit5.OnClick = [this](TObject* s) { Edit5Click(s); };
    Close1.OnClick = [this](TObject* s) { Close2Click(s); };
    BarImage1.SetOnPaintedBar([this](TObject* s) { BarImage1PaintedBar(s); });
}

gfx::TPicture& TZerboCode::CurrentPicture() {
    return CdType.ItemIndex() == kQRCodeType ? Image1.Picture() : BarImage1.Picture();
}

void TZerboCode::pictureChanged() {
    if (OnPictureChanged) OnPictureChanged();
}

template <typename Body>
void TZerboCode::guardedRead(Body&& body) {
    // One unreadable key must not cost the keys after it: the error is shown and that
    // setting keeps what it had.
    try {
        body();
    } catch (const Exception& e) {
        platform_.ShowError(e.Message());
    } catch (const std::exception& e) {
        platform_.ShowError(FromUtf8(e.what()));
    }
}

template <typename Body>
void TZerboCode::withWatcherOff(Body&& body) {
    // The program's own clipboard writes are no news for the watch mode.
    const bool enabled = ClipboardWatcher1->Enabled();
    ClipboardWatcher1->SetEnabled(false);
    try {
        body();
    } catch (...) {
        ClipboardWatcher1->SetEnabled(enabled);
        throw;
    }
    ClipboardWatcher1->SetEnabled(enabled);
}

void TZerboCode::putErrorText(const std::u16string& text) {
    withWatcherOff([&] { platform_.Clipboard().PutText(text); });
}

void TZerboCode::copyPicture(gfx::TPicture& picture) {
    if (!picture.Graphic()) return;
    withWatcherOff([&] { platform_.Clipboard().PutGraphic(*picture.Graphic()); });
}

void TZerboCode::applyFont() {
    BarImage1.SetBarFont(&Fnt);
    if (OnFontChanged) OnFontChanged();
}

// Settings ----------------------------------------------------------------------------------

void TZerboCode::FormCreate(const std::vector<std::u16string>& args) {
    IComponentPlatform& files = platform_.Components();
    WinVer = files.MajorVersion();
    if (WinVer > 5) {
        const char16_t sep = files.PathSeparator();
        const std::u16string folder = files.AppDataFolder() + sep + u"Zerbo" + sep;
        files.CreateFolders(folder);
        Ini.SetFileName(folder + ChangeFileExt(files, ExtractFileName(files, files.ProgramFileName()), u".ini"));
    } else {
        Ini.Loaded();
    }
    loadSettings(args);
}

void TZerboCode::loadSettings(const std::vector<std::u16string>& args) {
    const std::u16string options(kOptions), desktop(kDesktop);
    DelayTime = 0;
    Creating = true;
    CdType.AddItem(u"QRｺｰﾄﾞ2");
    TaskClose = Running = ExitFlag = false;
    InitPers = true;
    // Also when a step raises: a start-up left "under way" would never honour a later exit.
    TFlagScope initPers{InitPers};
    Fnt = gfx::TFont();
    Fnt.PixelsPerInch = platform_.ScreenPixelsPerInch();

    // Each key into its control, in this order; the controls' designed values are the
    // start values of missing keys.
    auto readInt = [&](const char16_t* key, auto&& store, int32_t current) {
        guardedRead([&] { store(Ini.ReadInt(options, key, current)); });
    };
    auto readBool = [&](const char16_t* key, auto&& store, bool current) {
        guardedRead([&] { store(Ini.ReadBool(options, key, current)); });
    };
    auto readCheck = [&](const char16_t* key, TCheckBox& box) {
        readBool(key, [&](bool v) { box.SetChecked(v); }, box.Checked());
    };
    auto readItem = [&](const char16_t* key, TMenuItem& item) {
        readBool(key, [&](bool v) { item.SetChecked(v); }, item.Checked());
    };
    auto readIndex = [&](const char16_t* key, TComboList& list) {
        readInt(key, [&](int32_t v) { list.SetItemIndex(v); }, list.ItemIndex());
    };
    auto readSpin = [&](const char16_t* key, TWinSpinEdit& spin) {
        readInt(key, [&](int32_t v) { spin.SetValue(v); }, toInt32(spin.Value()));
    };
    readIndex(u"CodeType", CdType);
    readIndex(u"ThinWidth", ThinWd);
    readCheck(u"CheckDigit", CHB1);
    readCheck(u"AddCodeChar", AddCodeChar);
    readInt(u"FormType", [&](int32_t v) { FFormType = v; }, 1);
    readItem(u"FormStyle", FStyle);
    readItem(u"AutoCopy", AutoCopy);
    readItem(u"CopyToMf", CopyMf);
    readItem(u"CopyToEMf", CopyEmf);
    readItem(u"CopyToBm", CopyBm);
    readItem(u"CBWatch", CBW);
    readSpin(u"BarHeight", BarHeight);
    readSpin(u"LeftMargin", LeftMargin);
    readSpin(u"TopMargin", TopMargin);
    guardedRead([&] { EditCode.SetText(Ini.ReadStr(desktop, u"LastStr", EditCode.Text())); });
    readBool(u"TaskTary", [&](bool v) { ResTaskTray = v; }, ResTaskTray);
    readCheck(u"BoxDraw", BoxDraw);
    readCheck(u"Comment", Comnt);
    readIndex(u"ComntPos", ComntPos);
    readIndex(u"ComntAl", ComntAl);
    guardedRead([&] { ComntStr.SetText(Ini.ReadStr(options, u"ComntStr", ComntStr.Text())); });
    readSpin(u"QRVersion", QRVer);
    readIndex(u"QRErrLebel", QRErr);
    readInt(u"BarColor", [&](int32_t v) { BarCol = static_cast<TColor>(v); }, static_cast<int32_t>(BarCol));
    readInt(u"BackColor", [&](int32_t v) { BackCol = static_cast<TColor>(v); }, static_cast<int32_t>(BackCol));
    readItem(u"Trim_Space", K1);
    readItem(u"PasteErr", N14);
    readBool(u"NoSaveIni", [&](bool v) { NoSaveIni = v; }, NoSaveIni);

    if (CopyMf.Checked())
        BarImage1.SetBarPicture(barcode::pbarWMF);
    else if (CopyEmf.Checked())
        BarImage1.SetBarPicture(barcode::pbarEMF);
    else
        BarImage1.SetBarPicture(barcode::pbarBMP);
    RefreshScaleItems();

    HelpFile = ChangeFileExt(platform_.Components(), platform_.Components().ProgramFileName(), u".hlp>tsmain");
    if (!args.empty()) EditCode.SetText(platform_.UpperCase(args[0]));

    // A placement that cannot be read leaves the window where it was laid out.
    try {
        Ini.ReadWin(desktop, u"Windows", platform_.Form());
    } catch (...) {
    }
    guardedRead([&] {
        TIniFontOf font(Fnt);
        Ini.ReadFont(options, u"Font", font);
    });
    applyFont();
    BarImage1.SetBarColor(BarCol);
    BarImage1.SetBackColor(BackCol);
    guardedRead([&] { HistoryEx1.LoadFromIni(); });

    switch (FFormType) {
    case 1: FormTypeClick(&View1); break;
    case 2: FormTypeClick(&View2); break;
    case 3: FormTypeClick(&View3); break;
    default: break;
    }
    // The menu command inverts the mark; invert it first so it ends as read.
    FStyle.SetChecked(!FStyle.Checked());
    FStyleClick(&FStyle);

    N7.SetChecked(ResTaskTray);
    Params.clear();
    Creating = false;
    if (args.empty()) {
        if (CdType.ItemIndex() == kQRCodeType) CdTypeChange(&CdType);
        return;
    }
    Params = args;
    // A bad argument is reported at once; the window still starts as it would without it.
    try {
        ProcessParams();
    } catch (const Exception& e) {
        platform_.ShowError(e.Message());
    } catch (const std::exception& e) {
        platform_.ShowError(FromUtf8(e.what()));
    }
    AutoCopy.SetChecked(true);
    if (CdType.ItemIndex() == kQRCodeType) CdTypeChange(&CdType);
    RB_Click(this);
}

void TZerboCode::FormCloseQuery(bool& CanClose) {
    CanClose = true;
    if (!NoSaveIni) {
        // Whatever the store refuses, the window still closes, so the program can always end.
        try {
            saveSettings();
        } catch (const Exception& e) {
            platform_.ShowError(e.Message());
        } catch (const std::exception& e) {
            platform_.ShowError(FromUtf8(e.what()));
        }
    }
    ClipboardWatcher1->SetOnChange(nullptr);
}

void TZerboCode::saveSettings() {
    const std::u16string options(kOptions), desktop(kDesktop);
    const int32_t view = View1.Checked() ? 1 : View2.Checked() ? 2 : 3;
    // A key the store refuses (a data string with a line break, a full disk) costs only
    // that key; the first refusal is shown once when the saving is done.
    std::u16string firstError;
    auto save = [&](auto&& write) {
        try {
            write();
        } catch (const Exception& e) {
            if (firstError.empty()) firstError = e.Message();
        }
    };
    save([&] { Ini.WriteBool(options, u"TaskTary", ResTaskTray); });
    save([&] { Ini.WriteInt(options, u"CodeType", CdType.ItemIndex()); });
    save([&] { Ini.WriteInt(options, u"ThinWidth", ThinWd.ItemIndex()); });
    save([&] { Ini.WriteBool(options, u"CheckDigit", CHB1.Checked()); });
    save([&] { Ini.WriteBool(options, u"AddCodeChar", AddCodeChar.Checked()); });
    save([&] { Ini.WriteInt(options, u"FormType", view); });
    save([&] { Ini.WriteBool(options, u"FormStyle", FStyle.Checked()); });
    save([&] { Ini.WriteBool(options, u"AutoCopy", AutoCopy.Checked()); });
    save([&] { Ini.WriteBool(options, u"CopyToMf", CopyMf.Checked()); });
    save([&] { Ini.WriteBool(options, u"CopyToEMf", CopyEmf.Checked()); });
    save([&] { Ini.WriteBool(options, u"CopyToBm", CopyBm.Checked()); });
    save([&] { Ini.WriteBool(options, u"CBWatch", CBW.Checked()); });
    save([&] { Ini.WriteInt(options, u"BarHeight", toInt32(BarHeight.Value())); });
    save([&] { Ini.WriteInt(options, u"LeftMargin", toInt32(LeftMargin.Value())); });
    save([&] { Ini.WriteInt(options, u"TopMargin", toInt32(TopMargin.Value())); });
    save([&] { Ini.WriteWin(desktop, u"Windows", platform_.Form()); });
    save([&] { Ini.WriteStr(desktop, u"LastStr", u"\"" + EditCode.Text() + u"\""); });
    const TIniFontOf font(Fnt);
    save([&] { Ini.WriteFont(options, u"Font", font); });
    save([&] { Ini.WriteBool(options, u"BoxDraw", BoxDraw.Checked()); });
    save([&] { Ini.WriteBool(options, u"Comment", Comnt.Checked()); });
    save([&] { Ini.WriteInt(options, u"ComntPos", ComntPos.ItemIndex()); });
    save([&] { Ini.WriteInt(options, u"ComntAl", ComntAl.ItemIndex()); });
    save([&] { Ini.WriteStr(options, u"ComntStr", ComntStr.Text()); });
    save([&] { Ini.WriteInt(options, u"QRVersion", toInt32(QRVer.Value())); });
    save([&] { Ini.WriteInt(options, u"QRErrLebel", QRErr.ItemIndex()); });
    save([&] { Ini.WriteBool(options, u"Trim_Space", K1.Checked()); });
    save([&] { Ini.WriteBool(options, u"PasteErr", N14.Checked()); });
    save([&] { HistoryEx1.SaveToIni(); });
    if (!firstError.empty()) platform_.ShowError(firstError);
}

void TZerboCode::RefreshScaleItems() {
    const int32_t index = ThinWd.ItemIndex();
    ThinWd.SetItems({u"1倍", u"2倍", u"3倍"});
    ThinWd.SetItemIndex(index);
}

// Window events -----------------------------------------------------------------------------

void TZerboCode::FormShow() {
    // An exit asked for at start-up ends the program here, also when this run fails.
    struct TExit {
        TZerboCode& z;
        ~TExit() {
            if (!z.ExitFlag) return;
            if (z.ResTaskTray) {
                z.TaskClose = true;
                z.ResTaskTray = false;
            }
            z.platform_.Close();
        }
    } exit{*this};
    if (!EditCode.Text().empty()) RB_Click(this);
}

void TZerboCode::FormActivate() { RB_Click(this); }

void TZerboCode::AlignControls(int32_t clientWidth, int32_t clientHeight) {
    const int32_t top = Panel2.Height();
    Panel2.SetBounds(0, 0, clientWidth, top);
    StatusBar1.SetBounds(0, clientHeight - kStatusBarHeight, clientWidth, kStatusBarHeight);
    ScrollBox1.SetBounds(0, top, clientWidth, std::max(0, clientHeight - kStatusBarHeight - top));
}

// The pipeline ------------------------------------------------------------------------------

void TZerboCode::RB_Click(TObject*) {
    if (Creating) return;
    Running = true;
    TFlagScope running{Running};
    StatusBar1.SetSimpleText(u"");
    if (CdType.ItemIndex() == kQRCodeType) {
        DrawQR();
        return;
    }
    BarImage1.SetCode(EditCode.Text());
    BarImage1.SetBarType(static_cast<TBarTypes>(CdType.ItemIndex()));
    BarImage1.SetBarHeight(toInt32(BarHeight.Value()));
    const int32_t topMargin = toInt32(TopMargin.Value());
    const int32_t leftMargin = toInt32(LeftMargin.Value());
    BarImage1.SetBarSpaceUp(topMargin);
    BarImage1.SetBarSpaceDown(topMargin);
    BarImage1.SetBarSpaceLeft(leftMargin);
    BarImage1.SetBarSpaceRight(leftMargin);
    BarImage1.SetSymbolDisp(AddCodeChar.Checked());
    BarImage1.SetCD(CHB1.Checked());
    // An emptied start or stop field passes no character; the component takes "A" then.
    BarImage1.SetStartChar(firstChar(Edit2.Text()));
    BarImage1.SetStopChar(firstChar(Edit3.Text()));
    if (const int32_t scale = ThinWd.ItemIndex(); scale >= 0 && scale <= 2)
        BarImage1.SetScale(static_cast<barcode::TSCale>(scale + 1));
    BarImage1.SetCommentUp(u"");
    BarImage1.SetCommentDown(u"");
    if (Comnt.Checked()) {
        const auto h = static_cast<int64_t>(std::trunc(Fnt.Size() * static_cast<double>(Fnt.PixelsPerInch) / 72.0));
        const int32_t space = toInt32(h + topMargin);
        if (ComntPos.ItemIndex() == 0) {
            BarImage1.SetCommentUp(ComntStr.Text());
            BarImage1.SetBarSpaceUp(space);
        } else {
            BarImage1.SetCommentDown(ComntStr.Text());
            BarImage1.SetBarSpaceDown(space);
        }
    }
    BarImage1.SetBarFrame(BoxDraw.Checked() ? 3 : 0);
    if (const int32_t al = ComntAl.ItemIndex(); al >= 0 && al <= 2) {
        BarImage1.SetCommentUpLoc(static_cast<TLocation>(al));
        BarImage1.SetCommentDownLoc(static_cast<TLocation>(al));
    }
    BarImage1.RepaintBarcode();
    BError = BarImage1.Error();
    if (BError && N14.Checked()) putErrorText(u"作成できませんでした");
    if (DelayTime > 0) platform_.Sleep(DelayTime);
}

void TZerboCode::DrawQR() {
    std::string text = ToAnsi(platform_.Components(), EditCode.Text());
    if (SpCode.Checked()) text = DecodeQREscapes(platform_.Components(), text);
    if (!text.empty() && text.size() <= kQRMaxTextBytes) DrawQRCode(text);
}

void TZerboCode::DrawQRCode(const std::string& text) {
    BError = false;
    const int32_t version = toInt32(QRVer.Value());
    const int32_t level = QRErr.ItemIndex() + 1;
    // Room for the largest symbol; a version outside 1 to 40 is answered without writing.
    std::vector<int32_t>& modules = qrModules_;
    if (modules.empty()) modules.resize(static_cast<size_t>(qr::QROutputLength(40)));
    const int32_t result = qr::QREncodeBytes(version, level, text.c_str(), modules.data());
    StatusBar1.SetSimpleText(QRStatusText(result));
    if (result != qr::qrOk) {
        BError = true;
        if (N14.Checked()) putErrorText(StatusBar1.SimpleText());
        return;
    }
    const int w = modules[0];
    const int s = ThinWd.ItemIndex() + 1;
    const int size = w * s + 1;
    Image1.SetWidth(size);
    Image1.SetHeight(size);
    gfx::TPicture& picture = Image1.Picture();
    if (BarImage1.BarPicture() == barcode::pbarBMP) {
        gfx::TBitmapGraphic& bitmap = picture.Bitmap();
        bitmap.SetPixelFormat(gfx::pf24bit);
        bitmap.SetSize(size, size);
        PaintQRModules(bitmap.Canvas(), modules.data(), s, BarCol, BackCol);
    } else {
        gfx::TMetafileGraphic& metafile = picture.NewMetafile();
        metafile.SetSize(size, size);
        const auto canvas = metafile.CreateRecordingCanvas();
        PaintQRModules(*canvas, modules.data(), s, BarCol, BackCol);
    }
    pictureChanged();
    if (AutoCopy.Checked()) copyPicture(picture);
}

void TZerboCode::Execute(TObject* Sender) {
    RB_Click(Sender);
    HistoryEx1.Append(EditCode.Text());
}

void TZerboCode::Edit1Change(TObject* Sender) {
    EditCode.SetText(Edit1.Text());
    Execute(Sender);
}

void TZerboCode::CdTypeChange(TObject* Sender) {
    if (QRErr.ItemIndex() < 0) QRErr.SetItemIndex(1);
    const bool q = CdType.ItemIndex() == kQRCodeType;
    QRPanel.SetVisible(q);
    FImage1Visible = q;
    FBarImage1Visible = !q;
    for (TControl* c : {static_cast<TControl*>(&Panel3), static_cast<TControl*>(&Panel5),
                        static_cast<TControl*>(&LeftMargin), static_cast<TControl*>(&TopMargin),
                        static_cast<TControl*>(&BarHeight)})
        c->SetEnabled(!q);
    pictureChanged();
    RB_Click(Sender);
}

void TZerboCode::FormTypeClick(TObject* Sender) {
    auto* item = static_cast<TMenuItem*>(Sender);
    item->SetChecked(true);
    int32_t height = 108, panel = kSmallPanelHeight;
    bool scrollBox = false;
    TSpeedButton* button = &ViewB3;
    if (item->Name == u"View1") {
        height = 367;
        panel = kFullPanelHeight;
        scrollBox = true;
        button = &ViewB1;
    } else if (item->Name == u"View2") {
        height = 204;
        scrollBox = true;
        button = &ViewB2;
    }
    Panel2.SetBounds(Panel2.Left(), Panel2.Top(), Panel2.Width(), panel);
    ScrollBox1.SetVisible(scrollBox);
    button->SetDown(true);
    platform_.SetFormHeight(height);
}

void TZerboCode::ViewB1Click(TObject*) {
    if (ViewB1.Down())
        FormTypeClick(&View1);
    else if (ViewB2.Down())
        FormTypeClick(&View2);
    else if (ViewB3.Down())
        FormTypeClick(&View3);
}

void TZerboCode::FStyleClick(TObject*) {
    // Re-creating the window can lose the lists' selections: give them back.
    const int32_t type = CdType.ItemIndex();
    const int32_t scale = ThinWd.ItemIndex();
    FStyle.SetChecked(!FStyle.Checked());
    platform_.SetStayOnTop(FStyle.Checked());
    CdType.SetItemIndex(type);
    ThinWd.SetItemIndex(scale);
}

void TZerboCode::UpdateModeLabel() {
    static constexpr const char16_t* kNames[] = {u"JAN", u"UPC",      u"CODE39",  u"NW-7",   u"ITF",
                                                 u"CTF", u"IATA",     u"MATRIX",  u"NEC",    u"CUSTOMER",
                                                 u"CODE128", u"CODE93", u"QR2"};
    const int32_t type = CdType.ItemIndex();
    std::u16string text = type >= 0 && type <= 12 ? kNames[type] : u"UnKnown";
    switch (ThinWd.ItemIndex()) {
    case 0: text += u" 1×"; break;
    case 1: text += u" 2×"; break;
    case 2: text += u" 3×"; break;
    default: text += u" ?×"; break;
    }
    if (CHB1.Checked()) text += u"CD ";
    if (type == 3) {
        // An emptied field adds nothing.
        text += Edit2.Text().substr(0, 1);
        text += u'/';
        text += Edit3.Text().substr(0, 1);
    }
    Mode.SetCaption(text);
}

void TZerboCode::BarImage1PaintedBar(TObject*) {
    UpdateModeLabel();
    pictureChanged();
    if (AutoCopy.Checked()) withWatcherOff([&] { BarImage1.CopyToClipboard(platform_.Clipboard()); });
}

void TZerboCode::AddCodeCharClick(TObject*) { BarImage1.SetSymbolDisp(AddCodeChar.Checked()); }

void TZerboCode::CopyMfClick(TObject*) {
    CopyMf.SetChecked(true);
    BarImage1.SetBarPicture(barcode::pbarWMF);
    RefreshScaleItems();
}

void TZerboCode::CopyEmfClick(TObject*) {
    CopyEmf.SetChecked(true);
    BarImage1.SetBarPicture(barcode::pbarEMF);
    RefreshScaleItems();
}

void TZerboCode::CopyBmClick(TObject*) {
    CopyBm.SetChecked(true);
    BarImage1.SetBarPicture(barcode::pbarBMP);
    RefreshScaleItems();
}

void TZerboCode::AutoCopyClick(TObject*) { AutoCopy.SetChecked(!AutoCopy.Checked()); }

void TZerboCode::Copy1Click(TObject*) {
    if (CdType.ItemIndex() == kQRCodeType)
        copyPicture(Image1.Picture());
    else
        withWatcherOff([&] { BarImage1.CopyToClipboard(platform_.Clipboard()); });
    StatusBar1.SetSimpleText(u"コピーしました.");
}

void TZerboCode::N10Click(TObject*) {
    std::u16string fileName;
    if (platform_.ExecuteSaveDialog(SaveDialog1, fileName)) SaveFile(fileName);
}

bool TZerboCode::SaveFile(const std::u16string& FileName) {
    IComponentPlatform& files = platform_.Components();
    const std::u16string name = ExtractFileName(files, FileName);
    const size_t dot = name.rfind(u'.');
    const std::u16string ext = dot == std::u16string::npos ? std::u16string() : lowerAscii(name.substr(dot));
    const bool emf = ext == u".emf", bmp = ext == u".bmp";
    const barcode::TBarPictures kind = emf ? barcode::pbarEMF : barcode::pbarBMP;
    const barcode::TBarPictures k = BarImage1.BarPicture();
    auto restore = [&] {
        BarImage1.SetBarPicture(k);
        RB_Click(this);
    };
    try {
        if (k != kind) {
            BarImage1.SetBarPicture(kind);
            RB_Click(this);
        }
        const gfx::TPicture& picture = CurrentPicture();
        // Nothing of that kind was ever drawn (the first data was rejected): there is no
        // picture to store, and an empty file would pass for one.
        auto nothingToWrite = [&] { throw gfx::EWriteError(FormatMessage(u"%s に書き込めません", FileName)); };
        if (emf) {
            const gfx::TMetafileGraphic* metafile = picture.AsMetafile();
            if (!metafile) nothingToWrite();
            gfx::SaveMetafileFile(*metafile, FileName);
        } else {
            const gfx::TBitmapGraphic* bitmap = picture.AsBitmap();
            if (!bitmap || bitmap->Empty()) nothingToWrite();
            if (bmp)
                gfx::SaveBitmapFile(*bitmap, FileName);
            else
                gfx::SaveJpegFile(*bitmap, FileName);
        }
    } catch (...) {
        // The user's picture kind comes back also when the file could not be written.
        try {
            restore();
        } catch (...) {
        }
        throw;
    }
    restore();
    return files.FileExists(FileName);
}

// The command line ------------------------------------------------------------------------

void TZerboCode::waitWhileRunning() {
    const uint32_t start = platform_.TickCount();
    while (Running && platform_.TickCount() - start < kRunWaitLimitMs) {
        platform_.ProcessMessages();
        if (Running) platform_.Sleep(kRunWaitPollMs);
    }
}

void TZerboCode::ProcessParams() {
    waitWhileRunning();
    Comnt.SetChecked(false);
    Running = true;
    std::u16string saveName;
    DelayTime = 0;
    ExitFlag = false;

    std::exception_ptr error;
    try {
        for (const std::u16string& param : Params) applyParam(param, saveName);
    } catch (...) {
        // The list ends at the argument that failed; what follows it is not applied.
        error = std::current_exception();
    }
    if (!error) {
        try {
            platform_.ProcessMessages();
            // A save named beside "/EXIT" is made before the end, so that one call of the
            // program can make a file and end.
            if (!ExitFlag || !saveName.empty()) {
                const bool autoCopy = AutoCopy.Checked();
                AutoCopy.SetChecked(true);
                try {
                    RB_Click(this);
                } catch (...) {
                    StatusBar1.SetSimpleText(u"エラーが発生しました.");
                }
                platform_.ProcessMessages();
                if (DelayTime > 0) platform_.Sleep(DelayTime);
                AutoCopy.SetChecked(autoCopy);
                if (!saveName.empty()) SaveFile(saveName);
            }
        } catch (...) {
            error = std::current_exception();
        }
    }
    Running = false;
    // At start-up the exit waits until the window is shown (FormShow).
    if (ExitFlag && !InitPers) {
        if (ResTaskTray) {
            TaskClose = true;
            ResTaskTray = false;
        }
        platform_.Close();
    }
    if (error) std::rethrow_exception(error);
}

void TZerboCode::applyParam(const std::u16string& entry, std::u16string& saveName) {
    const std::u16string u = platform_.UpperCase(entry);
    if (u.empty()) return;
    // The options in the order they are tried: an equal test early in the table wins over a
    // prefix test later ("/ST" alone puts the program into the notification area, "/STA" sets
    // the start character).
    enum TTest : uint8_t { Equal, Prefix };
    struct TOption {
        std::u16string_view literal;
        TTest test;
        void (*apply)(TZerboCode& z, const std::u16string& rest, std::u16string& saveName);
    };
    using S = std::u16string;
    static const TOption kOptions[] = {
        {u"/S", Equal, [](TZerboCode& z, const S&, S&) { z.platform_.MinimizeApplication(); }},
        {u"/ST", Equal,
         [](TZerboCode& z, const S&, S&) {
             // With TaskClose false the close request hides the program into the tray.
             z.ResTaskTray = true;
             z.platform_.Close();
         }},
        {u"/SAVE:", Prefix, [](TZerboCode&, const S& rest, S& name) { name = rest; }},
        {u"/JAN", Equal, [](TZerboCode& z, const S&, S&) { z.CdType.SetItemIndex(0); }},
        {u"/C39", Equal, [](TZerboCode& z, const S&, S&) { z.CdType.SetItemIndex(2); }},
        {u"/NW7", Equal, [](TZerboCode& z, const S&, S&) { z.CdType.SetItemIndex(3); }},
        {u"/ITF", Equal, [](TZerboCode& z, const S&, S&) { z.CdType.SetItemIndex(4); }},
        {u"/CST", Equal, [](TZerboCode& z, const S&, S&) { z.CdType.SetItemIndex(9); }},
        {u"/UPC", Equal, [](TZerboCode& z, const S&, S&) { z.CdType.SetItemIndex(1); }},
        {u"/CTF", Equal, [](TZerboCode& z, const S&, S&) { z.CdType.SetItemIndex(5); }},
        {u"/IATA", Equal, [](TZerboCode& z, const S&, S&) { z.CdType.SetItemIndex(6); }},
        {u"/MAT", Equal, [](TZerboCode& z, const S&, S&) { z.CdType.SetItemIndex(7); }},
        {u"/NEC", Equal, [](TZerboCode& z, const S&, S&) { z.CdType.SetItemIndex(8); }},
        {u"/C128", Equal, [](TZerboCode& z, const S&, S&) { z.CdType.SetItemIndex(10); }},
        {u"/C93", Equal, [](TZerboCode& z, const S&, S&) { z.CdType.SetItemIndex(11); }},
        {u"/QR2", Equal, [](TZerboCode& z, const S&, S&) { z.CdType.SetItemIndex(kQRCodeType); }},
        {u"/TN1", Equal, [](TZerboCode& z, const S&, S&) { z.ThinWd.SetItemIndex(0); }},
        {u"/TN2", Equal, [](TZerboCode& z, const S&, S&) { z.ThinWd.SetItemIndex(1); }},
        {u"/TN3", Equal, [](TZerboCode& z, const S&, S&) { z.ThinWd.SetItemIndex(2); }},
        {u"/CD1", Equal, [](TZerboCode& z, const S&, S&) { z.CHB1.SetChecked(true); }},
        {u"/CD0", Equal, [](TZerboCode& z, const S&, S&) { z.CHB1.SetChecked(false); }},
        {u"/CC1", Equal, [](TZerboCode& z, const S&, S&) { z.AddCodeChar.SetChecked(true); }},
        {u"/CC0", Equal, [](TZerboCode& z, const S&, S&) { z.AddCodeChar.SetChecked(false); }},
        {u"/BC1", Equal, [](TZerboCode& z, const S&, S&) { z.BoxDraw.SetChecked(true); }},
        {u"/BC0", Equal, [](TZerboCode& z, const S&, S&) { z.BoxDraw.SetChecked(false); }},
        {u"/ST", Prefix, [](TZerboCode& z, const S& rest, S&) { z.Edit2.SetText(rest.substr(0, 1)); }},
        {u"/SP", Prefix, [](TZerboCode& z, const S& rest, S&) { z.Edit3.SetText(rest.substr(0, 1)); }},
        {u"/HT", Prefix, [](TZerboCode& z, const S& rest, S&) { z.BarHeight.SetValue(StrToInt(rest)); }},
        {u"/LM", Prefix, [](TZerboCode& z, const S& rest, S&) { z.LeftMargin.SetValue(StrToInt(rest)); }},
        {u"/TM", Prefix, [](TZerboCode& z, const S& rest, S&) { z.TopMargin.SetValue(StrToInt(rest)); }},
        {u"/C:", Prefix,
         [](TZerboCode& z, const S& rest, S&) {
             z.ComntStr.SetText(rest);
             z.Comnt.SetChecked(true);
         }},
        {u"/CAU", Equal, [](TZerboCode& z, const S&, S&) { z.ComntPos.SetItemIndex(0); }},
        {u"/CAD", Equal, [](TZerboCode& z, const S&, S&) { z.ComntPos.SetItemIndex(1); }},
        {u"/CAL", Equal, [](TZerboCode& z, const S&, S&) { z.ComntAl.SetItemIndex(0); }},
        {u"/CAC", Equal, [](TZerboCode& z, const S&, S&) { z.ComntAl.SetItemIndex(1); }},
        {u"/CAR", Equal, [](TZerboCode& z, const S&, S&) { z.ComntAl.SetItemIndex(2); }},
        // The picture kind alone; the copy-kind menu items stay as the user chose them.
        {u"/CWM", Equal, [](TZerboCode& z, const S&, S&) { z.BarImage1.SetBarPicture(barcode::pbarWMF); }},
        {u"/CEM", Equal, [](TZerboCode& z, const S&, S&) { z.BarImage1.SetBarPicture(barcode::pbarEMF); }},
        {u"/CBM", Equal, [](TZerboCode& z, const S&, S&) { z.BarImage1.SetBarPicture(barcode::pbarBMP); }},
        {u"/QRV", Prefix, [](TZerboCode& z, const S& rest, S&) { z.QRVer.SetValue(StrToInt(rest)); }},
        {u"/QRE", Prefix, [](TZerboCode& z, const S& rest, S&) { z.QRErr.SetItemIndex(StrToInt(rest)); }},
        {u"/SC1", Prefix, [](TZerboCode& z, const S&, S&) { z.SpCode.SetChecked(true); }},
        // Without a slash: "/SC0" is data.
        {u"SC0", Prefix, [](TZerboCode& z, const S&, S&) { z.SpCode.SetChecked(false); }},
        // The notification-area icon follows ResTaskTray where the tray is kept.
        {u"/VOFF", Equal, [](TZerboCode& z, const S&, S&) { z.ResTaskTray = true; }},
        {u"/VON", Equal, [](TZerboCode& z, const S&, S&) { z.ResTaskTray = false; }},
        {u"/D:", Prefix, [](TZerboCode& z, const S& rest, S&) { z.DelayTime = StrToInt(rest); }},
        {u"/EXIT", Equal, [](TZerboCode& z, const S&, S&) { z.ExitFlag = true; }},
    };
    for (const TOption& o : kOptions) {
        const bool match = o.test == Equal ? u == o.literal : u.starts_with(o.literal);
        if (match) {
            o.apply(*this, u.substr(o.literal.size()), saveName);
            return;
        }
    }
    // Data keeps the case it was typed in; after "/EXIT" it is ignored.
    if (!ExitFlag) EditCode.SetText(entry);
}

void TZerboCode::File1Click(TObject*) { P1.SetEnabled(CdType.ItemIndex() < kQRCodeType); }

void TZerboCode::Edit5Click(TObject*) { D1.SetEnabled(!Edit1.Items().empty()); }

void TZerboCode::Button1Click(TObject*) {
    gfx::TFont font = Fnt;
    if (!platform_.ExecuteFontDialog(font)) return;
    Fnt.Assign(font);
    applyFont();
    RB_Click(this);
}

void TZerboCode::N18Click(TObject*) {
    TColor color = BarImage1.BarColor();
    if (platform_.ExecuteColorDialog(color)) BarImage1.SetBarColor(color);
}

void TZerboCode::N19Click(TObject*) {
    TColor color = BarImage1.BackColor();
    if (platform_.ExecuteColorDialog(color)) BarImage1.SetBackColor(color);
}

void TZerboCode::Contents1Click(TObject*) {
    IComponentPlatform& files = platform_.Components();
    if (WinVer > 5)
        platform_.ShellOpen(ChangeFileExt(files, files.ProgramFileName(), u".hlp"));
    else
        platform_.HelpContents(HelpFile);
}

void TZerboCode::Close2Click(TObject*) {
    TaskClose = true;
    platform_.Close();
}

} // namespace zerbo::app
