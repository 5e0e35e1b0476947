#pragma once
// A main menu bar set on a window, or a pop-up menu that a window owns, made from the
// sub-items of a menu model once. Checked, Enabled and Caption are mirrored; choosing an
// item (also by its shortcut) runs its Click, and so does opening an item's sub-menu.
#include <windows.h>

#include <vector>

#include "components/Controls.h"
#include "core/Error.h"
#include "win32/base/Handles.h"

namespace zerbo::win32 {

class TMenuView : private IChangeObserver {
public:
    // Errors raised by the items' handlers go to `showError`.
    TMenuView(HWND host, TMenuItem& root, bool popup, TErrorDisplay showError);
    TMenuView(const TMenuView&) = delete;
    TMenuView& operator=(const TMenuView&) = delete;
    ~TMenuView() override;

    HMENU Handle() const { return menu_.Get(); }
    // The shortcuts of the items, for the message loop.
    HACCEL Accelerators() const { return accelerators_.Get(); }
    // A shortcut of this menu for the message, handled; false when it is none.
    bool TranslateShortCut(MSG& msg);
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
    TMenu menu_;
    TAccelerators accelerators_;
    std::vector<Entry> entries_;
    bool translating_ = false;
};

} // namespace zerbo::win32
