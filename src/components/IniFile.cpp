#include "components/IniFile.h"

#include <optional>
#include <string_view>

#include "core/Convert.h"
#include "core/Text.h"

namespace zerbo {

namespace {

enum class Encoding { Ansi, Utf8, Utf16 };

// The file as lines of text. `clean` says that every byte was decoded exactly and the
// text holds no NUL, so that writing it back loses nothing; a file that is not clean
// (binary, truncated inside a character) is only read, never rewritten.
struct Document {
    IComponentPlatform::ReadResult status = IComponentPlatform::ReadResult::Missing;
    bool clean = true;
    Encoding encoding = Encoding::Utf16;
    std::string bytes;
    std::vector<std::u16string> lines;
};

bool isBlank(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string_view trim(std::u16string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

// Names compare without regard to case, as the platform's profile functions do: ASCII,
// Latin-1, Greek, Cyrillic and the full-width Latin letters.
char16_t foldCase(char16_t c) {
    if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7) || (c >= 0xFF41 && c <= 0xFF5A) ||
        (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) || (c >= 0x430 && c <= 0x44F))
        return static_cast<char16_t>(c - 0x20);
    if (c >= 0x450 && c <= 0x45F) return static_cast<char16_t>(c - 0x50);
    return c;
}

bool sameName(std::u16string_view a, std::u16string_view b) {
    a = trim(a);
    b = trim(b);
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (foldCase(a[i]) != foldCase(b[i])) return false;
    return true;
}

constexpr std::u16string_view kLineEnds(u"\r\n\0", 3);

bool hasLineBreakOrNul(std::u16string_view s) { return s.find_first_of(kLineEnds) != std::u16string_view::npos; }

// A name that a file line can hold and give back: "=" would split a key line, "]" end a
// section header, a leading "[" or ";" turn a key line into a header or a comment.
bool validName(std::u16string_view name) {
    name = trim(name);
    return !name.empty() && !hasLineBreakOrNul(name) && name.find_first_of(u"=]") == std::u16string_view::npos &&
           name.front() != u'[' && name.front() != u';';
}

struct Line {
    enum Kind { Other, Section, Key } kind = Other;
    std::u16string_view name;
    std::u16string_view value;
};

Line classify(std::u16string_view text) {
    Line line;
    const std::u16string_view t = trim(text);
    if (t.empty() || t.front() == u';') return line;
    if (t.front() == u'[') {
        const size_t close = t.find(u']');
        line.kind = Line::Section;
        line.name = trim(t.substr(1, close == std::u16string_view::npos ? std::u16string_view::npos : close - 1));
        return line;
    }
    line.kind = Line::Key;
    const size_t eq = t.find(u'=');
    line.name = trim(t.substr(0, eq));
    if (eq != std::u16string_view::npos) line.value = trim(t.substr(eq + 1));
    return line;
}

Document load(IComponentPlatform& platform, const std::u16string& path) {
    Document doc;
    doc.status = platform.ReadFile(path, doc.bytes);
    if (doc.status != IComponentPlatform::ReadResult::Ok) return doc;
    const std::string_view b = doc.bytes;
    std::u16string text;
    if (b.size() >= 2 && static_cast<unsigned char>(b[0]) == 0xFF && static_cast<unsigned char>(b[1]) == 0xFE) {
        doc.encoding = Encoding::Utf16;
        doc.clean = b.size() % 2 == 0;
        for (size_t i = 2; i + 1 < b.size(); i += 2)
            text += static_cast<char16_t>(static_cast<unsigned char>(b[i]) | static_cast<unsigned char>(b[i + 1]) << 8);
    } else if (b.size() >= 3 && b.substr(0, 3) == "\xEF\xBB\xBF") {
        doc.encoding = Encoding::Utf8;
        text = FromUtf8(b.substr(3));
        doc.clean = ToUtf8(text) == b.substr(3);
    } else {
        doc.encoding = b.empty() ? Encoding::Utf16 : Encoding::Ansi;
        if (auto decoded = platform.DecodeCp932(b)) {
            text = std::move(*decoded);
        } else {
            // Keep what can be read: a line that does not decode reads as an empty line.
            // Line breaks are single bytes that no double-byte character contains.
            doc.clean = false;
            size_t start = 0;
            while (start <= b.size()) {
                size_t end = b.find('\n', start);
                if (end == std::string_view::npos) end = b.size();
                if (auto line = platform.DecodeCp932(b.substr(start, end - start))) text += *line;
                if (end < b.size()) text += u'\n';
                start = end + 1;
            }
        }
    }
    if (text.find(u'\0') != std::u16string::npos) doc.clean = false;
    doc.lines = SplitLines(text);
    return doc;
}

std::string encode(IComponentPlatform& platform, const Document& doc) {
    std::u16string text;
    for (const auto& line : doc.lines) {
        text += line;
        text += u"\r\n";
    }
    if (doc.encoding == Encoding::Ansi) {
        if (auto ansi = platform.EncodeCp932(text)) return std::move(*ansi);
    }
    std::string out = "\xFF\xFE";
    out.reserve(2 + text.size() * 2);
    for (char16_t c : text) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
    }
    return out;
}

// Index of the first header of the section, or nullopt.
std::optional<size_t> findSection(const Document& doc, std::u16string_view section) {
    for (size_t i = 0; i < doc.lines.size(); ++i) {
        const Line line = classify(doc.lines[i]);
        if (line.kind == Line::Section && sameName(line.name, section)) return i;
    }
    return std::nullopt;
}

size_t sectionEnd(const Document& doc, size_t header) {
    size_t i = header + 1;
    while (i < doc.lines.size() && classify(doc.lines[i]).kind != Line::Section) ++i;
    return i;
}

std::optional<size_t> findKey(const Document& doc, size_t header, std::u16string_view ident) {
    const size_t end = sectionEnd(doc, header);
    for (size_t i = header + 1; i < end; ++i) {
        const Line line = classify(doc.lines[i]);
        if (line.kind == Line::Key && sameName(line.name, ident)) return i;
    }
    return std::nullopt;
}

std::u16string limit(std::u16string_view s) { return std::u16string(s.substr(0, TIniFile::kMaxValueLength)); }

} // namespace

TIniFile::TIniFile(IComponentPlatform& platform, std::u16string fileName)
    : platform_(platform), fileName_(std::move(fileName)) {}

std::u16string_view TIniFile::StoredPart(std::u16string_view value) { return value.substr(0, value.find_first_of(kLineEnds)); }

void TIniFile::raiseWriteError() const {
    throw EIniFileException(FormatText(u"%s に書き込めません", fileName_));
}

std::u16string TIniFile::ReadString(const std::u16string& section, const std::u16string& ident,
                                    const std::u16string& defaultValue) const {
    if (!validName(section) || !validName(ident)) return limit(defaultValue);
    const Document doc = load(platform_, fileName_);
    const auto header = findSection(doc, section);
    if (!header) return limit(defaultValue);
    const auto key = findKey(doc, *header, ident);
    if (!key) return limit(defaultValue);
    std::u16string_view value = classify(doc.lines[*key]).value;
    // One enclosing pair of quotes protects blanks at either end.
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return limit(value);
}

void TIniFile::WriteString(const std::u16string& section, const std::u16string& ident, const std::u16string& value) {
    if (!validName(section) || !validName(ident)) raiseWriteError();
    const std::u16string stored(StoredPart(value));
    Document doc = load(platform_, fileName_);
    const bool exists = doc.status == IComponentPlatform::ReadResult::Ok;
    if (doc.status == IComponentPlatform::ReadResult::Failed || !doc.clean) raiseWriteError();
    if (exists && platform_.IsReadOnly(fileName_)) raiseWriteError();

    if (const auto header = findSection(doc, section)) {
        if (const auto key = findKey(doc, *header, ident)) {
            // Keep the key as the file spells it; only the value changes.
            doc.lines[*key] = std::u16string(classify(doc.lines[*key]).name) + u"=" + stored;
        } else {
            // After the section's last non-blank line, so a blank separator line stays last.
            size_t at = sectionEnd(doc, *header);
            while (at > *header + 1 && trim(doc.lines[at - 1]).empty()) --at;
            doc.lines.insert(doc.lines.begin() + static_cast<std::ptrdiff_t>(at), std::u16string(trim(ident)) + u"=" + stored);
        }
    } else {
        if (!doc.lines.empty() && !trim(doc.lines.back()).empty()) doc.lines.emplace_back();
        doc.lines.push_back(u"[" + std::u16string(trim(section)) + u"]");
        doc.lines.push_back(std::u16string(trim(ident)) + u"=" + stored);
    }
    const std::string bytes = encode(platform_, doc);
    if (exists && bytes == doc.bytes) return;
    if (!platform_.ReplaceFile(fileName_, bytes)) raiseWriteError();
}

int32_t TIniFile::ReadInteger(const std::u16string& section, const std::u16string& ident, int32_t defaultValue) const {
    std::u16string text = ReadString(section, ident, u"");
    if (text.size() >= 3 && text[0] == u'0' && (text[1] == u'X' || text[1] == u'x')) text.replace(0, 2, u"$");
    return StrToIntDef(text, defaultValue);
}

void TIniFile::WriteInteger(const std::u16string& section, const std::u16string& ident, int32_t value) {
    WriteString(section, ident, IntToStr(value));
}

bool TIniFile::ReadBool(const std::u16string& section, const std::u16string& ident, bool defaultValue) const {
    return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteBool(const std::u16string& section, const std::u16string& ident, bool value) {
    WriteString(section, ident, value ? u"1" : u"0");
}

void TIniFile::ReadSection(const std::u16string& section, std::vector<std::u16string>& strings) const {
    strings.clear();
    if (!validName(section)) return;
    const Document doc = load(platform_, fileName_);
    const auto header = findSection(doc, section);
    if (!header) return;
    const size_t end = sectionEnd(doc, *header);
    for (size_t i = *header + 1; i < end; ++i) {
        const Line line = classify(doc.lines[i]);
        if (line.kind == Line::Key) strings.emplace_back(line.name);
    }
}

void TIniFile::ReadSectionValues(const std::u16string& section, std::vector<std::u16string>& strings) const {
    std::vector<std::u16string> keys;
    ReadSection(section, keys);
    strings.clear();
    for (const auto& key : keys) strings.push_back(key + u"=" + ReadString(section, key, u""));
}

void TIniFile::EraseSection(const std::u16string& section) {
    if (!validName(section)) raiseWriteError();
    Document doc = load(platform_, fileName_);
    if (doc.status == IComponentPlatform::ReadResult::Missing) return;
    if (doc.status == IComponentPlatform::ReadResult::Failed || !doc.clean) raiseWriteError();
    if (platform_.IsReadOnly(fileName_)) raiseWriteError();
    bool erased = false;
    // Every header of that name goes, so that no later copy of the section shows through.
    while (const auto header = findSection(doc, section)) {
        doc.lines.erase(doc.lines.begin() + static_cast<std::ptrdiff_t>(*header),
                        doc.lines.begin() + static_cast<std::ptrdiff_t>(sectionEnd(doc, *header)));
        erased = true;
    }
    if (!erased) return;
    if (!platform_.ReplaceFile(fileName_, encode(platform_, doc))) raiseWriteError();
}

} // namespace zerbo
