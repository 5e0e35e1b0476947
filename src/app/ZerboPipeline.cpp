// RB_Click, the one generation run, and the window's own commands around it: the type
// switch, the mode label, the view modes, stay-on-top, the font, the colours and help.
#include <algorithm>
#include <cmath>

#include "app/QRForm.h"
#include "app/ZerboCode.h"
#include "components/AboutDialog.h"
#include "components/ColorPalette.h"
#include "core/Convert.h"
#include "core/Path.h"

namespace zerbo::app {

using barcode::TBarTypes;
using barcode::TLocation;

namespace {

constexpr int32_t kStatusBarHeight = 19;
constexpr int32_t kFullPanelHeight = 221;
constexpr int32_t kSmallPanelHeight = 49;

char16_t firstChar(const std::u16string& s) { return s.empty() ? u'\0' : s[0]; }

} // namespace

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
            z.services_.Form.Close();
        }
    } exit{*this};
    if (!EditCode.Text().empty()) RB_Click(this);
}

void TZerboCode::FormActivate() {
    attachWatch();
    RB_Click(this);
}

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
    struct TRunEnd {
        bool& running;
        ~TRunEnd() { running = false; }
    } runEnd{Running};
    StatusBar1.SetSimpleText(u"");
    if (CdType.ItemIndex() == kQRCodeType) {
        DrawQR();
        return;
    }
    // Each assignment alone would draw the symbol again, and copy it with automatic copy on:
    // the component draws once the settings are all in place.
    BarImage1.SetBarEnabled(false);
    struct TDrawAgain {
        barcode::TBarImage& image;
        ~TDrawAgain() { image.SetBarEnabled(true); }
    } drawAgain{BarImage1};
    BarImage1.SetCode(EditCode.Text());
    BarImage1.SetBarType(static_cast<TBarTypes>(CdType.ItemIndex()));
    BarImage1.SetBarHeight(ClampToInt32(BarHeight.Value()));
    const int32_t topMargin = ClampToInt32(TopMargin.Value());
    const int32_t leftMargin = ClampToInt32(LeftMargin.Value());
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
        const int32_t space = ClampToInt32(h + topMargin);
        if (ComntPos.ItemIndex() == 0) {
            BarImage1.SetCommentUp(ComntStr.Text());
            BarImage1.SetBarSpaceUp(space);
        } else {
            BarImage1.SetCommentDown(ComntStr.Text());
            BarImage1.SetBarSpaceDown(space);
        }
    }
    BarImage1.SetBarFrame(BoxDraw.Checked() ? 3 : 0);
    if (const int32_t al = ComntAl.ItemIndex(); al >= barcode::locLeft && al <= barcode::locRight) {
        BarImage1.SetCommentUpLoc(static_cast<TLocation>(al));
        BarImage1.SetCommentDownLoc(static_cast<TLocation>(al));
    }
    // Enabled again, the component draws the symbol of its code at once; without a code the
    // repaint still runs, for its events and its error.
    BarImage1.SetBarEnabled(true);
    if (BarImage1.Code().empty()) BarImage1.RepaintBarcode();
    BError = BarImage1.Error();
    if (BError && N14.Checked()) putErrorText(u"作成できませんでした");
    if (DelayTime > 0) services_.Application.Sleep(DelayTime);
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

void TZerboCode::UpdateModeLabel() {
    const int32_t type = CdType.ItemIndex();
    std::u16string text = type >= 0 && type < barcode::kBarTypeCount ? barcode::kBarTypeNames[type]
                          : type == kQRCodeType                     ? u"QR2"
                                                                    : u"UnKnown";
    switch (ThinWd.ItemIndex()) {
    case 0: text += u" 1×"; break;
    case 1: text += u" 2×"; break;
    case 2: text += u" 3×"; break;
    default: text += u" ?×"; break;
    }
    if (CHB1.Checked()) text += u"CD ";
    if (type == barcode::cbarNW7) {
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
    if (AutoCopy.Checked()) withWatcherOff([&] { BarImage1.CopyToClipboard(services_.Clipboard); });
}

void TZerboCode::AddCodeCharClick(TObject*) { BarImage1.SetSymbolDisp(AddCodeChar.Checked()); }

// View modes and stay-on-top -----------------------------------------------------------------

void TZerboCode::FormTypeClick(TObject* Sender) {
    auto* item = static_cast<TMenuItem*>(Sender);
    item->SetChecked(true);
    int32_t height = 108, panel = kSmallPanelHeight;
    bool scrollBox = false;
    TSpeedButton* button = &ViewB3;
    if (item == &View1) {
        height = 367;
        panel = kFullPanelHeight;
        scrollBox = true;
        button = &ViewB1;
    } else if (item == &View2) {
        height = 204;
        scrollBox = true;
        button = &ViewB2;
    }
    Panel2.SetBounds(Panel2.Left(), Panel2.Top(), Panel2.Width(), panel);
    ScrollBox1.SetVisible(scrollBox);
    button->SetDown(true);
    services_.Form.SetHeight(height);
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
    services_.Form.SetStayOnTop(FStyle.Checked());
    CdType.SetItemIndex(type);
    ThinWd.SetItemIndex(scale);
}

// Menus that change with the state ------------------------------------------------------------

void TZerboCode::File1Click(TObject*) { P1.SetEnabled(CdType.ItemIndex() < kQRCodeType); }

void TZerboCode::Edit5Click(TObject*) { D1.SetEnabled(!Edit1.Items().empty()); }

// Font, colours, help ------------------------------------------------------------------------

void TZerboCode::Button1Click(TObject*) {
    gfx::TFont font = Fnt;
    if (!services_.Dialogs.ExecuteFontDialog(font)) return;
    Fnt.Assign(font);
    applyFont();
    RB_Click(this);
}

void TZerboCode::applyFont() {
    BarImage1.SetBarFont(&Fnt);
    if (OnFontChanged) OnFontChanged();
}

void TZerboCode::Button2Click(TObject*) {
    TColDlg dialog;
    dialog.ColorPalette1.SetForegroundColor(BarImage1.BarColor());
    dialog.ColorPalette1.SetBackgroundColor(BarImage1.BackColor());
    if (services_.Dialogs.ShowModal(dialog) != mrOk) return;
    // A side left at no colour (the strips beside the cells) keeps the colour it had.
    const TColorPalette& p = dialog.ColorPalette1;
    if (p.ForegroundIndex() != kNoColorIndex) BarCol = p.ForegroundColor();
    if (p.BackgroundIndex() != kNoColorIndex) BackCol = p.BackgroundColor();
    BarImage1.SetBarColor(BarCol);
    BarImage1.SetBackColor(BackCol);
}

void TZerboCode::N18Click(TObject*) {
    TColor color = BarImage1.BarColor();
    if (services_.Dialogs.ExecuteColorDialog(color)) BarImage1.SetBarColor(color);
}

void TZerboCode::N19Click(TObject*) {
    TColor color = BarImage1.BackColor();
    if (services_.Dialogs.ExecuteColorDialog(color)) BarImage1.SetBackColor(color);
}

void TZerboCode::QRSubBtnClick(TObject*) {
    TQRForm form(*this, services_);
    services_.Dialogs.ShowModal(form);
}

void TZerboCode::ZerboA1Click(TObject*) {
    IShell& shell = services_.Shell;
    TAboutDlg about(shell.ProgramIcon(), shell.Versions(), services_.Files.ProgramFileName(),
                    [&shell](const std::u16string& target) { shell.OpenLink(target); });
    services_.Dialogs.ShowModal(about);
}

void TZerboCode::Contents1Click(TObject*) {
    IComponentPlatform& files = services_.Files;
    if (WinVer > 5)
        services_.Shell.ShellOpen(ChangeFileExt(files.PathDelimiters(), files.ProgramFileName(), u".hlp"));
    else
        services_.Shell.HelpContents(HelpFile);
}

} // namespace zerbo::app
