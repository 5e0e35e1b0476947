#pragma once
// One of the program's own forms shown modally over its owner: a window of the form's size
// and border, centred on the owner, with real controls for the form's models; the owner is
// disabled until a button, a handler or the close box gives the form its result. Enter and
// Escape press the form's Default and Cancel buttons, Tab and mnemonics work as in the main
// window.
#include <windows.h>

#include "components/Controls.h"
#include "core/Error.h"

namespace zerbo::win32 {

int32_t ShowModalForm(HWND owner, TForm& form, const TErrorDisplay& showError);

} // namespace zerbo::win32
