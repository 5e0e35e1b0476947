#include "win32/gdi/Screen.h"

#include "win32/base/Handles.h"

namespace zerbo::win32 {

int ScreenPixelsPerInch(bool vertical) {
    const TScreenDC screen;
    const int ppi = screen ? GetDeviceCaps(screen.Get(), vertical ? LOGPIXELSY : LOGPIXELSX) : 0;
    return ppi > 0 ? ppi : 96;
}

} // namespace zerbo::win32
