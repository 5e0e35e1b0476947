#include "components/IniGT.h"

#include <type_traits>

#include "core/Convert.h"
#include "core/Path.h"

namespace zerbo {

namespace {

constexpr char16_t kOpenBracket = u'\uFF62';   // ｢
constexpr char16_t kCloseBracket = u'\uFF63';  // ｣

char16_t lowerCase(char16_t c) {
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0xFF21 && c <= 0xFF3A))
        return static_cast<char16_t>(c + 0x20);
    return c;
}

std::u16string hexText(int32_t value) { return u"0x" + IntToHex(static_cast<uint32_t>(value), 8); }

} // namespace

TIniGT::TIniGT(IComponentPlatform& platform)
    : platform_(platform), FIni(std::make_unique<TIniFile>(platform, u"")) {}

void TIniGT::SetDefaultDir(TIniGTDefaultDir value) {
    FDefaultDir = value;
    SetFileName(FFileName);
}

void TIniGT::SetFileName(const std::u16string& value) {
    FFileName = value;
    FIni.reset();
    std::u16string full;
    if (!ExtractFilePath(platform_.PathDelimiters(), value).empty()) {
        full = value;
    } else {
        switch (FDefaultDir) {
        case ddApplication: full = ExtractFilePath(platform_.PathDelimiters(), platform_.ProgramFileName()) + value; break;
        case ddWindows: full = platform_.WindowsFolder() + platform_.PathSeparator() + value; break;
        case ddNone: full = value; break;
        }
    }
    FIni = std::make_unique<TIniFile>(platform_, full);
    // A read-only settings file would refuse every later write: make it writable now.
    if (platform_.FileExists(full) && platform_.IsReadOnly(full)) platform_.SetArchiveOnly(full);
}

void TIniGT::SetFence(TIniGTFence value) {
    // At design time a warning would tell that leaving fnVer11Mode may misread older
    // files; without a design environment the new mode is simply stored.
    FFence = value;
    Ver11Flg = false;
}

void TIniGT::Loaded() {
    if (!FFileName.empty()) return;
    std::u16string name = ChangeFileExt(platform_.PathDelimiters(), ExtractFileName(platform_.PathDelimiters(), platform_.ProgramFileName()), u".INI");
    for (auto& c : name) c = lowerCase(c);
    if (!name.empty() && name[0] >= u'a' && name[0] <= u'z') name[0] = static_cast<char16_t>(name[0] - 0x20);
    SetFileName(name);
}

std::u16string TIniGT::wrap(const std::u16string& value) const {
    switch (FFence) {
    case fnDoubleQuote: return u"\"" + value + u"\"";
    case fnParenthesis:
    case fnVer11Mode: return kOpenBracket + value + kCloseBracket;
    case fnNone: break;
    }
    return value;
}

bool TIniGT::ReadBool(const std::u16string& section, const std::u16string& item, bool defaultValue) {
    return FIni->ReadBool(section, item, defaultValue);
}

void TIniGT::WriteBool(const std::u16string& section, const std::u16string& item, bool value) {
    FIni->WriteBool(section, item, value);
}

int32_t TIniGT::ReadInt(const std::u16string& section, const std::u16string& item, int32_t defaultValue) {
    return FIni->ReadInteger(section, item, defaultValue);
}

void TIniGT::WriteInt(const std::u16string& section, const std::u16string& item, int32_t value) {
    FIni->WriteInteger(section, item, value);
}

std::u16string TIniGT::ReadStr(const std::u16string& section, const std::u16string& item,
                               const std::u16string& defaultValue) {
    std::u16string text = FIni->ReadString(section, item, wrap(defaultValue));
    if (text.size() >= 2) {
        const bool quotes = text.front() == u'"' && text.back() == u'"' && (FFence == fnDoubleQuote || FFence == fnVer11Mode);
        const bool brackets = text.front() == kOpenBracket && text.back() == kCloseBracket &&
                              (FFence == fnParenthesis || FFence == fnVer11Mode);
        if (quotes || brackets) text = text.substr(1, text.size() - 2);
    }
    return text;
}

void TIniGT::WriteStr(const std::u16string& section, const std::u16string& item, const std::u16string& value) {
    // Only the text up to a line break reaches the file; it goes inside the fence, so that the
    // fence still comes back whole.
    FIni->WriteString(section, item, wrap(std::u16string(TIniFile::StoredPart(value))));
}

int32_t TIniGT::ReadColor(const std::u16string& section, const std::u16string& item, int32_t defaultValue) {
    return ReadHex(section, item, defaultValue);
}

void TIniGT::WriteColor(const std::u16string& section, const std::u16string& item, int32_t value) {
    WriteHex(section, item, value);
}

int32_t TIniGT::ReadHex(const std::u16string& section, const std::u16string& item, int32_t defaultValue) {
    const std::u16string text = FIni->ReadString(section, item, hexText(defaultValue));
    // Whatever the two prefix characters are, the digits start at the third.
    const std::u16string digits = text.size() > 2 ? text.substr(2, 8) : std::u16string();
    return StrToInt(u"$" + digits);
}

void TIniGT::WriteHex(const std::u16string& section, const std::u16string& item, int32_t value) {
    FIni->WriteString(section, item, hexText(value));
}

double TIniGT::ReadFloat(const std::u16string& section, const std::u16string& item, double defaultValue) {
    return StrToFloat(FIni->ReadString(section, item, FloatToStr(defaultValue)));
}

void TIniGT::WriteFloat(const std::u16string& section, const std::u16string& item, double value) {
    FIni->WriteString(section, item, FloatToStr(value));
}

double TIniGT::ReadDateTime(const std::u16string& section, const std::u16string& item, double defaultValue) {
    return ReadFloat(section, item, defaultValue);
}

void TIniGT::WriteDateTime(const std::u16string& section, const std::u16string& item, double value) {
    WriteFloat(section, item, value);
}

void TIniGT::ReadList(const std::u16string& section, const std::u16string& item, std::vector<std::u16string>& list) {
    const int32_t count = ReadInt(section, item + u".Count", static_cast<int32_t>(list.size()));
    std::vector<std::u16string> entries;
    for (int32_t i = 0; i < count; ++i) {
        const auto index = static_cast<size_t>(i);
        entries.push_back(ReadStr(section, item + u"." + IntToStr(i), index < list.size() ? list[index] : u""));
    }
    list = std::move(entries);
}

void TIniGT::WriteList(const std::u16string& section, const std::u16string& item,
                       const std::vector<std::u16string>& value) {
    WriteInt(section, item + u".Count", static_cast<int32_t>(value.size()));
    for (size_t i = 0; i < value.size(); ++i) WriteStr(section, item + u"." + IntToStr(static_cast<int32_t>(i)), value[i]);
}

void TIniGT::ReadFont(const std::u16string& section, const std::u16string& item, IIniFont& font) {
    auto temp = font.CreateFresh();
    // The face name is accepted bare, in quotes or in brackets, whatever the fence is.
    const TIniGTFence saved = FFence;
    FFence = fnVer11Mode;
    std::u16string name;
    try {
        name = ReadStr(section, item + u".Name", font.Name());
    } catch (...) {
        FFence = saved;
        throw;
    }
    FFence = saved;
    const int32_t size = ReadInt(section, item + u".Size", font.Size());
    const int32_t style = ReadInt(section, item + u".Style", font.Style());
    const int32_t color = ReadColor(section, item + u".Color", font.Color());
    temp->SetName(name);
    temp->SetSize(size);
    temp->SetStyle(static_cast<uint8_t>(style & 0xFF));
    temp->SetColor(color);
    font.Assign(*temp);
}

void TIniGT::WriteFont(const std::u16string& section, const std::u16string& item, const IIniFont& value) {
    FIni->WriteString(section, item + u".Name", value.Name());
    WriteInt(section, item + u".Size", value.Size());
    WriteInt(section, item + u".Style", value.Style());
    WriteColor(section, item + u".Color", value.Color());
}

void TIniGT::ReadWin(const std::u16string& section, const std::u16string& item, IIniForm& form) {
    TWindowPlacement p = form.GetPlacement();
    auto read = [&](const char16_t* suffix, auto& member) {
        member = static_cast<std::remove_reference_t<decltype(member)>>(
            ReadInt(section, item + suffix, static_cast<int32_t>(member)));
    };
    read(u".Flags", p.flags);
    read(u".Show", p.showCmd);
    read(u".MaxX", p.ptMaxPosition.x);
    read(u".MaxY", p.ptMaxPosition.y);
    read(u".X", p.rcNormalPosition.left);
    read(u".Y", p.rcNormalPosition.top);
    read(u".XSize", p.rcNormalPosition.right);
    read(u".YSize", p.rcNormalPosition.bottom);
    form.SetPlacement(p);
}

void TIniGT::WriteWin(const std::u16string& section, const std::u16string& item, IIniForm& value) {
    const TWindowPlacement p = value.GetPlacement();
    WriteInt(section, item + u".Flags", static_cast<int32_t>(p.flags));
    WriteInt(section, item + u".Show", static_cast<int32_t>(p.showCmd));
    WriteInt(section, item + u".MaxX", p.ptMaxPosition.x);
    WriteInt(section, item + u".MaxY", p.ptMaxPosition.y);
    WriteInt(section, item + u".X", p.rcNormalPosition.left);
    WriteInt(section, item + u".Y", p.rcNormalPosition.top);
    WriteInt(section, item + u".XSize", p.rcNormalPosition.right);
    WriteInt(section, item + u".YSize", p.rcNormalPosition.bottom);
}

void TIniGT::ReadWinPos(const std::u16string& section, const std::u16string& item, IIniForm& form) {
    form.SetLeft(ReadInt(section, item + u".X", form.Left()));
    form.SetTop(ReadInt(section, item + u".Y", form.Top()));
}

void TIniGT::WriteWinPos(const std::u16string& section, const std::u16string& item, IIniForm& value) {
    WriteInt(section, item + u".X", value.Left());
    WriteInt(section, item + u".Y", value.Top());
}

void TIniGT::ReadWinSize(const std::u16string& section, const std::u16string& item, IIniForm& form) {
    form.SetWidth(ReadInt(section, item + u".XSize", form.Width()));
    form.SetHeight(ReadInt(section, item + u".YSize", form.Height()));
}

void TIniGT::WriteWinSize(const std::u16string& section, const std::u16string& item, IIniForm& value) {
    WriteInt(section, item + u".XSize", value.Width());
    WriteInt(section, item + u".YSize", value.Height());
}

void TIniGT::ReadSection(const std::u16string& section, std::vector<std::u16string>& strings) {
    FIni->ReadSection(section, strings);
}

void TIniGT::ReadSectionValues(const std::u16string& section, std::vector<std::u16string>& strings) {
    FIni->ReadSectionValues(section, strings);
}

void TIniGT::EraseSection(const std::u16string& section) { FIni->EraseSection(section); }

bool TIniGT::Check(const std::u16string& section, const std::u16string& item) {
    return !FIni->ReadString(section, item, u"").empty();
}

} // namespace zerbo
