// CODE128 without automatic code-set selection: the symbol starts in the set named by StartChar
// and the user writes switches, shifts, control and function characters as names in angle
// brackets ("<CODEC>", "<SHIFT>", "<FNC1>", "<CR>"). "<<" is a literal '<', '>' makes the next
// character literal. The check character is always added.
#include "barcode/Code128.h"
#include "barcode/Encoder.h"
#include "barcode/TableShape.h"

#include <cstdint>

#include "core/Digits.h"

namespace zerbo::barcode {

namespace {

// One row per value: its name in sets A, B and C, and its pattern.
struct Code128Row {
    std::string_view name[3];
    std::string_view pattern;
};

// Bar width w is written as digit 2w-1, space width w as 2w-2.
constexpr Code128Row kCode128Table[] = {
    // Set A        Set B        Set C      Pattern
    {{" ", " ", "00"}, "303232"}, // 0
    {{"!", "!", "01"}, "323032"}, // 1
    {{"\"", "\"", "02"}, "323230"}, // 2
    {{"#", "#", "03"}, "121234"}, // 3
    {{"$", "$", "04"}, "121432"}, // 4
    {{"%", "%", "05"}, "141232"}, // 5
    {{"&", "&", "06"}, "123214"}, // 6
    {{"'", "'", "07"}, "123412"}, // 7
    {{"(", "(", "08"}, "143212"}, // 8
    {{")", ")", "09"}, "321214"}, // 9
    {{"*", "*", "10"}, "321412"}, // 10
    {{"+", "+", "11"}, "341212"}, // 11
    {{",", ",", "12"}, "103252"}, // 12
    {{"-", "-", "13"}, "123052"}, // 13
    {{".", ".", "14"}, "123250"}, // 14
    {{"/", "/", "15"}, "105232"}, // 15
    {{"0", "0", "16"}, "125032"}, // 16
    {{"1", "1", "17"}, "125230"}, // 17
    {{"2", "2", "18"}, "325210"}, // 18
    {{"3", "3", "19"}, "321052"}, // 19
    {{"4", "4", "20"}, "321250"}, // 20
    {{"5", "5", "21"}, "305212"}, // 21
    {{"6", "6", "22"}, "325012"}, // 22
    {{"7", "7", "23"}, "503050"}, // 23
    {{"8", "8", "24"}, "501232"}, // 24
    {{"9", "9", "25"}, "521032"}, // 25
    {{":", ":", "26"}, "521230"}, // 26
    {{";", ";", "27"}, "503212"}, // 27
    {{"<", "<", "28"}, "523012"}, // 28
    {{"=", "=", "29"}, "523210"}, // 29
    {{">", ">", "30"}, "303034"}, // 30
    {{"?", "?", "31"}, "303430"}, // 31
    {{"@", "@", "32"}, "343030"}, // 32
    {{"A", "A", "33"}, "101434"}, // 33
    {{"B", "B", "34"}, "141034"}, // 34
    {{"C", "C", "35"}, "141430"}, // 35
    {{"D", "D", "36"}, "103414"}, // 36
    {{"E", "E", "37"}, "143014"}, // 37
    {{"F", "F", "38"}, "143410"}, // 38
    {{"G", "G", "39"}, "301414"}, // 39
    {{"H", "H", "40"}, "341014"}, // 40
    {{"I", "I", "41"}, "341410"}, // 41
    {{"J", "J", "42"}, "103054"}, // 42
    {{"K", "K", "43"}, "103450"}, // 43
    {{"L", "L", "44"}, "143050"}, // 44
    {{"M", "M", "45"}, "105034"}, // 45
    {{"N", "N", "46"}, "105430"}, // 46
    {{"O", "O", "47"}, "145030"}, // 47
    {{"P", "P", "48"}, "505030"}, // 48
    {{"Q", "Q", "49"}, "301450"}, // 49
    {{"R", "R", "50"}, "341050"}, // 50
    {{"S", "S", "51"}, "305014"}, // 51
    {{"T", "T", "52"}, "305410"}, // 52
    {{"U", "U", "53"}, "305050"}, // 53
    {{"V", "V", "54"}, "501034"}, // 54
    {{"W", "W", "55"}, "501430"}, // 55
    {{"X", "X", "56"}, "541030"}, // 56
    {{"Y", "Y", "57"}, "503014"}, // 57
    {{"Z", "Z", "58"}, "503410"}, // 58
    {{"[", "[", "59"}, "543010"}, // 59
    {{"\\", "\\", "60"}, "507010"}, // 60
    {{"]", "]", "61"}, "321610"}, // 61
    {{"^", "^", "62"}, "741010"}, // 62
    {{"_", "_", "63"}, "101236"}, // 63
    {{"NUL", "`", "64"}, "101632"}, // 64
    {{"SOH", "a", "65"}, "121036"}, // 65
    {{"STX", "b", "66"}, "121630"}, // 66
    {{"ETX", "c", "67"}, "161032"}, // 67
    {{"EOT", "d", "68"}, "161230"}, // 68
    {{"ENO", "e", "69"}, "103216"}, // 69
    {{"ACK", "f", "70"}, "103612"}, // 70
    {{"BEL", "g", "71"}, "123016"}, // 71
    {{"BS", "h", "72"}, "123610"}, // 72
    {{"HT", "i", "73"}, "163012"}, // 73
    {{"LF", "j", "74"}, "163210"}, // 74
    {{"VT", "k", "75"}, "361210"}, // 75
    {{"FF", "l", "76"}, "321016"}, // 76
    {{"CR", "m", "77"}, "705010"}, // 77
    {{"SO", "n", "78"}, "361012"}, // 78
    {{"SI", "o", "79"}, "147010"}, // 79
    {{"DLE", "p", "80"}, "101272"}, // 80
    {{"DC1", "q", "81"}, "121072"}, // 81
    {{"DC2", "r", "82"}, "121270"}, // 82
    {{"DC3", "s", "83"}, "107212"}, // 83
    {{"DC4", "t", "84"}, "127012"}, // 84
    {{"NAK", "u", "85"}, "127210"}, // 85
    {{"SYN", "v", "86"}, "701212"}, // 86
    {{"ETB", "w", "87"}, "721012"}, // 87
    {{"CAN", "x", "88"}, "721210"}, // 88
    {{"EM", "y", "89"}, "303070"}, // 89
    {{"SUB", "z", "90"}, "307030"}, // 90
    {{"ESC", "{", "91"}, "703030"}, // 91
    {{"FS", "|", "92"}, "101074"}, // 92
    {{"GS", "}", "93"}, "101470"}, // 93
    {{"RS", "~", "94"}, "141070"}, // 94
    {{"US", "DEL", "95"}, "107014"}, // 95
    {{"FNC3", "FNC3", "96"}, "107410"}, // 96
    {{"FNC2", "FNC2", "97"}, "701014"}, // 97
    {{"SHIFT", "SHIFT", "98"}, "701410"}, // 98
    {{"CODEC", "CODEC", "99"}, "105070"}, // 99
    {{"CODEB", "FNC4", "CODEB"}, "107050"}, // 100
    {{"FNC4", "CODEA", "CODEA"}, "501070"}, // 101
    {{"FNC1", "FNC1", "FNC1"}, "701050"}, // 102
};

constexpr std::string_view kCode128Start[] = {"301612", "301216", "301252"}; // values 103, 104, 105
constexpr std::string_view kCode128Stop = "3450103";

// Eleven modules a character, in three bars and three spaces, with an even number of bar
// modules (the parity the standard builds into every character); the stop is thirteen.
constexpr bool IsCharacter(std::string_view p) {
    int bars = 0;
    for (std::size_t i = 0; i < p.size(); i += 2) bars += shape::ModulesOf(p[i]);
    return p.size() == 6 && shape::Alternates(p) && shape::Modules(p) == 11 && bars % 2 == 0;
}
static_assert(std::size(kCode128Table) == 103, "values 0 to 102");
static_assert(shape::Every(kCode128Table, [](const Code128Row& r) { return IsCharacter(r.pattern); }));
static_assert(shape::Every(kCode128Start, IsCharacter));
static_assert(kCode128Stop.size() == 7 && shape::Alternates(kCode128Stop) && shape::Modules(kCode128Stop) == 13);
static_assert(shape::AllDistinct(kCode128Table, [](const Code128Row& r) { return r.pattern; }));
static_assert(shape::AllDistinct(kCode128Table, [](const Code128Row& r) { return r.name[0]; }) &&
              shape::AllDistinct(kCode128Table, [](const Code128Row& r) { return r.name[1]; }) &&
              shape::AllDistinct(kCode128Table, [](const Code128Row& r) { return r.name[2]; }),
              "a name stands for one value in its set");

constexpr int kSetA = 0, kSetB = 1, kSetC = 2;
constexpr int kShift = 98, kCodeC = 99, kCodeB = 100, kCodeA = 101;
constexpr std::size_t kLongestName = 5; // "SHIFT", "CODEA" ...

char16_t AsciiUpper(char16_t c) { return c >= u'a' && c <= u'z' ? c - (u'a' - u'A') : c; }

} // namespace

int Code128Value(int set, std::u16string_view token) {
    if (set < kSetA || set > kSetC || token.empty()) return -1;
    // Single characters stand at value c - 32 (space to '_' in set A, space to '~' in set B);
    // set C names none of them.
    if (token.size() == 1) {
        const char16_t c = token[0];
        const char16_t last = set == kSetA ? u'_' : set == kSetB ? u'~' : u'\0';
        return c >= u' ' && c <= last ? c - u' ' : -1;
    }
    if (set == kSetC && token.size() == 2 && IsDigit(token[0]) && IsDigit(token[1]))
        return (token[0] - u'0') * 10 + (token[1] - u'0');
    // Longer names: the first row that spells the token in this set's column.
    for (int v = 0; v < static_cast<int>(std::size(kCode128Table)); ++v) {
        const std::string_view name = kCode128Table[v].name[set];
        if (name.size() != token.size()) continue;
        std::size_t k = 0;
        while (k < name.size() && token[k] == static_cast<unsigned char>(name[k])) ++k;
        if (k == name.size()) return v;
    }
    return -1;
}

std::string EncodeCODE128(const EncodeInput& in, std::u16string& symbol) {
    symbol.clear();
    const std::u16string_view code = in.Code;
    const std::size_t n = code.size();
    if (n == 0) return {};
    // Look-ahead past the end reads NUL, which matches no name, so a text cut short fails.
    const auto at = [&](std::size_t i) { return i < n ? code[i] : u'\0'; };

    // Only A, B and C name a start set; anything else starts in set A.
    const int startSet = in.StartChar >= u'A' && in.StartChar <= u'C' ? in.StartChar - u'A' : kSetA;
    int set = startSet;
    int shiftedFrom = -1; // the set a pending SHIFT returns to after one token
    std::uint32_t sum = 103 + static_cast<std::uint32_t>(set);
    std::uint32_t position = 0;

    std::string pattern;
    pattern.reserve((n + 3) * 6 + 1);
    pattern += kCode128Start[set];

    char16_t buffer[kLongestName];
    for (std::size_t i = 0; i < n; ++i) {
        std::u16string_view token;
        const char16_t c = code[i];
        if (c == u'<') {
            if (at(i + 1) == u'<') {
                token = code.substr(i + 1, 1);
                ++i;
            } else {
                // A name, upper-cased, up to the next '>'; one left open encodes nothing.
                const std::size_t close = code.find(u'>', i + 1);
                if (close == std::u16string_view::npos) return {};
                const std::size_t length = close - (i + 1);
                if (length > kLongestName) return {};
                for (std::size_t k = 0; k < length; ++k) buffer[k] = AsciiUpper(code[i + 1 + k]);
                token = std::u16string_view(buffer, length);
                i = close;
            }
        } else if (c == u'>') {
            if (i + 1 >= n) return {}; // nothing left to make literal
            token = code.substr(i + 1, 1);
            ++i;
        } else if (set == kSetC) {
            if (!IsDigit(c) || !IsDigit(at(i + 1))) return {};
            token = code.substr(i, 2);
            ++i;
        } else {
            token = code.substr(i, 1);
        }

        const int value = Code128Value(set, token);
        if (value < 0) return {};
        position = position % 103 + 1;
        sum = (sum + static_cast<std::uint32_t>(value) * position) % 103;
        pattern += kCode128Table[value].pattern;

        // Switches and shifts, recognised by value in the set that read them.
        if (value == kShift && set != kSetC) {
            shiftedFrom = set;
            set = set == kSetA ? kSetB : kSetA;
        } else if (value == kCodeA && set != kSetA) {
            set = kSetA;
        } else if (value == kCodeB && set != kSetB) {
            set = kSetB;
        } else if (value == kCodeC && set != kSetC) {
            set = kSetC;
        } else if (shiftedFrom >= 0) {
            set = shiftedFrom;
            shiftedFrom = -1;
        }
    }

    const int check = static_cast<int>(sum % 103);
    pattern += kCode128Table[check].pattern;
    pattern += kCode128Stop;

    // Start set, the text as typed, and the check character as it would be typed in the set in
    // force at the end.
    const std::string_view name = kCode128Table[check].name[set];
    symbol.reserve(n + 8);
    symbol += static_cast<char16_t>(u'A' + startSet);
    symbol += code;
    if (name == "<" || name == ">") {
        symbol.append(2, static_cast<char16_t>(name[0]));
    } else if (name.size() == 1) {
        symbol += static_cast<char16_t>(name[0]);
    } else {
        symbol += u'<';
        for (const char ch : name) symbol += static_cast<char16_t>(ch);
        symbol += u'>';
    }
    return pattern;
}

} // namespace zerbo::barcode
