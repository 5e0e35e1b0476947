// The symbol parameter table checked against itself, row by row, so that a typing error in any
// figure shows up here.
#include <gtest/gtest.h>

#include <algorithm>

#include "qr/QRGalois.h"
#include "qr/QRTable.h"

namespace zerbo::qr {
namespace {

// Bits a segment of n characters needs in a mode, header included.
int SegmentBits(int mode, int n, int countBits) {
    static const int perGroup[4][3] = {{0, 4, 7}, {0, 6, 0}, {0, 0, 0}, {0, 0, 0}};
    switch (mode) {
    case qmNumeric: return 4 + countBits + 10 * (n / 3) + perGroup[0][n % 3];
    case qmAlphanumeric: return 4 + countBits + 11 * (n / 2) + perGroup[1][n % 2];
    case qmByte: return 4 + countBits + 8 * n;
    default: return 4 + countBits + 13 * n;
    }
}

TEST(QRTable, EveryRowIsConsistent) {
    int maxData = 0, maxEcc = 0, maxTotal = 0, maxBlockData = 0, maxNumeric = 0;
    EXPECT_EQ(kQRVersions[0].Version, 0);
    EXPECT_EQ(kQRVersions[0].TotalCodewords, 0);
    for (int v = 1; v <= 40; ++v) {
        SCOPED_TRACE(testing::Message() << "version " << v);
        const TQRVersionRecord& row = kQRVersions[v];
        EXPECT_EQ(row.Version, v);
        EXPECT_EQ(row.Size, 4 * v + 17);
        EXPECT_LE(row.RemainderBits, 7);
        const int counts[3][4] = {{10, 9, 8, 8}, {12, 11, 16, 10}, {14, 13, 16, 12}};
        const int* expectedCounts = counts[v <= 9 ? 0 : v <= 26 ? 1 : 2];
        for (int m = 0; m < 4; ++m) EXPECT_EQ(row.CountBits[m], expectedCounts[m]);
        maxTotal = std::max<int>(maxTotal, row.TotalCodewords);

        for (int l = 0; l < 4; ++l) {
            SCOPED_TRACE(testing::Message() << "level " << "LMQH"[l]);
            const TQRLevelRecord& lv = row.Level[l];
            ASSERT_TRUE(lv.Groups == 1 || lv.Groups == 2);
            const TQRBlockGroup& g1 = lv.Group[0];
            const TQRBlockGroup& g2 = lv.Group[1];
            const int e = g1.Codewords - g1.DataCodewords;
            int total = g1.Blocks * g1.Codewords;
            int data = g1.Blocks * g1.DataCodewords;
            EXPECT_GT(g1.Blocks, 0);
            if (lv.Groups == 2) {
                // The group with the longer blocks comes second, one data codeword longer.
                EXPECT_GT(g2.Blocks, 0);
                EXPECT_EQ(g2.DataCodewords, g1.DataCodewords + 1);
                EXPECT_EQ(g2.Codewords - g2.DataCodewords, e);
                EXPECT_EQ(g2.Correctable, g1.Correctable);
                total += g2.Blocks * g2.Codewords;
                data += g2.Blocks * g2.DataCodewords;
            } else {
                EXPECT_EQ(g2.Blocks + g2.Codewords + g2.DataCodewords + g2.Correctable, 0);
            }
            EXPECT_EQ(total, row.TotalCodewords);
            EXPECT_EQ(data, lv.DataCodewords);
            // Every error-correction length has its generator; correction needs two per error.
            EXPECT_TRUE(e >= 7 && e <= kQRMaxEccPerBlock);
            EXPECT_LE(2 * g1.Correctable, e);
            EXPECT_GE(2 * g1.Correctable + 3, e);
            if (l > 0) {
                EXPECT_LT(lv.DataCodewords, row.Level[l - 1].DataCodewords);
            }
            // Each capacity is the longest text whose segment fits in the data codewords.
            for (int m = 0; m < 4; ++m) {
                const int cap = lv.Capacity[m];
                EXPECT_LE(SegmentBits(m, cap, row.CountBits[m]), 8 * lv.DataCodewords) << "mode " << m;
                EXPECT_GT(SegmentBits(m, cap + 1, row.CountBits[m]), 8 * lv.DataCodewords) << "mode " << m;
                EXPECT_LT(cap, 1 << row.CountBits[m]);
            }
            maxData = std::max<int>(maxData, lv.DataCodewords);
            maxEcc = std::max(maxEcc, row.TotalCodewords - lv.DataCodewords);
            maxBlockData = std::max<int>(maxBlockData, lv.Group[lv.Groups - 1].DataCodewords);
            maxNumeric = std::max<int>(maxNumeric, lv.Capacity[qmNumeric]);
        }

        // Alignment centres: from 6 to N - 7, equal even steps after the first.
        const int count = row.AlignCount;
        EXPECT_EQ(count, v == 1 ? 0 : v / 7 + 2);
        if (count > 0) {
            EXPECT_EQ(row.Align[0], 6);
            EXPECT_EQ(row.Align[count - 1], row.Size - 7);
            const int step = count > 2 ? row.Align[2] - row.Align[1] : 0;
            for (int i = 2; i < count; ++i) {
                EXPECT_EQ(row.Align[i] - row.Align[i - 1], step);
                EXPECT_EQ(step % 2, 0);
            }
        }
        for (int i = count; i < 7; ++i) EXPECT_EQ(row.Align[i], 0);
    }
    // The fixed buffers are exactly as large as the table needs.
    EXPECT_EQ(maxData, kQRMaxDataCodewords);
    EXPECT_EQ(maxEcc, kQRMaxEccCodewords);
    EXPECT_EQ(maxTotal, kQRMaxCodewords);
    EXPECT_EQ(maxBlockData, kQRMaxBlockData);
    EXPECT_EQ(maxNumeric, kQRMaxNumeric);
}

TEST(QRTable, FiguresOfTheStandard) {
    // A few figures quoted in the standard, as a check on the columns' meaning.
    EXPECT_EQ(kQRVersions[1].Level[0].Capacity[qmByte], 17);
    EXPECT_EQ(kQRVersions[1].Level[1].DataCodewords, 16);
    EXPECT_EQ(kQRVersions[5].Level[2].Group[0].Blocks, 2);
    EXPECT_EQ(kQRVersions[5].Level[2].Group[0].DataCodewords, 15);
    EXPECT_EQ(kQRVersions[5].Level[2].Group[1].DataCodewords, 16);
    EXPECT_EQ(kQRVersions[40].Level[0].Capacity[qmNumeric], 7089);
    EXPECT_EQ(kQRVersions[40].Level[0].Capacity[qmAlphanumeric], 4296);
    EXPECT_EQ(kQRVersions[40].Level[0].Capacity[qmByte], 2953);
    EXPECT_EQ(kQRVersions[40].Level[0].Capacity[qmKanji], 1817);
    EXPECT_EQ(kQRVersions[40].Level[3].Capacity[qmByte], 1273);
    EXPECT_EQ(kQRVersions[14].RemainderBits, 3);
    EXPECT_EQ(kQRVersions[21].RemainderBits, 4);
}

TEST(QRTable, AlphanumericTable) {
    const char* table = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";
    for (int c = 0; c < 256; ++c) {
        const char* p = c ? std::char_traits<char>::find(table, 45, static_cast<char>(c)) : nullptr;
        EXPECT_EQ(QRAlphanumericValue(static_cast<uint8_t>(c)), p ? static_cast<int>(p - table) : -1) << c;
    }
}

} // namespace
} // namespace zerbo::qr
