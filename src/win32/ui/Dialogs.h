#pragma once
// The standard dialogs and message boxes of the program, modal on the main window.
#include <windows.h>

#include <string>
#include <utility>

#include "app/Services.h"

namespace zerbo::win32 {

// The error display: the message in a box with the error icon, owned by `owner` when it is
// shown, task-modal otherwise (the window may still be hidden at start-up).
void ShowErrorBox(HWND owner, const std::u16string& message);

class TWinDialogs : public app::IDialogs {
public:
    explicit TWinDialogs(HWND owner) : owner_(owner) {}

    void ShowError(const std::u16string& message) override;
    bool MessageDlg(const std::u16string& text, const std::u16string& caption, app::TMsgButtons buttons,
                    app::TMsgIcon icon) override;
    bool ExecuteFontDialog(gfx::TFont& font) override;
    bool ExecuteColorDialog(TColor& color) override;
    bool ExecuteSaveDialog(const app::TSaveDialogOptions& options, std::u16string& fileName) override;
    int32_t ShowModal(TForm& form) override;

    // Whether an error box was closed since the last call. Closing it activates the main
    // window again, and the regeneration of that activation would bring the same error
    // straight back.
    bool TakeErrorShown() { return std::exchange(errorShown_, false); }

private:
    HWND owner_;
    bool errorShown_ = false;
    COLORREF customColors_[16] = {};
};

} // namespace zerbo::win32
