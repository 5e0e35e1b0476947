#pragma once
// A font description: what a canvas needs to pick a typeface. Attributes copy with Assign.
#include <cstdint>
#include <string>

#include "core/Color.h"

namespace zerbo::gfx {

using TFontStyles = std::uint8_t;
constexpr TFontStyles fsBold = 1;
constexpr TFontStyles fsItalic = 2;
constexpr TFontStyles fsUnderline = 4;
constexpr TFontStyles fsStrikeOut = 8;

enum TFontPitch : std::uint8_t { fpDefault, fpVariable, fpFixed };

constexpr std::uint8_t DEFAULT_CHARSET_VALUE = 1;

class TFont {
public:
    // The framework's default on Japanese systems: the GUI font at 9 points on a 96 dpi screen.
    std::u16string Name = u"ＭＳ Ｐゴシック";
    int Height = -12; // pixels; negative: character height without internal leading
    TColor Color = clWindowText;
    TFontStyles Style = 0;
    std::uint8_t Charset = DEFAULT_CHARSET_VALUE;
    TFontPitch Pitch = fpDefault;
    int PixelsPerInch = 96; // of the device the font is measured for

    void Assign(const TFont& source) {
        if (&source == this) return;
        Name = source.Name;
        Height = source.Height;
        Color = source.Color;
        Style = source.Style;
        Charset = source.Charset;
        Pitch = source.Pitch;
    }

    // Size in points, rounded as the platform's MulDiv rounds.
    int Size() const { return -MulDiv(Height, 72, PixelsPerInch); }
    void SetSize(int points) { Height = -MulDiv(points, PixelsPerInch, 72); }

    bool operator==(const TFont& other) const {
        return Name == other.Name && Height == other.Height && Color == other.Color && Style == other.Style &&
               Charset == other.Charset && Pitch == other.Pitch;
    }

private:
    // a * b / c rounded half away from zero; -1 for c = 0, as the platform answers.
    static int MulDiv(int a, int b, int c) {
        if (c == 0) return -1;
        const long long p = static_cast<long long>(a) * b;
        const long long ap = p < 0 ? -p : p;
        const long long ac = c < 0 ? -static_cast<long long>(c) : c;
        const long long q = (ap + ac / 2) / ac;
        return static_cast<int>((p < 0) != (c < 0) ? -q : q);
    }
};

} // namespace zerbo::gfx
