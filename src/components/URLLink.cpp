#include "components/URLLink.h"

namespace zerbo {

TURLLink::TURLLink(std::u16string name) : TCustomControl(std::move(name)) { Font.Color = 0x00FF0000; }

namespace {

template <class T>
void store(TCustomControl& control, T& field, const T& value) {
    if (field == value) return;
    field = value;
    control.Invalidate();
}

} // namespace

void TURLLink::SetURLType(TURLtype value) { store(*this, FURLtype, value); }
void TURLLink::SetLink(const std::u16string& value) { store(*this, FLink, value); }
void TURLLink::SetLinkColor(TColor value) { store(*this, FLinkColor, value); }
void TURLLink::SetHintFormColor(TColor value) { store(*this, FHintFormColor, value); }
void TURLLink::SetHintOffsetX(int32_t value) { store(*this, FHintOffsetX, value); }
void TURLLink::SetHintOffsetY(int32_t value) { store(*this, FHintOffsetY, value); }
void TURLLink::SetEnableShowHint(bool value) { store(*this, FEnableShowHint, value); }

void TURLLink::SetHintFormFont(const gfx::TFont& value) {
    FHintFormFont = value;
    Invalidate();
}

void TURLLink::Paint(gfx::TCanvas& canvas) {
    canvas.Brush.Style = gfx::bsSolid;
    canvas.Brush.Color = clBtnFace;
    canvas.FillRect({0, 0, Width(), Height()});
    canvas.Font = Font;
    canvas.Brush.Style = gfx::bsClear;
    canvas.TextOutAt(0, 0, Caption());
}

void TURLLink::MouseEnter() {
    FFontColor = Font.Color;
    Font.Color = FLinkColor;
    Invalidate();
}

void TURLLink::MouseLeave() {
    Font.Color = FFontColor;
    Invalidate();
    hideHint();
}

void TURLLink::MouseMove(int32_t, int32_t, int32_t screenX, int32_t screenY) {
    if (!FEnableShowHint || ShowHintForm) return;
    const TFloatingHint hint{FLink, FHintFormColor, FHintFormFont, screenX + FHintOffsetX, screenY + FHintOffsetY};
    if (OnFloatingHint) OnFloatingHint(&hint);
    ShowHintForm = true;
}

void TURLLink::MouseDown(TMouseButton button, int32_t, int32_t) {
    Invalidate();
    if (button != TMouseButton::mbLeft) return;
    if (OnOpen) OnOpen(FURLtype == tpMAIL ? u"mailto:" + FLink : FLink);
    hideHint();
}

void TURLLink::hideHint() {
    if (!ShowHintForm) return;
    ShowHintForm = false;
    if (OnFloatingHint) OnFloatingHint(nullptr);
}

} // namespace zerbo
