#pragma once
// The picture an image control displays: a bitmap or a metafile, one at a time. The graphics
// come from a factory, so the same control paints natively into a TBitmap24 and a list of
// records, and on Windows into a DIB section and a real enhanced metafile.
#include <cstdint>
#include <memory>
#include <vector>

#include "gfx/Bitmap.h"
#include "gfx/Canvas.h"
#include "gfx/RasterCanvas.h"
#include "gfx/RecordingCanvas.h"

namespace zerbo::gfx {

class TGraphic {
public:
    virtual ~TGraphic() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    bool Empty() const { return Width() <= 0 || Height() <= 0; }
};

// pfDevice is the platform's default for a new bitmap; the component asks for pf24bit.
enum TPixelFormat : std::uint8_t { pfDevice, pf24bit };

class TBitmapGraphic : public TGraphic {
public:
    // Keeps the pixels both sizes share; the limits of TBitmap24 apply.
    virtual void SetSize(int width, int height) = 0;
    virtual TCanvas& Canvas() = 0;
    virtual TPixelFormat PixelFormat() const = 0;
    virtual void SetPixelFormat(TPixelFormat format) = 0;
    // The pixels in 24 bits whatever the format, for the file writers and the clipboard.
    virtual TBitmap24 ToBitmap24() const = 0;
};

class TMetafileGraphic : public TGraphic {
public:
    // Nominal size in pixels of the reference device.
    virtual void SetSize(int width, int height) = 0;
    // Starts a new recording that replaces the old drawing; destroying the canvas completes it.
    // The canvas must not outlive the metafile.
    virtual std::unique_ptr<TCanvas> CreateRecordingCanvas() = 0;
    // The completed recording as the bytes of an .emf file; empty where the platform has no
    // enhanced metafiles or nothing was recorded.
    virtual std::vector<std::uint8_t> EnhMetafileBits() const = 0;
};

class TGraphicFactory {
public:
    virtual ~TGraphicFactory() = default;
    virtual std::unique_ptr<TBitmapGraphic> NewBitmap() const = 0; // empty, pfDevice
    virtual std::unique_ptr<TMetafileGraphic> NewMetafile() const = 0; // empty, size 0 x 0
};

// Native graphics: TNativeBitmap and TNativeMetafile.
const TGraphicFactory& NativeGraphics();

class TNativeBitmap : public TBitmapGraphic {
public:
    int Width() const override { return FImage.Width(); }
    int Height() const override { return FImage.Height(); }
    void SetSize(int width, int height) override { FImage.SetSize(width, height); }
    TCanvas& Canvas() override { return FCanvas; }
    TPixelFormat PixelFormat() const override { return FFormat; }
    // Pixels are stored in 24 bits whatever the format says.
    void SetPixelFormat(TPixelFormat format) override { FFormat = format; }
    TBitmap24 ToBitmap24() const override { return FImage; }
    const TBitmap24& Image() const { return FImage; }

private:
    TBitmap24 FImage;
    TRasterCanvas FCanvas{FImage};
    TPixelFormat FFormat = pfDevice;
};

class TNativeMetafile : public TMetafileGraphic {
public:
    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    void SetSize(int width, int height) override {
        FWidth = width;
        FHeight = height;
    }
    std::unique_ptr<TCanvas> CreateRecordingCanvas() override;
    // A list of records is no enhanced metafile.
    std::vector<std::uint8_t> EnhMetafileBits() const override { return {}; }
    // Completed recordings only: what a canvas still records is not here yet.
    const TMetaRecords& Records() const { return FRecords; }
    void Play(TCanvas& canvas) const { PlayRecords(FRecords, canvas); }

private:
    friend class TMetafileRecorder;
    int FWidth = 0;
    int FHeight = 0;
    TMetaRecords FRecords;
};

class TPicture {
public:
    explicit TPicture(const TGraphicFactory& factory = NativeGraphics()) : FFactory(factory) {}

    const TGraphicFactory& Factory() const { return FFactory; }
    TGraphic* Graphic() const { return FGraphic.get(); }
    TBitmapGraphic* AsBitmap() const { return dynamic_cast<TBitmapGraphic*>(FGraphic.get()); }
    TMetafileGraphic* AsMetafile() const { return dynamic_cast<TMetafileGraphic*>(FGraphic.get()); }

    // Makes the picture hold a bitmap: the one it holds, or a new empty one in place of
    // whatever else it held.
    TBitmapGraphic& Bitmap();
    // Discards what the picture held and gives it a new empty metafile.
    TMetafileGraphic& NewMetafile();

private:
    const TGraphicFactory& FFactory;
    std::unique_ptr<TGraphic> FGraphic;
};

} // namespace zerbo::gfx
