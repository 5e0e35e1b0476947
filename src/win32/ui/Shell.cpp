#include "win32/ui/Shell.h"

#include <shellapi.h>

#include "win32/base/WideText.h"

namespace zerbo::win32 {

void TWinShell::ShellOpen(const std::u16string& fileName) {
    ShellExecuteW(owner_, L"Open", wide(fileName), nullptr, nullptr, 0);
}

void TWinShell::HelpContents(const std::u16string& helpFile) { WinHelpW(owner_, wide(helpFile), HELP_FINDER, 0); }

} // namespace zerbo::win32
