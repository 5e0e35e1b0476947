#include "components/ColorPalette.h"

#include <algorithm>

namespace zerbo {

// Column 0 white to black; columns 1 to 12 around the hue circle from red to magenta, in
// four lightness levels.
const std::array<TColor, kPaletteCells + 1> PaletteColors = {
    0x00FFFFFF, 0x009999FF, 0x0099CCFF, 0x0099FFFF, 0x0099FFCC, 0x0099FF99, 0x00CCFF99,
    0x00FFFF99, 0x00FFCC99, 0x00FF9999, 0x00FF99CC, 0x00FF99FF, 0x00CC99FF,  // row 0
    0x00CCCCCC, 0x003333FF, 0x003399FF, 0x0033FFFF, 0x0033FF99, 0x0033FF33, 0x0099FF33,
    0x00FFFF33, 0x00FF9933, 0x00FF3333, 0x00FF3399, 0x00FF33FF, 0x009933FF,  // row 1
    0x00666666, 0x000000CC, 0x000066CC, 0x0000CCCC, 0x0000CC66, 0x0000CC00, 0x0066CC00,
    0x00CCCC00, 0x00CC6600, 0x00CC0000, 0x00CC0066, 0x00CC00CC, 0x006600CC,  // row 2
    0x00000000, 0x00000066, 0x00003366, 0x00006666, 0x00006633, 0x00006600, 0x00336600,
    0x00666600, 0x00663300, 0x00660000, 0x00660033, 0x00660066, 0x00330066,  // row 3
    0x1FFFFFFF,                                                               // no colour
};

namespace {

// The platform's virtual keys the palette acts on, and the two codes it takes as B and F
// too (the number pad's 2 and 6).
constexpr uint16_t vkLeft = 0x25, vkRight = 0x27;
constexpr uint16_t vkB = 'B', vkF = 'F', vkPad2 = 98, vkPad6 = 102;

} // namespace

TColorPalette::TColorPalette(std::u16string name) : TCustomControl(std::move(name)) {
    SetBounds(0, 0, 208, 64);
    Font.SetSize(8);
}

void TColorPalette::setIndex(int32_t& index, int32_t value) {
    if (value == index) return;
    if (value >= 0 && value < kPaletteCells) {
        index = value;
        FFocusIndex = value;
    } else {
        index = kNoColorIndex;
    }
    Invalidate();
    if (OnChange) OnChange(this);
}

void TColorPalette::SetForegroundIndex(int32_t value) { setIndex(FForegroundIndex, value); }
void TColorPalette::SetBackgroundIndex(int32_t value) { setIndex(FBackgroundIndex, value); }

void TColorPalette::setColor(int32_t& index, TColor value) {
    if (value == PaletteColors[static_cast<size_t>(index)]) return;
    for (int32_t i = 0; i <= kNoColorIndex; ++i)
        if (PaletteColors[static_cast<size_t>(i)] == value) setIndex(index, i);
}

void TColorPalette::SetForegroundColor(TColor value) { setColor(FForegroundIndex, value); }
void TColorPalette::SetBackgroundColor(TColor value) { setColor(FBackgroundIndex, value); }

void TColorPalette::SetForegroundEnabled(bool value) {
    if (value == FForegroundEnabled) return;
    FForegroundEnabled = value;
    Invalidate();
}

void TColorPalette::SetBackgroundEnabled(bool value) {
    if (value == FBackgroundEnabled) return;
    FBackgroundEnabled = value;
    Invalidate();
}

int32_t TColorPalette::CellAt(int32_t x, int32_t y) const {
    x = std::clamp(x, 0, std::max(Width() - 1, 0));
    y = std::clamp(y, 0, std::max(Height() - 1, 0));
    const int32_t w = std::max(Width() / kPaletteColumns, 1), h = std::max(Height() / kPaletteRows, 1);
    return y / h * kPaletteColumns + x / w;
}

void TColorPalette::paintCell(gfx::TCanvas& canvas, int32_t cell, bool focused) {
    const int32_t w = Width() / kPaletteColumns, h = Height() / kPaletteRows;
    const int32_t left = cell % kPaletteColumns * w, top = cell / kPaletteColumns * h;
    const TColor color = PaletteColors[static_cast<size_t>(cell)];
    // The cell, and a sunken edge around it: shadow at the top and left, light below and right.
    auto edge = [&] {
        canvas.Pen.Color = clBtnShadow;
        canvas.MoveTo(left, top + h - 1);
        canvas.LineTo(left, top);
        canvas.LineTo(left + w - 1, top);
        canvas.Pen.Color = clBtnHighlight;
        canvas.LineTo(left + w - 1, top + h - 1);
        canvas.LineTo(left - 1, top + h - 1);
    };
    canvas.Brush.Style = gfx::bsSolid;
    canvas.Brush.Color = color;
    canvas.FillRect({left, top, left + w, top + h});
    edge();
    const bool fg = cell == FForegroundIndex && FForegroundEnabled;
    const bool bg = cell == FBackgroundIndex && FBackgroundEnabled;
    const char16_t* label = fg && bg ? u"FB" : fg ? u"FG" : bg ? u"BG" : nullptr;
    if (label) {
        canvas.Font = Font;
        canvas.Font.Color = color ^ 0xFFFFFF;
        canvas.Brush.Style = gfx::bsClear;
        const int32_t x = left + (w - canvas.TextWidth(label)) / 2 + 1, y = top + (h - canvas.TextHeight(label)) / 2 + 1;
        canvas.TextOutAt(x, y, label);
        edge();
    }
    if (focused && FActive) {
        auto frame = [&](int32_t x, int32_t y, TColor c) {
            canvas.Pen.Color = c;
            canvas.MoveTo(x, y);
            canvas.LineTo(x + w - 4, y);
            canvas.LineTo(x + w - 4, y + h - 4);
            canvas.LineTo(x, y + h - 4);
            canvas.LineTo(x, y);
        };
        frame(left + 2, top + 2, clBlack);
        frame(left + 1, top + 1, clWhite);
    }
}

void TColorPalette::Paint(gfx::TCanvas& canvas) {
    for (int32_t cell = 0; cell < kPaletteCells; ++cell) paintCell(canvas, cell, false);
    paintCell(canvas, FFocusIndex, true);
}

void TColorPalette::MouseDown(TMouseButton button, int32_t x, int32_t y) {
    if (button == TMouseButton::mbLeft)
        SetForegroundIndex(CellAt(x, y));
    else
        SetBackgroundIndex(CellAt(x, y));
}

void TColorPalette::KeyDown(uint16_t& Key) {
    TControl::KeyDown(Key);
    int32_t focus = FFocusIndex;
    switch (Key) {
    case vkLeft: focus = focus == 0 ? kPaletteCells - 1 : focus - 1; break;
    case vkRight: focus = focus == kPaletteCells - 1 ? 0 : focus + 1; break;
    case vkUp: focus = focus - kPaletteColumns < 0 ? focus + 3 * kPaletteColumns : focus - kPaletteColumns; break;
    case vkDown:
        focus = focus + kPaletteColumns >= kPaletteCells ? focus - 3 * kPaletteColumns : focus + kPaletteColumns;
        break;
    case vkB:
    case vkPad2:
        if (FBackgroundEnabled) {
            SetBackgroundIndex(FFocusIndex);
            if (OnClick) OnClick(this);
        }
        break;
    case vkF:
    case vkPad6:
        if (FForegroundEnabled) {
            SetForegroundIndex(FFocusIndex);
            if (OnClick) OnClick(this);
        }
        break;
    default:
        return;
    }
    Key = 0;
    if (focus != FFocusIndex && focus >= 0 && focus < kPaletteCells) {
        FFocusIndex = focus;
        Invalidate();
    }
}

void TColorPalette::DoEnter() {
    FActive = true;
    Invalidate();
}

void TColorPalette::DoExit() {
    FActive = false;
    Invalidate();
}

// TColDlg ---------------------------------------------------------------------------------

namespace {

template <auto Member>
constexpr auto M = &LayoutMember<Member>;
using D = TColDlg;

constexpr TLayoutEntry kColDlgLayout[] = {
    {M<&D::ColorPalette1>, nullptr, 8, 4, 208, 64, u""},
    {M<&D::Button1>, nullptr, 56, 76, 75, 22, u"&OK"},
    {M<&D::Button2>, nullptr, 140, 76, 75, 22, u"キャンセル(&C)"},
};

} // namespace

TColDlg::TColDlg() : TForm(u"ColDlg") {
    SetCaption(u"色の設定");
    SetBounds(0, 0, 223, 104);
    StayOnTop = true;
    ApplyLayout(*this, kColDlgLayout);
    Button1.ModalResult = mrOk;
    Button2.ModalResult = mrCancel;
    // Enter cancels: the default button is Cancel.
    Default = &Button2;
    Cancel = &Button2;
}

} // namespace zerbo
