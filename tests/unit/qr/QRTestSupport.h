#pragma once
// Helpers shared by the QR encoder tests.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "qr/QREncoder.h"

namespace zerbo::qr::test {

// Encoders are large (fixed buffers); tests keep theirs on the heap.
// The eight mask conditions written out from the standard, as an oracle independent of the encoder.
inline bool MaskHolds(int mask, int i, int j) {
    switch (mask) {
    case 0: return (i + j) % 2 == 0;
    case 1: return i % 2 == 0;
    case 2: return j % 3 == 0;
    case 3: return (i + j) % 3 == 0;
    case 4: return (i / 2 + j / 3) % 2 == 0;
    case 5: return (i * j) % 2 + (i * j) % 3 == 0;
    case 6: return ((i * j) % 2 + (i * j) % 3) % 2 == 0;
    default: return ((i * j) % 3 + (i + j) % 2) % 2 == 0;
    }
}

inline std::unique_ptr<TQREncoder> NewEncoder() { return std::make_unique<TQREncoder>(); }

inline std::vector<int32_t> OutputFor(int version) {
    return std::vector<int32_t>(static_cast<size_t>(QROutputLength(version)), -7);
}

// "0"/"1" text of the first `bits` bits of a byte buffer, most significant bit first.
inline std::string BitText(const uint8_t* bytes, int bits) {
    std::string s;
    for (int i = 0; i < bits; ++i) s += (bytes[i / 8] >> (7 - i % 8) & 1) ? '1' : '0';
    return s;
}

inline std::string Hex(const uint8_t* bytes, int n) {
    static const char digits[] = "0123456789ABCDEF";
    std::string s;
    for (int i = 0; i < n; ++i) {
        if (i) s += ' ';
        s += digits[bytes[i] >> 4];
        s += digits[bytes[i] & 15];
    }
    return s;
}

// Deterministic pseudo-random bytes (xorshift), never 0 so that the text has no early end.
inline std::string RandomText(uint32_t& state, int length, uint8_t lo = 1, uint8_t hi = 255) {
    std::string s;
    for (int i = 0; i < length; ++i) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        s += static_cast<char>(lo + state % (hi - lo + 1u));
    }
    return s;
}

// Dark module (r, c) of the symbol in an output array (quiet zone excluded).
inline bool OutDark(const std::vector<int32_t>& out, int r, int c) {
    const int w = out[0];
    return out[static_cast<size_t>(1 + (r + 4) * w + (c + 4))] != 0;
}

} // namespace zerbo::qr::test
