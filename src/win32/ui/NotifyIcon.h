#pragma once
// The program's icon in the notification area. Its mouse messages come to the window as
// kNotifyIconMessage; after Explorer starts again (its "TaskbarCreated" message) Restore
// puts a shown icon back.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "app/Services.h"

namespace zerbo::win32 {

inline constexpr UINT kNotifyIconMessage = WM_APP + 1;

class TNotifyIcon : public app::INotifyIcon {
public:
    TNotifyIcon(HWND window, HICON icon, const std::u16string& hint);
    TNotifyIcon(const TNotifyIcon&) = delete;
    TNotifyIcon& operator=(const TNotifyIcon&) = delete;
    // Takes the icon out of the notification area.
    ~TNotifyIcon() override;

    bool Visible() const override { return visible_; }
    void SetVisible(bool value) override;
    void Restore();
    // The message Explorer broadcasts when it has (re)created the taskbar.
    static UINT TaskbarCreated();

private:
    NOTIFYICONDATAW data_{};
    bool visible_ = false;
};

} // namespace zerbo::win32
