#include "app/CommandLine.h"

namespace zerbo::app {

std::vector<std::u16string> SplitCommandLine(std::u16string_view commandLine) {
    std::vector<std::u16string> args;
    size_t i = 0;
    const size_t n = commandLine.size();
    for (;;) {
        while (i < n && commandLine[i] <= u' ') ++i;
        if (i == n) return args;
        std::u16string arg;
        bool quoted = false;
        for (; i < n && (quoted || commandLine[i] > u' '); ++i) {
            if (commandLine[i] == u'"')
                quoted = !quoted;
            else
                arg += commandLine[i];
        }
        args.push_back(std::move(arg));
    }
}

} // namespace zerbo::app
