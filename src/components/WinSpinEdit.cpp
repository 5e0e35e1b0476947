#include "components/WinSpinEdit.h"

#include <limits>
#include <optional>
#include <string>

#include "core/Convert.h"

namespace zerbo {

namespace {

// Leading blanks, an optional sign, decimal digits and nothing after them; out of range fails.
std::optional<int64_t> parseInt64(std::u16string_view s) {
    size_t i = 0;
    while (i < s.size() && (s[i] == u' ' || s[i] == u'\t')) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) negative = s[i++] == u'-';
    if (i == s.size()) return std::nullopt;
    const uint64_t limit = negative ? uint64_t{1} << 63 : (uint64_t{1} << 63) - 1;
    uint64_t v = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < u'0' || s[i] > u'9') return std::nullopt;
        const auto digit = static_cast<uint64_t>(s[i] - u'0');
        if (v > (limit - digit) / 10) return std::nullopt;
        v = v * 10 + digit;
    }
    return negative ? static_cast<int64_t>(0 - v) : static_cast<int64_t>(v);
}

std::u16string toText(int64_t value) {
    const std::string s = std::to_string(value);
    return std::u16string(s.begin(), s.end());
}

// value + delta, held at the ends of the 64-bit range instead of wrapping round to the
// other end, which would turn a step up at the top into the most negative number.
int64_t addSaturated(int64_t value, int64_t delta) {
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
    if (delta > 0 && value > kMax - delta) return kMax;
    if (delta < 0 && value < kMin - delta) return kMin;
    return value + delta;
}

} // namespace

TWinSpinEdit::TWinSpinEdit(std::u16string name) : TTextEdit(std::move(name)) { SetText(u"0"); }

int64_t TWinSpinEdit::Value() {
    if (const auto value = parseInt64(Text())) return *value;
    SetValue(FMinValue);
    if (AutoSelect && !MouseDown()) SelectAll();
    return FMinValue;
}

void TWinSpinEdit::SetValue(int64_t value) { SetText(toText(value)); }

int64_t TWinSpinEdit::CheckValue(int64_t value) const {
    if (FMinValue == FMaxValue) return value;
    if (value < FMinValue) return FMinValue;
    if (value > FMaxValue) return FMaxValue;
    return value;
}

void TWinSpinEdit::step(int64_t delta) {
    if (ReadOnly) {
        beep();
        return;
    }
    SetValue(CheckValue(addSaturated(Value(), delta)));
}

void TWinSpinEdit::UpClick() { step(FIncrement); }

void TWinSpinEdit::DownClick() {
    // Negating the most negative increment would overflow; its step down is the largest one.
    step(FIncrement == std::numeric_limits<int64_t>::min() ? std::numeric_limits<int64_t>::max() : -FIncrement);
}

void TWinSpinEdit::KeyDown(uint16_t& Key) {
    if (Key == vkUp) UpClick();
    else if (Key == vkDown) DownClick();
    TTextEdit::KeyDown(Key);
}

void TWinSpinEdit::KeyPress(char16_t& Key) {
    // The separator is compared by its low byte, as the platform's character sets are.
    bool valid = Key == u'+' || Key == u'-' || (Key >= u'0' && Key <= u'9') ||
                 (Key & 0xFF) == (DecimalSeparator() & 0xFF) || (Key < 0x20 && Key != u'\r');
    // Without the editor only the button and arrow keys change the value. "." is refused
    // as the virtual key of Delete shares its code.
    if (valid && !FEditorEnabled && (Key >= 0x20 || Key == vkBack || Key == u'.')) valid = false;
    if (!valid) {
        Key = 0;
        beep();
        return;
    }
    TTextEdit::KeyPress(Key);
}

void TWinSpinEdit::KeyUp(uint16_t& Key) {
    TTextEdit::KeyUp(Key);
    // Normalise what was typed ("+5", "007", or invalid text, which Value turns into
    // MinValue) without clamping yet: the user may still be typing a number in range.
    const int64_t value = Value();
    if (CheckValue(value) != value) SetValue(value);
}

void TWinSpinEdit::DoExit() {
    const int64_t value = Value();
    const int64_t checked = CheckValue(value);
    if (checked != value) SetValue(checked);
    TTextEdit::DoExit();
}

} // namespace zerbo
