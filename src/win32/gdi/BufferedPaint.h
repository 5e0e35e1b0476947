#pragma once
// A window's WM_PAINT drawn into a memory bitmap of its client area first, so that a repaint
// does not flicker.
#include <windows.h>

#include <functional>

namespace zerbo::win32 {

// Validates the window's update region; `paint` draws on the memory bitmap after it was filled
// with `ground`, which then replaces the client area in one step.
void PaintBuffered(HWND hwnd, COLORREF ground, const std::function<void(HDC dc)>& paint);

} // namespace zerbo::win32
