#include "win32/ui/ModalForm.h"

#include "core/Guard.h"
#include "win32/base/Handles.h"
#include "win32/base/SystemError.h"
#include "win32/base/WideText.h"
#include "win32/base/WindowClass.h"
#include "win32/ui/ControlViews.h"

namespace zerbo::win32 {

namespace {

constexpr wchar_t kClass[] = L"TZerboForm";

LRESULT CALLBACK formProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    // The close box: mrCancel, as the platform's forms answer it.
    if (msg == WM_CLOSE) {
        if (auto* form = reinterpret_cast<TForm*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))) form->ModalResult = mrCancel;
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// Enter and Escape press the form's buttons for them, as the user's click would.
bool pressFor(const MSG& msg, const TForm& form, const TControlViews& views) {
    if (msg.message != WM_KEYDOWN || (msg.wParam != VK_RETURN && msg.wParam != VK_ESCAPE)) return false;
    const TButton* button = msg.wParam == VK_RETURN ? form.Default : form.Cancel;
    const HWND h = button ? views.Handle(*button) : nullptr;
    if (!h || !IsWindowEnabled(h)) return false;
    SendMessageW(h, BM_CLICK, 0, 0);
    return true;
}

// Whether the form lets itself close. An error in its handler is shown, and the close goes on
// when the handler had agreed before it failed: a dialog that cannot be left is worse.
bool letsClose(TForm& form, const TErrorDisplay& showError) {
    bool canClose = true;
    if (form.OnCloseQuery) Guarded(showError, [&] { form.OnCloseQuery(canClose); });
    return canClose;
}

} // namespace

int32_t ShowModalForm(HWND owner, TForm& form, const TErrorDisplay& showError) {
    RegisterWindowClass(kClass, formProc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_CONTROLPARENT | (form.StayOnTop ? WS_EX_TOPMOST : 0) |
                          (form.BorderStyle == TFormBorder::ToolWindow ? WS_EX_TOOLWINDOW : WS_EX_DLGMODALFRAME);
    RECT frame{0, 0, form.Width(), form.Height()};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int w = frame.right - frame.left, h = frame.bottom - frame.top;
    RECT around{};
    if (!owner || !IsWindowVisible(owner) || !GetWindowRect(owner, &around))
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &around, 0);
    const bool topLeft = form.Position == TFormPosition::MainFormTopLeft;
    const int x = topLeft ? around.left : around.left + (around.right - around.left - w) / 2;
    const int y = topLeft ? around.top : around.top + (around.bottom - around.top - h) / 2;
    TWindow window(CreateWindowExW(exStyle, kClass, wide(form.Caption()), style, x, y, w, h, owner, nullptr,
                                   GetModuleHandleW(nullptr), nullptr));
    if (!window) RaiseLastError();
    SetWindowLongPtrW(window.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&form));
    TControlViews views(window.Get(), form, showError);

    form.ModalResult = 0;
    const bool ownerWasEnabled = owner && !EnableWindow(owner, FALSE);
    struct TOwnerBack {
        HWND owner;
        bool enable;
        ~TOwnerBack() {
            if (enable) EnableWindow(owner, TRUE);
            if (owner) SetActiveWindow(owner);
        }
    } ownerBack{owner, ownerWasEnabled};
    ShowWindow(window.Get(), SW_SHOW);
    views.FocusFirst();
    if (form.OnShow) Guarded(showError, [&] { form.OnShow(&form); });

    // A click sent from another program (or from inside the wait) sets the result in a sent
    // message, which wakes no GetMessage: a timer makes the loop look again now and then.
    constexpr UINT_PTR kLookAgain = 1;
    SetTimer(window.Get(), kLookAgain, 100, nullptr);
    MSG msg{};
    for (;;) {
        if (form.ModalResult != 0) {
            if (letsClose(form, showError)) break;
            form.ModalResult = 0;
        }
        if (!IsWindow(window.Get())) break;
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
            // The program is ending: the loop after this one must see it too.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (pressFor(msg, form, views) || views.HandleDialogKey(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    SetWindowLongPtrW(window.Get(), GWLP_USERDATA, 0);
    return form.ModalResult;
}

} // namespace zerbo::win32
