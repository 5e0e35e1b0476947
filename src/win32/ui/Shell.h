#pragma once
// Documents, links and help opened by the system on behalf of the main window, and what the
// program file holds: its icon and its version resource.
#include <windows.h>

#include <memory>

#include "app/Services.h"
#include "win32/base/VersionResource.h"

namespace zerbo::win32 {

class TWinShell : public app::IShell {
public:
    explicit TWinShell(HWND owner) : owner_(owner) {}
    void ShellOpen(const std::u16string& fileName) override;
    void OpenLink(const std::u16string& target) override;
    void HelpContents(const std::u16string& helpFile) override;
    const gfx::TPicture* ProgramIcon() override;
    IVersionResource& Versions() override { return versions_; }

private:
    HWND owner_;
    std::unique_ptr<gfx::TPicture> icon_;  // drawn at the first request
    TWinVersionResource versions_;
};

} // namespace zerbo::win32
