#pragma once
// TWinSpinEdit: a one-line numeric field with an up/down button. The value lives in the
// text: reading Value parses it, writing Value replaces it. The range applies to steps and
// to leaving the field, never to a value set by program.
#include <cstdint>
#include <functional>

#include "components/Controls.h"

namespace zerbo {

class TWinSpinEdit : public TTextEdit {
public:
    // Text "0", Increment 1, EditorEnabled true, no range.
    explicit TWinSpinEdit(std::u16string name);
    TControlKind Kind() const override { return TControlKind::SpinEdit; }

    // MinValue = MaxValue means no range.
    int64_t MinValue() const { return FMinValue; }
    void SetMinValue(int64_t value) { FMinValue = value; }
    int64_t MaxValue() const { return FMaxValue; }
    void SetMaxValue(int64_t value) { FMaxValue = value; }
    int64_t Increment() const { return FIncrement; }
    void SetIncrement(int64_t value) { FIncrement = value; }
    // Whether the text may be typed, pasted and cut; the button and arrow keys keep working.
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool value) { FEditorEnabled = value; }

    // The text as a signed 64-bit decimal number. Text that is none becomes MinValue,
    // written back into the field (and selected under AutoSelect).
    int64_t Value();
    // Writes the decimal form, unclamped; a changed text raises OnChange.
    void SetValue(int64_t value);
    // The value brought into the range, if there is one.
    int64_t CheckValue(int64_t value) const;

    // A step of the button or an arrow key; read-only fields only beep.
    void UpClick();
    void DownClick();
    // Whether paste and cut may reach the field.
    bool CanPasteOrCut() const { return !ReadOnly && FEditorEnabled; }

    // The platform's standard beep, for refused characters and read-only steps.
    std::function<void()> Beep;

    void KeyDown(uint16_t& Key) override;
    void KeyPress(char16_t& Key) override;
    void KeyUp(uint16_t& Key) override;
    void DoExit() override;

private:
    void step(int64_t delta);
    void beep() const {
        if (Beep) Beep();
    }

    int64_t FMinValue = 0;
    int64_t FMaxValue = 0;
    int64_t FIncrement = 1;
    bool FEditorEnabled = true;
};

} // namespace zerbo
