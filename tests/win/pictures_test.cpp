// Pictures on Windows: the GDI canvas beside the raster canvas, GDI bitmaps, enhanced
// metafiles recorded on the screen, the clipboard in its picture formats, picture files.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "../common/ZbarCases.h"
#include "app/QRText.h"
#include "barcode/BarImage.h"
#include "barcode/Encoder.h"
#include "core/Text.h"
#include "gfx/PictureFile.h"
#include "gfx/RasterCanvas.h"
#include "files.h"
#include "process.h"
#include "qr/QREncoder.h"
#include "win32/gdi/GdiCanvas.h"
#include "win32/ipc/WinClipboard.h"
#include "win32/gdi/WinGraphics.h"

namespace zerbo::win32 {
namespace {

using barcode::TBarImage;

std::wstring gSelf;    // this program, started again to hold the clipboard
std::wstring gZbarDir; // where the files for zbarimg go

constexpr const char16_t* kJan = u"490123456789";

std::u16string U(const std::wstring& s) { return std::u16string(s.begin(), s.end()); }

// Row y as '1' for black and '0' for anything else.
std::string RowOf(const gfx::TBitmap24& b, int y) {
    std::string s;
    for (int x = 0; x < b.Width(); ++x) s += b.Pixel(x, y) == clBlack ? '1' : '0';
    return s;
}

std::string Dump(const gfx::TBitmap24& b) {
    std::string s;
    for (int y = 0; y < b.Height(); ++y) s += RowOf(b, y) + "\n";
    return s;
}

// Any bitmap handle read back as 24-bit rows.
gfx::TBitmap24 PixelsOf(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    gfx::TBitmap24 out(info.bmWidth, info.bmHeight);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = out.Width();
    bi.bmiHeader.biHeight = -out.Height();
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    TScreenDC screen;
    GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(out.Height()), out.Row(0), &bi, DIB_RGB_COLORS);
    return out;
}

// An enhanced metafile played back 1:1 onto a white bitmap of the given size.
gfx::TBitmap24 Play(HENHMETAFILE metafile, int width, int height) {
    TWinBitmap target;
    target.SetPixelFormat(gfx::pf24bit);
    target.SetSize(width, height);
    ENHMETAHEADER header{};
    GetEnhMetaFileHeader(metafile, sizeof header, &header);
    // The frame, in the reference device's pixels, is where the recording goes.
    const double pxPerMMx = double(header.szlDevice.cx) / header.szlMillimeters.cx;
    const double pxPerMMy = double(header.szlDevice.cy) / header.szlMillimeters.cy;
    const RECT frame{0, 0, static_cast<LONG>(header.rclFrame.right / 100.0 * pxPerMMx + 0.5),
                     static_cast<LONG>(header.rclFrame.bottom / 100.0 * pxPerMMy + 0.5)};
    PlayEnhMetaFile(target.DC(), metafile, &frame);
    return target.ToBitmap24();
}

// Formats on the clipboard in the order the platform lists them: what was put comes first,
// then what the platform offers to make from it.
std::vector<UINT> ClipboardFormats() {
    std::vector<UINT> formats;
    if (!OpenClipboard(nullptr)) return formats;
    for (UINT f = EnumClipboardFormats(0); f != 0; f = EnumClipboardFormats(f)) formats.push_back(f);
    CloseClipboard();
    return formats;
}

// The clipboard's bitmap, read while it is open.
gfx::TBitmap24 ClipboardBitmap() {
    gfx::TBitmap24 out;
    if (!OpenClipboard(nullptr)) return out;
    if (HANDLE h = GetClipboardData(CF_BITMAP)) out = PixelsOf(static_cast<HBITMAP>(h));
    CloseClipboard();
    return out;
}

std::unique_ptr<TBarImage> DrawnImage(barcode::TBarPictures kind, const char16_t* code = kJan) {
    auto image = std::make_unique<TBarImage>(nullptr, WinGraphics());
    image->SetMatch(true);
    image->SetBarPicture(kind);
    image->SetCode(code);
    return image;
}

// --- The GDI canvas ------------------------------------------------------------------------

TEST(GdiCanvas, FontDescriptionBecomesALogFont) {
    gfx::TFont font;
    font.Name = u"ＭＳ ゴシック";
    font.Height = -16;
    font.Style = gfx::fsBold | gfx::fsUnderline;
    font.Pitch = gfx::fpFixed;
    font.Charset = 128; // SHIFTJIS_CHARSET
    LOGFONTW lf = LogFontOf(font);
    EXPECT_EQ(lf.lfHeight, -16);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_FALSE(lf.lfItalic);
    EXPECT_TRUE(lf.lfUnderline);
    EXPECT_FALSE(lf.lfStrikeOut);
    EXPECT_EQ(lf.lfCharSet, 128);
    EXPECT_EQ(lf.lfPitchAndFamily, FIXED_PITCH);
    EXPECT_EQ(std::wstring(lf.lfFaceName), L"ＭＳ ゴシック");

    font.Style = gfx::fsItalic | gfx::fsStrikeOut;
    font.Name = std::u16string(40, u'x'); // longer than LOGFONT holds
    lf = LogFontOf(font);
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);
    EXPECT_TRUE(lf.lfItalic);
    EXPECT_TRUE(lf.lfStrikeOut);
    EXPECT_EQ(std::wstring(lf.lfFaceName), std::wstring(LF_FACESIZE - 1, L'x'));
}

TEST(GdiCanvas, FillsAndLinesMatchTheRasterCanvasPixelForPixel) {
    gfx::TBitmap24 raster(12, 8);
    gfx::TRasterCanvas rc(raster);
    TWinBitmap bitmap;
    bitmap.SetPixelFormat(gfx::pf24bit);
    bitmap.SetSize(12, 8);
    for (gfx::TCanvas* c : {static_cast<gfx::TCanvas*>(&rc), &bitmap.Canvas()}) {
        c->Brush = {clBlack, gfx::bsSolid};
        c->FillRect({1, 1, 4, 3}); // right and bottom exclusive
        c->FillRect({-5, 6, 2, 20}); // clipped
        c->Brush.Style = gfx::bsClear;
        c->FillRect({0, 0, 12, 8}); // a hollow brush paints nothing
        c->Pen.Color = clBlack;
        c->MoveTo(6, 1);
        c->LineTo(6, 5); // the end point is left out
        c->MoveTo(8, 7);
        c->LineTo(11, 7);
    }
    EXPECT_EQ(Dump(bitmap.ToBitmap24()), Dump(raster));
    EXPECT_EQ(Dump(raster), "000000000000\n"
                            "011100100000\n"
                            "011100100000\n"
                            "000000100000\n"
                            "000000100000\n"
                            "000000000000\n"
                            "110000000000\n"
                            "110000001110\n");
}

TEST(GdiCanvas, TextIsMeasuredInTheFontAndDrawnWithOrWithoutItsBox) {
    TWinBitmap bitmap;
    bitmap.SetSize(200, 60);
    gfx::TCanvas& c = bitmap.Canvas();
    c.Font.Height = -12;
    const int w12 = c.TextWidth(u"4901234567894"), h12 = c.TextHeight(u"4901234567894");
    c.Font.Height = -24;
    const int w24 = c.TextWidth(u"4901234567894"), h24 = c.TextHeight(u"4901234567894");
    EXPECT_GT(w12, 0);
    EXPECT_GT(h12, 0);
    EXPECT_GT(w24, w12 * 3 / 2);
    EXPECT_GT(h24, h12 * 3 / 2);
    EXPECT_EQ(c.TextWidth(u""), 0);

    // Hollow brush: only glyph pixels change. Solid brush: the whole box takes its colour.
    constexpr TColor kRed = MakeColor(255, 0, 0);
    c.Font.Color = clBlack;
    c.Brush = {kRed, gfx::bsClear};
    c.TextOutAt(0, 0, u"8");
    c.Brush.Style = gfx::bsSolid;
    c.TextOutAt(100, 0, u"8");
    const gfx::TBitmap24 px = bitmap.ToBitmap24();
    int black = 0, red = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 100; ++x) {
            black += px.Pixel(x, y) == clBlack;
            red += px.Pixel(x, y) == kRed;
        }
    EXPECT_GT(black, 0);
    EXPECT_EQ(red, 0);
    EXPECT_EQ(px.Pixel(100, 0), kRed); // the box's corner
    EXPECT_EQ(px.Pixel(100 + c.TextWidth(u"8") - 1, c.TextHeight(u"8") - 1), kRed);
    EXPECT_EQ(px.Pixel(100 + c.TextWidth(u"8"), 0), clWhite);
}

TEST(GdiCanvas, SystemColoursComeFromTheRunningSystem) {
    EXPECT_EQ(ColorRefOf(clWindowText), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(ColorRefOf(clBtnFace), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ColorRefOf(MakeColor(1, 2, 3)), static_cast<COLORREF>(RGB(1, 2, 3)));
}

// --- Bitmaps ---------------------------------------------------------------------------------

TEST(WinBitmap, ResizingKeepsSharedPixelsInEitherFormat) {
    for (gfx::TPixelFormat format : {gfx::pfDevice, gfx::pf24bit}) {
        SCOPED_TRACE(format);
        TWinBitmap b;
        b.SetPixelFormat(format);
        b.SetSize(3, 2);
        b.Canvas().Brush = {clBlack, gfx::bsSolid};
        b.Canvas().FillRect({0, 0, 3, 2});
        b.SetSize(4, 3);
        EXPECT_EQ(Dump(b.ToBitmap24()), "1110\n1110\n0000\n");
        EXPECT_EQ(b.ToBitmap24().Pixel(3, 2), clWhite);
        // The other format keeps the drawing too.
        b.SetPixelFormat(format == gfx::pf24bit ? gfx::pfDevice : gfx::pf24bit);
        EXPECT_EQ(Dump(b.ToBitmap24()), "1110\n1110\n0000\n");
        b.SetSize(0, 5);
        EXPECT_TRUE(b.Empty());
        EXPECT_TRUE(b.ToBitmap24().Empty());
        b.SetSize(2, 1);
        EXPECT_EQ(Dump(b.ToBitmap24()), "00\n");
    }
}

TEST(WinBitmap, SizesAreLimitedLikeTheNativeBitmap) {
    // Past the 16 384 pixels of earlier limits, and one pixel past the widest row GDI makes
    // (a 200 MB row, drawn on at its far end).
    const struct {
        int w, h, wantW, wantH;
    } cases[] = {{20000, 100, 20000, 100}, {gfx::kMaxBitmapSide + 1, 1, gfx::kMaxBitmapSide, 1}};
    for (const auto& c : cases) {
        for (gfx::TPixelFormat format : {gfx::pf24bit, gfx::pfDevice}) {
            SCOPED_TRACE(std::to_string(c.w) + " format " + std::to_string(format));
            TWinBitmap b;
            b.SetPixelFormat(format);
            b.SetSize(c.w, c.h);
            EXPECT_EQ(b.Width(), c.wantW);
            EXPECT_EQ(b.Height(), c.wantH);
            b.Canvas().Brush = {clBlack, gfx::bsSolid};
            b.Canvas().FillRect({c.wantW - 1, c.wantH - 1, c.wantW, c.wantH});
            EXPECT_EQ(GetPixel(b.DC(), c.wantW - 1, c.wantH - 1), RGB(0, 0, 0));
            EXPECT_EQ(GetPixel(b.DC(), c.wantW - 2, c.wantH - 1), RGB(255, 255, 255));
        }
    }
}

// --- The component on Windows ----------------------------------------------------------------

TEST(WinBarImage, SameBarsAsTheRasterCanvas) {
    for (const test::ZbarCase& c : test::kZbarCases) {
        SCOPED_TRACE(c.name);
        TBarImage native(nullptr);
        TBarImage win(nullptr, WinGraphics());
        for (TBarImage* image : {&native, &win}) {
            image->SetMatch(true);
            image->SetBarType(c.type);
            image->SetScale(2);
            image->SetCode(c.code);
            ASSERT_TRUE(image->BarDisped());
        }
        EXPECT_EQ(win.Picture().AsBitmap()->PixelFormat(), gfx::pf24bit);
        // The bars start at the top, under BarSpaceUp 0; the text below differs in its glyphs
        // and its height, and the bars are as much shorter as the text is taller.
        const gfx::TBitmap24 n = native.Picture().AsBitmap()->ToBitmap24();
        const gfx::TBitmap24 w = win.Picture().AsBitmap()->ToBitmap24();
        EXPECT_EQ(RowOf(w, 0), RowOf(n, 0));
        EXPECT_EQ(w.Width(), n.Width());
        TWinBitmap measure;
        measure.Canvas().Font.Assign(win.BarFont());
        std::u16string symbol;
        barcode::kEncoders[c.type](barcode::EncodeInput{c.code}, symbol);
        const int barLen = win.BarHeight() - measure.Canvas().TextHeight(symbol);
        EXPECT_EQ(RowOf(w, barLen - 1), RowOf(n, 0));
        EXPECT_NE(RowOf(w, barLen), RowOf(n, 0));
    }
    // Without text the two pictures are the same, pixel for pixel.
    TBarImage native(nullptr), win(nullptr, WinGraphics());
    for (TBarImage* image : {&native, &win}) {
        image->SetSymbolDisp(false);
        image->SetBarFrame(2);
        image->SetMatch(true);
        image->SetCode(kJan);
    }
    EXPECT_EQ(Dump(win.Picture().AsBitmap()->ToBitmap24()), Dump(native.Picture().AsBitmap()->ToBitmap24()));
}

TEST(WinBarImage, MetafileIsOnePixelLargerThanTheControlAndPlaysTheSameBars) {
    const auto bmp = DrawnImage(barcode::pbarBMP);
    const auto emf = DrawnImage(barcode::pbarEMF);
    const auto* mf = dynamic_cast<const TWinMetafile*>(emf->Picture().Graphic());
    ASSERT_NE(mf, nullptr);
    ASSERT_NE(mf->Handle(), nullptr);
    EXPECT_EQ(mf->Width(), emf->Width() + 1);
    EXPECT_EQ(mf->Height(), emf->Height() + 1);
    EXPECT_EQ(emf->Width(), bmp->Width());
    EXPECT_EQ(emf->Height(), bmp->Height());
    // Recorded in a frame of the control's size on the screen.
    ENHMETAHEADER header{};
    ASSERT_NE(GetEnhMetaFileHeader(mf->Handle(), sizeof header, &header), 0u);
    EXPECT_EQ(header.rclFrame.right, PixelsToHundredthsMM(emf->Width(), false));
    EXPECT_EQ(header.rclFrame.bottom, PixelsToHundredthsMM(emf->Height(), true));

    // The .emf file, played back, has the bitmap's bars.
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring file = std::wstring(temp) + L"zerbo-pictures-" + std::to_wstring(GetCurrentProcessId()) + L".emf";
    gfx::SaveMetafileFile(*mf, U(file));
    HENHMETAFILE loaded = GetEnhMetaFileW(file.c_str());
    ASSERT_NE(loaded, nullptr);
    const gfx::TBitmap24 played = Play(loaded, bmp->Width(), bmp->Height());
    DeleteEnhMetaFile(loaded);
    DeleteFileW(file.c_str());
    const gfx::TBitmap24 drawn = bmp->Picture().AsBitmap()->ToBitmap24();
    for (int y : {0, bmp->BarHeight() / 2}) EXPECT_EQ(RowOf(played, y), RowOf(drawn, y)) << "row " << y;
}

TEST(WinBarImage, BitmapAgainAfterAMetafile) {
    auto image = DrawnImage(barcode::pbarEMF);
    image->SetBarPicture(barcode::pbarBMP);
    const auto* bitmap = dynamic_cast<const TWinBitmap*>(image->Picture().Graphic());
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->Width(), image->Width());
    EXPECT_EQ(bitmap->Height(), image->Height());
    // The one made after a metafile has the platform's default format.
    EXPECT_EQ(bitmap->PixelFormat(), gfx::pfDevice);
    EXPECT_EQ(RowOf(bitmap->ToBitmap24(), 0), RowOf(DrawnImage(barcode::pbarBMP)->Picture().AsBitmap()->ToBitmap24(), 0));
}

// 600 CODE128 characters at Scale 3, near 20 000 pixels wide: GDI draws them whole in both
// kinds. A symbol larger than any bitmap is an error in both kinds, and no bitmap is asked for.
TEST(WinBarImage, AWideSymbolIsDrawnWholeAndAnOversizedOneIsAnError) {
    std::vector<gfx::TBitmap24> pictures;
    for (auto kind : {barcode::pbarBMP, barcode::pbarEMF}) {
        SCOPED_TRACE(kind);
        TBarImage image(nullptr, WinGraphics());
        image.SetMatch(true);
        image.SetBarPicture(kind);
        image.SetBarType(barcode::cbarCODE128);
        image.SetScale(3);
        image.SetCode(std::u16string(600, u'A'));
        ASSERT_TRUE(image.BarDisped());
        EXPECT_FALSE(image.Error());
        const int width = image.BarSpaceLeft() + image.BarWidth() + image.BarSpaceRight();
        EXPECT_EQ(image.BarWidth(), (602 * 11 + 13) * 3);
        EXPECT_EQ(image.Width(), width);
        const auto* mf = dynamic_cast<const TWinMetafile*>(image.Picture().Graphic());
        pictures.push_back(mf ? Play(mf->Handle(), image.Width(), image.Height())
                              : image.Picture().AsBitmap()->ToBitmap24());
        // The stop pattern ends in a one-module space and a two-module bar; then the quiet zone.
        const int end = width - image.BarSpaceRight();
        EXPECT_EQ(RowOf(pictures.back(), 0).substr(static_cast<size_t>(end - 9), 10), "0001111110");
    }
    EXPECT_EQ(RowOf(pictures[1], 0), RowOf(pictures[0], 0));

    for (auto kind : {barcode::pbarBMP, barcode::pbarEMF}) {
        SCOPED_TRACE(kind);
        const auto image = DrawnImage(kind);
        image->SetBarEnabled(false);
        image->SetBarType(barcode::cbarCODE128);
        image->SetScale(255); // 84 million pixels wide
        image->SetCode(std::u16string(30000, u'A'));
        image->SetBarEnabled(true);
        EXPECT_TRUE(image->Error());
        EXPECT_FALSE(image->BarDisped());
        ASSERT_NE(image->Picture().AsBitmap(), nullptr);
        EXPECT_EQ(image->Picture().AsBitmap()->Width(), image->Width());
    }
}

// --- QR Code ---------------------------------------------------------------------------------

// A module matrix painted as the window paints it, into a 24-bit bitmap and into a metafile
// recorded on the screen: the metafile played back is the bitmap, pixel for pixel.
TEST(WinQR, MetafilePlayedBackEqualsTheBitmap) {
    constexpr TColor kBar = MakeColor(0, 0, 0x80), kBack = MakeColor(0xFF, 0xFF, 0xE0);
    std::vector<int32_t> modules(static_cast<size_t>(qr::QROutputLength(40)));
    const struct {
        int version, s;
    } cases[] = {{1, 1}, {4, 2}, {10, 3}, {40, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE("version " + std::to_string(c.version) + " size " + std::to_string(c.s));
        ASSERT_EQ(qr::QREncodeBytes(c.version, 2, "Zerbo QR \x83\x5E", modules.data()), qr::qrOk);
        const int size = modules[0] * c.s + 1;
        TWinBitmap bitmap;
        bitmap.SetPixelFormat(gfx::pf24bit);
        bitmap.SetSize(size, size);
        app::PaintQRModules(bitmap.Canvas(), modules.data(), c.s, kBar, kBack);
        TWinMetafile metafile;
        metafile.SetSize(size, size);
        app::PaintQRModules(*metafile.CreateRecordingCanvas(), modules.data(), c.s, kBar, kBack);
        ASSERT_NE(metafile.Handle(), nullptr);

        const gfx::TBitmap24 drawn = bitmap.ToBitmap24();
        const gfx::TBitmap24 played = Play(metafile.Handle(), size, size);
        int differ = 0, dark = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                differ += drawn.Pixel(x, y) != played.Pixel(x, y);
                dark += drawn.Pixel(x, y) == kBar;
            }
        EXPECT_EQ(differ, 0);
        EXPECT_GT(dark, 0);
        // The quiet zone and the extra row and column are the background.
        EXPECT_EQ(drawn.Pixel(4 * c.s - 1, 4 * c.s - 1), kBack);
        EXPECT_EQ(drawn.Pixel(4 * c.s, 4 * c.s), kBar); // the finder pattern's corner
        EXPECT_EQ(drawn.Pixel(size - 1, size - 1), kBack);
    }
}

// --- The clipboard ---------------------------------------------------------------------------

TEST(WinClipboard, EachKindPutsItsFormatAndNothingElse) {
    struct Case {
        barcode::TBarPictures kind;
        std::vector<UINT> formats; // what was put first, then what the platform derives
        int handles;               // what the clipboard took over
    };
    const Case cases[] = {
        {barcode::pbarBMP, {CF_BITMAP, CF_DIB, CF_DIBV5}, 1},
        {barcode::pbarEMF, {CF_ENHMETAFILE, CF_METAFILEPICT}, 1},
        // The METAFILEPICT block and the Windows metafile it names.
        {barcode::pbarWMF, {CF_METAFILEPICT, CF_ENHMETAFILE}, 2},
    };
    TWinClipboard clipboard;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        clipboard.PutText(u"earlier");
        const auto image = DrawnImage(c.kind);
        const int owned = OwnedHandleCount(), handedOver = HandedOverCount();
        image->CopyToClipboard(clipboard);
        EXPECT_EQ(ClipboardFormats(), c.formats);
        EXPECT_EQ(OwnedHandleCount(), owned);
        EXPECT_EQ(HandedOverCount(), handedOver + c.handles);
    }
    clipboard.PutText(u"ラベル 1");
    const std::vector<UINT> text = ClipboardFormats();
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text[0], static_cast<UINT>(CF_UNICODETEXT));
    ASSERT_TRUE(OpenClipboard(nullptr));
    const auto* chars = static_cast<const wchar_t*>(GlobalLock(GetClipboardData(CF_UNICODETEXT)));
    EXPECT_EQ(std::wstring(chars ? chars : L""), L"ラベル 1");
    GlobalUnlock(GetClipboardData(CF_UNICODETEXT));
    CloseClipboard();
}

TEST(WinClipboard, BitmapIsACopyOfThePicture) {
    TWinClipboard clipboard;
    const auto image = DrawnImage(barcode::pbarBMP);
    image->CopyToClipboard(clipboard);
    const gfx::TBitmap24 drawn = image->Picture().AsBitmap()->ToBitmap24();
    // Drawing again does not reach the copy.
    image->Picture().AsBitmap()->Canvas().Brush = {clBlack, gfx::bsSolid};
    image->Picture().AsBitmap()->Canvas().FillRect({0, 0, 10000, 10000});
    EXPECT_EQ(Dump(ClipboardBitmap()), Dump(drawn));
}

TEST(WinClipboard, MetafilePictHasMappingMode8AndTheMetafilesSizeInHundredthsOfAMillimetre) {
    TWinClipboard clipboard;
    const auto image = DrawnImage(barcode::pbarWMF);
    const auto* mf = dynamic_cast<const TWinMetafile*>(image->Picture().Graphic());
    ASSERT_NE(mf, nullptr);
    image->CopyToClipboard(clipboard);
    ASSERT_TRUE(OpenClipboard(nullptr));
    METAFILEPICT pict{};
    UINT wmfBytes = 0;
    if (HANDLE h = GetClipboardData(CF_METAFILEPICT)) {
        if (const void* p = GlobalLock(h)) {
            pict = *static_cast<const METAFILEPICT*>(p);
            GlobalUnlock(h);
        }
        wmfBytes = GetMetaFileBitsEx(pict.hMF, 0, nullptr);
    }
    CloseClipboard();
    EXPECT_EQ(pict.mm, 8);
    EXPECT_EQ(pict.xExt, mf->MMWidth());
    EXPECT_EQ(pict.yExt, mf->MMHeight());
    // The screen of the tests has 96 pixels to the inch; the control plus the one pixel.
    EXPECT_EQ(pict.xExt, MulDiv(image->Width() + 1, 2540, 96));
    EXPECT_EQ(pict.yExt, MulDiv(image->Height() + 1, 2540, 96));
    EXPECT_GT(wmfBytes, 0u);
}

TEST(WinClipboard, RejectedCodeCopiesThePreviousBitmap) {
    TWinClipboard clipboard;
    const auto image = DrawnImage(barcode::pbarBMP);
    const gfx::TBitmap24 drawn = image->Picture().AsBitmap()->ToBitmap24();
    clipboard.PutText(u"earlier");
    image->SetCode(u"49012345678X");
    ASSERT_TRUE(image->Error());
    image->CopyToClipboard(clipboard);
    EXPECT_EQ(ClipboardFormats().front(), static_cast<UINT>(CF_BITMAP));
    EXPECT_EQ(Dump(ClipboardBitmap()), Dump(drawn));
}

// Another program holding the clipboard open: this program started again with a flag.
class ClipboardHolder {
public:
    ClipboardHolder() {
        const std::wstring tag = std::to_wstring(GetCurrentProcessId());
        ready_ = CreateEventW(nullptr, TRUE, FALSE, (L"zerbo-clip-ready-" + tag).c_str());
        release_ = CreateEventW(nullptr, TRUE, FALSE, (L"zerbo-clip-release-" + tag).c_str());
        process_ = std::make_unique<test::Process>(L"\"" + gSelf + L"\" --hold-clipboard " + tag);
        held_ = WaitForSingleObject(ready_, 30000) == WAIT_OBJECT_0;
    }
    ~ClipboardHolder() {
        SetEvent(release_);
        process_->wait(30000);
        process_.reset();
        CloseHandle(ready_);
        CloseHandle(release_);
    }
    bool held() const { return held_; }

private:
    HANDLE ready_, release_;
    std::unique_ptr<test::Process> process_;
    bool held_ = false;
};

TEST(WinClipboard, HeldByAnotherProgramReportsThePlatformsErrorAndLeaksNothing) {
    TWinClipboard clipboard;
    clipboard.PutText(u"kept");
    std::vector<std::unique_ptr<TBarImage>> images;
    for (auto kind : {barcode::pbarBMP, barcode::pbarEMF, barcode::pbarWMF}) images.push_back(DrawnImage(kind));
    {
        ClipboardHolder holder;
        ASSERT_TRUE(holder.held());
        const int owned = OwnedHandleCount(), handedOver = HandedOverCount();
        for (const auto& image : images) {
            SCOPED_TRACE(image->BarPicture());
            try {
                image->CopyToClipboard(clipboard);
                ADD_FAILURE() << "no error";
            } catch (const gfx::EClipboardError& e) {
                // "<what failed>: <the platform's text for the error>"
                EXPECT_EQ(e.Message().rfind(u"クリップボードを開けません: ", 0), 0u) << e.what();
                EXPECT_GT(e.Message().size(), std::u16string(u"クリップボードを開けません: ").size());
            }
            // Everything made for the put was freed, and nothing was given away.
            EXPECT_EQ(OwnedHandleCount(), owned);
            EXPECT_EQ(HandedOverCount(), handedOver);
        }
        EXPECT_THROW(clipboard.PutText(u"new"), gfx::EClipboardError);
        EXPECT_EQ(OwnedHandleCount(), owned);
        EXPECT_EQ(HandedOverCount(), handedOver);
    }
    // Untouched while it was held, and usable again once it is free.
    EXPECT_EQ(ClipboardFormats().front(), static_cast<UINT>(CF_UNICODETEXT));
    images[0]->CopyToClipboard(clipboard);
    EXPECT_EQ(ClipboardFormats().front(), static_cast<UINT>(CF_BITMAP));
}

// --- Files -----------------------------------------------------------------------------------


void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
    CloseHandle(h);
}

TEST(PictureFiles, WrittenWholeOverAnOldFile) {
    zerbo::test::TempFolder folder{L"zerbo-pictures-"};
    const auto image = DrawnImage(barcode::pbarBMP);
    const auto emf = DrawnImage(barcode::pbarEMF);
    WriteFileBytes(folder.file(L"old.bmp"), "old contents");
    gfx::SaveBitmapFile(*image->Picture().AsBitmap(), U(folder.file(L"old.bmp")));
    gfx::SaveJpegFile(*image->Picture().AsBitmap(), U(folder.file(L"バーコード.jpg")));
    gfx::SaveMetafileFile(*emf->Picture().AsMetafile(), U(folder.file(L"symbol.emf")));
    const std::string bmp = zerbo::test::ReadFileBytes(folder.file(L"old.bmp"));
    ASSERT_GT(bmp.size(), 54u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(bmp[28], 24); // bits per pixel
    EXPECT_EQ(zerbo::test::ReadFileBytes(folder.file(L"バーコード.jpg")).substr(0, 2), "\xFF\xD8");
    const std::string emfBytes = zerbo::test::ReadFileBytes(folder.file(L"symbol.emf"));
    ASSERT_GT(emfBytes.size(), 44u);
    EXPECT_EQ(emfBytes.substr(40, 4), " EMF");
    std::vector<std::wstring> names = folder.files();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"old.bmp", L"symbol.emf", L"バーコード.jpg"}));
}

TEST(PictureFiles, UnwritablePathsNameThePathAndLeaveNoPartialFile) {
    zerbo::test::TempFolder folder{L"zerbo-pictures-"};
    WriteFileBytes(folder.file(L"readonly.jpg"), "keep me");
    SetFileAttributesW(folder.file(L"readonly.jpg").c_str(), FILE_ATTRIBUTE_READONLY);
    const auto image = DrawnImage(barcode::pbarBMP);
    const std::wstring paths[] = {
        folder.file(L"missing\\symbol.bmp"),
        folder.file(L"readonly.jpg"),
        folder.file(L"a<b>.bmp"),
        folder.file(L"what?.jpg"),
        folder.file(L"pipe|.bmp"),
    };
    for (const std::wstring& path : paths) {
        SCOPED_TRACE(ToUtf8(U(path)));
        for (bool jpeg : {false, true}) {
            try {
                if (jpeg)
                    gfx::SaveJpegFile(*image->Picture().AsBitmap(), U(path));
                else
                    gfx::SaveBitmapFile(*image->Picture().AsBitmap(), U(path));
                ADD_FAILURE() << "no error";
            } catch (const gfx::EWriteError& e) {
                EXPECT_EQ(e.Message(), U(path) + u" に書き込めません");
            }
            EXPECT_EQ(folder.files(), std::vector<std::wstring>{L"readonly.jpg"});
        }
    }
    EXPECT_EQ(zerbo::test::ReadFileBytes(folder.file(L"readonly.jpg")), "keep me");
}

// BMP and JPEG files of every symbology for zbarimg, which runs natively after this program:
// each file is listed in expected.txt with the text zbarimg must read from it.
TEST(PictureFiles, SymbolsForZbar) {
    ASSERT_FALSE(gZbarDir.empty()) << "the folder for the zbarimg files is the first argument";
    DeleteFileW((gZbarDir + L"\\expected.txt").c_str()); // no list from an earlier run
    CreateDirectoryW(gZbarDir.c_str(), nullptr);
    std::string expected;
    for (const test::ZbarCase& c : test::kZbarCases) {
        TBarImage image(nullptr, WinGraphics());
        image.SetMatch(true);
        image.SetBarType(c.type);
        image.SetScale(test::kZbarFileScale);
        image.SetCode(c.code);
        ASSERT_TRUE(image.BarDisped()) << c.name;
        std::u16string symbol;
        barcode::kEncoders[c.type](barcode::EncodeInput{c.code}, symbol);
        for (const char* ext : {".bmp", ".jpg"}) {
            const std::string file = std::string(c.name) + ext;
            const std::u16string path = U(gZbarDir) + u"\\" + FromUtf8(file);
            if (std::string(ext) == ".bmp")
                gfx::SaveBitmapFile(*image.Picture().AsBitmap(), path);
            else
                gfx::SaveJpegFile(*image.Picture().AsBitmap(), path);
            expected += file + "\t" + (c.decoded ? std::string(c.decoded) : ToUtf8(symbol)) + "\n";
        }
    }
    const std::string list = std::string("options\t") + test::kZbarOptions + "\n" + expected;
    const std::vector<std::uint8_t> bytes(list.begin(), list.end());
    gfx::WriteFileReplacing(U(gZbarDir) + u"\\expected.txt", bytes);
}

} // namespace
} // namespace zerbo::win32

// "--hold-clipboard TAG": open the clipboard, say so, and keep it open until told to let go.
static int HoldClipboard(const std::wstring& tag) {
    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, (L"zerbo-clip-ready-" + tag).c_str());
    HANDLE release = OpenEventW(SYNCHRONIZE, FALSE, (L"zerbo-clip-release-" + tag).c_str());
    if (!ready || !release || !OpenClipboard(nullptr)) return 1;
    SetEvent(ready);
    WaitForSingleObject(release, 60000);
    CloseClipboard();
    return 0;
}

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--hold-clipboard") {
        const std::string tag = argv[2];
        return HoldClipboard(std::wstring(tag.begin(), tag.end()));
    }
    testing::InitGoogleTest(&argc, argv);
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    zerbo::win32::gSelf = self;
    if (argc >= 2) zerbo::win32::gZbarDir = zerbo::test::windowsPath(argv[1]);
    return RUN_ALL_TESTS();
}
