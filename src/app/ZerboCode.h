#pragma once
// TZerboCode: the main window as plain objects. Its controls and menu items hold every
// setting; its handlers are the generation pipeline. The Win32 view creates real controls
// for the models the layout placed and mirrors the models into them, so a click by the user
// and a change by a command (command line, DDE, automation) take the same path:
//
//   z.CdType.SetItemIndex(10);        // a list set by program raises no change
//   z.EditCode.SetText(u"ABC");       // typing alone generates nothing
//   z.CHB1.SetChecked(true);          // a check box set by program runs its click: RB_Click
//   z.BarHeight.SetValue(60);         // so does a spin edit: BarHeightChange -> RB_Click
//   z.RB_Click(nullptr);              // one generation run
//
// One class, one file per concern, each in the order the behaviour is told:
//   ZerboCode.cpp         controls, layout, menus and their wiring
//   ZerboSettings.cpp     the settings file: start-up loading and saving at the close
//   ZerboPipeline.cpp     RB_Click and the window's own commands (types, views, font, help)
//   ZerboQR.cpp           the QR branch of the pipeline
//   ZerboOutput.cpp       copy, save and print (the print dialog: PrintDialog.cpp)
//   ZerboCommandLine.cpp  the options of a command line or a hand-off
//   ZerboStartUp.cpp      showing the window at start-up, the end of the session
//   ZerboTray.cpp         the clipboard watch, the history's clearing, the notification area
//   ZerboDde.cpp          the macros of DDE clients
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "app/Services.h"
#include "barcode/BarImage.h"
#include "components/ClipboardWatcher.h"
#include "components/Controls.h"
#include "components/HistoryEx.h"
#include "components/IniGT.h"
#include "components/SkyGroupCheckBox.h"
#include "components/WinSpinEdit.h"
#include "gfx/Font.h"
#include "gfx/Image.h"

namespace zerbo::app {

// Index of QR Code in CdType, after the twelve linear symbologies.
inline constexpr int32_t kQRCodeType = barcode::kBarTypeCount;

// The longest data string the program takes from another program: what a user can type
// into the data field and a command line can hold. No symbology encodes anywhere near it,
// and the platform's text field slows down badly beyond it.
inline constexpr size_t kMaxDataLength = 32767;

constexpr TShortCut CtrlKey(char key) { return static_cast<TShortCut>(scCtrl | key); }

class TZerboCode : public TPanel {
public:
    explicit TZerboCode(const TZerboServices& services);
    ~TZerboCode() override;

    // Controls ----------------------------------------------------------------------------
    TPanel Panel2{u"Panel2"};
    TLabel Label4{u"Label4"}, Mode{u"Mode"};
    TSpeedButton SpeedButton1{u"SpeedButton1"}, CopyBtn{u"CopyBtn"};
    TSpeedButton ViewB1{u"ViewB1"}, ViewB2{u"ViewB2"}, ViewB3{u"ViewB3"};
    TTextEdit EditCode{u"EditCode"};
    TComboList Edit1{u"Edit1"};
    TPanel Panel4{u"Panel4"};
    TLabel Label3{u"Label3"}, Label6{u"Label6"};
    TComboList CdType{u"CdType"}, ThinWd{u"ThinWd"};
    TCheckBox BoxDraw{u"BoxDraw"};
    TPanel CDpanel{u"CDpanel"};
    TCheckBox CHB1{u"CHB1"};
    TLabel Label1{u"Label1"}, Label2{u"Label2"};
    TTextEdit Edit2{u"Edit2"}, Edit3{u"Edit3"};
    TPanel QRPanel{u"QRPanel"};
    TLabel Label9{u"Label9"}, Label11{u"Label11"};
    TWinSpinEdit QRVer{u"QRVer"};
    TComboList QRErr{u"QRErr"};
    TButton QRSubBtn{u"QRSubBtn"};
    TCheckBox SpCode{u"SpCode"};
    TPanel Panel3{u"Panel3"};
    TSkyGroupCheckBox AddCodeChar{u"AddCodeChar"};
    TButton Button1{u"Button1"};
    TLabel CharSmp{u"CharSmp"};
    TButton Button2{u"Button2"};
    TPanel Panel5{u"Panel5"};
    TSkyGroupCheckBox Comnt{u"Comnt"};
    TTextEdit ComntStr{u"ComntStr"};
    TComboList ComntPos{u"ComntPos"}, ComntAl{u"ComntAl"};
    TPanel Panel1{u"Panel1"};
    TLabel Label5{u"Label5"}, Label7{u"Label7"}, Label8{u"Label8"};
    TWinSpinEdit BarHeight{u"BarHeight"}, LeftMargin{u"LeftMargin"}, TopMargin{u"TopMargin"};
    TStatusBar StatusBar1{u"StatusBar1"};
    TScrollBox ScrollBox1{u"ScrollBox1"};

    // Menus -------------------------------------------------------------------------------
    TMenuItem MainMenu1{u"MainMenu1"};
    TMenuItem File1{u"File1", u"ファイル(&F)"}, N10{u"N10", u"名前を付けて保存(&A)..."},
        P1{u"P1", u"印刷(&P)...", CtrlKey('P')}, N16{u"N16", u"プリンタの設定..."}, Close1{u"Close1", u"閉じる(&X)"};
    TMenuItem Edit5{u"Edit5", u"編集(&E)"}, Copy1{u"Copy1", u"コピー(&C)", CtrlKey('C')},
        N2{u"N2", u"コピーの種類"}, CopyMf{u"CopyMf", u"メタファイル(WMF)"},
        CopyEmf{u"CopyEmf", u"拡張メタファイル(EMF)"}, CopyBm{u"CopyBm", u"ビットマップ(BMP)"},
        N13{u"N13", u"コピーオプション(&O)"}, K1{u"K1", u"前後の空白を除去(&K)"},
        N14{u"N14", u"エラーメッセージを貼付(&E)"}, AutoCopy{u"AutoCopy", u"自動コピー(&A)"},
        D1{u"D1", u"編集履歴の削除(&D)"};
    TMenuItem Edit4{u"Edit4", u"表示(&V)"}, V1{u"V1", u"作成", CtrlKey('M')},
        CBW{u"CBW", u"クリップボード監視", CtrlKey('W')}, FormType{u"FormType", u"表示モード"},
        View1{u"View1", u"詳細"}, View2{u"View2", u"簡易１"}, View3{u"View3", u"簡易２"},
        FStyle{u"FStyle", u"手前に表示", CtrlKey('F')}, N7{u"N7", u"タスクトレイ常駐", CtrlKey('T')},
        Font1{u"Font1", u"フォント(&F)..."}, C1{u"C1", u"バーコードの色(&C)..."},
        N17{u"N17", u"バーコード色詳細設定(&D)"}, N18{u"N18", u"バーコード(&B)"}, N19{u"N19", u"背景(&A)"};
    TMenuItem N4{u"N4", u"ヘルプ(&H)"}, Contents1{u"Contents1", u"目次(&C)..."},
        ZerboA1{u"ZerboA1", u"Zerboについて(&A)..."};
    TMenuItem PopupMenu1{u"PopupMenu1"}, Open1{u"Open1", u"開く(&O)"}, Close2{u"Close2", u"閉じる(&X)"};

    // Components --------------------------------------------------------------------------
    barcode::TBarImage BarImage1;
    gfx::TImage Image1;
    TIniGT Ini;
    THistoryEx HistoryEx1;
    std::unique_ptr<TClipboardWatcher> ClipboardWatcher1;
    TSaveDialogOptions SaveDialog1{u"バーコードに名前を付けて保存する",
                                   u"BMPファイル(*.bmp)|*.bmp|メタファイル(*.emf)|*.emf|Jpegファイル(*.jpg)|*.jpg", u"bmp"};

    // Fields ------------------------------------------------------------------------------
    gfx::TFont Fnt;
    bool ResTaskTray = false;
    bool TaskClose = false;
    bool Creating = false;
    bool Running = false;
    bool ExitFlag = false;
    std::vector<std::u16string> Params;
    TColor BarCol = clBlack;
    TColor BackCol = clWhite;
    bool AS_Flag = false;
    int32_t DelayTime = 0;
    bool NoSaveIni = false;
    bool InitPers = false;
    int32_t WinVer = 0;
    bool BError = false;
    // The help file as the help system is asked for it (".hlp>tsmain").
    std::u16string HelpFile;

    // Which picture the scroll box shows.
    bool BarImage1Visible() const { return FBarImage1Visible; }
    bool Image1Visible() const { return FImage1Visible; }
    // The picture of the current symbol: Image1's for QR Code, BarImage1's otherwise.
    gfx::TPicture& CurrentPicture();

    // For the view: a picture was drawn or shown; Fnt changed.
    std::function<void()> OnPictureChanged;
    std::function<void()> OnFontChanged;

    // Handlers ----------------------------------------------------------------------------
    // Loads the settings; `args` are the program's arguments.
    void FormCreate(const std::vector<std::u16string>& args = {});
    // Writes the settings unless the program stays in the notification area.
    void FormCloseQuery(bool& CanClose);
    // Completes an exit that the start-up arguments asked for.
    void FormShow();
    void FormActivate();
    // Fills Panel2, ScrollBox1 and StatusBar1 into a client area, as their alignment does.
    void AlignControls(int32_t clientWidth, int32_t clientHeight);

    void RB_Click(TObject* Sender);
    void Execute(TObject* Sender);
    void Edit1Change(TObject* Sender);
    void CdTypeChange(TObject* Sender);
    void FormTypeClick(TObject* Sender);
    void ViewB1Click(TObject* Sender);
    void FStyleClick(TObject* Sender);
    void UpdateModeLabel();
    void BarImage1PaintedBar(TObject* Sender);
    void AddCodeCharClick(TObject* Sender);
    void RefreshScaleItems();
    void CopyMfClick(TObject* Sender);
    void CopyEmfClick(TObject* Sender);
    void CopyBmClick(TObject* Sender);
    void AutoCopyClick(TObject* Sender);
    void Copy1Click(TObject* Sender);
    // The save dialog, then SaveFile with the chosen name.
    void N10Click(TObject* Sender);
    // The print dialog; the printer set-up dialog.
    void P1Click(TObject* Sender);
    void N16Click(TObject* Sender);
    // Writes the current symbol: an enhanced metafile for ".emf", a bitmap file for ".bmp",
    // JPEG for any other extension or none. True when the file exists afterwards. Write
    // errors reach the caller.
    bool SaveFile(const std::u16string& FileName);
    // Applies the options of Params, then generates, copies and saves as they ask. A value
    // that is no integer raises EConvertError and ends the list at that argument.
    void ProcessParams();
    void File1Click(TObject* Sender);
    void Edit5Click(TObject* Sender);
    void Button1Click(TObject* Sender);
    void N18Click(TObject* Sender);
    void N19Click(TObject* Sender);
    void Contents1Click(TObject* Sender);
    // Start-up and the session ---------------------------------------------------------------
    // The platform asks whether the session may end: the program ends with it, its settings
    // saved; true lets the session end.
    bool QueryEndSession();
    // A second start handed its arguments over, one per line: they are processed as a
    // command line is, and automatic copy stays on.
    void ReceiveHandOff(const std::u16string& text);
    // The last automation object of a start by the platform for automation is gone: the
    // program ends, its settings saved, also when it lives in the notification area.
    void AutomationEnded();

    // Clipboard watch, history, notification area ------------------------------------------
    void CBWClick(TObject* Sender);
    // The clipboard changed: its text becomes the data string and a symbol.
    void ClipboardWatcher1Change(TObject* Sender);
    void D1Click(TObject* Sender);
    void N7Click(TObject* Sender);
    void Open1Click(TObject* Sender);
    void Close2Click(TObject* Sender);

    // The dialogs ---------------------------------------------------------------------------
    // The QR content assistant, the colour palette, the about box.
    void QRSubBtnClick(TObject* Sender);
    void Button2Click(TObject* Sender);
    void ZerboA1Click(TObject* Sender);

    // DDE ---------------------------------------------------------------------------------------
    // An execute of a DDE client: its lines, each a command word, a blank and a parameter.
    void DdeZerboconvExecuteMacro(TObject* Sender, const std::vector<std::u16string>& Msg);

    // The QR branch of RB_Click with EditCode's text, and the drawing of a byte text.
    void DrawQR();
    void DrawQRCode(const std::string& text);

private:
    struct TSettingKey;
    struct TOption;
    struct TMacroCommand;
    // The DDE macro's commands in the order they are tried.
    static std::span<const TMacroCommand> MacroCommands();
    // The keys of the settings file in the order they are read.
    static std::span<const TSettingKey> SettingKeys();
    // The command-line options in the order they are tried.
    static std::span<const TOption> Options();

    void buildMenus();
    void wireEvents();
    void loadSettings(const std::vector<std::u16string>& args);
    void readKeys(int step);
    void saveSettings();
    void putErrorText(const std::u16string& text);
    void copyPicture(gfx::TPicture& picture);
    void applyFont();
    void applyParam(const std::u16string& entry, std::u16string& saveName);
    void applyMacroLine(const std::u16string& command, const std::u16string& parameter);
    void waitWhileRunning();
    void pictureChanged();
    void withWatcherOff(const std::function<void()>& body);
    void showAtStartUp(const std::vector<std::u16string>& args);
    void decideVisibility();
    void attachWatch();
    void detachWatch();
    // Tray residence: the field, its menu mirror and the icon.
    void setTrayResidence(bool value);

    TZerboServices services_;
    // The application's error display, for the guards of this window's own boundaries.
    TErrorDisplay showError_;
    std::vector<std::unique_ptr<TMenuItem>> separators_;
    bool FBarImage1Visible = true;
    bool FImage1Visible = false;
    int32_t FFormType = 1;
    std::vector<int32_t> qrModules_;
    // The clipboard's sequence number after the program's own last write: that change is
    // no news for the watch mode, whenever the platform reports it.
    uint32_t ownClipboardChange_ = 0;
};

} // namespace zerbo::app
