// The macros of DDE clients: each line a command word, one blank and a parameter, applied to
// the window's settings as the user's controls would be.
#include "app/ZerboCode.h"
#include "core/Convert.h"
#include "core/Text.h"

namespace zerbo::app {

namespace {

using Z = TZerboCode;
using S = std::u16string;

// "TRUE" or "1" switch on, "FALSE" or "0" off; any other word changes nothing.
template <auto Member>
void truth(Z& z, const S& p) {
    if (p == u"TRUE" || p == u"1") (z.*Member).SetChecked(true);
    if (p == u"FALSE" || p == u"0") (z.*Member).SetChecked(false);
}

// The symbology words of "CODE", and the index each selects.
struct TCodeWord {
    std::u16string_view Word;
    int32_t Index;
};
constexpr TCodeWord kCodeWords[] = {
    {u"JAN", barcode::cbarJAN},       {u"CODE39", barcode::cbarCODE39},    {u"CODE-39", barcode::cbarCODE39},
    {u"39", barcode::cbarCODE39},     {u"NW7", barcode::cbarNW7},          {u"NW-7", barcode::cbarNW7},
    {u"7", barcode::cbarNW7},         {u"ITF", barcode::cbarITF},          {u"CST", barcode::cbarCUSTOMER},
    {u"CUSTOMER", barcode::cbarCUSTOMER}, {u"UPC", barcode::cbarUPC},      {u"CTF", barcode::cbarCTF},
    {u"IATA", barcode::cbarIATA},     {u"MATRIX", barcode::cbarMATRIX},    {u"NEC", barcode::cbarNEC},
    // "OCDE" as the program has always spelt it: clients send it so.
    {u"CODE128", barcode::cbarCODE128}, {u"OCDE-128", barcode::cbarCODE128}, {u"128", barcode::cbarCODE128},
    {u"CODE93", barcode::cbarCODE93}, {u"OCDE-93", barcode::cbarCODE93},   {u"93", barcode::cbarCODE93},
    {u"QR2", kQRCodeType},
};

} // namespace

struct TZerboCode::TMacroCommand {
    std::u16string_view Word;
    void (*Apply)(Z& z, const S& p);
};

std::span<const TZerboCode::TMacroCommand> TZerboCode::MacroCommands() {
    static constexpr TMacroCommand kCommands[] = {
        {u"CODE",
         [](Z& z, const S& p) {
             for (const TCodeWord& w : kCodeWords)
                 if (p == w.Word) {
                     z.CdType.SetItemIndex(w.Index);
                     break;
                 }
             // Also QR Code's 12, outside the component's types: the component then
             // rejects its data until a linear type comes back; the QR path never asks it.
             z.BarImage1.SetBarType(static_cast<barcode::TBarTypes>(z.CdType.ItemIndex()));
         }},
        {u"THIN",
         [](Z& z, const S& p) {
             if (p == u"1" || p == u"2" || p == u"3") z.ThinWd.SetItemIndex(p[0] - u'1');
         }},
        {u"CHECKDIGIT", truth<&Z::CHB1>},
        {u"CHKDIGIT", truth<&Z::CHB1>},
        {u"STARTCHAR", [](Z& z, const S& p) { z.Edit2.SetText(p); }},
        {u"STOPCHAR", [](Z& z, const S& p) { z.Edit3.SetText(p); }},
        {u"VISIBLE",
         [](Z& z, const S& p) {
             // The window stays as it is; the next start follows.
             z.setTrayResidence(p == u"FALSE");
             z.services_.Form.SetShowAtStart(p != u"FALSE");
         }},
        {u"WRITE",
         [](Z& z, const S& p) {
             z.waitWhileRunning();
             z.Running = true;
             z.EditCode.SetText(Trim(p));
             z.BarImage1.SetCode(z.EditCode.Text());
             z.RB_Click(&z);
             z.Running = false;
         }},
        {u"POKE",
         [](Z& z, const S& p) {
             const int32_t dc = StrToInt(p);
             // Only a metafile plays there; a bitmap picture stays as it is.
             if (const gfx::TMetafileGraphic* metafile = z.Image1.Picture().AsMetafile())
                 z.services_.Dde.DrawOnDeviceContext(static_cast<uintptr_t>(static_cast<uint32_t>(dc)), *metafile);
         }},
        {u"CODECHAR", truth<&Z::AddCodeChar>},
        {u"QRSPECIAL", truth<&Z::SpCode>},
        {u"HEIGHT", [](Z& z, const S& p) { z.BarHeight.SetValue(StrToInt(p)); }},
        {u"LEFTMARGIN", [](Z& z, const S& p) { z.LeftMargin.SetValue(StrToInt(p)); }},
        {u"TOPMARGIN", [](Z& z, const S& p) { z.TopMargin.SetValue(StrToInt(p)); }},
        {u"COPYTYPE",
         [](Z& z, const S& p) {
             z.BarImage1.SetBarPicture(p == u"WMF" ? barcode::pbarWMF : p == u"BMP" ? barcode::pbarBMP : barcode::pbarEMF);
         }},
        {u"COMMENTSHOW", [](Z& z, const S& p) { z.Comnt.SetChecked(p != u"FALSE"); }},
        {u"COMMENT", [](Z& z, const S& p) { z.ComntStr.SetText(p); }},
        {u"COMMENTPOS", [](Z& z, const S& p) { z.ComntPos.SetItemIndex(p == u"TOP" ? 0 : 1); }},
        {u"COMMENTALIGN",
         [](Z& z, const S& p) {
             z.ComntAl.SetItemIndex(p == u"LEFT" ? barcode::locLeft : p == u"CENTER" ? barcode::locCenter : barcode::locRight);
         }},
        {u"QRVER",
         [](Z& z, const S& p) {
             int32_t version = 0;
             if (TryStrToInt(p, version) && version >= 1 && version <= 40) z.QRVer.SetValue(version);
         }},
        {u"QRERR",
         [](Z& z, const S& p) {
             if (p == u"L" || p == u"M" || p == u"Q" || p == u"H")
                 z.QRErr.SetItemIndex(p == u"L" ? 0 : p == u"M" ? 1 : p == u"Q" ? 2 : 3);
         }},
        // The component's colours alone: QR symbols keep BarCol and BackCol.
        {u"BARCOL",
         [](Z& z, const S& p) {
             if (!p.empty()) z.BarImage1.SetBarColor(static_cast<TColor>(StrToInt(p)));
         }},
        {u"BACKCOL",
         [](Z& z, const S& p) {
             if (!p.empty()) z.BarImage1.SetBackColor(static_cast<TColor>(StrToInt(p)));
         }},
        {u"SAVE",
         [](Z& z, const S& p) {
             if (!p.empty()) z.SaveFile(p);
         }},
    };
    return kCommands;
}

void TZerboCode::DdeZerboconvExecuteMacro(TObject*, const std::vector<std::u16string>& Msg) {
    const std::vector<std::u16string> lines = Msg;
    if (lines.empty()) return;
    detachWatch();
    const bool autoCopy = AutoCopy.Checked();
    AutoCopy.SetChecked(true);
    // However the macro ends: the user's automatic copy back, the watch handler attached.
    struct TMacroEnd {
        TZerboCode& z;
        bool autoCopy;
        ~TMacroEnd() {
            z.AutoCopy.SetChecked(autoCopy);
            z.attachWatch();
        }
    } end{*this, autoCopy};
    for (const std::u16string& line : lines) {
        const std::u16string u = services_.Application.UpperCase(line);
        if (u == u"CLOSE") {
            TaskClose = true;
            services_.Form.Close();
        }
        const size_t blank = u.find(u' ');
        if (blank == std::u16string::npos) return;
        // A line longer than any field takes is nothing a client meant.
        if (u.size() > kMaxDataLength) continue;
        applyMacroLine(u.substr(0, blank), u.substr(blank + 1));
    }
}

void TZerboCode::applyMacroLine(const std::u16string& command, const std::u16string& parameter) {
    for (const TMacroCommand& c : MacroCommands())
        if (command == c.Word) {
            c.Apply(*this, parameter);
            return;
        }
}

} // namespace zerbo::app
