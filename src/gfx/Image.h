#pragma once
// An image control: a size, auto-size and stretch flags, and the picture it displays.
// The Win32 view shows it; the portable code only keeps its state.
#include "core/Notify.h"
#include "gfx/Picture.h"

namespace zerbo::gfx {

class TImage : public TObject {
public:
    explicit TImage(TObject* AOwner, const TGraphicFactory& factory = NativeGraphics())
        : FOwner(AOwner), FPicture(factory) {}

    TObject* Owner() const { return FOwner; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetWidth(int value) { FWidth = value; }
    void SetHeight(int value) { FHeight = value; }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value) { FAutoSize = value; }
    bool Stretch() const { return FStretch; }
    void SetStretch(bool value) { FStretch = value; }
    TPicture& Picture() { return FPicture; }
    const TPicture& Picture() const { return FPicture; }

private:
    TObject* FOwner;
    int FWidth = 105; // the framework's size for a new image control
    int FHeight = 105;
    bool FAutoSize = false;
    bool FStretch = false;
    TPicture FPicture;
};

} // namespace zerbo::gfx
