#include "components/VersionInfo.h"

#include "core/Convert.h"
#include "core/Text.h"

namespace zerbo {

std::u16string FileVersionText(IVersionResource& resource, const std::u16string& fileName) {
    if (!resource.Load(fileName)) return {};
    const auto translation = resource.Translation();
    if (!translation) return {};
    auto hex4 = [](uint16_t v) { return LowerAscii(IntToHex(v, 4)); };
    const auto value =
        resource.Value(u"\\StringFileInfo\\" + hex4(translation->first) + hex4(translation->second) + u"\\FileVersion");
    return value ? *value : u"UnKnown";
}

} // namespace zerbo
