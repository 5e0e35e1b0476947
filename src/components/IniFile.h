#pragma once
// The INI store: our own reader and writer of the platform's profile file format, used
// in every build so that both behave alike. Nothing is cached: every read parses the
// file afresh and every write replaces it whole before returning, so two stores on one
// file see each other's writes and a crash never leaves a torn file.
//
// Files are read as UTF-16LE with a byte-order mark, UTF-8 with a byte-order mark, or
// ANSI code page 932 text. A new file is written as UTF-16LE with a byte-order mark; an
// ANSI file stays ANSI while every character fits, and becomes UTF-16LE otherwise, so no
// character is ever lost and the platform's profile functions read the result.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "components/Platform.h"
#include "core/Error.h"

namespace zerbo {

// A write the store cannot carry out; the message is "<full name> に書き込めません".
class EIniFileException : public Exception {
public:
    using Exception::Exception;
};

class TIniFile {
public:
    // Longest text ReadString hands back, as the platform's 2048-character buffer allows.
    static constexpr size_t kMaxValueLength = 2047;

    TIniFile(IComponentPlatform& platform, std::u16string fileName);

    // The part of a value that a line of the file holds, and so what the platform's profile
    // functions give back for it: the text up to its first line break (or NUL). Nothing is
    // escaped, as other readers of the file expect none.
    static std::u16string_view StoredPart(std::u16string_view value);

    const std::u16string& FileName() const { return fileName_; }

    // The key's text with blanks around it trimmed and one enclosing pair of double or
    // single quotes removed; Default when the file, section or key is absent.
    std::u16string ReadString(const std::u16string& section, const std::u16string& ident,
                              const std::u16string& defaultValue) const;
    // Writes StoredPart(value); a line break can never start a key of its own.
    void WriteString(const std::u16string& section, const std::u16string& ident, const std::u16string& value);
    int32_t ReadInteger(const std::u16string& section, const std::u16string& ident, int32_t defaultValue) const;
    void WriteInteger(const std::u16string& section, const std::u16string& ident, int32_t value);
    bool ReadBool(const std::u16string& section, const std::u16string& ident, bool defaultValue) const;
    void WriteBool(const std::u16string& section, const std::u16string& ident, bool value);

    // Key names of the section in file order.
    void ReadSection(const std::u16string& section, std::vector<std::u16string>& strings) const;
    // "name=value" per key in file order, the value as ReadString gives it.
    void ReadSectionValues(const std::u16string& section, std::vector<std::u16string>& strings) const;
    void EraseSection(const std::u16string& section);

private:
    [[noreturn]] void raiseWriteError() const;

    IComponentPlatform& platform_;
    std::u16string fileName_;
};

} // namespace zerbo
