#pragma once
// The canvas over a Windows device context: a memory DC with a bitmap, or an enhanced
// metafile being recorded. Font, brush and pen are realised as GDI objects when an operation
// needs them, and every object this canvas made is deselected and freed at its end.
#include <windows.h>

#include "gfx/Canvas.h"
#include "gfx/Font.h"
#include "win32/base/Handles.h"

namespace zerbo::win32 {

// The font description as GDI wants it: Height in pixels of the device, style bits as
// weight and flags, the face name cut to what LOGFONT holds.
LOGFONTW LogFontOf(const gfx::TFont& font);
// A plain COLORREF; system colours come from the running system's scheme.
COLORREF ColorRefOf(TColor color);

class TGdiCanvas : public gfx::TCanvas {
public:
    // The DC stays the caller's; it must outlive the canvas.
    explicit TGdiCanvas(HDC dc);
    TGdiCanvas(const TGdiCanvas&) = delete;
    TGdiCanvas& operator=(const TGdiCanvas&) = delete;
    ~TGdiCanvas() override;

    HDC Handle() const { return FDC; }

    int TextWidth(std::u16string_view text) override;
    int TextHeight(std::u16string_view text) override;
    void TextOutAt(int x, int y, std::u16string_view text) override;
    void FillRect(const gfx::TRect& rect) override;
    void LineTo(int x, int y) override;

protected:
    // Gives the DC its own objects back and frees ours; drawing afterwards realises them anew.
    void ReleaseObjects();

private:
    SIZE TextExtent(std::u16string_view text);
    void RealiseFont();
    void RealisePen();

    HDC FDC;
    HGDIOBJ FOriginalFont = nullptr; // what the DC held before we selected ours
    HGDIOBJ FOriginalPen = nullptr;
    TGdiObject<HFONT> FFont;
    gfx::TFont FFontMade; // what FFont was made from
    TGdiObject<HPEN> FPen;
    COLORREF FPenColor = 0;
    TGdiObject<HBRUSH> FBrush;
    COLORREF FBrushColor = 0;
};

} // namespace zerbo::win32
