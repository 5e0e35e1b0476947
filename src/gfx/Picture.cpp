#include "gfx/Picture.h"

namespace zerbo::gfx {

namespace {
struct TPendingRecords {
    TMetaRecords FPending;
};
} // namespace

// Records into its own list (a base, so it exists before the canvas refers to it) and hands
// the list to the metafile when the recording ends.
class TMetafileRecorder : private TPendingRecords, public TRecordingCanvas {
public:
    explicit TMetafileRecorder(TNativeMetafile& target) : TRecordingCanvas(FPending), FTarget(target) {}
    ~TMetafileRecorder() override { FTarget.FRecords = std::move(FPending); }

private:
    TNativeMetafile& FTarget;
};

std::unique_ptr<TCanvas> TNativeMetafile::CreateRecordingCanvas() { return std::make_unique<TMetafileRecorder>(*this); }

namespace {

class TNativeFactory : public TGraphicFactory {
public:
    std::unique_ptr<TBitmapGraphic> NewBitmap() const override { return std::make_unique<TNativeBitmap>(); }
    std::unique_ptr<TMetafileGraphic> NewMetafile() const override { return std::make_unique<TNativeMetafile>(); }
};

} // namespace

const TGraphicFactory& NativeGraphics() {
    static const TNativeFactory factory;
    return factory;
}

TBitmapGraphic& TPicture::Bitmap() {
    if (TBitmapGraphic* b = AsBitmap()) return *b;
    FGraphic.reset(); // the old graphic goes first, as it would on the platform
    auto fresh = FFactory.NewBitmap();
    TBitmapGraphic& ref = *fresh;
    FGraphic = std::move(fresh);
    return ref;
}

TMetafileGraphic& TPicture::NewMetafile() {
    FGraphic.reset();
    auto fresh = FFactory.NewMetafile();
    TMetafileGraphic& ref = *fresh;
    FGraphic = std::move(fresh);
    return ref;
}

} // namespace zerbo::gfx
