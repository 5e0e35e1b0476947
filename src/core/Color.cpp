#include "core/Color.h"

namespace zerbo {

namespace {

// The classic scheme, indexed by system colour number (COLOR_SCROLLBAR .. COLOR_MENUBAR).
constexpr TColor kSystemColors[] = {
    MakeColor(0xC8, 0xC8, 0xC8), // 0 scroll bar
    MakeColor(0x00, 0x00, 0x00), // 1 background
    MakeColor(0x99, 0xB4, 0xD1), // 2 active caption
    MakeColor(0xBF, 0xCD, 0xDB), // 3 inactive caption
    MakeColor(0xF0, 0xF0, 0xF0), // 4 menu
    MakeColor(0xFF, 0xFF, 0xFF), // 5 window
    MakeColor(0x64, 0x64, 0x64), // 6 window frame
    MakeColor(0x00, 0x00, 0x00), // 7 menu text
    MakeColor(0x00, 0x00, 0x00), // 8 window text
    MakeColor(0x00, 0x00, 0x00), // 9 caption text
    MakeColor(0xB4, 0xB4, 0xB4), // 10 active border
    MakeColor(0xF4, 0xF7, 0xFC), // 11 inactive border
    MakeColor(0xAB, 0xAB, 0xAB), // 12 application workspace
    MakeColor(0x33, 0x99, 0xFF), // 13 highlight
    MakeColor(0xFF, 0xFF, 0xFF), // 14 highlight text
    MakeColor(0xF0, 0xF0, 0xF0), // 15 button face
    MakeColor(0xA0, 0xA0, 0xA0), // 16 button shadow
    MakeColor(0x6D, 0x6D, 0x6D), // 17 grey text
    MakeColor(0x00, 0x00, 0x00), // 18 button text
    MakeColor(0x43, 0x4E, 0x54), // 19 inactive caption text
    MakeColor(0xFF, 0xFF, 0xFF), // 20 button highlight
    MakeColor(0x69, 0x69, 0x69), // 21 3D dark shadow
    MakeColor(0xE3, 0xE3, 0xE3), // 22 3D light
    MakeColor(0x00, 0x00, 0x00), // 23 tooltip text
    MakeColor(0xFF, 0xFF, 0xE1), // 24 tooltip background
    MakeColor(0x00, 0x00, 0x00), // 25 (unused)
    MakeColor(0x00, 0x66, 0xCC), // 26 hot light
    MakeColor(0xB9, 0xD1, 0xEA), // 27 gradient active caption
    MakeColor(0xD7, 0xE4, 0xF2), // 28 gradient inactive caption
    MakeColor(0x33, 0x99, 0xFF), // 29 menu highlight
    MakeColor(0xF0, 0xF0, 0xF0), // 30 menu bar
};

} // namespace

TColor ColorToRGB(TColor c) {
    if (IsSystemColor(c)) {
        const TColor index = c & 0xFF;
        if (index < sizeof kSystemColors / sizeof kSystemColors[0]) return kSystemColors[index];
    }
    return c & 0xFFFFFF;
}

} // namespace zerbo
