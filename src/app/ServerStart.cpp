#include "app/ServerStart.h"

namespace zerbo::app {

namespace {

bool isSwitch(const std::u16string& arg, std::u16string_view name) {
    if (arg.size() != name.size() + 1 || (arg[0] != u'/' && arg[0] != u'-')) return false;
    for (size_t i = 0; i < name.size(); ++i) {
        char16_t c = arg[i + 1];
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 0x20);
        if (c != name[i]) return false;
    }
    return true;
}

} // namespace

TServerStart ServerStartOf(const std::vector<std::u16string>& args) {
    TServerStart start = TServerStart::Normal;
    for (const std::u16string& arg : args) {
        if (isSwitch(arg, u"REGSERVER")) return TServerStart::RegServer;
        if (isSwitch(arg, u"UNREGSERVER")) return TServerStart::UnregServer;
        if (isSwitch(arg, u"AUTOMATION") || isSwitch(arg, u"EMBEDDING")) start = TServerStart::Automation;
    }
    return start;
}

std::vector<std::u16string> WithoutServerSwitches(const std::vector<std::u16string>& args) {
    std::vector<std::u16string> rest;
    for (const std::u16string& arg : args)
        if (!isSwitch(arg, u"AUTOMATION") && !isSwitch(arg, u"EMBEDDING") && !isSwitch(arg, u"REGSERVER") &&
            !isSwitch(arg, u"UNREGSERVER"))
            rest.push_back(arg);
    return rest;
}

} // namespace zerbo::app
