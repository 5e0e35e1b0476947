// The colour palette's choices, keys and painting, the link label and the version text.
#include <gtest/gtest.h>

#include <vector>

#include "components/ColorPalette.h"
#include "components/URLLink.h"
#include "FakeVersions.h"
#include "components/VersionInfo.h"
#include "gfx/RasterCanvas.h"

namespace zerbo {
namespace {

TEST(ColorPalette, ColoursAndIndicesSelectCellsAndAnythingElseIsNoColour) {
    TColorPalette p(u"P");
    int changes = 0;
    p.OnChange = [&](TObject*) { ++changes; };
    p.SetForegroundColor(0x00000000);
    EXPECT_EQ(p.ForegroundIndex(), 39);
    EXPECT_EQ(p.FocusIndex(), 39);
    p.SetForegroundColor(clBtnFace);  // a system colour is in no cell
    EXPECT_EQ(p.ForegroundIndex(), 39);
    p.SetBackgroundColor(0x0000CC00);
    EXPECT_EQ(p.BackgroundIndex(), 31);
    for (int32_t outside : {60, -1}) {
        p.SetForegroundIndex(39);
        const int32_t focus = p.FocusIndex();
        p.SetForegroundIndex(outside);
        EXPECT_EQ(p.ForegroundIndex(), kNoColorIndex);
        EXPECT_EQ(p.ForegroundColor(), 0x1FFFFFFFu);
        EXPECT_EQ(p.FocusIndex(), focus) << "the focus cell stays";
    }
    const int before = changes;
    p.SetBackgroundIndex(31);
    EXPECT_EQ(changes, before) << "the same index changes nothing";
}

TEST(ColorPalette, APointFindsItsCellAndTheStripsLeftOverGiveTheNextRowOrNone) {
    TColorPalette p(u"P");
    p.SetBounds(0, 0, 210, 64);  // cells 16 x 16, a strip of 2 at the right
    const struct {
        int32_t x, y, cell;
    } cases[] = {{0, 0, 0}, {15, 15, 0}, {16, 0, 1}, {209, 0, 13}, {209, 63, 52}, {-5, 100, 39}, {500, -3, 13}};
    for (const auto& c : cases) EXPECT_EQ(p.CellAt(c.x, c.y), c.cell) << c.x << "," << c.y;
    p.MouseDown(TMouseButton::mbRight, 209, 63);
    EXPECT_EQ(p.BackgroundIndex(), kNoColorIndex);
    p.MouseDown(TMouseButton::mbLeft, 20, 20);
    EXPECT_EQ(p.ForegroundIndex(), 14);
}

TEST(ColorPalette, TheKeysMoveTheFocusWithWrapAndPickWithFAndB) {
    TColorPalette p(u"P");
    int clicks = 0;
    p.OnClick = [&](TObject*) { ++clicks; };
    auto press = [&](uint16_t key) {
        p.KeyDown(key);
        return key;
    };
    p.SetForegroundIndex(5);
    const struct {
        uint16_t key;
        int32_t focus;
    } moves[] = {{vkUp, 44}, {vkDown, 5}, {0x25, 4}, {vkDown, 17}};
    for (const auto& m : moves) {
        EXPECT_EQ(press(m.key), 0) << "consumed";
        EXPECT_EQ(p.FocusIndex(), m.focus);
    }
    p.SetForegroundIndex(51);
    press(0x27);
    EXPECT_EQ(p.FocusIndex(), 0);
    press(0x25);
    EXPECT_EQ(p.FocusIndex(), 51);
    press(0x25);
    press('B');
    EXPECT_EQ(p.BackgroundIndex(), 50);
    press(0x25);
    press(102);  // as F
    EXPECT_EQ(p.ForegroundIndex(), 49);
    press(98);  // as B
    EXPECT_EQ(p.BackgroundIndex(), 49);
    EXPECT_EQ(clicks, 3);
    p.SetForegroundEnabled(false);
    press(0x25);
    press('F');
    EXPECT_EQ(p.ForegroundIndex(), 49) << "a disabled foreground is not picked";
    EXPECT_EQ(press('X'), 'X') << "other keys pass";
}

TEST(ColorPalette, CellsAreFilledEdgedLabelledAndTheFocusFramed) {
    TColorPalette p(u"P");  // 208 x 64: cells 16 x 16
    p.SetForegroundIndex(14);
    p.SetBackgroundIndex(14);
    p.SetBackgroundIndex(40);
    p.SetForegroundIndex(0);
    p.SetForegroundIndex(14);  // the focus follows the last choice: 14
    p.DoEnter();
    gfx::TBitmap24 b(208, 64);
    gfx::TRasterCanvas canvas(b);
    p.Paint(canvas);
    // Cell 1 (16, 0): its colour inside, the shadow at the top and left, light below and right.
    EXPECT_EQ(b.Pixel(24, 8), ColorToRGB(PaletteColors[1]));
    EXPECT_EQ(b.Pixel(16, 8), ColorToRGB(clBtnShadow));
    EXPECT_EQ(b.Pixel(24, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(b.Pixel(31, 8), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(b.Pixel(24, 15), ColorToRGB(clBtnHighlight));
    // The focus cell 14 at (16, 16): a white frame at +1, a black one at +2.
    EXPECT_EQ(b.Pixel(17 + 6, 17), clWhite);
    EXPECT_EQ(b.Pixel(18 + 6, 18), clBlack);
    EXPECT_EQ(b.Pixel(18, 18 + 6), clBlack);
    // "FG" on 14 and "BG" on 40 in the inverse of their colours; no label elsewhere.
    auto inkIn = [&](int32_t cell, TColor ink) {
        const int left = cell % 13 * 16, top = cell / 13 * 16;
        int n = 0;
        for (int y = top + 3; y < top + 13; ++y)
            for (int x = left + 3; x < left + 13; ++x) n += b.Pixel(x, y) == ink;
        return n;
    };
    EXPECT_GT(inkIn(14, PaletteColors[14] ^ 0xFFFFFF), 0);
    EXPECT_GT(inkIn(40, PaletteColors[40] ^ 0xFFFFFF), 0);
    EXPECT_EQ(inkIn(2, PaletteColors[2] ^ 0xFFFFFF), 0);
    // Without the focus the frames go.
    p.DoExit();
    p.Paint(canvas);
    EXPECT_NE(b.Pixel(18 + 6, 18), clBlack);
}

TEST(ColorPalette, BothOnOneCellShowFBAndADisabledChoiceNoLabel) {
    auto label = [](bool fgEnabled) {
        TColorPalette p(u"P");
        p.SetForegroundIndex(20);
        p.SetBackgroundIndex(20);
        p.SetForegroundEnabled(fgEnabled);
        gfx::TBitmap24 b(208, 64);
        gfx::TRasterCanvas canvas(b);
        p.Paint(canvas);
        std::vector<bool> ink;
        for (int x = 7 * 16 + 2; x < 8 * 16 - 2; ++x) ink.push_back(b.Pixel(x, 16 + 8) == (PaletteColors[20] ^ 0xFFFFFF));
        return ink;
    };
    EXPECT_NE(label(true), label(false)) << "FB and BG differ";
}

TEST(URLLink, ClicksOpenTheLinkAndTheFloatingWindowFollowsTheMouse) {
    TURLLink link(u"L");
    std::vector<std::u16string> opened;
    std::vector<bool> hints;
    TFloatingHint last{};
    link.OnOpen = [&](const std::u16string& t) { opened.push_back(t); };
    link.OnFloatingHint = [&](const TFloatingHint* h) {
        hints.push_back(h != nullptr);
        if (h) last = *h;
    };
    link.SetLink(u"zerbo.example.org");
    EXPECT_EQ(link.Font.Color, 0x00FF0000u);
    link.MouseEnter();
    EXPECT_EQ(link.Font.Color, 0x000000FFu);
    link.MouseMove(1, 1, 100, 200);
    link.MouseMove(2, 2, 101, 201);
    EXPECT_EQ(hints, std::vector<bool>{true}) << "shown once, where the mouse first was";
    EXPECT_EQ(last.Left, 115);
    EXPECT_EQ(last.Top, 215);
    EXPECT_EQ(last.Text, u"zerbo.example.org");
    link.MouseDown(TMouseButton::mbRight, 1, 1);
    EXPECT_TRUE(opened.empty()) << "a right click opens nothing";
    link.MouseDown(TMouseButton::mbLeft, 1, 1);
    link.SetURLType(tpMAIL);
    link.MouseDown(TMouseButton::mbLeft, 1, 1);
    EXPECT_EQ(opened, (std::vector<std::u16string>{u"zerbo.example.org", u"mailto:zerbo.example.org"}));
    EXPECT_EQ(hints, (std::vector<bool>{true, false})) << "the click hides it";
    link.MouseLeave();
    EXPECT_EQ(link.Font.Color, 0x00FF0000u);
}

TEST(VersionText, TheFirstTranslationsFileVersionOrEmptyOrUnKnown) {
    test::FakeVersions v;
    auto& file = v.files[u"Zerbo.exe"];
    file = {std::pair<uint16_t, uint16_t>{0x0411, 0x04B0}, {{u"\\StringFileInfo\\041104b0\\FileVersion", u"1.2.3.4"}}};
    EXPECT_EQ(FileVersionText(v, u"Zerbo.exe"), u"1.2.3.4");
    EXPECT_EQ(v.asked, u"\\StringFileInfo\\041104b0\\FileVersion");
    file.values.clear();
    EXPECT_EQ(FileVersionText(v, u"Zerbo.exe"), u"UnKnown");
    file.translation.reset();
    EXPECT_EQ(FileVersionText(v, u"Zerbo.exe"), u"");
    v.files.clear();
    EXPECT_EQ(FileVersionText(v, u"Zerbo.exe"), u"");
}

} // namespace
} // namespace zerbo
