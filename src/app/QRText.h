#pragma once
// The QR side of the main window: the data string as the bytes of the ANSI code page, the
// "%" escapes of the special mode, the status texts of the encoder's results, and the
// painting of a module matrix.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "components/Platform.h"
#include "core/Color.h"
#include "gfx/Canvas.h"

namespace zerbo::app {

// Longest byte text handed to the encoder; a longer one is not drawn at all.
inline constexpr std::size_t kQRMaxTextBytes = 7089;

// The text in the ANSI code page (932). A character without a form there becomes "?", as
// the platform's own conversion substitutes it.
std::string ToAnsi(IComponentPlatform& platform, std::u16string_view text);

// Rebuilds a byte text from left to right: "%%" is one "%", "%" and two hexadecimal digits
// the character U+00hh in the ANSI code page, any other byte itself. An escape whose
// characters are no hexadecimal number (a "%" at the end included) raises EConvertError
// "''$xy'' は整数ではありません"; a "%" with one digit left at the end takes that digit.
std::string DecodeQREscapes(IComponentPlatform& platform, std::string_view bytes);

// The status line for a result of QREncodeBytes; empty for success.
std::u16string QRStatusText(int32_t result);

// Paints a module matrix (element 0 the width W, then W * W values, 1 or more dark) at s
// pixels per module into a canvas of W * s + 1 pixels square: everything in `back`, then
// the dark modules in `bar`, a row's neighbours as one rectangle.
void PaintQRModules(gfx::TCanvas& canvas, const int32_t* modules, int s, TColor bar, TColor back);

} // namespace zerbo::app
