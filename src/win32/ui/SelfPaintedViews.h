#pragma once
// The windows of the controls that paint themselves: a picture shown as it is on white, and a
// custom control that paints through a GDI canvas and takes the mouse directly (the colour
// palette, the link labels). Keys and focus go through the control views like any other.
#include <windows.h>

#include "components/Controls.h"
#include "core/Error.h"

namespace zerbo::win32 {

// The class of their windows: no painting or input of its own.
const wchar_t* SelfPaintedClass();

// Whether the mouse is over the control, for its enter and leave.
struct TMouseTracking {
    bool inside = false;
};

// Painting, the mouse and the cursor of a picture or custom control; true when the message
// was handled, with its result in `result`. Errors of the control's handlers go to `showError`.
bool SelfPaintedInput(TControl& control, TMouseTracking& mouse, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                      LRESULT& result, const TErrorDisplay& showError);

} // namespace zerbo::win32
