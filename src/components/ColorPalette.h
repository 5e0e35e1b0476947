#pragma once
// TColorPalette: 52 colours, 13 columns by 4 rows, in which the left mouse button picks the
// foreground and the right one the background; the chosen cells are labelled "FG", "BG" or
// "FB". The keyboard moves a cursor cell (arrows, wrapping) and picks with F and B.
#include <array>
#include <cstdint>

#include "components/Controls.h"

namespace zerbo {

// Reading order, index = row x 13 + column; entry 52 is the value of no colour.
inline constexpr int32_t kPaletteCells = 52;
inline constexpr int32_t kPaletteColumns = 13;
inline constexpr int32_t kPaletteRows = 4;
inline constexpr int32_t kNoColorIndex = 52;
extern const std::array<TColor, kPaletteCells + 1> PaletteColors;

class TColorPalette : public TCustomControl {
public:
    explicit TColorPalette(std::u16string name);

    int32_t ForegroundIndex() const { return FForegroundIndex; }
    void SetForegroundIndex(int32_t value);
    int32_t BackgroundIndex() const { return FBackgroundIndex; }
    void SetBackgroundIndex(int32_t value);
    TColor ForegroundColor() const { return PaletteColors[static_cast<size_t>(FForegroundIndex)]; }
    void SetForegroundColor(TColor value);
    TColor BackgroundColor() const { return PaletteColors[static_cast<size_t>(FBackgroundIndex)]; }
    void SetBackgroundColor(TColor value);
    bool ForegroundEnabled() const { return FForegroundEnabled; }
    void SetForegroundEnabled(bool value);
    bool BackgroundEnabled() const { return FBackgroundEnabled; }
    void SetBackgroundEnabled(bool value);
    int32_t FocusIndex() const { return FFocusIndex; }
    bool Active() const { return FActive; }

    // The cell under a point; the strips left over at the right and bottom give indices the
    // setters turn into no colour.
    int32_t CellAt(int32_t x, int32_t y) const;

    gfx::TFont Font;
    TNotifyEvent OnChange;
    TNotifyEvent OnClick;

    void Paint(gfx::TCanvas& canvas) override;
    void MouseDown(TMouseButton button, int32_t x, int32_t y) override;
    void KeyDown(uint16_t& Key) override;
    void DoEnter() override;
    void DoExit() override;
    bool WantsKeys() const override { return true; }

private:
    void setIndex(int32_t& index, int32_t value);
    void setColor(int32_t& index, TColor value);
    void paintCell(gfx::TCanvas& canvas, int32_t cell, bool focused);

    bool FActive = false;
    int32_t FForegroundIndex = 0;
    int32_t FBackgroundIndex = 0;
    bool FForegroundEnabled = true;
    bool FBackgroundEnabled = true;
    int32_t FFocusIndex = 0;
};

// TColDlg: the palette with OK and Cancel, foreground for the bars, background for the ground.
class TColDlg : public TForm {
public:
    TColDlg();
    TColorPalette ColorPalette1{u"ColorPalette1"};
    TButton Button1{u"Button1"};
    TButton Button2{u"Button2"};
};

} // namespace zerbo
