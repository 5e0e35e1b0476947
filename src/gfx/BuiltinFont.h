#pragma once
// The small font the native canvases use: 5 x 7 glyphs for printable ASCII (lower case
// drawn as upper case), an open box for every other character, scaled to the font's pixel
// height. Name, style and pitch are ignored; the Win32 canvas uses real fonts instead.
#include <string_view>

#include "gfx/Bitmap.h"
#include "gfx/Font.h"

namespace zerbo::gfx::builtin {

// Cell height in pixels: |Font.Height| (12 for 0), at most kMaxCellHeight.
constexpr int kMaxCellHeight = 2048;
int CellHeight(const TFont& font);
int CellWidth(const TFont& font);

// Characters count once each, a surrogate pair once. Saturates instead of overflowing.
int TextWidth(const TFont& font, std::u16string_view text);
int TextHeight(const TFont& font, std::u16string_view text);

// Paints the glyphs' pixels in Font.Color; clipped to the bitmap.
void DrawText(TBitmap24& bitmap, int x, int y, const TFont& font, std::u16string_view text);

} // namespace zerbo::gfx::builtin
