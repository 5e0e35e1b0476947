#pragma once
// TURLLink: a text that opens its link through the shell when clicked, takes its link colour
// while the mouse is over it, and can show the link in a small floating window beside the
// pointer.
#include <functional>
#include <string>

#include "components/Controls.h"
#include "gfx/Font.h"

namespace zerbo {

enum TURLtype { tpURL, tpMAIL };

// What the floating window shows and where, in screen coordinates.
struct TFloatingHint {
    std::u16string Text;
    TColor Color;
    gfx::TFont Font;
    int32_t Left, Top;
};

class TURLLink : public TCustomControl {
public:
    explicit TURLLink(std::u16string name);

    TURLtype URLType() const { return FURLtype; }
    void SetURLType(TURLtype value);
    const std::u16string& Link() const { return FLink; }
    void SetLink(const std::u16string& value);
    TColor LinkColor() const { return FLinkColor; }
    void SetLinkColor(TColor value);
    TColor HintFormColor() const { return FHintFormColor; }
    void SetHintFormColor(TColor value);
    int32_t HintOffsetX() const { return FHintOffsetX; }
    void SetHintOffsetX(int32_t value);
    int32_t HintOffsetY() const { return FHintOffsetY; }
    void SetHintOffsetY(int32_t value);
    bool EnableShowHint() const { return FEnableShowHint; }
    void SetEnableShowHint(bool value);
    const gfx::TFont& HintFormFont() const { return FHintFormFont; }
    void SetHintFormFont(const gfx::TFont& value);
    bool HintShown() const { return ShowHintForm; }

    gfx::TFont Font;
    // Opens a link through the shell ("OPEN").
    std::function<void(const std::u16string& target)> OnOpen;
    // Shows the floating window (or, with nullptr, hides it): the view's part.
    std::function<void(const TFloatingHint* hint)> OnFloatingHint;

    void Paint(gfx::TCanvas& canvas) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseMove(int32_t x, int32_t y, int32_t screenX, int32_t screenY) override;
    void MouseDown(TMouseButton button, int32_t x, int32_t y) override;
    TCursor Cursor() const override { return TCursor::crHandPoint; }

private:
    void hideHint();

    bool ShowHintForm = false;
    TURLtype FURLtype = tpURL;
    std::u16string FLink = u"http://";
    TColor FFontColor = 0;
    TColor FLinkColor = 0x000000FF;
    TColor FHintFormColor = clInfoBk;
    int32_t FHintOffsetX = 15;
    int32_t FHintOffsetY = 15;
    bool FEnableShowHint = true;
    gfx::TFont FHintFormFont;
};

} // namespace zerbo
