#pragma once
// The graphics TPicture holds on Windows: a GDI bitmap selected into a memory DC with a GDI
// canvas, and a real enhanced metafile recorded with the screen as reference device. The
// barcode component gets them from WinGraphics() and paints through the same code as natively.
#include <windows.h>

#include <memory>

#include "gfx/Picture.h"
#include "win32/gdi/GdiCanvas.h"
#include "win32/base/Handles.h"

namespace zerbo::win32 {

// Raised when GDI cannot make a bitmap, a DC or a metafile.
[[noreturn]] void RaiseOutOfResources();

// pf24bit: a 24-bit DIB section. pfDevice: a bitmap compatible with the screen, the
// platform's default for a new bitmap.
class TWinBitmap : public gfx::TBitmapGraphic {
public:
    TWinBitmap();
    ~TWinBitmap() override;

    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    // New pixels are white; the limits of TBitmap24 apply.
    void SetSize(int width, int height) override;
    gfx::TCanvas& Canvas() override { return *FCanvas; }
    gfx::TPixelFormat PixelFormat() const override { return FFormat; }
    void SetPixelFormat(gfx::TPixelFormat format) override;
    gfx::TBitmap24 ToBitmap24() const override;

    HBITMAP Handle() const { return FBitmap.Get(); }
    HDC DC() const { return FDC.Get(); }

private:
    void Recreate(int width, int height, gfx::TPixelFormat format);

    TMemoryDC FDC;
    TGdiObject<HBITMAP> FBitmap; // selected into FDC while it exists
    HGDIOBJ FOriginalBitmap = nullptr;
    std::unique_ptr<TGdiCanvas> FCanvas;
    int FWidth = 0;
    int FHeight = 0;
    gfx::TPixelFormat FFormat = gfx::pfDevice;
};

class TWinMetafile : public gfx::TMetafileGraphic {
public:
    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    void SetSize(int width, int height) override {
        FWidth = width;
        FHeight = height;
    }
    // Records on the screen's reference device in a frame of the nominal size; the recording
    // replaces the old one when the canvas is destroyed.
    std::unique_ptr<gfx::TCanvas> CreateRecordingCanvas() override;
    std::vector<std::uint8_t> EnhMetafileBits() const override;

    // Null until a recording completes.
    HENHMETAFILE Handle() const { return FHandle.Get(); }
    // The nominal size in hundredths of a millimetre at the screen's resolution.
    int MMWidth() const;
    int MMHeight() const;

private:
    friend class TEnhMetafileRecorder;
    TEnhMetafile FHandle;
    int FWidth = 0;
    int FHeight = 0;
};

// Pixels of the screen to hundredths of a millimetre: LOGPIXELSX for widths, LOGPIXELSY for
// heights.
int PixelsToHundredthsMM(int pixels, bool vertical);

class TWinGraphicFactory : public gfx::TGraphicFactory {
public:
    std::unique_ptr<gfx::TBitmapGraphic> NewBitmap() const override { return std::make_unique<TWinBitmap>(); }
    std::unique_ptr<gfx::TMetafileGraphic> NewMetafile() const override { return std::make_unique<TWinMetafile>(); }
};

const gfx::TGraphicFactory& WinGraphics();

// Draws a picture's graphic (either kind) at its own size with its top-left corner at (x, y);
// nothing for none or an empty one.
void DrawGraphic(HDC dc, const gfx::TGraphic* graphic, int x, int y);

} // namespace zerbo::win32
