#include "app/ZerboCode.h"

namespace zerbo::app {

namespace {

using Z = TZerboCode;
template <auto Member>
constexpr auto M = &LayoutMember<Member>;

// Left, top, width, height within the parent; 0 lets the view size a control to its caption.
// The table places the controls in creation order: where two overlap, the later one is in
// front unless the view says otherwise.
constexpr TLayoutEntry kLayout[] = {
    {M<&Z::Panel2>, nullptr, 0, 0, 351, 221, u""},
    {M<&Z::Label4>, M<&Z::Panel2>, 8, 8, 0, 0, u"データ文字列"},
    {M<&Z::Mode>, M<&Z::Panel2>, 86, 8, 130, 12, u""},
    {M<&Z::SpeedButton1>, M<&Z::Panel2>, 220, 4, 22, 17, u"作"},
    {M<&Z::CopyBtn>, M<&Z::Panel2>, 244, 4, 22, 17, u"コ"},
    {M<&Z::ViewB1>, M<&Z::Panel2>, 272, 4, 25, 17, u"詳"},
    {M<&Z::ViewB2>, M<&Z::Panel2>, 296, 4, 25, 17, u"簡1"},
    {M<&Z::ViewB3>, M<&Z::Panel2>, 320, 4, 25, 17, u"簡2"},
    // In front of the history box, whose drop-down arrow alone shows at its right.
    {M<&Z::EditCode>, M<&Z::Panel2>, 8, 22, 317, 20, u""},
    {M<&Z::Edit1>, M<&Z::Panel2>, 8, 22, 337, 20, u""},
    {M<&Z::Panel4>, M<&Z::Panel2>, 8, 48, 337, 34, u""},
    {M<&Z::Label3>, M<&Z::Panel4>, 8, 12, 0, 0, u"コード"},
    // The symbologies' names.
    {M<&Z::CdType>, M<&Z::Panel4>, 42, 8, 85, 0, u""},
    {M<&Z::Label6>, M<&Z::Panel4>, 140, 12, 0, 0, u"倍率"},
    {M<&Z::ThinWd>, M<&Z::Panel4>, 168, 8, 53, 0, u"1倍\n2倍\n3倍"},
    {M<&Z::BoxDraw>, M<&Z::Panel4>, 232, 10, 0, 0, u"外枠をつける"},
    {M<&Z::CDpanel>, M<&Z::Panel2>, 8, 80, 337, 34, u""},
    {M<&Z::CHB1>, M<&Z::CDpanel>, 14, 8, 0, 0, u"チェックディジット"},
    {M<&Z::Label1>, M<&Z::CDpanel>, 156, 12, 0, 0, u"スタート"},
    {M<&Z::Edit2>, M<&Z::CDpanel>, 211, 7, 21, 0, u"*"},
    {M<&Z::Label2>, M<&Z::CDpanel>, 248, 12, 0, 0, u"ストップ"},
    {M<&Z::Edit3>, M<&Z::CDpanel>, 303, 7, 21, 0, u"*"},
    // Same place as CDpanel; covers it while QR Code is chosen.
    {M<&Z::QRPanel>, M<&Z::Panel2>, 8, 80, 337, 34, u""},
    {M<&Z::Label9>, M<&Z::QRPanel>, 8, 12, 0, 0, u"バージョン"},
    {M<&Z::QRVer>, M<&Z::QRPanel>, 64, 8, 37, 0, u""},
    {M<&Z::Label11>, M<&Z::QRPanel>, 104, 12, 0, 0, u"エラー訂正"},
    {M<&Z::QRErr>, M<&Z::QRPanel>, 164, 8, 41, 0, u"L\nM\nQ\nH"},
    {M<&Z::QRSubBtn>, M<&Z::QRPanel>, 212, 8, 65, 21, u"&QR補助..."},
    {M<&Z::SpCode>, M<&Z::QRPanel>, 280, 8, 0, 0, u"特殊"},
    {M<&Z::Panel3>, M<&Z::Panel2>, 8, 112, 337, 34, u""},
    {M<&Z::AddCodeChar>, M<&Z::Panel3>, 14, 8, 0, 0, u"コード文字列", 100},
    {M<&Z::Button1>, M<&Z::Panel3>, 112, 7, 69, 22, u"フォント(&F)...", 100},
    {M<&Z::CharSmp>, M<&Z::Panel3>, 192, 8, 121, 21, u"123ABC", 100},
    {M<&Z::Button2>, M<&Z::Panel3>, 260, 7, 69, 22, u"色(&C)..."},
    {M<&Z::Panel5>, M<&Z::Panel2>, 8, 144, 337, 34, u""},
    {M<&Z::Comnt>, M<&Z::Panel5>, 14, 8, 0, 0, u"コメント", 500},
    {M<&Z::ComntStr>, M<&Z::Panel5>, 72, 6, 133, 20, u"", 500},
    {M<&Z::ComntPos>, M<&Z::Panel5>, 216, 6, 53, 0, u"上側\n下側"},
    {M<&Z::ComntAl>, M<&Z::Panel5>, 272, 6, 57, 0, u"左寄せ\n中央\n右寄せ"},
    {M<&Z::Panel1>, M<&Z::Panel2>, 8, 176, 337, 34, u""},
    {M<&Z::Label5>, M<&Z::Panel1>, 10, 9, 0, 0, u"サイズ(高さ)"},
    {M<&Z::BarHeight>, M<&Z::Panel1>, 80, 6, 53, 0, u""},
    {M<&Z::Label7>, M<&Z::Panel1>, 161, 9, 0, 0, u"左右"},
    {M<&Z::LeftMargin>, M<&Z::Panel1>, 192, 6, 45, 0, u""},
    {M<&Z::Label8>, M<&Z::Panel1>, 245, 9, 0, 0, u"上下"},
    {M<&Z::TopMargin>, M<&Z::Panel1>, 280, 6, 45, 0, u""},
    {M<&Z::StatusBar1>, nullptr, 0, 342, 351, 19, u""},
    {M<&Z::ScrollBox1>, nullptr, 0, 221, 351, 121, u""},
};

} // namespace

TZerboCode::TZerboCode(const TZerboServices& services)
    : TPanel(u"ZerboCode"),
      BarImage1(this, services.Graphics),
      Image1(this, services.Graphics),
      Ini(services.Files),
      HistoryEx1(services.Files, nullptr),
      services_(services),
      showError_([&dialogs = services.Dialogs](const std::u16string& m) { dialogs.ShowError(m); }) {
    ClipboardWatcher1 = std::make_unique<TClipboardWatcher>(services.NewClipboardChain(), showError_);
    SetBounds(0, 0, 351, 361);
    SetCaption(u"Zerbo");
    ApplyLayout(*this, kLayout);
    SpeedButton1.Hint = u"作成";
    CopyBtn.Hint = u"ｺﾋﾟｰ";

    // The designed state, which is also what a first start shows.
    Edit1.Style = TComboStyle::csDropDown;
    // Only its arrow shows beside the data field; Tab would put the caret where no one sees it.
    Edit1.TabStop = false;
    for (TSpeedButton* b : {&ViewB1, &ViewB2, &ViewB3}) b->GroupIndex = 1;
    ViewB1.SetDown(true);
    for (TTextEdit* e : {&Edit2, &Edit3}) {
        e->MaxLength = 1;
        e->SetCharCase(TEditCharCase::ecUpperCase);
    }
    CdType.SetItems({std::begin(barcode::kBarTypeNames), std::end(barcode::kBarTypeNames)});
    CdType.SetItemIndex(barcode::cbarUPC);
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

    Fnt.PixelsPerInch = services_.Form.ScreenPixelsPerInch();
    buildMenus();
    wireEvents();
}

TZerboCode::~TZerboCode() {
    // The watcher's handler refers to this window.
    if (ClipboardWatcher1) ClipboardWatcher1->SetOnChange(nullptr);
    BarImage1.SetOnPaintedBar(nullptr);
}

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
    Button2.OnClick = [this](TObject* s) { Button2Click(s); };
    C1.OnClick = [this](TObject* s) { Button2Click(s); };
    QRSubBtn.OnClick = [this](TObject* s) { QRSubBtnClick(s); };
    ZerboA1.OnClick = [this](TObject* s) { ZerboA1Click(s); };
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
    P1.OnClick = [this](TObject* s) { P1Click(s); };
    N16.OnClick = [this](TObject* s) { N16Click(s); };
    File1.OnClick = [this](TObject* s) { File1Click(s); };
    Edit5.OnClick = [this](TObject* s) { Edit5Click(s); };
    Close1.OnClick = [this](TObject* s) { Close2Click(s); };
    Close2.OnClick = [this](TObject* s) { Close2Click(s); };
    Open1.OnClick = [this](TObject* s) { Open1Click(s); };
    CBW.OnClick = [this](TObject* s) { CBWClick(s); };
    D1.OnClick = [this](TObject* s) { D1Click(s); };
    N7.OnClick = [this](TObject* s) { N7Click(s); };
    BarImage1.SetOnPaintedBar([this](TObject* s) { BarImage1PaintedBar(s); });
}

gfx::TPicture& TZerboCode::CurrentPicture() {
    return CdType.ItemIndex() == kQRCodeType ? Image1.Picture() : BarImage1.Picture();
}

void TZerboCode::pictureChanged() {
    if (OnPictureChanged) OnPictureChanged();
}

} // namespace zerbo::app
