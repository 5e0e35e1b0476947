#include "win32/ui/ControlViews.h"

#include <commctrl.h>

#include <algorithm>
#include <cwctype>
#include <string>

#include "components/SkyGroupCheckBox.h"
#include "components/WinSpinEdit.h"
#include "core/Guard.h"
#include "win32/base/SystemError.h"
#include "win32/base/WindowClass.h"
#include "win32/base/WideText.h"
#include "win32/ui/InputMethod.h"
#include "win32/ui/SelfPaintedViews.h"

namespace zerbo::win32 {

namespace {

constexpr wchar_t kPanelClass[] = L"TZerboPanel";
constexpr int kUpDownWidth = 15;
// The closed height of a drop-down when the table gives none, and how far it opens.
constexpr int kComboHeight = 20;
constexpr int kComboDropHeight = 200;


std::u16string windowText(HWND hwnd) {
    const int n = GetWindowTextLengthW(hwnd);
    std::u16string text(static_cast<size_t>(n) + 1, u'\0');
    const int got = GetWindowTextW(hwnd, reinterpret_cast<wchar_t*>(text.data()), n + 1);
    text.resize(static_cast<size_t>(std::max(got, 0)));
    return text;
}

// The caption's extent in the font, without the "&" that only underlines.
SIZE textExtent(HWND hwnd, HFONT font, const std::u16string& caption) {
    std::u16string text;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size()) ++i;
        text += caption[i];
    }
    SIZE size{0, 0};
    const TWindowDC dc(GetDC(hwnd), {hwnd});
    if (!dc) return size;
    const TSelection select(dc.Get(), font);
    GetTextExtentPoint32W(dc.Get(), wide(text), static_cast<int>(text.size()), &size);
    return size;
}

// The letter after a single "&" of a caption, 0 when there is none.
char16_t mnemonicOf(const std::u16string& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&') continue;
        if (caption[i + 1] != u'&') return static_cast<char16_t>(std::towupper(caption[i + 1]));
        ++i;
    }
    return 0;
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

TGdiObject<HFONT> CreateWindowFont() {
    TGdiObject<HFONT> font(CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"ＭＳ Ｐゴシック"));
    if (!font) RaiseLastError();
    return font;
}

// Controls ---------------------------------------------------------------------------

struct TControlViews::View {
    TControl* model = nullptr;
    TWindow window;
    HWND inner = nullptr;   // the text field of a csDropDown box, freed with the box
    HWND upDown = nullptr;  // the spin button, a child of the edit and freed with it
    TMouseTracking mouse;   // of a custom control
};

TControlViews::TControlViews(HWND host, TControl& form, TErrorDisplay showError)
    : host_(host), font_(CreateWindowFont()), showError_(std::move(showError)) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_UPDOWN_CLASS | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&icc);
    RegisterWindowClass(kPanelClass, DefWindowProcW, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    SetWindowSubclass(host_, &subclassProc, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this));
    try {
        // Parents before their children, each in the order it was placed.
        auto createAll = [&](auto& self, TControl& parent, HWND parentWindow) -> void {
            for (TControl* child : parent.Controls()) {
                if (child->Kind() == TControlKind::ScrollBox) continue;
                create(*child, parentWindow);
                self(self, *child, Handle(*child));
            }
        };
        createAll(createAll, form, host_);
        // The later a control was placed, the further in front it is, as the form designer
        // puts it; a new child window starts at the back.
        for (const auto& v : views_)
            SetWindowPos(v->window.Get(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
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
        if (v.window) RemoveWindowSubclass(v.window.Get(), &subclassProc, id);
        v.window.Reset();
    }
    views_.clear();
    tooltips_.Reset();
    byWindow_.clear();
    byModel_.clear();
    if (host_) RemoveWindowSubclass(host_, &subclassProc, id);
    host_ = nullptr;
}

HWND TControlViews::Handle(const TControl& control) const {
    const auto it = byModel_.find(&control);
    return it == byModel_.end() ? nullptr : it->second->window.Get();
}

TControlViews::View* TControlViews::find(HWND hwnd) const {
    const auto it = byWindow_.find(hwnd);
    return it == byWindow_.end() ? nullptr : it->second;
}

void TControlViews::create(TControl& m, HWND parent) {
    const TControlKind kind = m.Kind();
    if (kind == TControlKind::TabSheet) {
        // A page is a tab of its page control and fills the area below the tabs.
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        std::u16string caption = m.Caption();
        item.pszText = reinterpret_cast<wchar_t*>(caption.data());
        const auto count = static_cast<int>(SendMessageW(parent, TCM_GETITEMCOUNT, 0, 0));
        SendMessageW(parent, TCM_INSERTITEMW, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(&item));
        if (const auto* pages = dynamic_cast<const TPageControl*>(m.Parent()))
            SendMessageW(parent, TCM_SETCURSEL, static_cast<WPARAM>(pages->ActivePageIndex()), 0);
        RECT area{};
        GetClientRect(parent, &area);
        SendMessageW(parent, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
        m.SetBounds(area.left, area.top, area.right - area.left, area.bottom - area.top);
    } else if (kind != TControlKind::Picture && (m.Width() == 0 || m.Height() == 0)) {
        // Sizes the table leaves open follow the caption, as auto-sized controls do.
        const SIZE s = textExtent(parent, font_.Get(), m.Caption());
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
    const DWORD tabStop = m.TabStop ? WS_TABSTOP : 0;
    DWORD exStyle = 0;
    const wchar_t* cls = L"STATIC";
    std::u16string text = m.Caption();
    switch (kind) {
    case TControlKind::Panel:
    case TControlKind::ScrollBox:
    case TControlKind::TabSheet:
        cls = kPanelClass;
        // Tab moves into and out of the panel's controls.
        style |= WS_CLIPCHILDREN;
        exStyle = WS_EX_CONTROLPARENT;
        text.clear();
        break;
    case TControlKind::PageControl:
        cls = WC_TABCONTROLW;
        style |= WS_CLIPCHILDREN | tabStop;
        exStyle = WS_EX_CONTROLPARENT;
        text.clear();
        break;
    case TControlKind::Picture:
        cls = SelfPaintedClass();
        break;
    case TControlKind::Custom:
        cls = SelfPaintedClass();
        if (static_cast<TCustomControl&>(m).WantsKeys()) style |= tabStop;
        text.clear();
        break;
    case TControlKind::Label:
        style |= SS_LEFT;
        break;
    case TControlKind::Button:
        cls = L"BUTTON";
        style |= BS_PUSHBUTTON | tabStop;
        break;
    case TControlKind::SpeedButton:
        cls = L"BUTTON";
        style |= static_cast<TSpeedButton&>(m).GroupIndex != 0 ? BS_PUSHLIKE | BS_CHECKBOX : BS_PUSHBUTTON;
        break;
    case TControlKind::CheckBox:
    case TControlKind::GroupCheckBox:
        cls = L"BUTTON";
        style |= BS_AUTOCHECKBOX | tabStop;
        break;
    case TControlKind::TextEdit:
    case TControlKind::SpinEdit: {
        const auto& edit = static_cast<TTextEdit&>(m);
        cls = L"EDIT";
        exStyle = WS_EX_CLIENTEDGE;
        style |= tabStop | (edit.MultiLine ? ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL : ES_AUTOHSCROLL);
        if (edit.CharCase() == TEditCharCase::ecUpperCase) style |= ES_UPPERCASE;
        if (edit.ReadOnly) style |= ES_READONLY;
        text = edit.Text();
        break;
    }
    case TControlKind::ComboList:
        cls = L"COMBOBOX";
        style |= WS_VSCROLL | tabStop |
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
    v->window.Reset(CreateWindowExW(exStyle, cls, wide(text), style, m.Left(), m.Top(), m.Width(), windowHeight(m),
                                    parent, reinterpret_cast<HMENU>(id), GetModuleHandleW(nullptr), nullptr));
    const HWND h = v->window.Get();
    if (!h) RaiseLastError();
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
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
    if (!m.Hint.empty()) addTooltip(view);
    m.SetObserver(this);
}

void TControlViews::addTooltip(const View& v) {
    if (!tooltips_) {
        tooltips_.Reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, host_, nullptr,
                                        GetModuleHandleW(nullptr), nullptr));
        if (!tooltips_) RaiseLastError();
        SendMessageW(tooltips_.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    }
    std::u16string hint = v.model->Hint;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = host_;
    tool.uId = reinterpret_cast<UINT_PTR>(v.window.Get());
    tool.lpszText = reinterpret_cast<wchar_t*>(hint.data());
    SendMessageW(tooltips_.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void TControlViews::mirrorText(View& v) {
    const HWND h = v.window.Get();
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
    const HWND h = v.window.Get();
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
    const HWND h = v.window.Get();
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
    case TChange::Paint:
        InvalidateRect(h, nullptr, FALSE);
        break;
    case TChange::Page:
        SendMessageW(h, TCM_SETCURSEL, static_cast<WPARAM>(static_cast<TPageControl&>(m).ActivePageIndex()), 0);
        break;
    }
}

void TControlViews::command(View& v, UINT code) {
    // What the view itself wrote is not the user's input.
    if (mirroring_ > 0) return;
    const HWND h = v.window.Get();
    TControl& m = *v.model;
    Guarded(showError_, [&] {
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
    if ((m.Kind() == TControlKind::Picture || m.Kind() == TControlKind::Custom) &&
        SelfPaintedInput(m, v.mouse, hwnd, msg, wParam, lParam, result, showError_))
        return true;
    auto* spin = dynamic_cast<TWinSpinEdit*>(&m);
    switch (msg) {
    case WM_KEYDOWN:
    case WM_KEYUP: {
        auto key = static_cast<uint16_t>(wParam);
        Guarded(showError_, [&] { msg == WM_KEYDOWN ? m.KeyDown(key) : m.KeyUp(key); });
        if (key == 0) {
            result = 0;
            return true;
        }
        wParam = key;
        return false;
    }
    case WM_CHAR: {
        auto key = static_cast<char16_t>(wParam);
        Guarded(showError_, [&] { m.KeyPress(key); });
        if (key == 0) {
            result = 0;
            return true;
        }
        wParam = key;
        return false;
    }
    case WM_SETFOCUS:
        result = DefSubclassProc(hwnd, msg, wParam, lParam);
        if (m.Kind() == TControlKind::TextEdit) ApplyImeMode(hwnd, static_cast<TTextEdit&>(m).ImeMode);
        Guarded(showError_, [&] { m.DoEnter(); });
        return true;
    case WM_KILLFOCUS:
        result = DefSubclassProc(hwnd, msg, wParam, lParam);
        Guarded(showError_, [&] { m.DoExit(); });
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
        Guarded(showError_, [&] { change->iDelta > 0 ? spin->UpClick() : spin->DownClick(); });
        result = 1;  // keeps the button's own position where it is
        return true;
    }
    default:
        return false;
    }
}

// The keyboard ---------------------------------------------------------------------------

bool TControlViews::canFocus(const View& v) const {
    const HWND h = v.window.Get();
    if (!h || !(GetWindowLongPtrW(h, GWL_STYLE) & WS_TABSTOP) || !IsWindowVisible(h)) return false;
    // A disabled panel keeps the controls on it from the keyboard too.
    for (HWND w = h; w && w != host_; w = GetParent(w))
        if (!IsWindowEnabled(w)) return false;
    return true;
}

void TControlViews::Focus(const TControl& control) {
    const auto it = byModel_.find(&control);
    if (it != byModel_.end() && canFocus(*it->second)) SetFocus(it->second->window.Get());
}

void TControlViews::FocusFirst() { tab(nullptr, false); }

bool TControlViews::tab(HWND from, bool backwards) {
    // The control the focus is in: the field of a drop-down or the button of a spin edit
    // belong to their control.
    const View* current = nullptr;
    for (HWND w = from; w && w != host_ && !current; w = GetParent(w))
        if (const View* v = find(w); v && v->window.Get() == w) current = v;
    const auto n = static_cast<std::ptrdiff_t>(views_.size());
    std::ptrdiff_t at = -1;
    for (std::ptrdiff_t i = 0; i < n; ++i)
        if (views_[static_cast<size_t>(i)].get() == current) at = i;
    if (at < 0) at = backwards ? 0 : n - 1;
    for (std::ptrdiff_t step = 1; step <= n; ++step) {
        const View& v = *views_[static_cast<size_t>(((at + (backwards ? -step : step)) % n + n) % n)];
        if (!canFocus(v)) continue;
        SetFocus(v.window.Get());
        // As in a dialog, a text field reached by Tab shows its whole text selected.
        if (v.model->Kind() == TControlKind::TextEdit || v.model->Kind() == TControlKind::SpinEdit)
            SendMessageW(v.window.Get(), EM_SETSEL, 0, -1);
        return true;
    }
    return false;
}

bool TControlViews::mnemonic(char16_t key) {
    const auto upper = static_cast<char16_t>(std::towupper(key));
    for (const auto& v : views_) {
        const TControlKind kind = v->model->Kind();
        const bool pressable = kind == TControlKind::Button || kind == TControlKind::CheckBox ||
                               kind == TControlKind::GroupCheckBox;
        if (!pressable || mnemonicOf(v->model->Caption()) != upper || !canFocus(*v)) continue;
        SetFocus(v->window.Get());
        // The press the user would make, through the control's own click.
        SendMessageW(v->window.Get(), BM_CLICK, 0, 0);
        return true;
    }
    return false;
}

bool TControlViews::HandleDialogKey(const MSG& msg) {
    if (!host_ || (msg.hwnd != host_ && !IsChild(host_, msg.hwnd))) return false;
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0) {
        // A drop-down that is open keeps Tab to itself.
        for (HWND w = msg.hwnd; w && w != host_; w = GetParent(w))
            if (const View* v = find(w); v && v->model->Kind() == TControlKind::ComboList &&
                                         SendMessageW(v->window.Get(), CB_GETDROPPEDSTATE, 0, 0))
                return false;
        return tab(msg.hwnd, GetKeyState(VK_SHIFT) < 0);
    }
    if (msg.message == WM_SYSCHAR) return mnemonic(static_cast<char16_t>(msg.wParam));
    return false;
}

LRESULT CALLBACK TControlViews::subclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                             DWORD_PTR data) {
    auto* self = reinterpret_cast<TControlViews*>(data);
    if (msg == WM_NCDESTROY) {
        // Destroyed with its parent, or by someone else: the handle is no longer ours.
        RemoveWindowSubclass(hwnd, &subclassProc, id);
        if (hwnd == self->host_) self->host_ = nullptr;
        if (View* v = self->find(hwnd)) {
            if (v->window.Get() == hwnd) v->window.Forget();
            if (v->inner == hwnd) v->inner = nullptr;
            self->byWindow_.erase(hwnd);
        }
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    }
    View* v = self->find(hwnd);
    const bool container =
        hwnd == self->host_ || (v && (v->model->Kind() == TControlKind::Panel || v->model->Kind() == TControlKind::TabSheet));
    if (container && msg == WM_COMMAND && lParam != 0) {
        const auto control = reinterpret_cast<HWND>(lParam);
        if (View* source = self->find(control); source && source->window.Get() == control) {
            self->command(*source, HIWORD(wParam));
            return 0;
        }
    }
    if (container && msg == WM_NOTIFY && lParam != 0) {
        // The user chose a tab: the page control's model shows its page.
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (View* source = self->find(header->hwndFrom); source && header->code == TCN_SELCHANGE &&
                                                          source->model->Kind() == TControlKind::PageControl) {
            const auto page = static_cast<int32_t>(SendMessageW(header->hwndFrom, TCM_GETCURSEL, 0, 0));
            if (self->mirroring_ == 0)
                Guarded(self->showError_, [&] { static_cast<TPageControl*>(source->model)->SetActivePageIndex(page); });
            return 0;
        }
    }
    if (v) {
        LRESULT result = 0;
        if (self->input(*v, hwnd, msg, wParam, lParam, result)) return result;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}


} // namespace zerbo::win32
