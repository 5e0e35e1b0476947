#include "components/VersionInfo.h"

#include "core/Convert.h"

namespace zerbo {

std::u16string FileVersionText(IVersionResource& resource, const std::u16string& fileName) {
    if (!resource.Load(fileName)) return {};
    const auto translation = resource.Translation();
    if (!translation) return {};
    auto hex4 = [](uint16_t v) {
        std::u16string h = IntToHex(v, 4);
        for (char16_t& c : h)
            if (c >= u'A' && c <= u'F') c = static_cast<char16_t>(c + 0x20);
        return h;
    };
    const auto value =
        resource.Value(u"\\StringFileInfo\\" + hex4(translation->first) + hex4(translation->second) + u"\\FileVersion");
    return value ? *value : u"UnKnown";
}

} // namespace zerbo
