#pragma once
// The real Win32 controls and menus of a window, made from the models and their layout
// table. Each model is mirrored into its control; the user's input (clicks, typing, keys,
// focus, the spin button, menu choices) goes back through the models' own operations, so
// that a click by the user and a change by a command take the same path. What the view
// writes into a control while mirroring never comes back as the user's input.
#include <windows.h>

#include <map>
#include <memory>
#include <span>
#include <vector>

#include "components/ClipboardWatcher.h"
#include "components/Controls.h"
#include "win32/ipc/ClipboardChain.h"
#include "win32/base/WindowHandles.h"

namespace zerbo::win32 {

// The windows' font: "ＭＳ Ｐゴシック", 12 pixels high, Shift-JIS character set.
UniqueFont CreateWindowFont();

class TControlViews : private IChangeObserver {
public:
    // Creates a control for each entry of a table that ApplyLayout has given to `form`,
    // in table order, on the window of its parent (`host` for the form itself), all in
    // the windows' font. Errors raised by the models' handlers during the user's input go
    // to `showError`. The models must outlive the views.
    TControlViews(HWND host, TControl& form, std::span<const TLayoutEntry> layout,
                  TErrorDisplay showError = ShowErrorMessage);
    TControlViews(const TControlViews&) = delete;
    TControlViews& operator=(const TControlViews&) = delete;
    ~TControlViews() override;

    // The control's window, nullptr when it has none (any more).
    HWND Handle(const TControl& control) const;
    HFONT Font() const { return font_.get(); }

private:
    struct View;

    void create(TControl& model, HWND parent);
    void teardown();
    void Changed(TComponent& component, TChange what) override;
    void mirrorText(View& v);
    void mirrorItems(View& v);
    void command(View& v, UINT code);
    bool input(View& v, HWND hwnd, UINT msg, WPARAM& wParam, LPARAM lParam, LRESULT& result);
    template <typename Body>
    void guarded(Body&& body);
    View* find(HWND hwnd) const;
    static LRESULT CALLBACK subclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR data);

    HWND host_;
    UniqueFont font_;
    TErrorDisplay showError_;
    std::vector<std::unique_ptr<View>> views_;  // in creation order
    std::map<HWND, View*> byWindow_;
    std::map<const TComponent*, View*> byModel_;
    int mirroring_ = 0;
};

// A main menu bar set on `host`, or a pop-up menu that `host` owns, made from the
// sub-items of `root` once. Checked, Enabled and Caption are mirrored; choosing an item
// (also by its shortcut) runs its Click, and so does opening an item's sub-menu.
class TMenuView : private IChangeObserver {
public:
    TMenuView(HWND host, TMenuItem& root, bool popup = false, TErrorDisplay showError = ShowErrorMessage);
    TMenuView(const TMenuView&) = delete;
    TMenuView& operator=(const TMenuView&) = delete;
    ~TMenuView() override;

    HMENU Handle() const { return menu_.get(); }
    // The shortcuts of the items, for TranslateAcceleratorW in the message loop.
    HACCEL Accelerators() const { return accelerators_.get(); }
    // The command identifier of an item, 0 for one that opens a sub-menu or separates.
    UINT CommandId(const TMenuItem& item) const;
    // Shows a pop-up menu at a screen position.
    void TrackPopup(int x, int y);

private:
    struct Entry {
        TMenuItem* item;
        HMENU parentMenu;
        UINT id;
        HMENU subMenu;
    };

    void build(HMENU menu, TMenuItem& parent, std::vector<ACCEL>& accelerators);
    void Changed(TComponent& component, TChange what) override;
    void mirror(const Entry& e);
    static LRESULT CALLBACK subclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR data);

    HWND host_;
    TMenuItem& root_;
    bool popup_;
    TErrorDisplay showError_;
    UniqueMenu menu_;
    UniqueAccelerators accelerators_;
    std::vector<Entry> entries_;
};

} // namespace zerbo::win32
