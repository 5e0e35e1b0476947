#pragma once
// The data a soak run sends: random but repeatable from a seed, valid and invalid. Nothing
// it makes asks the program to end, hide, pause for long or write a file where the run did
// not choose: no "/EXIT", "/S", "/ST", "/VOFF", "/D:" or "/SAVE:" options, no CLOSE, VISIBLE
// or SAVE macro lines, no automation SaveFile, Visible or Show.
#include <windows.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

namespace zerbo::soak {

class TRandom {
public:
    explicit TRandom(uint32_t seed) : state_(seed ? seed : 1) {}
    uint32_t operator()() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    uint32_t below(uint32_t n) { return (*this)() % n; }
    template <class T, size_t N>
    const T& pick(const T (&items)[N]) { return items[below(N)]; }

private:
    uint32_t state_;
};

// A text that no option, command or file name begins with: it starts with a letter or digit,
// then anything from ASCII to kanji, full-width forms and unpaired surrogates.
inline std::wstring RandomText(TRandom& r, size_t maxLength) {
    static const wchar_t kStart[] = L"ABCXYZ0123456789abcあ漢";
    static const wchar_t kAny[] = L"ABZabz0189 -.$/+%*:<>!\"#&'()=~|{}[]^_`@;,?\\\tあア漢字ａ１￢～\x00E9\x00AC\x301C\xD800\xDC00";
    std::wstring s(1, kStart[r.below(static_cast<uint32_t>(wcslen(kStart)))]);
    const size_t length = r.below(4) == 0 ? r.below(static_cast<uint32_t>(maxLength) + 1) : r.below(24);
    for (size_t i = 1; i < length; ++i) s += kAny[r.below(static_cast<uint32_t>(wcslen(kAny)))];
    return s;
}

inline int32_t RandomNumber(TRandom& r) {
    static const int32_t kEdges[] = {INT_MIN, -100000, -1, 0, 1, 2, 3, 12, 13, 40, 41, 100, 101, 200, 201, 0xFFFFFF, INT_MAX};
    return r.below(2) ? r.pick(kEdges) : static_cast<int32_t>(r());
}

// Arguments of a second start, quoted where they hold blanks.
inline std::wstring RandomArguments(TRandom& r) {
    static const wchar_t* const kOptions[] = {
        L"/JAN", L"/UPC", L"/C39", L"/NW7", L"/ITF", L"/CTF", L"/IATA", L"/MAT", L"/NEC", L"/CST", L"/C128", L"/C93",
        L"/QR2", L"/TN1", L"/TN2", L"/TN3", L"/CD1", L"/CD0", L"/CC1", L"/CC0", L"/BC1", L"/BC0", L"/HT", L"/LM", L"/TM",
        L"/C:", L"/CAU", L"/CAD", L"/CAL", L"/CAC", L"/CAR", L"/CWM", L"/CEM", L"/CBM", L"/QRV", L"/QRE", L"/SC1", L"SC0",
        L"/STA", L"/SPD",
    };
    std::wstring line;
    const uint32_t count = 1 + r.below(6);
    for (uint32_t i = 0; i < count; ++i) {
        std::wstring arg = r.below(3) ? std::wstring(r.pick(kOptions)) : L"";
        if (arg.empty() || r.below(2)) arg += r.below(2) ? std::to_wstring(RandomNumber(r)) : RandomText(r, 3000);
        std::wstring quoted;
        for (const wchar_t c : arg)
            if (c != L'"') quoted += c;
        line += L" \"" + quoted + L"\"";
    }
    return line;
}

// DDE macro lines: the interpreter's commands with random parameters, and lines of nothing.
inline std::wstring RandomMacro(TRandom& r) {
    static const wchar_t* const kCommands[] = {
        L"CODE", L"THIN", L"CHECKDIGIT", L"CHKDIGIT", L"STARTCHAR", L"STOPCHAR", L"WRITE", L"POKE", L"CODECHAR",
        L"QRSPECIAL", L"HEIGHT", L"LEFTMARGIN", L"TOPMARGIN", L"COPYTYPE", L"COMMENTSHOW", L"COMMENT", L"COMMENTPOS",
        L"COMMENTALIGN", L"QRVER", L"QRERR", L"BARCOL", L"BACKCOL",
    };
    static const wchar_t* const kWords[] = {L"JAN", L"QR2", L"128", L"OCDE-93", L"NW-7", L"CST", L"TRUE", L"FALSE",
                                            L"1", L"0", L"WMF", L"EMF", L"BMP", L"TOP", L"CENTER", L"L", L"H", L"$FF"};
    std::wstring macro;
    const uint32_t lines = 1 + r.below(8);
    for (uint32_t i = 0; i < lines; ++i) {
        if (r.below(6) == 0) {
            macro += RandomText(r, 200);
        } else {
            macro += r.pick(kCommands);
            macro += L' ';
            const uint32_t kind = r.below(3);
            macro += kind == 0 ? std::wstring(r.pick(kWords)) : kind == 1 ? std::to_wstring(RandomNumber(r)) : RandomText(r, 400);
        }
        macro += L"\r\n";
    }
    return macro;
}

} // namespace zerbo::soak
