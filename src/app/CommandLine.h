#pragma once
// The program's command line taken apart as the platform's runtime does for its programs:
// blanks (any character up to the space) separate arguments, a part in double quotes may
// contain blanks, and the quotes are removed. A backslash is an ordinary character, so
// a folder name ending in one (`"C:\labels\"`) ends its argument where a batch file means.
#include <string>
#include <string_view>
#include <vector>

namespace zerbo::app {

// Every argument, the program's name first.
std::vector<std::u16string> SplitCommandLine(std::u16string_view commandLine);

} // namespace zerbo::app
