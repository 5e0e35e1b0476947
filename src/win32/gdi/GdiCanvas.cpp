#include "win32/gdi/GdiCanvas.h"
#include "win32/base/WideText.h"

#include <algorithm>
#include <climits>

namespace zerbo::win32 {

namespace {

int Length(std::u16string_view text) { return static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX)); }

bool SameFace(const gfx::TFont& a, const gfx::TFont& b) {
    // Colour is the DC's text colour, not part of the GDI font.
    return a.Name == b.Name && a.Height == b.Height && a.Style == b.Style && a.Charset == b.Charset &&
           a.Pitch == b.Pitch;
}

} // namespace

LOGFONTW LogFontOf(const gfx::TFont& font) {
    LOGFONTW lf{};
    lf.lfHeight = font.Height;
    lf.lfWeight = (font.Style & gfx::fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (font.Style & gfx::fsItalic) ? TRUE : FALSE;
    lf.lfUnderline = (font.Style & gfx::fsUnderline) ? TRUE : FALSE;
    lf.lfStrikeOut = (font.Style & gfx::fsStrikeOut) ? TRUE : FALSE;
    lf.lfCharSet = font.Charset;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = font.Pitch == gfx::fpFixed      ? FIXED_PITCH
                          : font.Pitch == gfx::fpVariable ? VARIABLE_PITCH
                                                          : DEFAULT_PITCH;
    const std::size_t n = std::min<std::size_t>(font.Name.size(), LF_FACESIZE - 1);
    std::copy_n(font.Name.data(), n, lf.lfFaceName);
    lf.lfFaceName[n] = L'\0';
    return lf;
}

COLORREF ColorRefOf(TColor color) {
    if (IsSystemColor(color)) return GetSysColor(static_cast<int>(color & 0xFF));
    return color & 0xFFFFFF; // the same byte order as COLORREF
}

TGdiCanvas::TGdiCanvas(HDC dc) : FDC(dc) {
    // TextOutAt's point is the text's top-left corner.
    SetTextAlign(FDC, TA_LEFT | TA_TOP | TA_NOUPDATECP);
}

TGdiCanvas::~TGdiCanvas() { ReleaseObjects(); }

void TGdiCanvas::ReleaseObjects() {
    if (FOriginalFont) SelectObject(FDC, FOriginalFont);
    if (FOriginalPen) SelectObject(FDC, FOriginalPen);
    FOriginalFont = FOriginalPen = nullptr;
    FFont.Reset();
    FPen.Reset();
    FBrush.Reset();
}

void TGdiCanvas::RealiseFont() {
    if (FFont && SameFace(Font, FFontMade)) return;
    const LOGFONTW lf = LogFontOf(Font);
    TGdiObject<HFONT> font(CreateFontIndirectW(&lf));
    if (!font) return; // the DC keeps drawing with the font it has
    const HGDIOBJ old = SelectObject(FDC, font.Get());
    if (!FOriginalFont) FOriginalFont = old;
    FFont = std::move(font); // the previous one of ours is deselected by now
    FFontMade = Font;
}

void TGdiCanvas::RealisePen() {
    const COLORREF color = ColorRefOf(Pen.Color);
    if (FPen && color == FPenColor) return;
    TGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, color));
    if (!pen) return;
    const HGDIOBJ old = SelectObject(FDC, pen.Get());
    if (!FOriginalPen) FOriginalPen = old;
    FPen = std::move(pen);
    FPenColor = color;
}

SIZE TGdiCanvas::TextExtent(std::u16string_view text) {
    RealiseFont();
    SIZE size{};
    if (!GetTextExtentPoint32W(FDC, wide(text), Length(text), &size)) size = {};
    return size;
}

int TGdiCanvas::TextWidth(std::u16string_view text) { return TextExtent(text).cx; }

int TGdiCanvas::TextHeight(std::u16string_view text) { return TextExtent(text).cy; }

void TGdiCanvas::TextOutAt(int x, int y, std::u16string_view text) {
    RealiseFont();
    SetTextColor(FDC, ColorRefOf(Font.Color));
    // A hollow brush leaves the background under the glyphs as it is.
    if (Brush.Style == gfx::bsClear) {
        SetBkMode(FDC, TRANSPARENT);
    } else {
        SetBkMode(FDC, OPAQUE);
        SetBkColor(FDC, ColorRefOf(Brush.Color));
    }
    TextOutW(FDC, x, y, wide(text), Length(text));
}

void TGdiCanvas::FillRect(const gfx::TRect& r) {
    if (Brush.Style == gfx::bsClear) return;
    const COLORREF color = ColorRefOf(Brush.Color);
    if (!FBrush || color != FBrushColor) {
        FBrush.Reset(CreateSolidBrush(color));
        FBrushColor = color;
    }
    if (!FBrush) return;
    const RECT rect{r.Left, r.Top, r.Right, r.Bottom};
    ::FillRect(FDC, &rect, FBrush.Get());
}

void TGdiCanvas::LineTo(int x, int y) {
    RealisePen();
    MoveToEx(FDC, PenPos.X, PenPos.Y, nullptr);
    ::LineTo(FDC, x, y);
    PenPos = {x, y};
}

} // namespace zerbo::win32
