// Function patterns, placement, masks, penalty, format and version information, output.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "QRTestSupport.h"

namespace zerbo::qr::test {
namespace {

// The penalty rules read literally, one module at a time, on the symbol as the encoder scores
// it: unmasked colours, with mask `mask` applied to every non-function module.
int ReferencePenalty(const TQREncoder& enc, int n, int mask) {
    std::vector<std::vector<int>> m(static_cast<size_t>(n), std::vector<int>(static_cast<size_t>(n)));
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c)
            m[r][c] = enc.UnmaskedDark(r, c) ^ (!(enc.Module(r, c) & 4) && MaskHolds(mask, r, c));
    auto at = [&](bool rows, int line, int k) { return rows ? m[line][k] : m[k][line]; };
    int score = 0;
    for (bool rows : {true, false})
        for (int line = 0; line < n; ++line) {
            for (int k = 0; k < n;) { // rule 1
                int end = k;
                while (end < n && at(rows, line, end) == at(rows, line, k)) ++end;
                if (end - k >= 5) score += end - k - 2;
                k = end;
            }
            static const int finder[7] = {1, 0, 1, 1, 1, 0, 1};
            for (int c = 0; c + 7 <= n; ++c) { // rule 3
                bool match = (c == 0 || !at(rows, line, c - 1)) && (c + 7 == n || !at(rows, line, c + 7));
                for (int k = 0; k < 7 && match; ++k) match = at(rows, line, c + k) == finder[k];
                if (match) score += 40;
            }
        }
    for (int r = 0; r + 1 < n; ++r) // rule 2
        for (int c = 0; c + 1 < n; ++c)
            if (m[r][c] == m[r][c + 1] && m[r][c] == m[r + 1][c] && m[r][c] == m[r + 1][c + 1]) score += 3;
    int dark = 0; // rule 4
    for (const auto& row : m)
        for (int v : row) dark += v;
    const int percent = 100 * dark / (n * n);
    return score + 10 * (std::abs(percent - 50) / 5);
}

TEST(QRMatrix, WorkedExampleABC) {
    auto enc = NewEncoder();
    std::vector<int32_t> out = OutputFor(1);
    ASSERT_EQ(enc->EncodeBytes(1, 2, "ABC", out.data()), qrOk);
    const std::vector<int> penalties(enc->Penalties(), enc->Penalties() + 8);
    EXPECT_EQ(penalties, (std::vector<int>{1117, 1201, 1127, 1193, 1100, 1112, 1124, 1114}));
    EXPECT_EQ(enc->Mask(), 4);
    EXPECT_EQ(TQREncoder::FormatWord(1, 4), 0x45F9);
    const char* const expected[21] = {
        "#######.##.#..#######", "#.....#....##.#.....#", "#.###.#..####.#.###.#",
        "#.###.#.##.#..#.###.#", "#.###.#.#...#.#.###.#", "#.....#.####..#.....#",
        "#######.#.#.#.#######", "........#..##........", "#...#.###..#.#####..#",
        ".#.#...#.####..#..###", "...######..#..######.", "..###..#.#...##.#..#.",
        "####.####...###...###", "........###.###...###", "#######.#.#.##....##.",
        "#.....#..####..#.#.##", "#.###.#.#..#..###.###", "#.###.#..####..#.#.##",
        "#.###.#...##..#####..", "#.....#..##..##.#.#..", "#######.###.###...#.#",
    };
    ASSERT_EQ(out[0], 29);
    for (int r = 0; r < 21; ++r) {
        std::string row;
        for (int c = 0; c < 21; ++c) row += OutDark(out, r, c) ? '#' : '.';
        EXPECT_EQ(row, expected[r]) << "row " << r;
    }
    // The quiet zone is light.
    for (int y = 0; y < 29; ++y)
        for (int x = 0; x < 29; ++x)
            if (y < 4 || y >= 25 || x < 4 || x >= 25) {
                ASSERT_EQ(out[1 + y * 29 + x], 0);
            }
}

TEST(QRMatrix, FastPenaltyEqualsTheRulesReadLiterally) {
    auto enc = NewEncoder();
    uint32_t state = 2024;
    for (int v = 1; v <= 40; ++v) {
        const int level = 1 + v % 4;
        const std::string text = RandomText(state, 1 + v * 7 % kQRVersions[v].Level[level - 1].Capacity[qmByte]);
        std::vector<int32_t> out = OutputFor(v);
        ASSERT_EQ(enc->EncodeBytes(v, level, text.c_str(), out.data()), qrOk);
        const int n = kQRVersions[v].Size;
        // All masks for small symbols; two for the larger ones keep the test quick.
        for (int m = 0; m < 8; m += v <= 12 ? 1 : 5)
            EXPECT_EQ(enc->Penalties()[m], ReferencePenalty(*enc, n, m)) << "version " << v << " mask " << m;
        EXPECT_EQ(enc->Mask(), TQREncoder::BestMask(enc->Penalties()));
    }
}

TEST(QRMatrix, LowestPenaltyWinsAndTheLowerMaskOnATie) {
    struct Case { int penalties[8]; int best; };
    const Case cases[] = {
        {{5, 5, 5, 5, 5, 5, 5, 5}, 0},
        {{9, 3, 7, 3, 8, 3, 9, 9}, 1},
        {{9, 9, 9, 9, 9, 9, 9, 2}, 7},
        {{4, 9, 9, 9, 9, 9, 9, 4}, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(TQREncoder::BestMask(c.penalties), c.best);
}

TEST(QRMatrix, FormatAndVersionWords) {
    // Level M with every mask, from the standard's table of format words.
    const uint16_t levelM[8] = {0x5412, 0x5125, 0x5E7C, 0x5B4B, 0x45F9, 0x40CE, 0x4F97, 0x4AA0};
    for (int m = 0; m < 8; ++m) EXPECT_EQ(TQREncoder::FormatWord(1, m), levelM[m]) << m;
    EXPECT_EQ(TQREncoder::FormatWord(0, 0), 0x77C4);
    EXPECT_EQ(TQREncoder::FormatWord(3, 7), 0x083B);
    EXPECT_EQ(TQREncoder::VersionWord(7), 0x07C94u);
    EXPECT_EQ(TQREncoder::VersionWord(8), 0x085BCu);
    EXPECT_EQ(TQREncoder::VersionWord(21), 0x15683u);
    EXPECT_EQ(TQREncoder::VersionWord(40), 0x28C69u);
}

// Reads format copy 1 (column 8) and copy 2 (row 8) back from an output array.
void ReadFormat(const std::vector<int32_t>& out, int n, int& copy1, int& copy2) {
    copy1 = copy2 = 0;
    for (int bit = 0; bit < 15; ++bit) {
        const int r1 = bit <= 5 ? bit : bit == 6 ? 7 : bit == 7 ? 8 : n - 15 + bit;
        const int c2 = bit <= 7 ? n - 1 - bit : bit == 8 ? 7 : 14 - bit;
        copy1 |= OutDark(out, r1, 8) << bit;
        copy2 |= OutDark(out, 8, c2) << bit;
    }
}

TEST(QRMatrix, FunctionPatternsPerVersion) {
    auto enc = NewEncoder();
    for (int v = 1; v <= 40; ++v) {
        SCOPED_TRACE(testing::Message() << "version " << v);
        const int n = kQRVersions[v].Size;
        std::vector<int32_t> out = OutputFor(v);
        ASSERT_EQ(enc->EncodeBytes(v, 3, "Zerbo", out.data()), qrOk);
        ASSERT_EQ(out[0], n + 8);
        // Data modules are exactly the codewords plus the remainder bits.
        int free = 0;
        for (int r = 0; r < n; ++r)
            for (int c = 0; c < n; ++c) free += !(enc->Module(r, c) & 4);
        EXPECT_EQ(free, 8 * kQRVersions[v].TotalCodewords + kQRVersions[v].RemainderBits);
        // The dark module, the timing patterns (also through alignment patterns on row and
        // column 6) and both format copies.
        EXPECT_TRUE(OutDark(out, n - 8, 8));
        for (int i = 8; i <= n - 9; ++i) {
            ASSERT_EQ(OutDark(out, 6, i), i % 2 == 0) << i;
            ASSERT_EQ(OutDark(out, i, 6), i % 2 == 0) << i;
        }
        int copy1 = 0, copy2 = 0;
        ReadFormat(out, n, copy1, copy2);
        EXPECT_EQ(copy1, TQREncoder::FormatWord(2, enc->Mask()));
        EXPECT_EQ(copy2, copy1);
        // Alignment centres: dark, ringed by light, except those on finder patterns.
        int alignments = 0;
        const auto& version = kQRVersions[v];
        for (int a = 0; a < version.AlignCount; ++a)
            for (int b = 0; b < version.AlignCount; ++b) {
                const int r = version.Align[a], c = version.Align[b];
                if ((r < 8 && c < 8) || (r < 8 && c > n - 9) || (r > n - 9 && c < 8)) continue;
                ++alignments;
                EXPECT_TRUE(OutDark(out, r, c));
                EXPECT_FALSE(OutDark(out, r - 1, c + 1));
                EXPECT_TRUE(OutDark(out, r + 2, c - 2));
            }
        const int expectedAlignments[] = {0, 0, 1, 1, 1, 1, 1, 6};
        if (v <= 7) {
            EXPECT_EQ(alignments, expectedAlignments[v]);
        }
        if (v == 2) {
            EXPECT_TRUE(OutDark(out, 18, 18) && !OutDark(out, 17, 18) && OutDark(out, 16, 18));
        }
        // Version information in both blocks from version 7, none below.
        int lowerLeft = 0, upperRight = 0;
        for (int j = 0; j < 18; ++j) {
            lowerLeft |= OutDark(out, n - 11 + j % 3, j / 3) << j;
            upperRight |= OutDark(out, j / 3, n - 11 + j % 3) << j;
            EXPECT_EQ((enc->Module(n - 11 + j % 3, j / 3) & 4) != 0, v >= 7);
        }
        if (v >= 7) {
            EXPECT_EQ(static_cast<uint32_t>(lowerLeft), TQREncoder::VersionWord(v));
            EXPECT_EQ(upperRight, lowerLeft);
        }
    }
}

TEST(QRMatrix, Version40OutputFillsTheWholeArray) {
    std::vector<int32_t> out(static_cast<size_t>(1 + 185 * 185) + 1, -7);
    uint32_t state = 5;
    const std::string text = RandomText(state, 1000);
    ASSERT_EQ(QREncodeBytes(40, 2, text.c_str(), out.data()), qrOk);
    EXPECT_EQ(out[0], 185);
    EXPECT_EQ(QROutputLength(40), 1 + 185 * 185);
    for (size_t i = 1; i <= 185u * 185u; ++i) ASSERT_TRUE(out[i] == 0 || out[i] == 1) << i;
    EXPECT_EQ(out.back(), -7); // nothing beyond
}

} // namespace
} // namespace zerbo::qr::test
