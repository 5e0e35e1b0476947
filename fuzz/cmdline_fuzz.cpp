// A command line: split as the runtime does, then its options applied by ProcessParams on a
// window over the test fakes. A split list quoted back splits into the same list; the options
// end with the window working.
#include <fuzzer/FuzzedDataProvider.h>

#include "AppWindow.h"
#include "app/CommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zerbo;
    using namespace zerbo::fuzz;
    const std::u16string line = TextOf(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::vector<std::u16string> args = app::SplitCommandLine(line);

    std::u16string quoted;
    for (const auto& arg : args) {
        Expect(arg.find(u'"') == std::u16string::npos, "quotes are removed from arguments");
        quoted += u" \"" + arg + u"\"";
    }
    Expect(app::SplitCommandLine(quoted) == args, "arguments quoted back split alike");

    TFuzzWindow w;
    w.z.Params.assign(args.begin() + (args.empty() ? 0 : 1), args.end()); // the program's name first
    OnlyOwnErrors([&] { w.z.ProcessParams(); });
    ExpectAnswers(w.z);
    return 0;
}
