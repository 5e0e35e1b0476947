#include "components/Controls.h"

#include <algorithm>
#include <stdexcept>

#include "core/Text.h"

namespace zerbo {

namespace {

// What the platform's upper-case edit style does to typed text: Latin letters, full-width
// ones included; kana and kanji have no case.
char16_t upper(char16_t c) {
    if ((c >= u'a' && c <= u'z') || (c >= 0xFF41 && c <= 0xFF5A)) return static_cast<char16_t>(c - 0x20);
    return c;
}

template <typename T>
void removeOne(std::vector<T*>& list, T* item) {
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

} // namespace

// TControl ---------------------------------------------------------------------------

TControl::~TControl() {
    SetParent(nullptr);
    for (TControl* child : FControls) child->FParent = nullptr;
}

void TControl::SetParent(TControl* parent) {
    if (parent == FParent) return;
    for (const TControl* p = parent; p; p = p->FParent)
        if (p == this) throw std::logic_error("a control cannot be placed on itself");
    if (FParent) removeOne(FParent->FControls, this);
    FParent = parent;
    if (FParent) FParent->FControls.push_back(this);
}

TControl* TControl::FindControl(std::u16string_view name) {
    if (Name == name) return this;
    for (TControl* child : FControls)
        if (TControl* found = child->FindControl(name)) return found;
    return nullptr;
}

void TControl::SetEnabled(bool value) {
    if (value == FEnabled) return;
    FEnabled = value;
    Changed(TChange::Enabled);
}

void TControl::SetVisible(bool value) {
    if (value == FVisible) return;
    FVisible = value;
    Changed(TChange::Visible);
}

void TControl::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    Changed(TChange::Bounds);
}

void TControl::SetCaption(const std::u16string& value) {
    if (value == FCaption) return;
    FCaption = value;
    Changed(TChange::Text);
}

void TControl::KeyDown(uint16_t& Key) {
    if (OnKeyDown) OnKeyDown(this, Key);
}

void TControl::KeyPress(char16_t& Key) {
    if (OnKeyPress) OnKeyPress(this, Key);
}

void TControl::KeyUp(uint16_t& Key) {
    if (OnKeyUp) OnKeyUp(this, Key);
}

// Buttons ----------------------------------------------------------------------------

void TButton::Click() {
    for (TControl* c = Parent(); c; c = c->Parent())
        if (auto* form = dynamic_cast<TForm*>(c)) {
            form->ModalResult = ModalResult;
            break;
        }
    if (OnClick) OnClick(this);
}

void TSpeedButton::SetDown(bool value) {
    if (value == FDown) return;
    FDown = value;
    Changed(TChange::Down);
    if (!FDown || GroupIndex == 0 || !Parent()) return;
    for (TControl* c : Parent()->Controls()) {
        auto* other = dynamic_cast<TSpeedButton*>(c);
        if (other && other != this && other->GroupIndex == GroupIndex) other->SetDown(false);
    }
}

void TSpeedButton::Click() {
    if (GroupIndex != 0) SetDown(true);
    TButton::Click();
}

// TCheckBox --------------------------------------------------------------------------

void TCheckBox::SetChecked(bool value) {
    const bool changed = value != FChecked;
    FChecked = value;
    if (changed) Changed(TChange::Checked);
    StateSet();
    if (changed && OnClick) OnClick(this);
}

// TTextEdit --------------------------------------------------------------------------

void TTextEdit::SetText(std::u16string value) {
    if (FCharCase == TEditCharCase::ecUpperCase) std::transform(value.begin(), value.end(), value.begin(), upper);
    if (value == FText) return;
    FText = std::move(value);
    FSelStart = static_cast<int32_t>(FText.size());
    FSelLength = 0;
    Changed(TChange::Text);
    if (OnChange) OnChange(this);
}

void TTextEdit::SetCharCase(TEditCharCase value) {
    FCharCase = value;
    SetText(FText);
}

void TTextEdit::SetSel(int32_t start, int32_t length) {
    const auto size = static_cast<int32_t>(FText.size());
    start = std::clamp(start, 0, size);
    length = std::clamp(length, 0, size - start);
    FSelStart = start;
    FSelLength = length;
    Changed(TChange::Selection);
}

void TTextEdit::SelectAll() { SetSel(0, static_cast<int32_t>(FText.size())); }

void TTextEdit::DoEnter() {
    if (AutoSelect && !MouseDown()) SelectAll();
}

// TComboList -------------------------------------------------------------------------

void TComboList::SetItems(const std::vector<std::u16string>& items) {
    FItems = items;
    FItemIndex = -1;
    FText.clear();
    Changed(TChange::Items);
}

void TComboList::AddItem(const std::u16string& item) {
    FItems.push_back(item);
    Changed(TChange::Items);
}

void TComboList::SetItemIndex(int32_t value) {
    if (value < 0 || value >= static_cast<int32_t>(FItems.size())) value = -1;
    FItemIndex = value;
    FText = value < 0 ? std::u16string() : FItems[static_cast<size_t>(value)];
    Changed(TChange::ItemIndex);
}

void TComboList::SetText(const std::u16string& value) {
    if (Style == TComboStyle::csDropDownList) {
        const auto it = std::find(FItems.begin(), FItems.end(), value);
        SetItemIndex(it == FItems.end() ? -1 : static_cast<int32_t>(it - FItems.begin()));
        return;
    }
    FText = value;
    Changed(TChange::Text);
}

void TComboList::UserSelect(int32_t index) {
    SetItemIndex(index);
    if (OnChange) OnChange(this);
}

void TComboList::UserEdit(const std::u16string& text) {
    if (Style != TComboStyle::csDropDown || text == FText) return;
    FText = text;
    Changed(TChange::Text);
    if (OnChange) OnChange(this);
}

// TMenuItem --------------------------------------------------------------------------

TMenuItem::TMenuItem(std::u16string name, std::u16string caption, TShortCut shortCut)
    : TComponent(std::move(name)), ShortCut(shortCut), FCaption(std::move(caption)) {}

TMenuItem::~TMenuItem() {
    if (FParent) removeOne(FParent->FItems, this);
    for (TMenuItem* item : FItems) item->FParent = nullptr;
}

void TMenuItem::Add(TMenuItem& item) {
    if (item.FParent) removeOne(item.FParent->FItems, &item);
    item.FParent = this;
    FItems.push_back(&item);
    Changed(TChange::Items);
}

void TMenuItem::SetCaption(const std::u16string& value) {
    if (value == FCaption) return;
    FCaption = value;
    Changed(TChange::Text);
}

void TMenuItem::SetEnabled(bool value) {
    if (value == FEnabled) return;
    FEnabled = value;
    Changed(TChange::Enabled);
}

void TMenuItem::SetChecked(bool value) {
    if (value == FChecked) return;
    FChecked = value;
    Changed(TChange::Checked);
    if (!FChecked || !RadioItem || !FParent) return;
    for (TMenuItem* other : FParent->FItems)
        if (other != this && other->RadioItem && other->GroupIndex == GroupIndex) other->SetChecked(false);
}

void TMenuItem::Click() {
    if (AutoCheck) SetChecked(RadioItem ? true : !FChecked);
    if (OnClick) OnClick(this);
}

// Layout -----------------------------------------------------------------------------

// TPageControl ------------------------------------------------------------------------

void TPageControl::SetActivePageIndex(int32_t value) {
    if (value < 0 || value >= static_cast<int32_t>(Controls().size())) value = -1;
    if (value == FActivePageIndex) return;
    FActivePageIndex = value;
    for (size_t i = 0; i < Controls().size(); ++i) Controls()[i]->SetVisible(static_cast<int32_t>(i) == value);
    Changed(TChange::Page);
}

TTabSheet* TPageControl::ActivePage() const {
    return FActivePageIndex < 0 ? nullptr : static_cast<TTabSheet*>(Controls()[static_cast<size_t>(FActivePageIndex)]);
}

void TPictureControl::SetPicture(const gfx::TPicture* picture) {
    FPicture = picture;
    const gfx::TGraphic* g = picture ? picture->Graphic() : nullptr;
    SetBounds(Left(), Top(), g ? g->Width() : Width(), g ? g->Height() : Height());
    Changed(TChange::Paint);
}

void ApplyLayout(TControl& form, std::span<const TLayoutEntry> layout) {
    std::vector<const TControl*> placed{&form};
    for (const TLayoutEntry& e : layout) {
        TControl& control = e.Control(form);
        TControl* parent = e.Parent ? &e.Parent(form) : &form;
        if (std::find(placed.begin(), placed.end(), parent) == placed.end())
            throw std::logic_error("layout places " + ToUtf8(control.Name) + " before its parent");
        control.SetParent(parent);
        control.SetBounds(e.Left, e.Top, e.Width, e.Height);
        control.Tag = e.Tag;
        if (!e.Caption.empty()) {
            const std::u16string caption(e.Caption);
            if (auto* edit = dynamic_cast<TTextEdit*>(&control)) {
                edit->SetText(caption);
            } else if (auto* list = dynamic_cast<TComboList*>(&control)) {
                std::vector<std::u16string> items;
                size_t start = 0;
                for (size_t end; (end = caption.find(u'\n', start)) != std::u16string::npos; start = end + 1)
                    items.push_back(caption.substr(start, end - start));
                items.push_back(caption.substr(start));
                list->SetItems(items);
            } else {
                control.SetCaption(caption);
            }
        }
        placed.push_back(&control);
    }
}

} // namespace zerbo
