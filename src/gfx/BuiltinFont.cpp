#include "gfx/BuiltinFont.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>

namespace zerbo::gfx::builtin {

namespace {

// One glyph: seven rows of five pixels, bit 4 the leftmost.
using Glyph = std::array<std::uint8_t, 7>;

constexpr Glyph G(const char (&rows)[36]) {
    Glyph g{};
    for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 5; ++c)
            if (rows[r * 5 + c] == '#') g[r] = static_cast<std::uint8_t>(g[r] | (0x10 >> c));
    return g;
}

// U+0020 to U+005F; each string is the seven rows one after the other.
constexpr Glyph kGlyphs[64] = {
    G("....." "....." "....." "....." "....." "....." "....."), // space
    G("..#.." "..#.." "..#.." "..#.." "..#.." "....." "..#.."), // !
    G(".#.#." ".#.#." "....." "....." "....." "....." "....."), // "
    G(".#.#." ".#.#." "#####" ".#.#." "#####" ".#.#." ".#.#."), // #
    G("..#.." ".####" "#.#.." ".###." "..#.#" "####." "..#.."), // $
    G("##..." "##..#" "...#." "..#.." ".#..." "#..##" "...##"), // %
    G(".##.." "#..#." "#.#.." ".#..." "#.#.#" "#..#." ".##.#"), // &
    G("..#.." "..#.." "....." "....." "....." "....." "....."), // '
    G("...#." "..#.." ".#..." ".#..." ".#..." "..#.." "...#."), // (
    G(".#..." "..#.." "...#." "...#." "...#." "..#.." ".#..."), // )
    G("....." "..#.." "#.#.#" ".###." "#.#.#" "..#.." "....."), // *
    G("....." "..#.." "..#.." "#####" "..#.." "..#.." "....."), // +
    G("....." "....." "....." "....." ".##.." "..#.." ".#..."), // ,
    G("....." "....." "....." "#####" "....." "....." "....."), // -
    G("....." "....." "....." "....." "....." ".##.." ".##.."), // .
    G("....." "....#" "...#." "..#.." ".#..." "#...." "....."), // /
    G(".###." "#...#" "#..##" "#.#.#" "##..#" "#...#" ".###."), // 0
    G("..#.." ".##.." "..#.." "..#.." "..#.." "..#.." ".###."), // 1
    G(".###." "#...#" "....#" "...#." "..#.." ".#..." "#####"), // 2
    G("#####" "...#." "..#.." "...#." "....#" "#...#" ".###."), // 3
    G("...#." "..##." ".#.#." "#..#." "#####" "...#." "...#."), // 4
    G("#####" "#...." "####." "....#" "....#" "#...#" ".###."), // 5
    G("..##." ".#..." "#...." "####." "#...#" "#...#" ".###."), // 6
    G("#####" "....#" "...#." "..#.." ".#..." ".#..." ".#..."), // 7
    G(".###." "#...#" "#...#" ".###." "#...#" "#...#" ".###."), // 8
    G(".###." "#...#" "#...#" ".####" "....#" "...#." ".##.."), // 9
    G("....." ".##.." ".##.." "....." ".##.." ".##.." "....."), // :
    G("....." ".##.." ".##.." "....." ".##.." "..#.." ".#..."), // ;
    G("...#." "..#.." ".#..." "#...." ".#..." "..#.." "...#."), // <
    G("....." "....." "#####" "....." "#####" "....." "....."), // =
    G(".#..." "..#.." "...#." "....#" "...#." "..#.." ".#..."), // >
    G(".###." "#...#" "....#" "...#." "..#.." "....." "..#.."), // ?
    G(".###." "#...#" "....#" ".##.#" "#.#.#" "#.#.#" ".###."), // @
    G(".###." "#...#" "#...#" "#####" "#...#" "#...#" "#...#"), // A
    G("####." "#...#" "#...#" "####." "#...#" "#...#" "####."), // B
    G(".###." "#...#" "#...." "#...." "#...." "#...#" ".###."), // C
    G("###.." "#..#." "#...#" "#...#" "#...#" "#..#." "###.."), // D
    G("#####" "#...." "#...." "####." "#...." "#...." "#####"), // E
    G("#####" "#...." "#...." "####." "#...." "#...." "#...."), // F
    G(".###." "#...#" "#...." "#.###" "#...#" "#...#" ".####"), // G
    G("#...#" "#...#" "#...#" "#####" "#...#" "#...#" "#...#"), // H
    G(".###." "..#.." "..#.." "..#.." "..#.." "..#.." ".###."), // I
    G("..###" "...#." "...#." "...#." "...#." "#..#." ".##.."), // J
    G("#...#" "#..#." "#.#.." "##..." "#.#.." "#..#." "#...#"), // K
    G("#...." "#...." "#...." "#...." "#...." "#...." "#####"), // L
    G("#...#" "##.##" "#.#.#" "#.#.#" "#...#" "#...#" "#...#"), // M
    G("#...#" "#...#" "##..#" "#.#.#" "#..##" "#...#" "#...#"), // N
    G(".###." "#...#" "#...#" "#...#" "#...#" "#...#" ".###."), // O
    G("####." "#...#" "#...#" "####." "#...." "#...." "#...."), // P
    G(".###." "#...#" "#...#" "#...#" "#.#.#" "#..#." ".##.#"), // Q
    G("####." "#...#" "#...#" "####." "#.#.." "#..#." "#...#"), // R
    G(".####" "#...." "#...." ".###." "....#" "....#" "####."), // S
    G("#####" "..#.." "..#.." "..#.." "..#.." "..#.." "..#.."), // T
    G("#...#" "#...#" "#...#" "#...#" "#...#" "#...#" ".###."), // U
    G("#...#" "#...#" "#...#" "#...#" "#...#" ".#.#." "..#.."), // V
    G("#...#" "#...#" "#...#" "#.#.#" "#.#.#" "#.#.#" ".#.#."), // W
    G("#...#" "#...#" ".#.#." "..#.." ".#.#." "#...#" "#...#"), // X
    G("#...#" "#...#" ".#.#." "..#.." "..#.." "..#.." "..#.."), // Y
    G("#####" "....#" "...#." "..#.." ".#..." "#...." "#####"), // Z
    G(".###." ".#..." ".#..." ".#..." ".#..." ".#..." ".###."), // [
    G("....." "#...." ".#..." "..#.." "...#." "....#" "....."), // backslash
    G(".###." "...#." "...#." "...#." "...#." "...#." ".###."), // ]
    G("..#.." ".#.#." "#...#" "....." "....." "....." "....."), // ^
    G("....." "....." "....." "....." "....." "....." "#####"), // _
};

// Drawn for anything the table lacks: an open box, so no character goes missing silently.
constexpr Glyph kBox = G("#####" "#...#" "#...#" "#...#" "#...#" "#...#" "#####");

const Glyph& GlyphOf(char16_t c) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 0x20);
    if (c >= 0x20 && c < 0x60) return kGlyphs[c - 0x20];
    return kBox;
}

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Length of the character starting at text[i], in code units.
std::size_t CharLength(std::u16string_view text, std::size_t i) {
    return IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]) ? 2 : 1;
}

} // namespace

int CellHeight(const TFont& font) {
    const long long h = font.Height < 0 ? -static_cast<long long>(font.Height) : font.Height;
    if (h == 0) return 12;
    return static_cast<int>(std::min<long long>(h, kMaxCellHeight));
}

// Glyphs sit in a 6 x 9 grid (a column after, a row above and one below), scaled to the height.
int CellWidth(const TFont& font) { return std::max(1, (CellHeight(font) * 2 + 1) / 3); }

int TextWidth(const TFont& font, std::u16string_view text) {
    long long count = 0;
    for (std::size_t i = 0; i < text.size(); i += CharLength(text, i)) ++count;
    return static_cast<int>(std::min<long long>(count * CellWidth(font), INT_MAX));
}

int TextHeight(const TFont& font, std::u16string_view) { return CellHeight(font); }

void DrawText(TBitmap24& bitmap, int x, int y, const TFont& font, std::u16string_view text) {
    const TColor color = ColorToRGB(font.Color);
    const std::uint8_t blue = BlueOf(color), green = GreenOf(color), red = RedOf(color);
    const int ch = CellHeight(font);
    const int cw = CellWidth(font);
    // Rows of the cell that fall inside the bitmap.
    const long long rowFirst = std::max<long long>(0, -static_cast<long long>(y));
    const long long rowLast = std::min<long long>(ch, static_cast<long long>(bitmap.Height()) - y);
    if (rowFirst >= rowLast) return;
    // Glyph row of each cell row and glyph column bit of each cell column, computed once:
    // the scaling is the same for every character.
    std::array<std::int8_t, kMaxCellHeight> glyphRow;
    std::array<std::uint8_t, kMaxCellHeight> columnBit;
    for (int r = 0; r < ch; ++r) glyphRow[r] = static_cast<std::int8_t>(r * 9 / ch - 1);
    for (int c = 0; c < cw; ++c) {
        const int gx = c * 6 / cw;
        columnBit[c] = gx < 5 ? static_cast<std::uint8_t>(0x10 >> gx) : 0;
    }
    const int width = bitmap.Width();
    const std::size_t stride = bitmap.Stride();
    std::uint8_t* const rows = bitmap.Row(0);
    long long left = x;
    for (std::size_t i = 0; i < text.size() && left < width; i += CharLength(text, i), left += cw) {
        if (left + cw <= 0) continue;
        const Glyph& g = GlyphOf(text[i]);
        const long long colFirst = std::max<long long>(0, -left);
        const long long colLast = std::min<long long>(cw, width - left);
        for (long long r = rowFirst; r < rowLast; ++r) {
            const int gy = glyphRow[r];
            if (gy < 0 || gy >= 7 || g[gy] == 0) continue;
            const std::uint8_t bits = g[gy];
            std::uint8_t* p = rows + static_cast<std::size_t>(y + r) * stride + (left + colFirst) * 3;
            for (long long c = colFirst; c < colLast; ++c, p += 3)
                if (bits & columnBit[c]) {
                    p[0] = blue;
                    p[1] = green;
                    p[2] = red;
                }
        }
    }
}

} // namespace zerbo::gfx::builtin
