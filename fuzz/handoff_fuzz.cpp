// The hand-off block between a second start and the running program. Any block reads as a
// text without NUL that stays inside the block; any text written reads back whole or cut as
// the block's size says, the busy word untouched. (What arrives is processed as a command
// line: cmdline_fuzz.)
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>

#include "FuzzCheck.h"
#include "app/HandOff.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zerbo;
    using namespace zerbo::fuzz;
    using namespace zerbo::app;
    constexpr size_t kTextUnits = (kHandOffBlockSize - kHandOffTextOffset) / 2;
    FuzzedDataProvider in(data, size);

    // Whatever another program left in the block.
    std::array<uint8_t, kHandOffBlockSize> block{};
    const auto left = in.ConsumeBytes<uint8_t>(in.ConsumeIntegralInRange<size_t>(0, kHandOffBlockSize));
    std::copy(left.begin(), left.end(), block.begin());
    const std::u16string found = ReadHandOffText(block);
    Expect(found.size() <= kTextUnits && found.find(u'\0') == std::u16string::npos, "a block reads as one text");

    const uint32_t busy = BusyWord(block);
    const std::u16string text = TextOf(in.ConsumeRemainingBytesAsString());
    WriteHandOffText(block, text);
    Expect(BusyWord(block) == busy, "writing leaves the busy word");
    const size_t whole = std::min(text.find(u'\0'), kTextUnits - 1); // the zero must fit too
    Expect(ReadHandOffText(block) == text.substr(0, whole), "a written text reads back, cut to the block");
    return 0;
}
