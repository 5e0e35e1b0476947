#pragma once
// Helpers shared by the component tests: reading the native picture back, and a component
// whose encoder returns a given pattern, for drawing symbologies built elsewhere.
#include <string>

#include "barcode/BarImage.h"
#include "gfx/Picture.h"

namespace zerbo::barcode::testing {

inline const gfx::TBitmap24& BitmapOf(const TBarImage& image) {
    return dynamic_cast<const gfx::TNativeBitmap&>(*image.Picture().Graphic()).Image();
}

inline const gfx::TNativeMetafile& MetafileOf(const TBarImage& image) {
    return dynamic_cast<const gfx::TNativeMetafile&>(*image.Picture().Graphic());
}

// Row y between x0 and x1 (exclusive): '1' where the pixel has the colour, '0' elsewhere.
inline std::string RowOf(const gfx::TBitmap24& b, int y, int x0, int x1, TColor color = clBlack) {
    std::string s;
    for (int x = x0; x < x1; ++x) s += b.Pixel(x, y) == color ? '1' : '0';
    return s;
}

// Column x between y0 and y1 (exclusive), read the same way.
inline std::string ColumnOf(const gfx::TBitmap24& b, int x, int y0, int y1, TColor color = clBlack) {
    std::string s;
    for (int y = y0; y < y1; ++y) s += b.Pixel(x, y) == color ? '1' : '0';
    return s;
}

class TPatternImage : public TBarImage {
public:
    TPatternImage() : TBarImage(nullptr) {}
    std::string Pattern;
    std::u16string Symbol = u"TEXT";

protected:
    std::string RunEncoder(const EncodeInput&, std::u16string& symbol) override {
        symbol = Pattern.empty() ? u"" : Symbol;
        return Pattern;
    }
};

} // namespace zerbo::barcode::testing
