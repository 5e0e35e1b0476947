#pragma once
// Decodes image files with zbarimg, a reader we did not write: one run for many files, its XML
// output parsed back per file. Native tests only (POSIX popen).
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace zerbo::barcode::test {

struct Decoded {
    std::string type;      // "CODE-128", "Codabar" ...
    std::string data;      // bytes as decoded, base64 undone
    std::string modifiers; // "GS1" for a CODE128 symbol that starts with FNC1
};

inline std::string Base64Decode(std::string_view in) {
    std::string out;
    unsigned bits = 0;
    int count = 0;
    for (const char c : in) {
        int v;
        if (c >= 'A' && c <= 'Z') v = c - 'A';
        else if (c >= 'a' && c <= 'z') v = c - 'a' + 26;
        else if (c >= '0' && c <= '9') v = c - '0' + 52;
        else if (c == '+') v = 62;
        else if (c == '/') v = 63;
        else continue; // line breaks and padding
        bits = (bits << 6) | static_cast<unsigned>(v);
        count += 6;
        if (count >= 8) {
            count -= 8;
            out += static_cast<char>((bits >> count) & 0xFF);
        }
    }
    return out;
}

inline std::string Attribute(std::string_view tag, std::string_view name) {
    const std::string key = " " + std::string(name) + "='";
    const auto at = tag.find(key);
    if (at == std::string_view::npos) return {};
    const auto start = at + key.size();
    return std::string(tag.substr(start, tag.find('\'', start) - start));
}

// Every symbol zbarimg finds, by the file name it was read from. `settings` are -S options.
inline std::map<std::string, std::vector<Decoded>> ZbarRead(const std::vector<std::filesystem::path>& files,
                                                            const std::vector<std::string>& settings) {
    std::string command = "zbarimg --nodbus --xml";
    for (const auto& s : settings) command += " -S" + s;
    for (const auto& f : files) command += " '" + f.string() + "'";
    command += " 2>/dev/null";
    std::string xml;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) xml.append(buffer, n);
        pclose(pipe);
    }
    std::map<std::string, std::vector<Decoded>> result;
    std::string source;
    std::size_t pos = 0;
    while (true) {
        const auto tag = xml.find('<', pos);
        if (tag == std::string::npos) break;
        const auto end = xml.find('>', tag);
        if (end == std::string::npos) break;
        const std::string_view head(xml.data() + tag, end - tag);
        pos = end + 1;
        if (head.starts_with("<source ")) {
            source = std::filesystem::path(Attribute(head, "href")).filename().string();
        } else if (head.starts_with("<symbol ")) {
            Decoded d{Attribute(head, "type"), {}, Attribute(head, "modifiers")};
            const auto dataTag = xml.find("<data", pos);
            const auto dataHeadEnd = xml.find('>', dataTag);
            const auto cdata = xml.find("<![CDATA[", dataHeadEnd);
            const auto cdataEnd = xml.find("]]>", cdata);
            if (dataTag == std::string::npos || cdata == std::string::npos || cdataEnd == std::string::npos) break;
            const std::string_view dataHead(xml.data() + dataTag, dataHeadEnd - dataTag);
            const std::string_view body(xml.data() + cdata + 9, cdataEnd - cdata - 9);
            d.data = Attribute(dataHead, "format") == "base64" ? Base64Decode(body) : std::string(body);
            result[source].push_back(d);
            pos = cdataEnd + 3;
        }
    }
    return result;
}

} // namespace zerbo::barcode::test
