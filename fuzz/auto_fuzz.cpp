// A client's calls on the automation object, in any order with any values: an integer put
// inside its member's range is what the member reads afterwards, one outside leaves it as it
// was; texts read back as put; only the program's own errors escape; the window keeps working.
#include <fuzzer/FuzzedDataProvider.h>

#include <functional>
#include <iterator>

#include "AppWindow.h"
#include "automation/Auto.h"

namespace zerbo::fuzz {
namespace {

using automation::TAuto;

struct TIntMember {
    void (TAuto::*put)(int32_t);
    std::function<int32_t(TAuto&)> get;
    int32_t low, high; // outside: ignored; low > high: every value is taken as it is
    bool truth;        // reads back as value != 0
};

const TIntMember kIntMembers[] = {
    {&TAuto::SetCodeType, &TAuto::CodeType, 0, 12, false},
    {&TAuto::SetBarScale, &TAuto::BarScale, 0, 2, false},
    {&TAuto::SetQRVersion, &TAuto::QRVersion, 0, 40, false},
    {&TAuto::SetQRErrLevel, &TAuto::QRErrLevel, 0, 3, false},
    {&TAuto::SetCommentPos, &TAuto::CommentPos, 0, 1, false},
    {&TAuto::SetCommentAlign, &TAuto::CommentAlign, 0, 2, false},
    {&TAuto::SetHeight, &TAuto::Height, 0, 200, false},
    {&TAuto::SetHMargin, &TAuto::HMargin, 0, 100, false},
    {&TAuto::SetVMargin, &TAuto::VMargin, 0, 100, false},
    {&TAuto::SetCopyType, &TAuto::CopyType, 0, 2, false},
    {&TAuto::SetBarColor, &TAuto::BarColor, 1, 0, false},
    {&TAuto::SetBackColor, &TAuto::BackColor, 1, 0, false},
    {&TAuto::SetBoxDraw, &TAuto::BoxDraw, 1, 0, true},
    {&TAuto::SetAddCodeChar, &TAuto::AddCodeChar, 1, 0, true},
    {&TAuto::SetAddComment, &TAuto::AddComment, 1, 0, true},
    {&TAuto::SetSpecialCode, &TAuto::SpecialCode, 1, 0, true},
    {&TAuto::SetCheckDigit, &TAuto::CheckDigit, 1, 0, true},
    {&TAuto::SetVisible, &TAuto::Visible, 1, 0, true},
};

struct TTextMember {
    void (TAuto::*put)(const std::u16string&);
    std::u16string (TAuto::*get)() const;
    bool firstChar; // keeps only the first character, as its upper-case field shows it; an empty text is refused
};

// The first character as the start and stop fields show it.
std::u16string AsStartStopField(const std::u16string& value) {
    TTextEdit field{u"field"};
    field.SetCharCase(TEditCharCase::ecUpperCase);
    field.SetText(value.substr(0, 1));
    return field.Text();
}

const TTextMember kTextMembers[] = {
    {&TAuto::SetCode, &TAuto::Code, false},
    {&TAuto::SetComment, &TAuto::Comment, false},
    {&TAuto::SetFontName, &TAuto::FontName, false},
    {&TAuto::SetStartChar, &TAuto::StartChar, true},
    {&TAuto::SetStopChar, &TAuto::StopChar, true},
};

} // namespace
} // namespace zerbo::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zerbo;
    using namespace zerbo::fuzz;
    FuzzedDataProvider in(data, size);
    TFuzzWindow w;
    automation::TAuto a(w.z, w.peers.form);
    constexpr int kInts = static_cast<int>(std::size(kIntMembers)), kTexts = static_cast<int>(std::size(kTextMembers));
    while (in.remaining_bytes() > 0) {
        const int op = in.ConsumeIntegralInRange(0, kInts + kTexts + 3);
        if (op < kInts) {
            const TIntMember& m = kIntMembers[op];
            const int32_t before = m.get(a), value = in.ConsumeIntegral<int32_t>();
            if (!OnlyOwnErrors([&] { (a.*m.put)(value); })) continue;
            const bool taken = m.low > m.high || (value >= m.low && value <= m.high);
            const int32_t want = !taken ? before : m.truth ? value != 0 : value;
            Expect(m.get(a) == want, "an integer put reads back, or is ignored outside its range");
        } else if (op < kInts + kTexts) {
            const TTextMember& m = kTextMembers[op - kInts];
            const std::u16string before = (a.*m.get)(), value = TextOf(in.ConsumeRandomLengthString(64));
            const bool done = OnlyOwnErrors([&] { (a.*m.put)(value); });
            Expect(done == !(m.firstChar && value.empty()), "only an empty character is refused");
            Expect((a.*m.get)() == (!done ? before : m.firstChar ? AsStartStopField(value) : value), "a text put reads back");
        } else if (op == kInts + kTexts) {
            int32_t result = 0;
            if (OnlyOwnErrors([&] { result = a.Execute(); }))
                Expect(result == (w.z.BError ? -1 : 0), "Execute answers the run's result");
        } else if (op == kInts + kTexts + 1) {
            OnlyOwnErrors([&] { a.SetFontSize(in.ConsumeIntegralInRange(-200, 200)); });
        } else if (op == kInts + kTexts + 2) {
            OnlyOwnErrors([&] { a.Show(in.ConsumeIntegral<int32_t>()); });
        } else {
            OnlyOwnErrors([&] { a.SaveFile(TextOf(in.ConsumeRandomLengthString(32))); });
        }
    }
    ExpectAnswers(w.z);
    return 0;
}
