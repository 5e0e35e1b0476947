#pragma once
// The controls of the program's windows as plain objects that keep the platform's event
// rules: a check box set by program reports a click, an edit reports every change of its
// text, a list reports a change only when the user picks an entry. The Win32 view creates
// the real controls from a layout table, mirrors these models into them and feeds the
// user's input back through the same operations, so a click and a command take one path.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "components/Component.h"
#include "gfx/Canvas.h"
#include "gfx/Picture.h"
#include "components/HistoryEx.h"

namespace zerbo {

// A virtual-key code; a handler that sets it to 0 swallows the key.
using TKeyEvent = std::function<void(TComponent* Sender, uint16_t& Key)>;
// A typed character; a handler that sets it to 0 drops it.
using TKeyPressEvent = std::function<void(TComponent* Sender, char16_t& Key)>;

// The platform's virtual-key codes that the models act on.
inline constexpr uint16_t vkBack = 0x08;
inline constexpr uint16_t vkReturn = 0x0D;
inline constexpr uint16_t vkUp = 0x26;
inline constexpr uint16_t vkDown = 0x28;

// Menu shortcuts: a virtual-key code plus modifiers ("Ctrl+P" is scCtrl + 'P').
using TShortCut = uint16_t;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;

enum class TControlKind {
    Panel, Label, Button, SpeedButton, CheckBox, GroupCheckBox, TextEdit, SpinEdit, ComboList, StatusBar, ScrollBox,
    PageControl, TabSheet, Picture, Custom
};

class TControl : public TComponent {
public:
    explicit TControl(std::u16string name) : TComponent(std::move(name)) {}
    // Leaves its parent; its own controls are left without a parent.
    ~TControl() override;

    virtual TControlKind Kind() const = 0;

    TControl* Parent() const { return FParent; }
    // Places the control last among the parent's controls (nullptr: no parent).
    void SetParent(TControl* parent);
    // The controls placed on this one, in the order they were placed.
    const std::vector<TControl*>& Controls() const { return FControls; }
    // This control or one placed on it, at any depth, by name.
    TControl* FindControl(std::u16string_view name);

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);

    int32_t Left() const { return FLeft; }
    int32_t Top() const { return FTop; }
    int32_t Width() const { return FWidth; }
    int32_t Height() const { return FHeight; }
    void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height);

    // The text shown on a label, button, check box or panel.
    const std::u16string& Caption() const { return FCaption; }
    void SetCaption(const std::u16string& value);
    // The tooltip the view shows for the control; empty for none.
    std::u16string Hint;
    // Whether Tab stops at the control, for kinds that take the focus.
    bool TabStop = true;

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

    // The user's input, as the view reports it. Each runs the control's own handling
    // and then the event, which may swallow the key by setting it to 0.
    virtual void KeyDown(uint16_t& Key);
    virtual void KeyPress(char16_t& Key);
    virtual void KeyUp(uint16_t& Key);
    virtual void DoEnter() {}
    virtual void DoExit() {}
    // Whether the left mouse button went down on the control and is still down.
    bool MouseDown() const { return FMouseDown; }
    void SetMouseDown(bool value) { FMouseDown = value; }

private:
    TControl* FParent = nullptr;
    std::vector<TControl*> FControls;
    bool FEnabled = true;
    bool FVisible = true;
    bool FMouseDown = false;
    int32_t FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    std::u16string FCaption;
};

class TPanel : public TControl {
public:
    using TControl::TControl;
    TControlKind Kind() const override { return TControlKind::Panel; }
};

// The scrolling area that shows a picture; the view of the picture makes its window.
class TScrollBox : public TControl {
public:
    using TControl::TControl;
    TControlKind Kind() const override { return TControlKind::ScrollBox; }
};

class TLabel : public TControl {
public:
    using TControl::TControl;
    TControlKind Kind() const override { return TControlKind::Label; }
};

class TButton : public TControl {
public:
    using TControl::TControl;
    TControlKind Kind() const override { return TControlKind::Button; }
    TNotifyEvent OnClick;
    // What a click makes the result of the form the button is on (before OnClick runs, so a
    // handler may take it back): 0 keeps a modal form open.
    int32_t ModalResult = 0;
    // A press by the user, or by program on the user's behalf.
    virtual void Click();
};

// A button that can stay down; the buttons of one parent with the same non-zero
// GroupIndex are down one at a time, and pressing the one that is down keeps it down.
class TSpeedButton : public TButton {
public:
    using TButton::TButton;
    TControlKind Kind() const override { return TControlKind::SpeedButton; }
    int32_t GroupIndex = 0;
    bool Down() const { return FDown; }
    // Setting Down by program raises no click.
    void SetDown(bool value);
    void Click() override;

private:
    bool FDown = false;
};

class TCheckBox : public TControl {
public:
    using TControl::TControl;
    TControlKind Kind() const override { return TControlKind::CheckBox; }
    bool Checked() const { return FChecked; }
    // By the user (the view) or by program alike: a changed state raises OnClick.
    void SetChecked(bool value);
    TNotifyEvent OnClick;

protected:
    // Runs on every set of the state, changed or not, before OnClick.
    virtual void StateSet() {}

private:
    bool FChecked = false;
};

enum class TEditCharCase { ecNormal, ecUpperCase };
// The input method's state while the field has the focus; imDontCare leaves it as it is.
enum class TImeMode { imDontCare, imHira, imSKata, imClose };

// A one-line text field. Its selection is bookkeeping for AutoSelect: the view puts it on
// the screen when the model selects, and a change of the text leaves the caret at the end.
class TTextEdit : public TControl {
public:
    using TControl::TControl;
    TControlKind Kind() const override { return TControlKind::TextEdit; }

    const std::u16string& Text() const { return FText; }
    // By the user (the view) or by program alike: a changed text raises OnChange.
    void SetText(std::u16string value);
    TNotifyEvent OnChange;

    // The most characters the user may type, 0 for no limit; text set by program is
    // taken whole, as the platform's edit control does.
    int32_t MaxLength = 0;
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase value);
    bool ReadOnly = false;
    bool AutoSelect = true;
    // Several lines, Enter starting a new one.
    bool MultiLine = false;
    TImeMode ImeMode = TImeMode::imDontCare;

    int32_t SelStart() const { return FSelStart; }
    int32_t SelLength() const { return FSelLength; }
    void SetSel(int32_t start, int32_t length);
    void SelectAll();

    // Gaining the focus selects the whole text unless the mouse put the caret there.
    void DoEnter() override;

private:
    std::u16string FText;
    TEditCharCase FCharCase = TEditCharCase::ecNormal;
    int32_t FSelStart = 0;
    int32_t FSelLength = 0;
};

enum class TComboStyle { csDropDown, csDropDownList };

// A drop-down list (csDropDownList) or a drop-down with its own text field (csDropDown,
// the history box). It also serves as THistoryEx's combo box.
class TComboList : public TControl, public IHistoryComboBox {
public:
    using TControl::TControl;
    TControlKind Kind() const override { return TControlKind::ComboList; }

    TComboStyle Style = TComboStyle::csDropDownList;

    const std::vector<std::u16string>& Items() const { return FItems; }
    // Replaces the entries; nothing is selected afterwards and the text is empty.
    void SetItems(const std::vector<std::u16string>& items) override;
    void AddItem(const std::u16string& item);
    void Clear() { SetItems({}); }

    int32_t ItemIndex() const { return FItemIndex; }
    // By program: no OnChange. An index outside the entries leaves no selection (-1).
    void SetItemIndex(int32_t value);

    // The selected entry, or for csDropDown what its field holds.
    const std::u16string& Text() const { return FText; }
    // By program, no OnChange: csDropDown takes the text, csDropDownList selects the
    // equal entry (or none).
    void SetText(const std::u16string& value) override;

    TNotifyEvent OnChange;
    // The user picked an entry.
    void UserSelect(int32_t index);
    // The user typed in the field of a csDropDown box.
    void UserEdit(const std::u16string& text);

private:
    std::vector<std::u16string> FItems;
    int32_t FItemIndex = -1;
    std::u16string FText;
};

// The pages of a page control: each holds the controls placed on it; one shows at a time.
class TTabSheet : public TControl {
public:
    using TControl::TControl;
    TControlKind Kind() const override { return TControlKind::TabSheet; }
};

class TPageControl : public TControl {
public:
    using TControl::TControl;
    TControlKind Kind() const override { return TControlKind::PageControl; }
    // The page showing: an index into the pages placed on the control, -1 for none.
    int32_t ActivePageIndex() const { return FActivePageIndex; }
    void SetActivePageIndex(int32_t value);
    TTabSheet* ActivePage() const;

private:
    int32_t FActivePageIndex = -1;
};

// A picture shown as it is, at the control's top-left corner (the program's own pictures,
// which other parts of the program keep).
class TPictureControl : public TControl {
public:
    using TControl::TControl;
    TControlKind Kind() const override { return TControlKind::Picture; }
    const gfx::TPicture* Picture() const { return FPicture; }
    // Shows this picture from now on (nullptr: none); the control takes its size.
    void SetPicture(const gfx::TPicture* picture);
    // The picture was drawn anew.
    void Invalidate() { Changed(TChange::Paint); }

private:
    const gfx::TPicture* FPicture = nullptr;
};

enum class TMouseButton { mbLeft, mbRight };
enum class TCursor { crDefault, crHandPoint };

// A control that paints itself through a canvas and takes the mouse and keys directly.
class TCustomControl : public TControl {
public:
    using TControl::TControl;
    TControlKind Kind() const override { return TControlKind::Custom; }
    virtual void Paint(gfx::TCanvas& canvas) = 0;
    // Screen coordinates are the control's own, from its top-left corner.
    virtual void MouseDown(TMouseButton, int32_t /*x*/, int32_t /*y*/) {}
    virtual void MouseMove(int32_t /*x*/, int32_t /*y*/, int32_t /*screenX*/, int32_t /*screenY*/) {}
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}
    virtual TCursor Cursor() const { return TCursor::crDefault; }
    // Whether the arrow keys and characters belong to the control rather than to its dialog.
    virtual bool WantsKeys() const { return false; }
    // Asks the view to paint the control again.
    void Invalidate() { Changed(TChange::Paint); }
};

enum class TFormBorder { Dialog, ToolWindow };
enum class TFormPosition { MainFormCenter, MainFormTopLeft };

// A window of its own, shown modally: it stays until a button, a handler or the close box
// gives it a result (mrCancel for the close box).
class TForm : public TPanel {
public:
    using TPanel::TPanel;
    TFormBorder BorderStyle = TFormBorder::Dialog;
    TFormPosition Position = TFormPosition::MainFormCenter;
    bool StayOnTop = false;
    // Asked when the form is to close, with the result it would close with; false keeps it.
    std::function<void(bool& CanClose)> OnCloseQuery;
    // Enter presses Default, Escape presses Cancel (nullptr: nothing).
    TButton* Default = nullptr;
    TButton* Cancel = nullptr;
    int32_t ModalResult = 0;
    // The form is being shown.
    TNotifyEvent OnShow;
};

inline constexpr int32_t mrOk = 1;
inline constexpr int32_t mrCancel = 2;

// A status bar with one simple text panel.
class TStatusBar : public TControl {
public:
    using TControl::TControl;
    TControlKind Kind() const override { return TControlKind::StatusBar; }
    const std::u16string& SimpleText() const { return Caption(); }
    void SetSimpleText(const std::u16string& value) { SetCaption(value); }
};

// An item of a main or pop-up menu; items with sub-items open a sub-menu, "-" is a separator.
class TMenuItem : public TComponent {
public:
    explicit TMenuItem(std::u16string name, std::u16string caption = {}, TShortCut shortCut = 0);
    // Leaves its parent item; its sub-items are left without a parent.
    ~TMenuItem() override;

    TMenuItem* Parent() const { return FParent; }
    const std::vector<TMenuItem*>& Items() const { return FItems; }
    // Appends a sub-item.
    void Add(TMenuItem& item);

    const std::u16string& Caption() const { return FCaption; }
    void SetCaption(const std::u16string& value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    bool Checked() const { return FChecked; }
    // Checking a radio item unchecks the radio items of its parent with the same
    // GroupIndex; unchecking one changes nothing else. Raises no click.
    void SetChecked(bool value);
    bool IsSeparator() const { return FCaption == u"-"; }

    bool RadioItem = false;
    uint8_t GroupIndex = 0;
    // A click checks the item (radio items) or inverts its check mark (others) first.
    bool AutoCheck = false;
    TShortCut ShortCut = 0;

    TNotifyEvent OnClick;
    // Choosing the item, or opening the sub-menu of an item that has one.
    void Click();

private:
    TMenuItem* FParent = nullptr;
    std::vector<TMenuItem*> FItems;
    std::u16string FCaption;
    bool FEnabled = true;
    bool FChecked = false;
};

// One control of a window's layout, named by the member of the form's class that holds it
// (LayoutMember), on the member named as its parent or, for nullptr, on the form itself.
// Caption is the caption, the edit text or, for lists, the entries one per line; empty
// leaves the model's own. Width or height 0 lets the view size the control to its caption.
struct TLayoutEntry {
    TControl& (*Control)(TControl& form);
    TControl& (*Parent)(TControl& form);
    int32_t Left, Top, Width, Height;
    std::u16string_view Caption;
    int32_t Tag = 0;
};

namespace detail {
template <class T>
struct TMemberOf;
template <class Form, class Control>
struct TMemberOf<Control Form::*> {
    using FormType = Form;
};
} // namespace detail

// The control a layout entry names: LayoutMember<&TZerboCode::CdType>.
template <auto Member>
TControl& LayoutMember(TControl& form) {
    return static_cast<typename detail::TMemberOf<decltype(Member)>::FormType&>(form).*Member;
}

// Places each control of the table on its parent in table order and gives it its bounds,
// caption and tag. A parent placed after its child is a fault of the table
// (std::logic_error): the view creates windows in table order.
void ApplyLayout(TControl& form, std::span<const TLayoutEntry> layout);

} // namespace zerbo
