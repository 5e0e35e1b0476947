// The settings file: where it is, the keys in the order start-up reads them, and the
// order the close writes them in.
#include <algorithm>

#include "app/ServerStart.h"
#include "app/ZerboCode.h"
#include "core/Convert.h"
#include "core/Guard.h"
#include "core/Path.h"
#include "components/IniFile.h"

namespace zerbo::app {

namespace {

constexpr std::u16string_view kOptions = u"Options";
constexpr std::u16string_view kDesktop = u"Desktop";

// A font of the program as TIniGT reads and writes it.
class TIniFontOf : public IIniFont {
public:
    explicit TIniFontOf(gfx::TFont& font) : font_(&font) {}
    std::u16string Name() const override { return font_->Name; }
    void SetName(const std::u16string& value) override { font_->Name = value; }
    int32_t Size() const override { return font_->Size(); }
    void SetSize(int32_t value) override { font_->SetSize(value); }
    uint8_t Style() const override { return font_->Style; }
    void SetStyle(uint8_t value) override { font_->Style = value; }
    int32_t Color() const override { return static_cast<int32_t>(font_->Color); }
    void SetColor(int32_t value) override { font_->Color = static_cast<TColor>(value); }
    std::unique_ptr<IIniFont> CreateFresh() const override {
        auto own = std::make_unique<gfx::TFont>();
        own->PixelsPerInch = font_->PixelsPerInch;
        auto fresh = std::make_unique<TIniFontOf>(*own);
        fresh->own_ = std::move(own);
        return fresh;
    }
    void Assign(const IIniFont& source) override {
        if (&source == this) return;
        SetName(source.Name());
        SetSize(source.Size());
        SetStyle(source.Style());
        SetColor(source.Color());
    }

private:
    std::unique_ptr<gfx::TFont> own_;
    gfx::TFont* font_;
};

using Z = TZerboCode;
using S = std::u16string;
using TAccess = void (*)(Z& z, TIniGT& ini, const S& section, const S& key);

// How a key's value passes between the file and what holds it.
template <auto Member>
struct Checked {  // a check box or a menu item
    static void Read(Z& z, TIniGT& ini, const S& s, const S& k) {
        (z.*Member).SetChecked(ini.ReadBool(s, k, (z.*Member).Checked()));
    }
    static void Write(Z& z, TIniGT& ini, const S& s, const S& k) { ini.WriteBool(s, k, (z.*Member).Checked()); }
};
template <auto Member>
struct Index {  // a list's selection, -1 for none
    static void Read(Z& z, TIniGT& ini, const S& s, const S& k) {
        (z.*Member).SetItemIndex(ini.ReadInt(s, k, (z.*Member).ItemIndex()));
    }
    static void Write(Z& z, TIniGT& ini, const S& s, const S& k) { ini.WriteInt(s, k, (z.*Member).ItemIndex()); }
};
template <auto Member>
struct Spin {  // a spin edit's value
    static void Read(Z& z, TIniGT& ini, const S& s, const S& k) {
        (z.*Member).SetValue(ini.ReadInt(s, k, ClampToInt32((z.*Member).Value())));
    }
    static void Write(Z& z, TIniGT& ini, const S& s, const S& k) {
        ini.WriteInt(s, k, ClampToInt32((z.*Member).Value()));
    }
};
template <auto Member>
struct Flag {  // a Boolean field
    static void Read(Z& z, TIniGT& ini, const S& s, const S& k) { z.*Member = ini.ReadBool(s, k, z.*Member); }
    static void Write(Z& z, TIniGT& ini, const S& s, const S& k) { ini.WriteBool(s, k, z.*Member); }
};
template <auto Member>
struct Colour {  // a colour field; only a hand edit sets it
    static void Read(Z& z, TIniGT& ini, const S& s, const S& k) {
        z.*Member = static_cast<TColor>(ini.ReadInt(s, k, static_cast<int32_t>(z.*Member)));
    }
};

// Start-up reads most keys together, the window's placement and the font later (after the
// picture kind and the first argument are settled).
enum TReadStep : uint8_t { rsOptions, rsLook };
// The save order of a key that only a hand edit sets.
constexpr int8_t kNeverWritten = 0;

} // namespace

struct TZerboCode::TSettingKey {
    std::u16string_view Section;
    std::u16string_view Key;
    TReadStep Step;
    // The place in the close's writing order, from 1; kNeverWritten for none.
    int8_t SaveOrder;
    TAccess Read;
    TAccess Write;
};

namespace {

// Every written key has a place of its own in the writing order, 1 to the number written.
template <class Key, size_t N>
constexpr bool SaveOrderIsComplete(const Key (&keys)[N]) {
    size_t written = 0;
    for (const Key& k : keys) written += k.SaveOrder != kNeverWritten;
    for (size_t order = 1; order <= written; ++order) {
        size_t holders = 0;
        for (const Key& k : keys) holders += static_cast<size_t>(k.SaveOrder) == order;
        if (holders != 1) return false;
    }
    return true;
}

} // namespace

std::span<const TZerboCode::TSettingKey> TZerboCode::SettingKeys() {
    static constexpr TSettingKey kKeys[] = {
        {kOptions, u"CodeType", rsOptions, 2, Index<&Z::CdType>::Read, Index<&Z::CdType>::Write},
        {kOptions, u"ThinWidth", rsOptions, 3, Index<&Z::ThinWd>::Read, Index<&Z::ThinWd>::Write},
        {kOptions, u"CheckDigit", rsOptions, 4, Checked<&Z::CHB1>::Read, Checked<&Z::CHB1>::Write},
        {kOptions, u"AddCodeChar", rsOptions, 5, Checked<&Z::AddCodeChar>::Read, Checked<&Z::AddCodeChar>::Write},
        // Kept for the view, which is applied once everything else is read.
        {kOptions, u"FormType", rsOptions, 6,
         [](Z& z, TIniGT& ini, const S& s, const S& k) { z.FFormType = ini.ReadInt(s, k, 1); },
         [](Z& z, TIniGT& ini, const S& s, const S& k) {
             ini.WriteInt(s, k, z.View1.Checked() ? 1 : z.View2.Checked() ? 2 : 3);
         }},
        {kOptions, u"FormStyle", rsOptions, 7, Checked<&Z::FStyle>::Read, Checked<&Z::FStyle>::Write},
        {kOptions, u"AutoCopy", rsOptions, 8, Checked<&Z::AutoCopy>::Read, Checked<&Z::AutoCopy>::Write},
        {kOptions, u"CopyToMf", rsOptions, 9, Checked<&Z::CopyMf>::Read, Checked<&Z::CopyMf>::Write},
        {kOptions, u"CopyToEMf", rsOptions, 10, Checked<&Z::CopyEmf>::Read, Checked<&Z::CopyEmf>::Write},
        {kOptions, u"CopyToBm", rsOptions, 11, Checked<&Z::CopyBm>::Read, Checked<&Z::CopyBm>::Write},
        {kOptions, u"CBWatch", rsOptions, 12, Checked<&Z::CBW>::Read, Checked<&Z::CBW>::Write},
        {kOptions, u"BarHeight", rsOptions, 13, Spin<&Z::BarHeight>::Read, Spin<&Z::BarHeight>::Write},
        {kOptions, u"LeftMargin", rsOptions, 14, Spin<&Z::LeftMargin>::Read, Spin<&Z::LeftMargin>::Write},
        {kOptions, u"TopMargin", rsOptions, 15, Spin<&Z::TopMargin>::Read, Spin<&Z::TopMargin>::Write},
        // In quotes, so that blanks around the data come back; a text of several lines
        // keeps its first, as the store keeps every value.
        {kDesktop, u"LastStr", rsOptions, 17,
         [](Z& z, TIniGT& ini, const S& s, const S& k) { z.EditCode.SetText(ini.ReadStr(s, k, z.EditCode.Text())); },
         [](Z& z, TIniGT& ini, const S& s, const S& k) { ini.WriteStr(s, k, u"\"" + std::u16string(TIniFile::StoredPart(z.EditCode.Text())) + u"\""); }},
        {kOptions, u"TaskTary", rsOptions, 1, Flag<&Z::ResTaskTray>::Read, Flag<&Z::ResTaskTray>::Write},
        {kOptions, u"BoxDraw", rsOptions, 19, Checked<&Z::BoxDraw>::Read, Checked<&Z::BoxDraw>::Write},
        {kOptions, u"Comment", rsOptions, 20, Checked<&Z::Comnt>::Read, Checked<&Z::Comnt>::Write},
        {kOptions, u"ComntPos", rsOptions, 21, Index<&Z::ComntPos>::Read, Index<&Z::ComntPos>::Write},
        {kOptions, u"ComntAl", rsOptions, 22, Index<&Z::ComntAl>::Read, Index<&Z::ComntAl>::Write},
        {kOptions, u"ComntStr", rsOptions, 23,
         [](Z& z, TIniGT& ini, const S& s, const S& k) { z.ComntStr.SetText(ini.ReadStr(s, k, z.ComntStr.Text())); },
         [](Z& z, TIniGT& ini, const S& s, const S& k) { ini.WriteStr(s, k, z.ComntStr.Text()); }},
        {kOptions, u"QRVersion", rsOptions, 24, Spin<&Z::QRVer>::Read, Spin<&Z::QRVer>::Write},
        {kOptions, u"QRErrLebel", rsOptions, 25, Index<&Z::QRErr>::Read, Index<&Z::QRErr>::Write},
        {kOptions, u"BarColor", rsOptions, kNeverWritten, Colour<&Z::BarCol>::Read, nullptr},
        {kOptions, u"BackColor", rsOptions, kNeverWritten, Colour<&Z::BackCol>::Read, nullptr},
        {kOptions, u"Trim_Space", rsOptions, 26, Checked<&Z::K1>::Read, Checked<&Z::K1>::Write},
        {kOptions, u"PasteErr", rsOptions, 27, Checked<&Z::N14>::Read, Checked<&Z::N14>::Write},
        {kOptions, u"NoSaveIni", rsOptions, kNeverWritten, Flag<&Z::NoSaveIni>::Read, nullptr},
        // A placement that cannot be read leaves the window where it was laid out.
        {kDesktop, u"Windows", rsLook, 16,
         [](Z& z, TIniGT& ini, const S& s, const S& k) {
             try {
                 ini.ReadWin(s, k, z.services_.Form.Placement());
             } catch (...) {
             }
         },
         [](Z& z, TIniGT& ini, const S& s, const S& k) { ini.WriteWin(s, k, z.services_.Form.Placement()); }},
        {kOptions, u"Font", rsLook, 18,
         [](Z& z, TIniGT& ini, const S& s, const S& k) {
             TIniFontOf font(z.Fnt);
             ini.ReadFont(s, k, font);
         },
         [](Z& z, TIniGT& ini, const S& s, const S& k) { ini.WriteFont(s, k, TIniFontOf(z.Fnt)); }},
    };
    static_assert(SaveOrderIsComplete(kKeys));
    return kKeys;
}

void TZerboCode::FormCreate(const std::vector<std::u16string>& args) {
    showAtStartUp(args);
    IComponentPlatform& files = services_.Files;
    WinVer = files.MajorVersion();
    if (WinVer > 5) {
        const char16_t sep = files.PathSeparator();
        const std::u16string folder = files.AppDataFolder() + sep + u"Zerbo" + sep;
        files.CreateFolders(folder);
        Ini.SetFileName(folder +
                        ChangeFileExt(files.PathDelimiters(), ExtractFileName(files.PathDelimiters(), files.ProgramFileName()), u".ini"));
    } else {
        Ini.Loaded();
    }
    loadSettings(args);
}

void TZerboCode::readKeys(int step) {
    for (const TSettingKey& key : SettingKeys()) {
        if (key.Step != step) continue;
        // One unreadable key must not cost the keys after it: the error is shown and that
        // setting keeps what it had.
        Guarded(showError_, [&] { key.Read(*this, Ini, std::u16string(key.Section), std::u16string(key.Key)); });
    }
}

void TZerboCode::loadSettings(const std::vector<std::u16string>& programArgs) {
    // How COM started the program is its business, not data to draw and copy over the
    // user's clipboard, nor a reason to switch automatic copy on for good.
    const std::vector<std::u16string> args = WithoutServerSwitches(programArgs);
    DelayTime = 0;
    Creating = true;
    CdType.AddItem(u"QRｺｰﾄﾞ2");
    TaskClose = Running = ExitFlag = false;
    InitPers = true;
    // Also when a step raises: a start-up left "under way" would never honour a later exit.
    struct TEndOfStartUp {
        bool& flag;
        ~TEndOfStartUp() { flag = false; }
    } initPers{InitPers};
    Fnt = gfx::TFont();
    Fnt.PixelsPerInch = services_.Form.ScreenPixelsPerInch();

    // Each key into its control; the controls' designed values are the start values of
    // missing keys.
    readKeys(rsOptions);

    if (CopyMf.Checked())
        BarImage1.SetBarPicture(barcode::pbarWMF);
    else if (CopyEmf.Checked())
        BarImage1.SetBarPicture(barcode::pbarEMF);
    else
        BarImage1.SetBarPicture(barcode::pbarBMP);
    RefreshScaleItems();

    decideVisibility();
    if (CBW.Checked()) attachWatch();

    IComponentPlatform& files = services_.Files;
    HelpFile = ChangeFileExt(files.PathDelimiters(), files.ProgramFileName(), u".hlp>tsmain");
    if (!args.empty()) EditCode.SetText(services_.Application.UpperCase(args[0]));

    readKeys(rsLook);
    applyFont();
    BarImage1.SetBarColor(BarCol);
    BarImage1.SetBackColor(BackCol);
    Guarded(showError_, [&] { HistoryEx1.LoadFromIni(); });

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
    Guarded(showError_, [&] { ProcessParams(); });
    AutoCopy.SetChecked(true);
    if (CdType.ItemIndex() == kQRCodeType) CdTypeChange(&CdType);
    RB_Click(this);
}

void TZerboCode::RefreshScaleItems() {
    const int32_t index = ThinWd.ItemIndex();
    ThinWd.SetItems({u"1倍", u"2倍", u"3倍"});
    ThinWd.SetItemIndex(index);
}

void TZerboCode::FormCloseQuery(bool& CanClose) {
    if (!TaskClose && ResTaskTray) {
        // Into the notification area. The icon is the way back, so it is shown whatever
        // put the program there.
        CanClose = false;
        services_.TrayIcon.SetVisible(true);
        services_.Form.SetShowAtStart(false);
        services_.Form.Hide();
        return;
    }
    // Clients still hold automation objects: the user decides.
    if (services_.Automation.LiveObjects() > 0 &&
        !services_.Dialogs.MessageDlg(u"作動中の COM オブジェクトがアプリケーション内に残っています。 "
                                      u"このアプリケーションはこれらのクライアントアプリケーションを失敗させることがあります。"
                                      u"\r\n\r\nこのアプリケーションを閉じますか？",
                                      u"オートメーションサーバーから警告", TMsgButtons::YesNoDefaultNo, TMsgIcon::Warning)) {
        CanClose = false;
        return;
    }
    CanClose = true;
    // Whatever the store refuses, the window still closes, so the program can always end.
    if (!NoSaveIni) Guarded(showError_, [&] { saveSettings(); });
    detachWatch();
}

void TZerboCode::saveSettings() {
    std::vector<const TSettingKey*> keys;
    for (const TSettingKey& key : SettingKeys())
        if (key.SaveOrder != kNeverWritten) keys.push_back(&key);
    std::sort(keys.begin(), keys.end(), [](auto* a, auto* b) { return a->SaveOrder < b->SaveOrder; });
    // A key the store refuses (a full disk, a file another program holds) costs only that
    // key; the first refusal is shown once when the saving is done.
    std::u16string firstError;
    auto save = [&](auto&& write) {
        Guarded([&](const std::u16string& m) { if (firstError.empty()) firstError = m; }, write);
    };
    for (const TSettingKey* key : keys)
        save([&] { key->Write(*this, Ini, std::u16string(key->Section), std::u16string(key->Key)); });
    save([&] { HistoryEx1.SaveToIni(); });
    if (!firstError.empty()) services_.Dialogs.ShowError(firstError);
}

} // namespace zerbo::app
