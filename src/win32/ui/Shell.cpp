#include "win32/ui/Shell.h"

#include <shellapi.h>

#include "win32/base/WideText.h"
#include "win32/gdi/WinGraphics.h"
#include "win32/res/Resources.h"

namespace zerbo::win32 {

void TWinShell::ShellOpen(const std::u16string& fileName) {
    ShellExecuteW(owner_, L"Open", wide(fileName), nullptr, nullptr, 0);
}

void TWinShell::OpenLink(const std::u16string& target) {
    ShellExecuteW(owner_, L"OPEN", wide(target), nullptr, nullptr, SW_SHOWNORMAL);
}

void TWinShell::HelpContents(const std::u16string& helpFile) { WinHelpW(owner_, wide(helpFile), HELP_FINDER, 0); }

const gfx::TPicture* TWinShell::ProgramIcon() {
    if (icon_) return icon_.get();
    constexpr int kSide = 32;
    // A shared icon belongs to the system: it is never destroyed.
    const auto icon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_ZERBO), IMAGE_ICON, kSide, kSide, LR_SHARED));
    if (!icon) return nullptr;
    auto picture = std::make_unique<gfx::TPicture>(WinGraphics());
    auto& bitmap = static_cast<TWinBitmap&>(picture->Bitmap());
    bitmap.SetSize(kSide, kSide);
    const RECT all{0, 0, kSide, kSide};
    FillRect(bitmap.DC(), &all, GetSysColorBrush(COLOR_BTNFACE));
    DrawIconEx(bitmap.DC(), 0, 0, icon, kSide, kSide, 0, nullptr, DI_NORMAL);
    icon_ = std::move(picture);
    return icon_.get();
}

} // namespace zerbo::win32
