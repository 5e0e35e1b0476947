#pragma once
// Documents and help opened by the system on behalf of the main window.
#include <windows.h>

#include "app/Services.h"

namespace zerbo::win32 {

class TWinShell : public app::IShell {
public:
    explicit TWinShell(HWND owner) : owner_(owner) {}
    void ShellOpen(const std::u16string& fileName) override;
    void HelpContents(const std::u16string& helpFile) override;

private:
    HWND owner_;
};

} // namespace zerbo::win32
