#include "win32/ui/MenuView.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "core/Guard.h"
#include "win32/base/SystemError.h"
#include "win32/base/WideText.h"

namespace zerbo::win32 {

namespace {

// Menu command identifiers of every menu view of the program; below the system's.
constexpr UINT kFirstMenuId = 0x4000;
constexpr UINT kLastMenuId = 0xEFFF;

UINT nextMenuId() {
    static UINT next = kFirstMenuId;
    const UINT id = next;
    next = next == kLastMenuId ? kFirstMenuId : next + 1;
    return id;
}

std::u16string shortCutText(TShortCut shortCut) {
    std::u16string text;
    if (shortCut & scShift) text += u"Shift+";
    if (shortCut & scCtrl) text += u"Ctrl+";
    if (shortCut & scAlt) text += u"Alt+";
    const auto key = static_cast<uint16_t>(shortCut & 0xFF);
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
        text += static_cast<char16_t>(key);
    } else if (key >= VK_F1 && key <= VK_F12) {
        const std::string n = std::to_string(key - VK_F1 + 1);
        text += u'F';
        text.append(n.begin(), n.end());
    }
    return text;
}

std::u16string menuText(const TMenuItem& item) {
    return item.ShortCut ? item.Caption() + u"\t" + shortCutText(item.ShortCut) : item.Caption();
}

} // namespace

TMenuView::TMenuView(HWND host, TMenuItem& root, bool popup, TErrorDisplay showError)
    : host_(host), root_(root), popup_(popup), showError_(std::move(showError)),
      menu_(popup ? CreatePopupMenu() : CreateMenu()) {
    if (!menu_) RaiseLastError();
    std::vector<ACCEL> accelerators;
    build(menu_.Get(), root_, accelerators);
    if (!accelerators.empty())
        accelerators_.Reset(CreateAcceleratorTableW(accelerators.data(), static_cast<int>(accelerators.size())));
    SetWindowSubclass(host_, &subclassProc, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this));
    if (!popup_) SetMenu(host_, menu_.Get());
}

TMenuView::~TMenuView() {
    for (const Entry& e : entries_)
        if (e.item->Observer() == this) e.item->SetObserver(nullptr);
    if (host_) {
        RemoveWindowSubclass(host_, &subclassProc, reinterpret_cast<UINT_PTR>(this));
        if (!popup_ && GetMenu(host_) == menu_.Get()) SetMenu(host_, nullptr);
    }
}

void TMenuView::build(HMENU menu, TMenuItem& parent, std::vector<ACCEL>& accelerators) {
    for (TMenuItem* item : parent.Items()) {
        Entry e{item, menu, 0, nullptr};
        const std::u16string text = menuText(*item);
        if (item->IsSeparator()) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        } else if (!item->Items().empty()) {
            TMenu sub(CreatePopupMenu());
            if (!sub) RaiseLastError();
            build(sub.Get(), *item, accelerators);
            if (!AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub.Get()), wide(text)))
                RaiseLastError();
            e.subMenu = sub.Release();  // the parent menu frees it from now on
        } else {
            e.id = nextMenuId();
            AppendMenuW(menu, MF_STRING, e.id, wide(text));
            if (item->ShortCut) {
                BYTE flags = FVIRTKEY;
                if (item->ShortCut & scShift) flags |= FSHIFT;
                if (item->ShortCut & scCtrl) flags |= FCONTROL;
                if (item->ShortCut & scAlt) flags |= FALT;
                accelerators.push_back(ACCEL{flags, static_cast<WORD>(item->ShortCut & 0xFF), static_cast<WORD>(e.id)});
            }
        }
        entries_.push_back(e);
        mirror(e);
        item->SetObserver(this);
    }
}

bool TMenuView::TranslateShortCut(MSG& msg) {
    if (!accelerators_ || !host_) return false;
    // The platform tells the sub-menu of a shortcut's item that it opens, but a shortcut
    // opens no menu: the sub-menu's click does not run for it.
    translating_ = true;
    const bool handled = TranslateAcceleratorW(host_, accelerators_.Get(), &msg);
    translating_ = false;
    return handled;
}

UINT TMenuView::CommandId(const TMenuItem& item) const {
    for (const Entry& e : entries_)
        if (e.item == &item) return e.id;
    return 0;
}

void TMenuView::mirror(const Entry& e) {
    if (e.item->IsSeparator() || !e.item->Parent()) return;
    const auto& siblings = e.item->Parent()->Items();
    const auto position = static_cast<UINT>(std::find(siblings.begin(), siblings.end(), e.item) - siblings.begin());
    std::u16string text = menuText(*e.item);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
    info.fType = e.item->RadioItem ? MFT_RADIOCHECK : MFT_STRING;
    info.fState = (e.item->Checked() ? MFS_CHECKED : MFS_UNCHECKED) | (e.item->Enabled() ? MFS_ENABLED : MFS_GRAYED);
    info.dwTypeData = reinterpret_cast<wchar_t*>(text.data());
    SetMenuItemInfoW(e.parentMenu, position, TRUE, &info);
    if (!popup_ && host_ && e.parentMenu == menu_.Get()) DrawMenuBar(host_);
}

void TMenuView::Changed(TComponent& component, TChange) {
    // Entries are made once; items added later are not shown.
    for (const Entry& e : entries_)
        if (e.item == &component) mirror(e);
}

void TMenuView::TrackPopup(int x, int y) {
    TrackPopupMenu(menu_.Get(), TPM_RIGHTBUTTON, x, y, 0, host_, nullptr);
    PostMessageW(host_, WM_NULL, 0, 0);
}

LRESULT CALLBACK TMenuView::subclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR data) {
    auto* self = reinterpret_cast<TMenuView*>(data);
    switch (msg) {
    case WM_COMMAND:
        // From a menu (0) or an accelerator (1), not from a control.
        if (lParam == 0 && HIWORD(wParam) <= 1) {
            for (const Entry& e : self->entries_) {
                if (e.id == 0 || e.id != LOWORD(wParam)) continue;
                if (e.item->Enabled()) Guarded(self->showError_, [&] { e.item->Click(); });
                return 0;
            }
        }
        break;
    case WM_INITMENUPOPUP:
        if (self->translating_) break;
        for (const Entry& e : self->entries_)
            if (e.subMenu && e.subMenu == reinterpret_cast<HMENU>(wParam))
                Guarded(self->showError_, [&] { e.item->Click(); });
        break;
    case WM_NCDESTROY:
        // The window frees the menu bar it holds.
        RemoveWindowSubclass(hwnd, &subclassProc, id);
        if (!self->popup_ && GetMenu(hwnd) == self->menu_.Get()) self->menu_.Forget();
        self->host_ = nullptr;
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

} // namespace zerbo::win32
