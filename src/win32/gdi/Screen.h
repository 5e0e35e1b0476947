#pragma once
// The screen's resolution, which fonts given in points and metafile frames are measured in.
namespace zerbo::win32 {

// Pixels per inch of the screen, across (LOGPIXELSX) or down (LOGPIXELSY); 96 when the
// screen does not say.
int ScreenPixelsPerInch(bool vertical = true);

} // namespace zerbo::win32
