#include "core/Convert.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

#include "core/Error.h"

namespace zerbo {

namespace {

char16_t gDecimalSeparator = u'.';

bool isBlank(char16_t c) { return c == u' ' || c == u'\t'; }

int hexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

} // namespace

bool TryStrToInt(std::u16string_view s, int32_t& value) {
    size_t i = 0;
    while (i < s.size() && isBlank(s[i])) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == u'-' || s[i] == u'+')) negative = s[i++] == u'-';

    bool hex = false;
    if (i < s.size() && (s[i] == u'$' || s[i] == u'x' || s[i] == u'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < s.size() && s[i] == u'0' && (s[i + 1] == u'x' || s[i + 1] == u'X')) {
        hex = true;
        i += 2;
    }
    const size_t first = i;
    if (hex) {
        uint32_t v = 0;
        for (; i < s.size(); ++i) {
            const int d = hexDigit(s[i]);
            if (d < 0 || i - first >= 8) return false;
            v = (v << 4) | static_cast<uint32_t>(d);
        }
        if (i == first) return false;
        value = static_cast<int32_t>(negative ? 0u - v : v);
        return true;
    }
    const uint64_t limit = negative ? 2147483648ull : 2147483647ull;
    uint64_t v = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < u'0' || s[i] > u'9') return false;
        v = v * 10 + static_cast<uint64_t>(s[i] - u'0');
        if (v > limit) return false;
    }
    if (i == first) return false;
    value = static_cast<int32_t>(negative ? 0ull - v : v);
    return true;
}

int32_t StrToInt(std::u16string_view text) {
    int32_t v = 0;
    if (!TryStrToInt(text, v)) throw EConvertError(FormatText(u"''%s'' は整数ではありません", text));
    return v;
}

int32_t StrToIntDef(std::u16string_view text, int32_t defaultValue) {
    int32_t v = 0;
    return TryStrToInt(text, v) ? v : defaultValue;
}

std::u16string IntToStr(int32_t value) {
    const std::string s = std::to_string(value);
    return std::u16string(s.begin(), s.end());
}

std::u16string IntToHex(uint32_t value, int digits) {
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    std::u16string out;
    do {
        out.insert(out.begin(), kDigits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    while (static_cast<int>(out.size()) < digits) out.insert(out.begin(), u'0');
    return out;
}

char16_t DecimalSeparator() { return gDecimalSeparator; }
void SetDecimalSeparator(char16_t separator) { gDecimalSeparator = separator; }

std::u16string FloatToStr(double value) {
    if (std::isnan(value)) return u"NAN";
    if (std::isinf(value)) return value < 0 ? u"-INF" : u"INF";
    if (value == 0) return u"0";

    // 15 significant digits, then drop the trailing zeros.
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    const std::string text = buffer;
    const size_t e = text.find('e');
    std::string digits = text.substr(0, 1) + text.substr(2, e - 2);
    const int exp10 = std::stoi(text.substr(e + 1));
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string out = value < 0 ? "-" : "";
    const char sep = '\x01';  // placeholder, replaced by the locale's separator below
    const int pointPos = exp10 + 1;  // digits before the decimal point
    if (pointPos > 15 || pointPos < -3) {
        out += digits[0];
        if (digits.size() > 1) out += sep + digits.substr(1);
        out += 'E';
        out += std::to_string(exp10);
    } else if (pointPos <= 0) {
        out += '0';
        out += sep;
        out += std::string(static_cast<size_t>(-pointPos), '0') + digits;
    } else if (static_cast<size_t>(pointPos) >= digits.size()) {
        out += digits + std::string(static_cast<size_t>(pointPos) - digits.size(), '0');
    } else {
        out += digits.substr(0, static_cast<size_t>(pointPos)) + sep + digits.substr(static_cast<size_t>(pointPos));
    }
    std::u16string result;
    for (char c : out) result += c == sep ? gDecimalSeparator : static_cast<char16_t>(c);
    return result;
}

bool TryStrToFloat(std::u16string_view s, double& value) {
    size_t i = 0;
    while (i < s.size() && isBlank(s[i])) ++i;
    size_t end = s.size();
    while (end > i && isBlank(s[end - 1])) --end;

    // Check the syntax ourselves and hand from_chars a plain C-locale copy.
    std::string ascii;
    if (i < end && (s[i] == u'-' || s[i] == u'+')) {
        if (s[i] == u'-') ascii += '-';
        ++i;
    }
    bool anyDigit = false;
    bool point = false;
    for (; i < end; ++i) {
        const char16_t c = s[i];
        if (c >= u'0' && c <= u'9') {
            ascii += static_cast<char>(c);
            anyDigit = true;
        } else if (c == gDecimalSeparator && !point) {
            ascii += '.';
            point = true;
        } else {
            break;
        }
    }
    if (!anyDigit) return false;
    if (i < end && (s[i] == u'e' || s[i] == u'E')) {
        ascii += 'e';
        ++i;
        if (i < end && (s[i] == u'-' || s[i] == u'+')) ascii += static_cast<char>(s[i++]);
        const size_t first = i;
        for (; i < end && s[i] >= u'0' && s[i] <= u'9'; ++i) ascii += static_cast<char>(s[i]);
        if (i == first) return false;
    }
    if (i != end) return false;
    double v = 0;
    const auto [ptr, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), v);
    if (ec != std::errc() || ptr != ascii.data() + ascii.size() || std::isinf(v)) return false;
    value = v;
    return true;
}

double StrToFloat(std::u16string_view text) {
    double v = 0;
    if (!TryStrToFloat(text, v)) throw EConvertError(FormatText(u"'%s' は浮動小数点数ではありません", text));
    return v;
}

} // namespace zerbo
