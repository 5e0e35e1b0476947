// The settings store over any bytes, as UTF-16 with its mark, UTF-8 with its mark or code page
// 932: every read ends in a value the platform's profile functions could give (one line, at
// most 2047 characters). A value that is meant to come back unchanged (one line of at most 2047
// characters, not in quotes, no blanks around it) does, after a write into that same file, and
// the file's other keys keep theirs.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>

#include "FuzzCheck.h"
#include "MemoryPlatform.h"
#include "components/IniFile.h"

namespace zerbo::fuzz {
namespace {

bool Blank(char16_t c) { return c == u' ' || c == u'\t'; }

bool ComesBackUnchanged(const std::u16string& v) {
    if (v.size() > TIniFile::kMaxValueLength || v.find_first_of(std::u16string_view(u"\r\n\0", 3)) != std::u16string::npos)
        return false;
    if (!v.empty() && (Blank(v.front()) || Blank(v.back()))) return false;
    return !(v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front());
}

// Names the store surely tells apart from `key`: ASCII ones that differ beyond case and blanks
// around them. Others may fold together under its wider case rules, so they are not judged.
bool SurelyOtherName(std::u16string_view a, std::u16string_view b) {
    auto trim = [](std::u16string_view s) {
        while (!s.empty() && Blank(s.front())) s.remove_prefix(1);
        while (!s.empty() && Blank(s.back())) s.remove_suffix(1);
        return s;
    };
    auto upper = [](char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; };
    a = trim(a), b = trim(b);
    for (const char16_t c : std::u16string(a) + std::u16string(b))
        if (c >= 0x80) return false;
    if (a.size() != b.size()) return true;
    for (size_t i = 0; i < a.size(); ++i)
        if (upper(a[i]) != upper(b[i])) return true;
    return false;
}

bool OneLine(const std::u16string& v) {
    return v.size() <= TIniFile::kMaxValueLength && v.find_first_of(std::u16string_view(u"\r\n", 2)) == std::u16string::npos;
}

} // namespace
} // namespace zerbo::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zerbo;
    using namespace zerbo::fuzz;
    FuzzedDataProvider in(data, size);
    static const char* const kMarks[] = {"", "\xFF\xFE", "\xEF\xBB\xBF"};
    const char* mark = kMarks[in.ConsumeIntegralInRange(0, 2)];
    const std::u16string section = TextOf(in.ConsumeRandomLengthString(16));
    const std::u16string key = TextOf(in.ConsumeRandomLengthString(16));
    const std::u16string value = TextOf(in.ConsumeRandomLengthString(2100 * 2));
    // Every read parses the whole file again; a longer one only repeats its lines.
    const std::string file = mark + in.ConsumeRemainingBytesAsString().substr(0, 384);

    TMemoryPlatform platform;
    platform.files[u"/z.ini"] = file;
    TIniFile ini(platform, u"/z.ini");
    // Each read parses the file again: the first eight keys of the section stand for all.
    std::vector<std::u16string> keys, values;
    ini.ReadSection(section, keys);
    keys.resize(std::min<size_t>(keys.size(), 8));
    for (const auto& k : keys) {
        values.push_back(ini.ReadString(section, k, u""));
        Expect(OneLine(values.back()), "every value is one line");
    }
    ini.ReadInteger(section, key, 0);

    bool written = true;
    try {
        ini.WriteString(section, key, value);
    } catch (const EIniFileException&) {
        written = false; // a file the store cannot rewrite without loss, or a name no line holds
    }
    if (!written) {
        Expect(platform.files[u"/z.ini"] == file, "a refused write leaves the file");
        return 0;
    }
    if (ComesBackUnchanged(value)) Expect(ini.ReadString(section, key, u"?") == value, "a written value reads back");
    for (size_t i = 0; i < keys.size(); ++i)
        if (SurelyOtherName(keys[i], key))
            Expect(ini.ReadString(section, keys[i], u"") == values[i], "the other keys keep their values");
    return 0;
}
