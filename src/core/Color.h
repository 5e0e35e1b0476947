#pragma once
// TColor: 32 bits, red in the low byte, green in the second, blue in the third.
// A top byte of 0xFF marks a system colour whose low byte is the system colour index.
#include <cstdint>

namespace zerbo {

using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clSystemColor = 0xFF000000;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clBtnHighlight = clSystemColor | 20;
constexpr TColor clInfoBk = clSystemColor | 24;

// Not RGB/GetRValue: <windows.h> defines those as macros.
constexpr TColor MakeColor(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16);
}
constexpr std::uint8_t RedOf(TColor c) { return std::uint8_t(c & 0xFF); }
constexpr std::uint8_t GreenOf(TColor c) { return std::uint8_t((c >> 8) & 0xFF); }
constexpr std::uint8_t BlueOf(TColor c) { return std::uint8_t((c >> 16) & 0xFF); }

constexpr bool IsSystemColor(TColor c) { return (c & 0xFF000000) == clSystemColor; }

// A plain RGB value for any colour. System colours resolve to the platform's classic
// default scheme; an unknown index or any other top byte keeps the low 24 bits.
TColor ColorToRGB(TColor c);

} // namespace zerbo
