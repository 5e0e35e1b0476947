#pragma once
// The input method's state for a text field that has just taken the focus.
#include <windows.h>

#include "components/Controls.h"

namespace zerbo::win32 {

// Sets the window's input method as the mode asks: hiragana, half-width katakana or closed;
// imDontCare, and a system without an input method, leave it as it is.
void ApplyImeMode(HWND field, TImeMode mode);

} // namespace zerbo::win32
