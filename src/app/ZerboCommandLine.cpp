// The options of a command line, at start-up or handed over by a second start: each
// argument changes a control as the user would, then one run generates, copies and saves.
#include <exception>

#include "app/ZerboCode.h"
#include "core/Convert.h"

namespace zerbo::app {

namespace {

// How long a command waits for a generation run under way. On this one thread such a run is
// an earlier frame of the same stack, which only the messages handled meanwhile can finish;
// the limit keeps a nested command from waiting for ever when none does.
constexpr uint32_t kRunWaitLimitMs = 2000;
constexpr int32_t kRunWaitPollMs = 10;

using Z = TZerboCode;
using S = std::u16string;

} // namespace

// An equal test (the argument is the literal) or a prefix test (it begins with it); the
// rest after the literal is the option's value.
struct TZerboCode::TOption {
    enum TTest : uint8_t { Equal, Prefix };
    std::u16string_view Literal;
    TTest Test;
    void (*Apply)(Z& z, const S& rest, S& saveName);
};

std::span<const TZerboCode::TOption> TZerboCode::Options() {
    using O = TOption;
    // Tried in this order: an equal test early in the table wins over a prefix test later
    // ("/ST" alone puts the program into the notification area, "/STA" sets the start
    // character).
    static constexpr TOption kOptions[] = {
        {u"/S", O::Equal, [](Z& z, const S&, S&) { z.services_.Form.Minimize(); }},
        {u"/ST", O::Equal,
         [](Z& z, const S&, S&) {
             // With TaskClose false the close request hides the program into the tray.
             z.setTrayResidence(true);
             z.services_.Form.Close();
         }},
        {u"/SAVE:", O::Prefix, [](Z&, const S& rest, S& name) { name = rest; }},
        {u"/JAN", O::Equal, [](Z& z, const S&, S&) { z.CdType.SetItemIndex(barcode::cbarJAN); }},
        {u"/C39", O::Equal, [](Z& z, const S&, S&) { z.CdType.SetItemIndex(barcode::cbarCODE39); }},
        {u"/NW7", O::Equal, [](Z& z, const S&, S&) { z.CdType.SetItemIndex(barcode::cbarNW7); }},
        {u"/ITF", O::Equal, [](Z& z, const S&, S&) { z.CdType.SetItemIndex(barcode::cbarITF); }},
        {u"/CST", O::Equal, [](Z& z, const S&, S&) { z.CdType.SetItemIndex(barcode::cbarCUSTOMER); }},
        {u"/UPC", O::Equal, [](Z& z, const S&, S&) { z.CdType.SetItemIndex(barcode::cbarUPC); }},
        {u"/CTF", O::Equal, [](Z& z, const S&, S&) { z.CdType.SetItemIndex(barcode::cbarCTF); }},
        {u"/IATA", O::Equal, [](Z& z, const S&, S&) { z.CdType.SetItemIndex(barcode::cbarIATA); }},
        {u"/MAT", O::Equal, [](Z& z, const S&, S&) { z.CdType.SetItemIndex(barcode::cbarMATRIX); }},
        {u"/NEC", O::Equal, [](Z& z, const S&, S&) { z.CdType.SetItemIndex(barcode::cbarNEC); }},
        {u"/C128", O::Equal, [](Z& z, const S&, S&) { z.CdType.SetItemIndex(barcode::cbarCODE128); }},
        {u"/C93", O::Equal, [](Z& z, const S&, S&) { z.CdType.SetItemIndex(barcode::cbarCODE93); }},
        {u"/QR2", O::Equal, [](Z& z, const S&, S&) { z.CdType.SetItemIndex(kQRCodeType); }},
        {u"/TN1", O::Equal, [](Z& z, const S&, S&) { z.ThinWd.SetItemIndex(0); }},
        {u"/TN2", O::Equal, [](Z& z, const S&, S&) { z.ThinWd.SetItemIndex(1); }},
        {u"/TN3", O::Equal, [](Z& z, const S&, S&) { z.ThinWd.SetItemIndex(2); }},
        {u"/CD1", O::Equal, [](Z& z, const S&, S&) { z.CHB1.SetChecked(true); }},
        {u"/CD0", O::Equal, [](Z& z, const S&, S&) { z.CHB1.SetChecked(false); }},
        {u"/CC1", O::Equal, [](Z& z, const S&, S&) { z.AddCodeChar.SetChecked(true); }},
        {u"/CC0", O::Equal, [](Z& z, const S&, S&) { z.AddCodeChar.SetChecked(false); }},
        {u"/BC1", O::Equal, [](Z& z, const S&, S&) { z.BoxDraw.SetChecked(true); }},
        {u"/BC0", O::Equal, [](Z& z, const S&, S&) { z.BoxDraw.SetChecked(false); }},
        {u"/ST", O::Prefix, [](Z& z, const S& rest, S&) { z.Edit2.SetText(rest.substr(0, 1)); }},
        {u"/SP", O::Prefix, [](Z& z, const S& rest, S&) { z.Edit3.SetText(rest.substr(0, 1)); }},
        {u"/HT", O::Prefix, [](Z& z, const S& rest, S&) { z.BarHeight.SetValue(StrToInt(rest)); }},
        {u"/LM", O::Prefix, [](Z& z, const S& rest, S&) { z.LeftMargin.SetValue(StrToInt(rest)); }},
        {u"/TM", O::Prefix, [](Z& z, const S& rest, S&) { z.TopMargin.SetValue(StrToInt(rest)); }},
        {u"/C:", O::Prefix,
         [](Z& z, const S& rest, S&) {
             z.ComntStr.SetText(rest);
             z.Comnt.SetChecked(true);
         }},
        {u"/CAU", O::Equal, [](Z& z, const S&, S&) { z.ComntPos.SetItemIndex(0); }},
        {u"/CAD", O::Equal, [](Z& z, const S&, S&) { z.ComntPos.SetItemIndex(1); }},
        {u"/CAL", O::Equal, [](Z& z, const S&, S&) { z.ComntAl.SetItemIndex(barcode::locLeft); }},
        {u"/CAC", O::Equal, [](Z& z, const S&, S&) { z.ComntAl.SetItemIndex(barcode::locCenter); }},
        {u"/CAR", O::Equal, [](Z& z, const S&, S&) { z.ComntAl.SetItemIndex(barcode::locRight); }},
        // The picture kind alone; the copy-kind menu items stay as the user chose them.
        {u"/CWM", O::Equal, [](Z& z, const S&, S&) { z.BarImage1.SetBarPicture(barcode::pbarWMF); }},
        {u"/CEM", O::Equal, [](Z& z, const S&, S&) { z.BarImage1.SetBarPicture(barcode::pbarEMF); }},
        {u"/CBM", O::Equal, [](Z& z, const S&, S&) { z.BarImage1.SetBarPicture(barcode::pbarBMP); }},
        {u"/QRV", O::Prefix, [](Z& z, const S& rest, S&) { z.QRVer.SetValue(StrToInt(rest)); }},
        {u"/QRE", O::Prefix, [](Z& z, const S& rest, S&) { z.QRErr.SetItemIndex(StrToInt(rest)); }},
        {u"/SC1", O::Prefix, [](Z& z, const S&, S&) { z.SpCode.SetChecked(true); }},
        // Without a slash: "/SC0" is data.
        {u"SC0", O::Prefix, [](Z& z, const S&, S&) { z.SpCode.SetChecked(false); }},
        {u"/VOFF", O::Equal,
         [](Z& z, const S&, S&) {
             z.setTrayResidence(true);
             z.services_.Form.SetShowAtStart(false);
         }},
        {u"/VON", O::Equal,
         [](Z& z, const S&, S&) {
             z.setTrayResidence(false);
             z.services_.Form.SetShowAtStart(true);
         }},
        {u"/D:", O::Prefix, [](Z& z, const S& rest, S&) { z.DelayTime = StrToInt(rest); }},
        {u"/EXIT", O::Equal, [](Z& z, const S&, S&) { z.ExitFlag = true; }},
    };
    return kOptions;
}

void TZerboCode::waitWhileRunning() {
    IApplication& app = services_.Application;
    const uint32_t start = app.TickCount();
    while (Running && app.TickCount() - start < kRunWaitLimitMs) {
        app.ProcessMessages();
        if (Running) app.Sleep(kRunWaitPollMs);
    }
}

void TZerboCode::ProcessParams() {
    IApplication& app = services_.Application;
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
            app.ProcessMessages();
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
                app.ProcessMessages();
                if (DelayTime > 0) app.Sleep(DelayTime);
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
        services_.Form.Close();
    }
    if (error) std::rethrow_exception(error);
}

void TZerboCode::applyParam(const std::u16string& entry, std::u16string& saveName) {
    const std::u16string u = services_.Application.UpperCase(entry);
    if (u.empty()) return;
    for (const TOption& o : Options()) {
        const bool match = o.Test == TOption::Equal ? u == o.Literal : u.starts_with(o.Literal);
        if (match) {
            o.Apply(*this, u.substr(o.Literal.size()), saveName);
            return;
        }
    }
    // Data keeps the case it was typed in; after "/EXIT" it is ignored.
    if (!ExitFlag) EditCode.SetText(entry);
}

} // namespace zerbo::app
