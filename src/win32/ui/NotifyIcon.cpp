#include "win32/ui/NotifyIcon.h"

#include <shellapi.h>

#include <algorithm>

namespace zerbo::win32 {

TNotifyIcon::TNotifyIcon(HWND window, HICON icon, const std::u16string& hint) {
    data_.cbSize = sizeof data_;
    data_.hWnd = window;
    data_.uID = 1;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = kNotifyIconMessage;
    data_.hIcon = icon;
    const size_t n = std::min(hint.size(), std::size(data_.szTip) - 1);
    std::copy_n(hint.begin(), n, data_.szTip);
}

TNotifyIcon::~TNotifyIcon() { SetVisible(false); }

void TNotifyIcon::SetVisible(bool value) {
    if (value == visible_) return;
    // Where the platform has no notification area the icon stays away; the program goes on.
    if (Shell_NotifyIconW(value ? NIM_ADD : NIM_DELETE, &data_) || !value) visible_ = value;
}

void TNotifyIcon::Restore() {
    if (visible_) Shell_NotifyIconW(NIM_ADD, &data_);
}

UINT TNotifyIcon::TaskbarCreated() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

} // namespace zerbo::win32
