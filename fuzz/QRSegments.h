#pragma once
// Reading the data codewords of a symbol back into its text, segment by segment: numeric,
// alphanumeric, 8-bit byte and kanji, with the count lengths of each version range. Whatever
// the encoder chose, the bytes must come back.
#include <cstdint>
#include <optional>
#include <string>

namespace zerbo::fuzz {

class TBitReader {
public:
    TBitReader(const uint8_t* bytes, int bits) : bytes_(bytes), bits_(bits) {}
    int Left() const { return bits_ - pos_; }
    // -1 when fewer than n bits are left.
    int Take(int n) {
        if (Left() < n) return -1;
        int v = 0;
        for (int i = 0; i < n; ++i, ++pos_) v = v << 1 | (bytes_[pos_ / 8] >> (7 - pos_ % 8) & 1);
        return v;
    }

private:
    const uint8_t* bytes_;
    int bits_, pos_ = 0;
};

// The text of `count` data codewords of a symbol of `version`; nullopt when they do not parse.
inline std::optional<std::string> ReadQRSegments(const uint8_t* codewords, int count, int version) {
    static const char kAlphanumeric[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";
    const int range = version <= 9 ? 0 : version <= 26 ? 1 : 2;
    const int countBits[4][3] = {{10, 12, 14}, {9, 11, 13}, {8, 16, 16}, {8, 10, 12}}; // numeric, alnum, byte, kanji
    TBitReader r(codewords, count * 8);
    std::string text;
    for (;;) {
        const int mode = r.Left() < 4 ? 0 : r.Take(4); // a terminator may be cut short at the end
        if (mode == 0) return text;
        const int kind = mode == 1 ? 0 : mode == 2 ? 1 : mode == 4 ? 2 : mode == 8 ? 3 : -1;
        if (kind < 0) return std::nullopt;
        int n = r.Take(countBits[kind][range]);
        if (n < 0) return std::nullopt;
        for (; n > 0;) {
            if (kind == 0) { // three digits in 10 bits, two in 7, one in 4
                const int digits = n >= 3 ? 3 : n;
                const int v = r.Take(digits == 3 ? 10 : digits == 2 ? 7 : 4);
                if (v < 0 || v >= (digits == 3 ? 1000 : digits == 2 ? 100 : 10)) return std::nullopt;
                const std::string s = std::to_string(v + (digits == 3 ? 1000 : digits == 2 ? 100 : 10)).substr(1);
                text += s;
                n -= digits;
            } else if (kind == 1) { // two characters in 11 bits, one in 6
                if (n >= 2) {
                    const int v = r.Take(11);
                    if (v < 0 || v >= 45 * 45) return std::nullopt;
                    text += {kAlphanumeric[v / 45], kAlphanumeric[v % 45]};
                    n -= 2;
                } else {
                    const int v = r.Take(6);
                    if (v < 0 || v >= 45) return std::nullopt;
                    text += kAlphanumeric[v];
                    n -= 1;
                }
            } else if (kind == 2) {
                const int v = r.Take(8);
                if (v < 0) return std::nullopt;
                text += static_cast<char>(v);
                n -= 1;
            } else { // 13 bits: back to the Shift-JIS double byte
                const int v = r.Take(13);
                if (v < 0) return std::nullopt;
                const int c = (v / 0xC0) << 8 | v % 0xC0;
                const int sjis = c + (c < 0x1F00 ? 0x8140 : 0xC140);
                text += {static_cast<char>(sjis >> 8), static_cast<char>(sjis & 0xFF)};
                n -= 1;
            }
        }
    }
}

} // namespace zerbo::fuzz
