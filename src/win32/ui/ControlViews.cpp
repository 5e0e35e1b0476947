#include "win32/ui/ControlViews.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "components/SkyGroupCheckBox.h"
#include "components/WinSpinEdit.h"
#include "core/Error.h"
#include "core/Text.h"
#include "win32/base/WideText.h"

namespace zerbo::win32 {

namespace {

constexpr wchar_t kPanelClass[] = L"TZerboPanel";
constexpr int kUpDownWidth = 15;
// The closed height of a drop-down when the table gives none, and how far it opens.
constexpr int kComboHeight = 20;
constexpr int kComboDropHeight = 200;
// Menu command identifiers of every menu view of the program; below the system's.
constexpr UINT kFirstMenuId = 0x4000;
constexpr UINT kLastMenuId = 0xEFFF;


std::u16string windowText(HWND hwnd) {
    const int n = GetWindowTextLengthW(hwnd);
    std::u16string text(static_cast<size_t>(n) + 1, u'\0');
    const int got = GetWindowTextW(hwnd, reinterpret_cast<wchar_t*>(text.data()), n + 1);
    text.resize(static_cast<size_t>(std::max(got, 0)));
    return text;
}

// Errors of handlers run from a window procedure go to the error display: they must not
// unwind through the system's frames.
template <typename Body>
void runGuarded(const TErrorDisplay& showError, Body&& body) {
    try {
        body();
    } catch (const Exception& e) {
        if (showError) showError(e.Message());
    } catch (const std::exception& e) {
        if (showError) showError(FromUtf8(e.what()));
    } catch (...) {
        if (showError) showError(u"不明な例外が発生しました");
    }
}

void registerPanelClass(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(instance, kPanelClass, &wc)) return;
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kPanelClass;
    if (!RegisterClassExW(&wc)) throw std::runtime_error("RegisterClassExW failed for panels");
}

// The caption's extent in the font, without the "&" that only underlines.
SIZE textExtent(HWND hwnd, HFONT font, const std::u16string& caption) {
    std::u16string text;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size()) ++i;
        text += caption[i];
    }
    SIZE size{0, 0};
    HDC dc = GetDC(hwnd);
    if (!dc) return size;
    const HGDIOBJ old = SelectObject(dc, font);
    GetTextExtentPoint32W(dc, wide(text), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    return size;
}

int windowHeight(const TControl& m) {
    return m.Kind() == TControlKind::ComboList ? m.Height() + kComboDropHeight : m.Height();
}

struct MirrorScope {
    int& depth;
    explicit MirrorScope(int& d) : depth(d) { ++depth; }
    ~MirrorScope() { --depth; }
};

} // namespace

UniqueFont CreateWindowFont() {
    UniqueFont font(CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"ＭＳ Ｐゴシック"));
    if (!font) throw std::runtime_error("CreateFontW failed for the window font");
    return font;
}

// Controls ---------------------------------------------------------------------------

struct TControlViews::View {
    TControl* model = nullptr;
    UniqueWindow window;
    HWND inner = nullptr;   // the text field of a csDropDown box, freed with the box
    HWND upDown = nullptr;  // the spin button, a child of the edit and freed with it
};

TControlViews::TControlViews(HWND host, TControl& form, std::span<const TLayoutEntry> layout, TErrorDisplay showError)
    : host_(host), font_(CreateWindowFont()), showError_(std::move(showError)) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_UPDOWN_CLASS | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    registerPanelClass(GetModuleHandleW(nullptr));
    SetWindowSubclass(host_, &subclassProc, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this));
    try {
        for (const TLayoutEntry& e : layout) {
            TControl* model = form.FindControl(e.Name);
            if (!model || !model->Parent()) throw std::logic_error("the layout was not applied to the form: " + ToUtf8(e.Name));
            create(*model, model->Parent() == &form ? host_ : Handle(*model->Parent()));
        }
        // A group check box applies its state when its window is created.
        for (const auto& v : views_)
            if (auto* group = dynamic_cast<TSkyGroupCheckBox*>(v->model)) group->UpdateGroup();
    } catch (...) {
        teardown();
        throw;
    }
}

TControlViews::~TControlViews() { teardown(); }

void TControlViews::teardown() {
    const auto id = reinterpret_cast<UINT_PTR>(this);
    // Children were created after their parents; destroy them first.
    for (auto it = views_.rbegin(); it != views_.rend(); ++it) {
        View& v = **it;
        if (v.model->Observer() == this) v.model->SetObserver(nullptr);
        if (v.inner) RemoveWindowSubclass(v.inner, &subclassProc, id);
        if (v.window) RemoveWindowSubclass(v.window.get(), &subclassProc, id);
        v.window.reset();
    }
    views_.clear();
    byWindow_.clear();
    byModel_.clear();
    if (host_) RemoveWindowSubclass(host_, &subclassProc, id);
    host_ = nullptr;
}

HWND TControlViews::Handle(const TControl& control) const {
    const auto it = byModel_.find(&control);
    return it == byModel_.end() ? nullptr : it->second->window.get();
}

TControlViews::View* TControlViews::find(HWND hwnd) const {
    const auto it = byWindow_.find(hwnd);
    return it == byWindow_.end() ? nullptr : it->second;
}

template <typename Body>
void TControlViews::guarded(Body&& body) {
    runGuarded(showError_, std::forward<Body>(body));
}

void TControlViews::create(TControl& m, HWND parent) {
    const TControlKind kind = m.Kind();
    // Sizes the table leaves open follow the caption, as auto-sized controls do.
    if (m.Width() == 0 || m.Height() == 0) {
        const SIZE s = textExtent(parent, font_.get(), m.Caption());
        int w = m.Width(), h = m.Height();
        if (kind == TControlKind::CheckBox || kind == TControlKind::GroupCheckBox) {
            if (w == 0) w = s.cx + GetSystemMetrics(SM_CXMENUCHECK) + 8;
            if (h == 0) h = std::max<int>(s.cy, 17);
        } else if (kind == TControlKind::Label) {
            if (w == 0) w = s.cx;
            if (h == 0) h = s.cy;
        } else {
            if (w == 0) w = s.cx + 16;
            if (h == 0) h = kind == TControlKind::ComboList ? kComboHeight : std::max<int>(s.cy + 8, 20);
        }
        m.SetBounds(m.Left(), m.Top(), w, h);
    }

    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (m.Visible() ? WS_VISIBLE : 0) | (m.Enabled() ? 0 : WS_DISABLED);
    DWORD exStyle = 0;
    const wchar_t* cls = L"STATIC";
    std::u16string text = m.Caption();
    switch (kind) {
    case TControlKind::Panel:
        cls = kPanelClass;
        style |= WS_CLIPCHILDREN;
        break;
    case TControlKind::Label:
        style |= SS_LEFT;
        break;
    case TControlKind::Button:
        cls = L"BUTTON";
        style |= BS_PUSHBUTTON | WS_TABSTOP;
        break;
    case TControlKind::SpeedButton:
        cls = L"BUTTON";
        style |= static_cast<TSpeedButton&>(m).GroupIndex != 0 ? BS_PUSHLIKE | BS_CHECKBOX : BS_PUSHBUTTON;
        break;
    case TControlKind::CheckBox:
    case TControlKind::GroupCheckBox:
        cls = L"BUTTON";
        style |= BS_AUTOCHECKBOX | WS_TABSTOP;
        break;
    case TControlKind::TextEdit:
    case TControlKind::SpinEdit: {
        const auto& edit = static_cast<TTextEdit&>(m);
        cls = L"EDIT";
        exStyle = WS_EX_CLIENTEDGE;
        style |= ES_AUTOHSCROLL | WS_TABSTOP;
        if (edit.CharCase() == TEditCharCase::ecUpperCase) style |= ES_UPPERCASE;
        if (edit.ReadOnly) style |= ES_READONLY;
        text = edit.Text();
        break;
    }
    case TControlKind::ComboList:
        cls = L"COMBOBOX";
        style |= WS_VSCROLL | WS_TABSTOP |
                 (static_cast<TComboList&>(m).Style == TComboStyle::csDropDown ? CBS_DROPDOWN | CBS_AUTOHSCROLL
                                                                                : CBS_DROPDOWNLIST);
        text.clear();
        break;
    case TControlKind::StatusBar:
        cls = STATUSCLASSNAMEW;
        style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
        text.clear();
        break;
    }

    auto v = std::make_unique<View>();
    v->model = &m;
    const auto id = static_cast<INT_PTR>(1000 + views_.size());
    v->window.reset(CreateWindowExW(exStyle, cls, wide(text), style, m.Left(), m.Top(), m.Width(), windowHeight(m),
                                    parent, reinterpret_cast<HMENU>(id), GetModuleHandleW(nullptr), nullptr));
    const HWND h = v->window.get();
    if (!h) throw std::runtime_error("CreateWindowExW failed for " + ToUtf8(m.Name));
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    const auto subclassId = reinterpret_cast<UINT_PTR>(this);
    SetWindowSubclass(h, &subclassProc, subclassId, reinterpret_cast<DWORD_PTR>(this));
    byWindow_[h] = v.get();
    byModel_[&m] = v.get();

    switch (kind) {
    case TControlKind::CheckBox:
    case TControlKind::GroupCheckBox:
        SendMessageW(h, BM_SETCHECK, static_cast<TCheckBox&>(m).Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
        break;
    case TControlKind::SpeedButton:
        SendMessageW(h, BM_SETCHECK, static_cast<TSpeedButton&>(m).Down() ? BST_CHECKED : BST_UNCHECKED, 0);
        break;
    case TControlKind::TextEdit:
    case TControlKind::SpinEdit:
        SendMessageW(h, EM_LIMITTEXT, static_cast<WPARAM>(std::max(static_cast<TTextEdit&>(m).MaxLength, 0)), 0);
        if (auto* spin = dynamic_cast<TWinSpinEdit*>(&m)) {
            // The button sits inside the edit at its right; the text ends left of it.
            RECT r{};
            GetClientRect(h, &r);
            v->upDown = CreateWindowExW(0, UPDOWN_CLASSW, nullptr, WS_CHILD | WS_VISIBLE, r.right - kUpDownWidth, 0,
                                        kUpDownWidth, r.bottom, h, nullptr, GetModuleHandleW(nullptr), nullptr);
            // A wide range of its own; steps are taken from the notification, the button's
            // position never moves, so it never reaches an end.
            SendMessageW(v->upDown, UDM_SETRANGE32, static_cast<WPARAM>(-32768), 32767);
            SendMessageW(h, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, kUpDownWidth + 1));
            if (!spin->Beep) spin->Beep = [] { MessageBeep(MB_OK); };
        }
        break;
    case TControlKind::ComboList:
        if (static_cast<TComboList&>(m).Style == TComboStyle::csDropDown) {
            COMBOBOXINFO info{};
            info.cbSize = sizeof info;
            if (GetComboBoxInfo(h, &info) && info.hwndItem) {
                v->inner = info.hwndItem;
                SetWindowSubclass(v->inner, &subclassProc, subclassId, reinterpret_cast<DWORD_PTR>(this));
                byWindow_[v->inner] = v.get();
            }
        }
        break;
    case TControlKind::StatusBar:
        SendMessageW(h, SB_SIMPLE, TRUE, 0);
        break;
    default:
        break;
    }
    View& view = *v;
    views_.push_back(std::move(v));
    {
        MirrorScope scope(mirroring_);
        if (kind == TControlKind::ComboList) mirrorItems(view);
        if (kind == TControlKind::StatusBar) mirrorText(view);
    }
    m.SetObserver(this);
}

void TControlViews::mirrorText(View& v) {
    const HWND h = v.window.get();
    TControl& m = *v.model;
    switch (m.Kind()) {
    case TControlKind::TextEdit:
    case TControlKind::SpinEdit: {
        // Only a text that differs: writing resets the caret of the field being typed in.
        const std::u16string& text = static_cast<TTextEdit&>(m).Text();
        if (windowText(h) != text) SetWindowTextW(h, wide(text));
        break;
    }
    case TControlKind::ComboList: {
        const std::u16string& text = static_cast<TComboList&>(m).Text();
        if (windowText(h) != text) SetWindowTextW(h, wide(text));
        break;
    }
    case TControlKind::StatusBar:
        SendMessageW(h, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(wide(m.Caption())));
        break;
    default:
        SetWindowTextW(h, wide(m.Caption()));
        break;
    }
}

void TControlViews::mirrorItems(View& v) {
    const HWND h = v.window.get();
    const auto& list = static_cast<TComboList&>(*v.model);
    SendMessageW(h, CB_RESETCONTENT, 0, 0);
    for (const auto& item : list.Items()) SendMessageW(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(item)));
    SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(list.ItemIndex()), 0);
    if (list.Style == TComboStyle::csDropDown) mirrorText(v);
}

void TControlViews::Changed(TComponent& component, TChange what) {
    const auto it = byModel_.find(&component);
    if (it == byModel_.end() || !it->second->window) return;
    View& v = *it->second;
    const HWND h = v.window.get();
    TControl& m = *v.model;
    MirrorScope scope(mirroring_);
    switch (what) {
    case TChange::Enabled:
        EnableWindow(h, m.Enabled());
        break;
    case TChange::Visible:
        ShowWindow(h, m.Visible() ? SW_SHOWNA : SW_HIDE);
        break;
    case TChange::Bounds:
        MoveWindow(h, m.Left(), m.Top(), m.Width(), windowHeight(m), TRUE);
        if (v.upDown) {
            RECT r{};
            GetClientRect(h, &r);
            MoveWindow(v.upDown, r.right - kUpDownWidth, 0, kUpDownWidth, r.bottom, TRUE);
        }
        break;
    case TChange::Text:
        mirrorText(v);
        break;
    case TChange::Checked:
        SendMessageW(h, BM_SETCHECK, static_cast<TCheckBox&>(m).Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
        break;
    case TChange::Down:
        SendMessageW(h, BM_SETCHECK, static_cast<TSpeedButton&>(m).Down() ? BST_CHECKED : BST_UNCHECKED, 0);
        break;
    case TChange::Items:
        mirrorItems(v);
        break;
    case TChange::ItemIndex: {
        const auto& list = static_cast<TComboList&>(m);
        SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(list.ItemIndex()), 0);
        if (list.Style == TComboStyle::csDropDown) mirrorText(v);
        break;
    }
    case TChange::Selection: {
        const auto& edit = static_cast<TTextEdit&>(m);
        SendMessageW(h, EM_SETSEL, static_cast<WPARAM>(edit.SelStart()),
                     static_cast<LPARAM>(edit.SelStart() + edit.SelLength()));
        break;
    }
    }
}

void TControlViews::command(View& v, UINT code) {
    // What the view itself wrote is not the user's input.
    if (mirroring_ > 0) return;
    const HWND h = v.window.get();
    TControl& m = *v.model;
    guarded([&] {
        switch (m.Kind()) {
        case TControlKind::Button:
        case TControlKind::SpeedButton:
            if (code == BN_CLICKED) static_cast<TButton&>(m).Click();
            break;
        case TControlKind::CheckBox:
        case TControlKind::GroupCheckBox:
            // The control has toggled itself; the model takes the state as a program would.
            if (code == BN_CLICKED) static_cast<TCheckBox&>(m).SetChecked(SendMessageW(h, BM_GETCHECK, 0, 0) == BST_CHECKED);
            break;
        case TControlKind::TextEdit:
        case TControlKind::SpinEdit:
            if (code == EN_CHANGE) static_cast<TTextEdit&>(m).SetText(windowText(h));
            break;
        case TControlKind::ComboList:
            if (code == CBN_SELCHANGE)
                static_cast<TComboList&>(m).UserSelect(static_cast<int32_t>(SendMessageW(h, CB_GETCURSEL, 0, 0)));
            else if (code == CBN_EDITCHANGE)
                static_cast<TComboList&>(m).UserEdit(windowText(h));
            break;
        default:
            break;
        }
    });
}

bool TControlViews::input(View& v, HWND hwnd, UINT msg, WPARAM& wParam, LPARAM lParam, LRESULT& result) {
    TControl& m = *v.model;
    auto* spin = dynamic_cast<TWinSpinEdit*>(&m);
    switch (msg) {
    case WM_KEYDOWN:
    case WM_KEYUP: {
        auto key = static_cast<uint16_t>(wParam);
        guarded([&] { msg == WM_KEYDOWN ? m.KeyDown(key) : m.KeyUp(key); });
        if (key == 0) {
            result = 0;
            return true;
        }
        wParam = key;
        return false;
    }
    case WM_CHAR: {
        auto key = static_cast<char16_t>(wParam);
        guarded([&] { m.KeyPress(key); });
        if (key == 0) {
            result = 0;
            return true;
        }
        wParam = key;
        return false;
    }
    case WM_SETFOCUS:
        result = DefSubclassProc(hwnd, msg, wParam, lParam);
        guarded([&] { m.DoEnter(); });
        return true;
    case WM_KILLFOCUS:
        result = DefSubclassProc(hwnd, msg, wParam, lParam);
        guarded([&] { m.DoExit(); });
        return true;
    case WM_LBUTTONDOWN:
        m.SetMouseDown(true);
        return false;
    case WM_LBUTTONUP:
        result = DefSubclassProc(hwnd, msg, wParam, lParam);
        m.SetMouseDown(false);
        return true;
    case WM_PASTE:
    case WM_CUT:
        if (spin && !spin->CanPasteOrCut()) {
            result = 0;
            return true;
        }
        return false;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (!spin || !header || header->hwndFrom != v.upDown || header->code != UDN_DELTAPOS) return false;
        const auto* change = reinterpret_cast<const NMUPDOWN*>(lParam);
        guarded([&] { change->iDelta > 0 ? spin->UpClick() : spin->DownClick(); });
        result = 1;  // keeps the button's own position where it is
        return true;
    }
    default:
        return false;
    }
}

LRESULT CALLBACK TControlViews::subclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                             DWORD_PTR data) {
    auto* self = reinterpret_cast<TControlViews*>(data);
    if (msg == WM_NCDESTROY) {
        // Destroyed with its parent, or by someone else: the handle is no longer ours.
        RemoveWindowSubclass(hwnd, &subclassProc, id);
        if (hwnd == self->host_) self->host_ = nullptr;
        if (View* v = self->find(hwnd)) {
            if (v->window.get() == hwnd) v->window.release();
            if (v->inner == hwnd) v->inner = nullptr;
            self->byWindow_.erase(hwnd);
        }
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    }
    View* v = self->find(hwnd);
    const bool container = hwnd == self->host_ || (v && v->model->Kind() == TControlKind::Panel);
    if (container && msg == WM_COMMAND && lParam != 0) {
        const auto control = reinterpret_cast<HWND>(lParam);
        if (View* source = self->find(control); source && source->window.get() == control) {
            self->command(*source, HIWORD(wParam));
            return 0;
        }
    }
    if (v) {
        LRESULT result = 0;
        if (self->input(*v, hwnd, msg, wParam, lParam, result)) return result;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

// Menus ------------------------------------------------------------------------------

namespace {

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
    if (!menu_) throw std::runtime_error("the menu could not be created");
    std::vector<ACCEL> accelerators;
    build(menu_.get(), root_, accelerators);
    if (!accelerators.empty())
        accelerators_.reset(CreateAcceleratorTableW(accelerators.data(), static_cast<int>(accelerators.size())));
    SetWindowSubclass(host_, &subclassProc, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this));
    if (!popup_) SetMenu(host_, menu_.get());
}

TMenuView::~TMenuView() {
    for (const Entry& e : entries_)
        if (e.item->Observer() == this) e.item->SetObserver(nullptr);
    if (host_) {
        RemoveWindowSubclass(host_, &subclassProc, reinterpret_cast<UINT_PTR>(this));
        if (!popup_ && GetMenu(host_) == menu_.get()) SetMenu(host_, nullptr);
    }
}

void TMenuView::build(HMENU menu, TMenuItem& parent, std::vector<ACCEL>& accelerators) {
    for (TMenuItem* item : parent.Items()) {
        Entry e{item, menu, 0, nullptr};
        const std::u16string text = menuText(*item);
        if (item->IsSeparator()) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        } else if (!item->Items().empty()) {
            UniqueMenu sub(CreatePopupMenu());
            if (!sub) throw std::runtime_error("a sub-menu could not be created");
            build(sub.get(), *item, accelerators);
            if (!AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub.get()), wide(text)))
                throw std::runtime_error("a sub-menu could not be added");
            e.subMenu = sub.release();  // the parent menu frees it from now on
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
    if (!popup_ && host_ && e.parentMenu == menu_.get()) DrawMenuBar(host_);
}

void TMenuView::Changed(TComponent& component, TChange) {
    // Entries are made once; items added later are not shown.
    for (const Entry& e : entries_)
        if (e.item == &component) mirror(e);
}

void TMenuView::TrackPopup(int x, int y) {
    TrackPopupMenu(menu_.get(), TPM_RIGHTBUTTON, x, y, 0, host_, nullptr);
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
                if (e.item->Enabled()) runGuarded(self->showError_, [&] { e.item->Click(); });
                return 0;
            }
        }
        break;
    case WM_INITMENUPOPUP:
        for (const Entry& e : self->entries_)
            if (e.subMenu && e.subMenu == reinterpret_cast<HMENU>(wParam))
                runGuarded(self->showError_, [&] { e.item->Click(); });
        break;
    case WM_NCDESTROY:
        // The window frees the menu bar it holds.
        RemoveWindowSubclass(hwnd, &subclassProc, id);
        if (!self->popup_ && GetMenu(hwnd) == self->menu_.get()) self->menu_.release();
        self->host_ = nullptr;
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

} // namespace zerbo::win32
