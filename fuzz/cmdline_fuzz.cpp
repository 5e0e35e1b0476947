// A command line, as a start gets it or as a second start hands it over (its arguments one per
// line): split as the runtime does, then its options applied by ProcessParams on a window over
// the test fakes. A split list quoted back splits into the same list; the options end with the
// window working, and a hand-off that went through leaves automatic copy on.
#include <fuzzer/FuzzedDataProvider.h>

#include "AppWindow.h"
#include "app/CommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zerbo;
    using namespace zerbo::fuzz;
    FuzzedDataProvider in(data, size);
    const bool handOff = in.ConsumeBool();
    const std::u16string line = TextOf(in.ConsumeRemainingBytesAsString());
    TFuzzWindow w;
    if (handOff) {
        if (OnlyOwnErrors([&] { w.z.ReceiveHandOff(line); }))
            Expect(w.z.AutoCopy.Checked(), "a hand-off leaves automatic copy on");
        ExpectAnswers(w.z);
        return 0;
    }

    const std::vector<std::u16string> args = app::SplitCommandLine(line);
    std::u16string quoted;
    for (const auto& arg : args) {
        Expect(arg.find(u'"') == std::u16string::npos, "quotes are removed from arguments");
        quoted += u" \"" + arg + u"\"";
    }
    Expect(app::SplitCommandLine(quoted) == args, "arguments quoted back split alike");

    w.z.Params.assign(args.begin() + (args.empty() ? 0 : 1), args.end()); // the program's name first
    OnlyOwnErrors([&] { w.z.ProcessParams(); });
    ExpectAnswers(w.z);
    return 0;
}
