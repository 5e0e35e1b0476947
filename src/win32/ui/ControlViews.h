#pragma once
// The real Win32 controls of a window, made from the models a layout placed on a form.
// Each model is mirrored into its control; the user's input (clicks, typing, keys, focus,
// the spin button) goes back through the models' own operations, so that a click by the
// user and a change by a command take the same path. What the view writes into a control
// while mirroring never comes back as the user's input.
//
// The keyboard works as in a dialog: Tab and Shift+Tab move through the controls in the
// order they were placed, Alt with a caption's underlined letter presses its button or
// check box, and the speed buttons show their hints as tooltips.
#include <windows.h>

#include <map>
#include <memory>
#include <vector>

#include "components/Controls.h"
#include "core/Error.h"
#include "win32/base/Handles.h"

namespace zerbo::win32 {

// The windows' font: "ＭＳ Ｐゴシック", 12 pixels high, Shift-JIS character set.
TGdiObject<HFONT> CreateWindowFont();

class TControlViews : private IChangeObserver {
public:
    // Creates a control for each control placed on `form` (scroll boxes excepted: their
    // picture view makes them), parents before children, in placement order, on the window
    // of its parent (`host` for the form itself), all in the windows' font. Where controls
    // overlap, the one placed later is in front. Errors raised by the models' handlers
    // during the user's input go to `showError`. The models must outlive the views.
    TControlViews(HWND host, TControl& form, TErrorDisplay showError);
    TControlViews(const TControlViews&) = delete;
    TControlViews& operator=(const TControlViews&) = delete;
    ~TControlViews() override;

    // The control's window, nullptr when it has none (any more).
    HWND Handle(const TControl& control) const;
    HFONT Font() const { return font_.Get(); }
    // Tab, Shift+Tab and Alt with a mnemonic in one of these controls, handled; false for
    // any other message. For the message loop, before the message is translated.
    bool HandleDialogKey(const MSG& msg);
    // Gives the focus to the control, which may take it (visible and enabled).
    void Focus(const TControl& control);
    // The focus to the first control Tab stops at.
    void FocusFirst();

private:
    struct View;

    void create(TControl& model, HWND parent);
    void teardown();
    void Changed(TComponent& component, TChange what) override;
    void mirrorText(View& v);
    void mirrorItems(View& v);
    void command(View& v, UINT code);
    bool input(View& v, HWND hwnd, UINT msg, WPARAM& wParam, LPARAM lParam, LRESULT& result);
    void addTooltip(const View& v);
    bool canFocus(const View& v) const;
    bool tab(HWND from, bool backwards);
    bool mnemonic(char16_t key);
    View* find(HWND hwnd) const;
    static LRESULT CALLBACK subclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR data);

    HWND host_;
    TGdiObject<HFONT> font_;
    TErrorDisplay showError_;
    TWindow tooltips_;
    std::vector<std::unique_ptr<View>> views_;  // in creation order
    std::map<HWND, View*> byWindow_;
    std::map<const TComponent*, View*> byModel_;
    int mirroring_ = 0;
};

} // namespace zerbo::win32
