// TWinSpinEdit: the value in the text, steps, the key filter, and when the range applies.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "components/WinSpinEdit.h"
#include "core/Convert.h"

namespace zerbo {
namespace {

constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
constexpr int64_t kMin = std::numeric_limits<int64_t>::min();

struct Spin : TWinSpinEdit {
    int beeps = 0;
    int changes = 0;
    Spin(int64_t min, int64_t max) : TWinSpinEdit(u"BarHeight") {
        SetMinValue(min);
        SetMaxValue(max);
        Beep = [this] { ++beeps; };
        OnChange = [this](TObject*) { ++changes; };
    }
    std::string text() const { return std::string(Text().begin(), Text().end()); }
};

// What the platform's edit does with a typed character: key down, the character (which
// the control may drop), the edit replacing the selection, key up.
void type(TWinSpinEdit& e, char16_t ch) {
    uint16_t key = ch;
    e.KeyDown(key);
    char16_t c = ch;
    e.KeyPress(c);
    if (c != 0) {
        std::u16string text = e.Text();
        text.replace(static_cast<size_t>(e.SelStart()), static_cast<size_t>(e.SelLength()), 1, c);
        e.SetText(text);
    }
    e.KeyUp(key);
}

void pressKey(TWinSpinEdit& e, uint16_t key) {
    uint16_t down = key, up = key;
    e.KeyDown(down);
    e.KeyUp(up);
}

TEST(WinSpinEdit, StartsAtZeroWithIncrementOneAndTheEditorOn) {
    TWinSpinEdit spin(u"QRVer");
    EXPECT_EQ(spin.Text(), u"0");
    EXPECT_EQ(spin.Value(), 0);
    EXPECT_EQ(spin.Increment(), 1);
    EXPECT_TRUE(spin.EditorEnabled());
}

TEST(WinSpinEdit, ValueParsesTheTextAndTurnsAnythingElseIntoMinValue) {
    struct Case {
        std::u16string text;
        int64_t value;
        std::u16string textAfter;
    };
    const Case cases[] = {
        {u"42", 42, u"42"},
        {u"-7", -7, u"-7"},
        {u"+5", 5, u"+5"},  // a valid text is read, not rewritten
        {u"007", 7, u"007"},
        {u" 12", 12, u" 12"},
        {u"9223372036854775807", kMax, u"9223372036854775807"},
        {u"-9223372036854775808", kMin, u"-9223372036854775808"},
        {u"9223372036854775808", 20, u"20"},  // out of the 64-bit range
        {u"", 20, u"20"},
        {u"-", 20, u"20"},
        {u".", 20, u"20"},
        {u"1.5", 20, u"20"},
        {u"12 ", 20, u"20"},
        {u"0x10", 20, u"20"},
        {u"１２", 20, u"20"},
    };
    for (const Case& c : cases) {
        Spin spin(20, 110);
        spin.SetText(c.text);
        EXPECT_EQ(spin.Value(), c.value) << spin.text();
        EXPECT_EQ(spin.Text(), c.textAfter);
    }
}

TEST(WinSpinEdit, ReadingInvalidTextSelectsItUnderAutoSelectUnlessTheMouseIsDown) {
    Spin spin(1, 40);
    spin.SetText(u"x");
    spin.SetMouseDown(true);
    EXPECT_EQ(spin.Value(), 1);
    EXPECT_EQ(spin.SelLength(), 0);
    spin.SetText(u"x");
    spin.SetMouseDown(false);
    EXPECT_EQ(spin.Value(), 1);
    EXPECT_EQ(spin.SelStart(), 0);
    EXPECT_EQ(spin.SelLength(), 1);
}

TEST(WinSpinEdit, ASetValueIsTakenUnclampedAndRaisesOnChangeOncePerNewText) {
    Spin spin(20, 110);
    spin.SetValue(150);
    spin.SetValue(150);
    EXPECT_EQ(spin.Text(), u"150");
    EXPECT_EQ(spin.changes, 1);
    spin.SetValue(-3);
    EXPECT_EQ(spin.Value(), -3);
    EXPECT_EQ(spin.changes, 2);
}

TEST(WinSpinEdit, StepsMoveByTheIncrementAndStayInTheRange) {
    struct Case {
        int64_t min, max, increment;
        std::u16string start;
        bool up;
        std::u16string expected;
    };
    const Case cases[] = {
        {20, 110, 1, u"50", true, u"51"},
        {20, 110, 1, u"50", false, u"49"},
        {20, 110, 1, u"150", true, u"110"},  // a value set outside the range comes back in
        {20, 110, 1, u"150", false, u"110"},
        {20, 110, 1, u"20", false, u"20"},
        {1, 40, 5, u"38", true, u"40"},
        {1, 40, 5, u"x", true, u"6"},    // invalid text counts as MinValue
        {0, 0, 1, u"-100", false, u"-101"},  // no range: nothing clamps
        {0, 0, 1000, u"5", true, u"1005"},
        {0, 0, 1, u"9223372036854775807", true, u"9223372036854775807"},  // held, not wrapped
        {0, 0, 1, u"-9223372036854775808", false, u"-9223372036854775808"},
        {0, 0, kMin, u"0", false, u"9223372036854775807"},
    };
    for (const Case& c : cases) {
        Spin spin(c.min, c.max);
        spin.SetIncrement(c.increment);
        spin.SetText(c.start);
        c.up ? spin.UpClick() : spin.DownClick();
        EXPECT_EQ(spin.Text(), c.expected) << std::string(c.start.begin(), c.start.end()) << (c.up ? " up" : " down");
    }
}

TEST(WinSpinEdit, ArrowKeysStepAndReachTheKeyEvent) {
    Spin spin(1, 40);
    spin.SetValue(4);
    int keys = 0;
    spin.OnKeyDown = [&](TComponent*, uint16_t&) { ++keys; };
    pressKey(spin, vkUp);
    pressKey(spin, vkUp);
    pressKey(spin, vkDown);
    EXPECT_EQ(spin.Value(), 5);
    EXPECT_EQ(keys, 3);
}

TEST(WinSpinEdit, AReadOnlyFieldOnlyBeepsOnAStep) {
    Spin spin(0, 0);
    spin.ReadOnly = true;
    spin.SetValue(7);
    spin.UpClick();
    pressKey(spin, vkDown);
    EXPECT_EQ(spin.Value(), 7);
    EXPECT_EQ(spin.beeps, 2);
    EXPECT_FALSE(spin.CanPasteOrCut());
}

TEST(WinSpinEdit, TypedCharactersAreFilteredAndRefusedOnesBeep) {
    struct Case {
        char16_t key;
        bool editorEnabled;
        bool accepted;
    };
    const Case cases[] = {
        {u'5', true, true},     {u'0', true, true},   {u'+', true, true},   {u'-', true, true},
        {u'.', true, true},     {0x08, true, true},   {0x03, true, true},   {0x16, true, true},
        {u'a', true, false},    {u' ', true, false},  {u'\r', true, false}, {u'５', true, false},
        {0xFF2E, true, true},  // the separator's low byte
        {u'5', false, false},   {u'-', false, false}, {u'.', false, false}, {0x08, false, false},
        {0x03, false, true},    {u'\r', false, false},
    };
    for (const Case& c : cases) {
        Spin spin(0, 0);
        spin.SetEditorEnabled(c.editorEnabled);
        int reached = 0;
        spin.OnKeyPress = [&](TComponent*, char16_t&) { ++reached; };
        char16_t key = c.key;
        spin.KeyPress(key);
        const std::string what = std::to_string(c.key) + (c.editorEnabled ? "" : " without editor");
        EXPECT_EQ(key, c.accepted ? c.key : 0) << what;
        EXPECT_EQ(spin.beeps, c.accepted ? 0 : 1) << what;
        EXPECT_EQ(reached, c.accepted ? 1 : 0) << what;
        EXPECT_EQ(spin.CanPasteOrCut(), c.editorEnabled) << what;
    }
}

TEST(WinSpinEdit, TheDecimalSeparatorComesFromTheLocale) {
    SetDecimalSeparator(u',');
    Spin spin(0, 0);
    char16_t comma = u',', point = u'.';
    spin.KeyPress(comma);
    spin.KeyPress(point);
    SetDecimalSeparator(u'.');
    EXPECT_EQ(comma, u',');
    EXPECT_EQ(point, 0);
}

TEST(WinSpinEdit, WithoutTheEditorDigitsBeepButArrowKeysStillStep) {
    Spin spin(1, 40);
    spin.SetEditorEnabled(false);
    spin.SetValue(4);
    type(spin, u'9');
    EXPECT_EQ(spin.Text(), u"4");
    EXPECT_EQ(spin.beeps, 1);
    pressKey(spin, vkUp);
    spin.UpClick();
    EXPECT_EQ(spin.Value(), 6);
}

TEST(WinSpinEdit, AValueOutsideTheRangeStaysUntilTheFieldLosesTheFocus) {
    Spin spin(20, 110);
    spin.SetValue(150);
    spin.DoEnter();
    pressKey(spin, 0x25);  // a key released in the field rewrites, but does not clamp
    EXPECT_EQ(spin.Text(), u"150");
    spin.DoExit();
    EXPECT_EQ(spin.Text(), u"110");
}

TEST(WinSpinEdit, ATypedValueIsOnlyNormalisedWhileTheFocusStays) {
    Spin spin(20, 110);
    spin.SetValue(50);
    spin.DoEnter();  // AutoSelect: all selected
    type(spin, u'5');
    EXPECT_EQ(spin.Text(), u"5");
    spin.SetText(u"0150");  // out of range: rewritten in plain decimal, not clamped
    pressKey(spin, u'0');
    EXPECT_EQ(spin.Text(), u"150");
    spin.SetText(u"5");
    spin.DoExit();
    EXPECT_EQ(spin.Text(), u"20");
}

TEST(WinSpinEdit, AnEmptiedFieldGetsMinValueBackOnTheKeyRelease) {
    struct Case {
        int64_t min, max;
        std::u16string after;
    };
    for (const Case& c : {Case{1, 40, u"1"}, Case{0, 0, u"0"}, Case{-5, 5, u"-5"}}) {
        Spin spin(c.min, c.max);
        spin.SetValue(3);
        spin.SelectAll();
        uint16_t del = 0x2E;
        spin.KeyDown(del);
        spin.SetText(u"");
        spin.KeyUp(del);
        EXPECT_EQ(spin.Text(), c.after);
    }
    Spin spin(1, 40);  // a lone sign too
    spin.SetText(u"");
    type(spin, u'-');
    EXPECT_EQ(spin.Text(), u"1");
}

TEST(WinSpinEdit, WithoutARangeNothingIsEverClamped) {
    Spin spin(0, 0);
    spin.SetValue(-5000);
    spin.DoEnter();
    pressKey(spin, vkDown);
    spin.DoExit();
    EXPECT_EQ(spin.Value(), -5001);
    spin.SetValue(kMax);
    spin.DoExit();
    EXPECT_EQ(spin.Value(), kMax);
}

} // namespace
} // namespace zerbo
