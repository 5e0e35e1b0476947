#pragma once
// The program's own window classes, registered once per process on first use.
#include <windows.h>

namespace zerbo::win32 {

// Registers the class in this module unless it is there already; raises the platform's
// error when it cannot. The icon is the program's own, the cursor the arrow.
void RegisterWindowClass(const wchar_t* name, WNDPROC proc, HBRUSH background = nullptr);

} // namespace zerbo::win32
