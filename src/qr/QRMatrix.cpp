// Function patterns, codeword placement, masking with the penalty score, format and version
// information, and the output array.
//
// The matrix is kept as bit lines, once by rows and once by columns. A mask is then three word
// operations per line, and every penalty rule becomes a handful of shifts, ANDs and population
// counts per line, which is what makes scoring all eight masks cheap.
#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>

#include "qr/QREncoder.h"

namespace zerbo::qr {
namespace {

using TLine = TQREncoder::TLine;

constexpr bool MaskCondition(int mask, int i, int j) {
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

// Every mask condition repeats after 12 rows and after 12 columns, so twelve lines per mask and
// direction describe it completely: Row[m][i % 12] is row i of mask m, Col[m][j % 12] column j.
struct TMaskLines {
    TLine Row[8][12];
    TLine Col[8][12];
};

constexpr TMaskLines MakeMaskLines() {
    TMaskLines t{};
    for (int m = 0; m < 8; ++m)
        for (int k = 0; k < 12; ++k)
            for (int x = 0; x < 192; ++x) {
                if (MaskCondition(m, k, x)) t.Row[m][k][x >> 6] |= uint64_t{1} << (x & 63);
                if (MaskCondition(m, x, k)) t.Col[m][k][x >> 6] |= uint64_t{1} << (x & 63);
            }
    return t;
}

constexpr TMaskLines kMaskLines = MakeMaskLines();

// The eight output values of each byte of a line, bit 0 first.
struct TByteModules {
    int32_t Values[256][8];
};

constexpr TByteModules MakeByteModules() {
    TByteModules t{};
    for (int b = 0; b < 256; ++b)
        for (int k = 0; k < 8; ++k) t.Values[b][k] = b >> k & 1;
    return t;
}

constexpr TByteModules kByteModules = MakeByteModules();

// Set bits of a word. Without a population-count instruction in the target's baseline (plain
// x86-64) the library call costs more than this handful of word operations.
inline int Popcount(uint64_t x) {
#if defined(__POPCNT__) || defined(__ARM_NEON)
    return std::popcount(x);
#else
    x -= (x >> 1) & 0x5555555555555555u;
    x = (x & 0x3333333333333333u) + ((x >> 2) & 0x3333333333333333u);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
    return static_cast<int>((x * 0x0101010101010101u) >> 56);
#endif
}

// Lines of N modules with bits 0 to n - 1 set.
TLine LowBits(int n) {
    TLine t{};
    for (int w = 0; w < 3; ++w) {
        const int bits = std::clamp(n - 64 * w, 0, 64);
        t[w] = bits == 64 ? ~uint64_t{0} : (uint64_t{1} << bits) - 1;
    }
    return t;
}

// Bit j of the result is bit j + k (Shr) or bit j - k (Shl) of a line of W words, 0 < k < 64;
// bits shifted in from outside are 0, that is light.
template <int W>
inline uint64_t Shr(const TLine& a, int w, int k) {
    return (a[w] >> k) | (w + 1 < W ? a[w + 1] << (64 - k) : 0);
}
template <int W>
inline uint64_t Shl(const TLine& a, int w, int k) {
    return (a[w] << k) | (w > 0 ? a[w - 1] >> (64 - k) : 0);
}

// Rules 1 and 3 of the penalty for one row or column. `pairs` has the bits 0 to N - 2 set.
template <int W>
inline int LinePenalty(const TLine& a, const TLine& pairs) {
    // Rule 1: eq[j] says modules j and j + 1 agree; win[j] that modules j to j + 4 agree. A run
    // of length L >= 5 holds L - 4 such windows and starts one streak of them, so L - 2 is
    // the windows plus 2 per streak.
    TLine eq{}, win{};
    for (int w = 0; w < W; ++w) eq[w] = ~(a[w] ^ Shr<W>(a, w, 1)) & pairs[w];
    int score = 0;
    for (int w = 0; w < W; ++w) win[w] = eq[w] & Shr<W>(eq, w, 1) & Shr<W>(eq, w, 2) & Shr<W>(eq, w, 3);
    for (int w = 0; w < W; ++w) {
        const uint64_t starts = win[w] & ~Shl<W>(win, w, 1);
        score += Popcount(win[w]) + 2 * Popcount(starts);
    }
    // Rule 3: light, dark, light, dark, dark, dark, light, dark, light at c - 1 to c + 7. Bits
    // outside the symbol read as light, which covers the start and the end of the line.
    for (int w = 0; w < W; ++w) {
        const uint64_t m = ~Shl<W>(a, w, 1) & a[w] & ~Shr<W>(a, w, 1) & Shr<W>(a, w, 2) &
                           Shr<W>(a, w, 3) & Shr<W>(a, w, 4) & ~Shr<W>(a, w, 5) &
                           Shr<W>(a, w, 6) & ~Shr<W>(a, w, 7);
        if (m != 0) score += 40 * Popcount(m);
    }
    return score;
}

// The full penalty of a masked symbol given by its rows and columns.
template <int W>
int SymbolPenalty(const TLine* rows, const TLine* cols, int n) {
    const TLine pairs = LowBits(n - 1);
    int score = 0;
    int dark = 0;
    for (int i = 0; i < n; ++i) {
        score += LinePenalty<W>(rows[i], pairs) + LinePenalty<W>(cols[i], pairs);
        for (int w = 0; w < W; ++w) dark += Popcount(rows[i][w]);
    }
    // Rule 2: a 2 x 2 square at (i, j) has one colour when rows i and i + 1 agree at j and j + 1
    // and row i agrees with itself from j to j + 1.
    int blocks = 0;
    for (int i = 0; i + 1 < n; ++i) {
        const TLine& a = rows[i];
        TLine x{};
        for (int w = 0; w < W; ++w) x[w] = a[w] ^ rows[i + 1][w];
        for (int w = 0; w < W; ++w)
            blocks += Popcount(~(x[w] | Shr<W>(x, w, 1) | (a[w] ^ Shr<W>(a, w, 1))) & pairs[w]);
    }
    score += 3 * blocks;
    // Rule 4: deviation of the dark share from one half, in steps of 5 percent.
    const int percent = 100 * dark / (n * n);
    score += 10 * (std::abs(percent - 50) / 5);
    return score;
}

// Lines i = 0 to n - 1 of a masked symbol: the unmasked colours with the mask's line i inverting
// every module that is not a function module. Only the first W words are written.
template <int W>
void MaskLines(const TLine* base, const TLine* func, const TLine* mask, const TLine& valid, int n, TLine* out) {
    for (int i = 0, k = 0; i < n; ++i, k = k == 11 ? 0 : k + 1)
        for (int w = 0; w < W; ++w) out[i][w] = base[i][w] ^ (mask[k][w] & ~func[i][w] & valid[w]);
}

// Position of bit `bit` (0 to 14) of format copy `copy` (0: column 8, 1: row 8).
void FormatPosition(int copy, int bit, int n, int& r, int& c) {
    if (copy == 0) {
        c = 8;
        r = bit <= 5 ? bit : bit == 6 ? 7 : bit == 7 ? 8 : n - 15 + bit;
    } else {
        r = 8;
        c = bit <= 7 ? n - 1 - bit : bit == 8 ? 7 : 14 - bit;
    }
}

} // namespace

int TQREncoder::BestMask(const int penalties[8]) {
    int best = 0;
    for (int m = 1; m < 8; ++m)
        if (penalties[m] < penalties[best]) best = m;
    return best;
}

uint16_t TQREncoder::FormatWord(int levelIndex, int mask) {
    const unsigned data = static_cast<unsigned>(((levelIndex ^ 1) << 3) | mask);
    unsigned rem = data << 10;
    for (int i = 14; i >= 10; --i)
        if (rem >> i & 1) rem ^= 0x537u << (i - 10);
    return static_cast<uint16_t>(((data << 10) | rem) ^ 0x5412);
}

uint32_t TQREncoder::VersionWord(int version) {
    const uint32_t data = static_cast<uint32_t>(version);
    uint32_t rem = data << 12;
    for (int i = 17; i >= 12; --i)
        if (rem >> i & 1) rem ^= 0x1F25u << (i - 12);
    return (data << 12) | rem;
}

uint8_t TQREncoder::Module(int r, int c) const {
    const uint64_t bit = uint64_t{1} << (c & 63);
    const int w = c >> 6;
    const bool func = FFuncRow[r][w] & bit;
    uint8_t flags = 0;
    if (!func && (FBaseRow[r][w] & bit)) flags |= 1;
    if (FDarkRow[r][w] & bit) flags |= 2;
    if (func) flags |= 4;
    return flags;
}

bool TQREncoder::UnmaskedDark(int r, int c) const {
    return FBaseRow[r][c >> 6] >> (c & 63) & 1;
}

void TQREncoder::SetFunction(int r, int c, bool dark) {
    const uint64_t bit = uint64_t{1} << (c & 63);
    FFuncRow[r][c >> 6] |= bit;
    if (dark)
        FBaseRow[r][c >> 6] |= bit;
    else
        FBaseRow[r][c >> 6] &= ~bit;
}

void TQREncoder::BuildFunctionPatterns() {
    const int n = FSize;
    const size_t lines = static_cast<size_t>(n) * sizeof(TLine);
    std::memset(FFuncRow, 0, lines);
    std::memset(FBaseRow, 0, lines);

    // Finder patterns: dark ring, light ring, dark 3 x 3 centre.
    const int corners[3][2] = {{0, 0}, {0, n - 7}, {n - 7, 0}};
    for (const auto& corner : corners)
        for (int dr = 0; dr < 7; ++dr)
            for (int dc = 0; dc < 7; ++dc)
                SetFunction(corner[0] + dr, corner[1] + dc,
                            std::max(std::abs(dr - 3), std::abs(dc - 3)) != 2);
    // Separators, light.
    for (int i = 0; i < 8; ++i) {
        SetFunction(i, 7, false);
        SetFunction(7, i, false);
        SetFunction(i, n - 8, false);
        SetFunction(n - 8, i, false);
        SetFunction(n - 1 - i, 7, false);
        SetFunction(7, n - 1 - i, false);
    }
    // Alignment patterns, except where a finder pattern already sits.
    for (int a = 0; a < FSpec->AlignCount; ++a)
        for (int b = 0; b < FSpec->AlignCount; ++b) {
            const int r = FSpec->Align[a];
            const int c = FSpec->Align[b];
            if (FFuncRow[r][c >> 6] >> (c & 63) & 1) continue;
            for (int dr = -2; dr <= 2; ++dr)
                for (int dc = -2; dc <= 2; ++dc)
                    SetFunction(r + dr, c + dc, std::max(std::abs(dr), std::abs(dc)) != 1);
        }
    // Timing patterns; where an alignment pattern crosses row or column 6 the colours agree.
    for (int i = 7; i <= n - 9; ++i) {
        SetFunction(i, 6, i % 2 == 0);
        SetFunction(6, i, i % 2 == 0);
    }
    // Format areas and the dark module stay light until the mask is chosen.
    for (int copy = 0; copy < 2; ++copy)
        for (int bit = 0; bit < 15; ++bit) {
            int r = 0, c = 0;
            FormatPosition(copy, bit, n, r, c);
            SetFunction(r, c, false);
        }
    SetFunction(n - 8, 8, false);
    if (FVersion >= 7)
        for (int j = 0; j < 18; ++j) {
            SetFunction(n - 11 + j % 3, j / 3, false);
            SetFunction(j / 3, n - 11 + j % 3, false);
        }
}

void TQREncoder::PlaceCodewords() {
    // Two-column strips from the right edge, alternately upwards and downwards, skipping the
    // vertical timing column and every function module; in each row of a strip the right
    // module comes first. After the last codeword the reader yields zeros, so the modules of the
    // remainder bits stay light.
    const int n = FSize;
    const int totalBytes = FSpec->TotalCodewords;
    int nextByte = 0;
    uint64_t pending = 0; // unplaced bits, the next one in bit 63
    int pendingCount = 0;
    auto take = [&](int k) -> uint64_t {
        if (pendingCount < k) {
            for (; pendingCount <= 56; pendingCount += 8)
                pending |= uint64_t{nextByte < totalBytes ? FFinal[nextByte++] : 0u} << (56 - pendingCount);
        }
        const uint64_t bits = pending >> (64 - k);
        pending <<= k;
        pendingCount -= k;
        return bits;
    };
    bool upwards = true;
    for (int right = n - 1; right >= 1; right -= 2) {
        if (right == 6) right = 5;
        const int word = right >> 6;
        const int shift = (right - 1) & 63;
        const bool straddles = (right & 63) == 0; // the left column ends the word before
        for (int step = 0; step < n; ++step) {
            const int r = upwards ? n - 1 - step : step;
            if (straddles) {
                if (!(FFuncRow[r][word] & 1)) FBaseRow[r][word] |= take(1);
                if (!(FFuncRow[r][word - 1] >> 63)) FBaseRow[r][word - 1] |= take(1) << 63;
                continue;
            }
            uint64_t& line = FBaseRow[r][word];
            switch (FFuncRow[r][word] >> shift & 3) {
            case 0: line |= take(2) << shift; break;       // both free: right, then left
            case 1: line |= take(1) << (shift + 1); break; // left is a function module
            case 2: line |= take(1) << shift; break;       // right is a function module
            default: break;
            }
        }
        upwards = !upwards;
    }
    TransposeLines(FBaseRow, FBaseCol);
    TransposeLines(FFuncRow, FFuncCol);
}

// Columns from rows, one 64 x 64 bit block at a time.
void TQREncoder::TransposeLines(const TLine* rows, TLine* cols) const {
    const int n = FSize;
    const int words = (n + 63) / 64;
    for (int bi = 0; bi < words; ++bi)
        for (int bj = 0; bj < words; ++bj) {
            uint64_t a[64];
            for (int k = 0; k < 64; ++k) a[k] = 64 * bi + k < n ? rows[64 * bi + k][bj] : 0;
            // Swap the off-diagonal halves, then quarters within them, down to single bits.
            uint64_t m = 0x00000000FFFFFFFFu;
            for (int j = 32; j != 0; j >>= 1, m ^= m << j)
                for (int k = 0; k < 64; k = ((k | j) + 1) & ~j) {
                    const uint64_t t = ((a[k] >> j) ^ a[k | j]) & m;
                    a[k] ^= t << j;
                    a[k | j] ^= t;
                }
            for (int k = 0; k < 64 && 64 * bj + k < n; ++k) cols[64 * bj + k][bi] = a[k];
        }
}

void TQREncoder::ApplyMask(int mask, TLine* rows) const {
    const TLine valid = LowBits(FSize);
    for (int i = 0; i < FSize; ++i) {
        const TLine& pattern = kMaskLines.Row[mask][i % 12];
        for (int w = 0; w < 3; ++w)
            rows[i][w] = FBaseRow[i][w] ^ (pattern[w] & ~FFuncRow[i][w] & valid[w]);
    }
}

void TQREncoder::ChooseMask() {
    const int n = FSize;
    const TLine valid = LowBits(n);
    for (int m = 0; m < 8; ++m) {
        const TLine* rowMask = kMaskLines.Row[m];
        const TLine* colMask = kMaskLines.Col[m];
        if (n <= 64) {
            MaskLines<1>(FBaseRow, FFuncRow, rowMask, valid, n, FWorkRow);
            MaskLines<1>(FBaseCol, FFuncCol, colMask, valid, n, FWorkCol);
            FPenalty[m] = SymbolPenalty<1>(FWorkRow, FWorkCol, n);
        } else if (n <= 128) {
            MaskLines<2>(FBaseRow, FFuncRow, rowMask, valid, n, FWorkRow);
            MaskLines<2>(FBaseCol, FFuncCol, colMask, valid, n, FWorkCol);
            FPenalty[m] = SymbolPenalty<2>(FWorkRow, FWorkCol, n);
        } else {
            MaskLines<3>(FBaseRow, FFuncRow, rowMask, valid, n, FWorkRow);
            MaskLines<3>(FBaseCol, FFuncCol, colMask, valid, n, FWorkCol);
            FPenalty[m] = SymbolPenalty<3>(FWorkRow, FWorkCol, n);
        }
    }
    FMask = BestMask(FPenalty);
    ApplyMask(FMask, FDarkRow);
}

void TQREncoder::WriteFormatAndVersion() {
    const int n = FSize;
    auto setDark = [this](int r, int c) { FDarkRow[r][c >> 6] |= uint64_t{1} << (c & 63); };
    const uint16_t format = FormatWord(FLevel, FMask);
    for (int bit = 0; bit < 15; ++bit) {
        if (!(format >> bit & 1)) continue;
        for (int copy = 0; copy < 2; ++copy) {
            int r = 0, c = 0;
            FormatPosition(copy, bit, n, r, c);
            setDark(r, c);
        }
    }
    setDark(n - 8, 8);
    if (FVersion >= 7) {
        const uint32_t word = VersionWord(FVersion);
        for (int j = 0; j < 18; ++j) {
            if (!(word >> j & 1)) continue;
            setDark(n - 11 + j % 3, j / 3);
            setDark(j / 3, n - 11 + j % 3);
        }
    }
}

void TQREncoder::WriteOutput(int32_t* out) const {
    const int n = FSize;
    const int w = n + 8;
    out[0] = w;
    int32_t* p = out + 1;
    std::fill(p, p + 4 * w, 0);
    p += 4 * w;
    for (int r = 0; r < n; ++r) {
        std::fill(p, p + 4, 0);
        p += 4;
        // Eight modules at a time from a table of byte values.
        for (int c = 0; c < n; c += 8) {
            const unsigned byte = FDarkRow[r][c >> 6] >> (c & 63) & 0xFF;
            std::memcpy(p, kByteModules.Values[byte], sizeof(int32_t) * static_cast<size_t>(std::min(8, n - c)));
            p += std::min(8, n - c);
        }
        std::fill(p, p + 4, 0);
        p += 4;
    }
    std::fill(p, p + 4 * w, 0);
}

} // namespace zerbo::qr
