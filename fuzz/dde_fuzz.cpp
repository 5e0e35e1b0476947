// A DDE execute: its lines through the macro interpreter of a window over the test fakes. The
// user's automatic copy comes back whatever the lines were, and the window keeps working.
#include <fuzzer/FuzzedDataProvider.h>

#include "AppWindow.h"
#include "core/Text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zerbo;
    using namespace zerbo::fuzz;
    FuzzedDataProvider in(data, size);
    const bool autoCopy = in.ConsumeBool();
    const std::vector<std::u16string> lines = SplitLines(TextOf(in.ConsumeRemainingBytesAsString()));

    TFuzzWindow w;
    w.z.AutoCopy.SetChecked(autoCopy);
    OnlyOwnErrors([&] { w.z.DdeZerboconvExecuteMacro(nullptr, lines); });
    Expect(w.z.AutoCopy.Checked() == autoCopy, "the macro gives back the user's automatic copy");
    ExpectAnswers(w.z);
    return 0;
}
