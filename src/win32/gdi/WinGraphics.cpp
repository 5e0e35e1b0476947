#include "win32/gdi/WinGraphics.h"

#include <algorithm>
#include <cstring>

#include "core/Error.h"
#include "win32/gdi/Screen.h"

namespace zerbo::win32 {

void RaiseOutOfResources() { throw Exception(u"システム リソースが不足しています"); }

namespace {

BITMAPINFO Info24(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down, as TBitmap24 keeps its rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// A 24-bit DIB section and where its bits are.
TGdiObject<HBITMAP> NewDibSection(int width, int height, void** bits) {
    const BITMAPINFO info = Info24(width, height);
    TGdiObject<HBITMAP> bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0));
    if (!bitmap) RaiseOutOfResources();
    return bitmap;
}

} // namespace

// --- TWinBitmap --------------------------------------------------------------------------

TWinBitmap::TWinBitmap() : FDC(CreateCompatibleDC(nullptr)) {
    if (!FDC) RaiseOutOfResources();
    FCanvas = std::make_unique<TGdiCanvas>(FDC.Get());
}

TWinBitmap::~TWinBitmap() {
    FCanvas.reset(); // its objects leave the DC first
    if (FOriginalBitmap) SelectObject(FDC.Get(), FOriginalBitmap);
}

void TWinBitmap::SetSize(int width, int height) {
    gfx::TBitmap24::ClampSize(width, height);
    if (width == FWidth && height == FHeight) return;
    Recreate(width, height, FFormat);
}

void TWinBitmap::SetPixelFormat(gfx::TPixelFormat format) {
    if (format == FFormat) return;
    Recreate(FWidth, FHeight, format);
}

void TWinBitmap::Recreate(int width, int height, gfx::TPixelFormat format) {
    TGdiObject<HBITMAP> fresh;
    if (width > 0 && height > 0) {
        if (format == gfx::pf24bit) {
            void* bits = nullptr;
            fresh = NewDibSection(width, height, &bits);
        } else {
            TScreenDC screen;
            fresh.Reset(CreateCompatibleBitmap(screen.Get(), width, height));
            if (!fresh) RaiseOutOfResources();
        }
        // White, then the pixels both sizes share.
        TMemoryDC dc(CreateCompatibleDC(nullptr));
        if (!dc) RaiseOutOfResources();
        TSelection select(dc.Get(), fresh.Get());
        PatBlt(dc.Get(), 0, 0, width, height, WHITENESS);
        if (FBitmap)
            BitBlt(dc.Get(), 0, 0, std::min(width, FWidth), std::min(height, FHeight), FDC.Get(), 0, 0, SRCCOPY);
    }
    // The old bitmap leaves the DC before it is freed.
    if (fresh) {
        const HGDIOBJ previous = SelectObject(FDC.Get(), fresh.Get());
        if (!FOriginalBitmap) FOriginalBitmap = previous;
    } else if (FOriginalBitmap) {
        SelectObject(FDC.Get(), FOriginalBitmap);
        FOriginalBitmap = nullptr;
    }
    FBitmap = std::move(fresh);
    FWidth = FBitmap ? width : 0;
    FHeight = FBitmap ? height : 0;
    FFormat = format;
}

gfx::TBitmap24 TWinBitmap::ToBitmap24() const {
    gfx::TBitmap24 out(FWidth, FHeight);
    if (out.Empty()) return out;
    // Copied through a DIB section of TBitmap24's layout, whatever our own format is.
    void* bits = nullptr;
    TGdiObject<HBITMAP> dib = NewDibSection(out.Width(), out.Height(), &bits);
    TMemoryDC dc(CreateCompatibleDC(nullptr));
    if (!dc) RaiseOutOfResources();
    {
        TSelection select(dc.Get(), dib.Get());
        BitBlt(dc.Get(), 0, 0, out.Width(), out.Height(), FDC.Get(), 0, 0, SRCCOPY);
    }
    GdiFlush();
    std::memcpy(out.Row(0), bits, out.Stride() * static_cast<std::size_t>(out.Height()));
    return out;
}

// --- TWinMetafile ------------------------------------------------------------------------

int PixelsToHundredthsMM(int pixels, bool vertical) { return MulDiv(pixels, 2540, ScreenPixelsPerInch(vertical)); }

int TWinMetafile::MMWidth() const { return PixelsToHundredthsMM(FWidth, false); }

int TWinMetafile::MMHeight() const { return PixelsToHundredthsMM(FHeight, true); }

// A GDI canvas on the metafile's recording DC; its end completes the metafile.
class TEnhMetafileRecorder : public TGdiCanvas {
public:
    TEnhMetafileRecorder(TWinMetafile& target, TRecordingDC&& dc)
        : TGdiCanvas(dc.Get()), FTarget(target), FRecording(std::move(dc)) {}
    ~TEnhMetafileRecorder() override {
        ReleaseObjects(); // nothing of ours may stay selected in a closed DC
        const HENHMETAFILE done = CloseEnhMetaFile(FRecording.Release());
        if (done) FTarget.FHandle.Reset(done);
    }

    static std::unique_ptr<gfx::TCanvas> Start(TWinMetafile& target) {
        const RECT frame{0, 0, target.MMWidth(), target.MMHeight()};
        TRecordingDC dc;
        {
            TScreenDC screen;
            dc.Reset(CreateEnhMetaFileW(screen.Get(), nullptr,
                                        frame.right > 0 && frame.bottom > 0 ? &frame : nullptr, nullptr));
        }
        if (!dc) RaiseOutOfResources();
        return std::make_unique<TEnhMetafileRecorder>(target, std::move(dc));
    }

private:
    TWinMetafile& FTarget;
    TRecordingDC FRecording;
};

std::unique_ptr<gfx::TCanvas> TWinMetafile::CreateRecordingCanvas() { return TEnhMetafileRecorder::Start(*this); }

std::vector<std::uint8_t> TWinMetafile::EnhMetafileBits() const {
    if (!FHandle) return {};
    const UINT size = GetEnhMetaFileBits(FHandle.Get(), 0, nullptr);
    if (size == 0) return {};
    std::vector<std::uint8_t> bits(size);
    if (GetEnhMetaFileBits(FHandle.Get(), size, bits.data()) != size) return {};
    return bits;
}

const gfx::TGraphicFactory& WinGraphics() {
    static const TWinGraphicFactory factory;
    return factory;
}

void DrawGraphic(HDC dc, const gfx::TGraphic* graphic, int x, int y) {
    if (!graphic || graphic->Empty()) return;
    const int w = graphic->Width(), h = graphic->Height();
    if (const auto* bitmap = dynamic_cast<const TWinBitmap*>(graphic)) {
        BitBlt(dc, x, y, w, h, bitmap->DC(), 0, 0, SRCCOPY);
    } else if (const auto* metafile = dynamic_cast<const TWinMetafile*>(graphic); metafile && metafile->Handle()) {
        const RECT r{x, y, x + w, y + h};
        PlayEnhMetaFile(dc, metafile->Handle(), &r);
    }
}

} // namespace zerbo::win32
