#pragma once
// What the COM runtime's switches ask of a start: register or unregister the automation
// class and end, or serve a client that COM started the program for. Each switch counts
// with "/" or "-" in front, in any case, anywhere in the arguments.
#include <string>
#include <vector>

namespace zerbo::app {

enum class TServerStart { Normal, Automation, RegServer, UnregServer };

TServerStart ServerStartOf(const std::vector<std::u16string>& args);
// The arguments without the COM runtime's switches, which are no data and no options.
std::vector<std::u16string> WithoutServerSwitches(const std::vector<std::u16string>& args);

} // namespace zerbo::app
