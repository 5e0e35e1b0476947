// GF(256), generator polynomials, Reed-Solomon codewords and interleaving.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "QRTestSupport.h"
#include "qr/QRGalois.h"

namespace zerbo::qr::test {
namespace {

TEST(QRGalois, TablesAreInverseAndGeneratorsMatchTheStandard) {
    EXPECT_EQ(kQRGalois.Exp[0], 1);
    EXPECT_EQ(kQRGalois.Exp[8], 0x1D); // x^8 = x^4 + x^3 + x^2 + 1
    EXPECT_EQ(kQRGalois.Exp[255], 1);
    for (int v = 1; v < 256; ++v) EXPECT_EQ(kQRGalois.Exp[kQRGalois.Log[v]], v);
    // Annex A: exponents of the coefficients after the leading x^e.
    const std::vector<int> g7 = {87, 229, 146, 149, 238, 102, 21};
    const std::vector<int> g10 = {251, 67, 46, 61, 118, 70, 64, 94, 32, 45};
    EXPECT_EQ(std::vector<int>(kQRGenerators[7].begin(), kQRGenerators[7].begin() + 7), g7);
    EXPECT_EQ(std::vector<int>(kQRGenerators[10].begin(), kQRGenerators[10].begin() + 10), g10);
}

// Division of data(x) * x^e by g(x) the long way, in plain field arithmetic.
std::vector<uint8_t> TextbookRemainder(const std::vector<uint8_t>& data, int e) {
    auto mul = [](int a, int b) {
        int p = 0;
        for (; b; b >>= 1, a = (a << 1) ^ ((a & 0x80) ? 0x11D : 0))
            if (b & 1) p ^= a;
        return p & 0xFF;
    };
    std::vector<int> g = {1};
    for (int j = 0, root = 1; j < e; ++j, root = mul(root, 2)) {
        std::vector<int> next(g.size() + 1, 0);
        for (size_t i = 0; i < g.size(); ++i) {
            next[i] ^= g[i];
            next[i + 1] ^= mul(g[i], root);
        }
        g = next;
    }
    std::vector<int> r(data.begin(), data.end());
    r.resize(data.size() + static_cast<size_t>(e), 0);
    for (size_t i = 0; i < data.size(); ++i)
        if (const int f = r[i])
            for (size_t k = 0; k < g.size(); ++k) r[i + k] ^= mul(g[k], f);
    return std::vector<uint8_t>(r.end() - e, r.end());
}

TEST(QRGalois, EccMatchesTheWorkedExamplesAndTheTextbookDivision) {
    struct Case { std::vector<uint8_t> data; int e; std::string ecc; };
    const Case cases[] = {
        {{0x40, 0x34, 0x14, 0x24, 0x30, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC},
         10, "27 42 3C F8 D0 D3 1E 0A 93 40"},
        {{0x10, 0x20, 0x0C, 0x56, 0x61, 0x80, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11},
         10, "A5 24 D4 C1 ED 36 C7 87 2C 55"},
    };
    for (const auto& c : cases) {
        uint8_t ecc[kQRMaxEccPerBlock];
        QRComputeEcc(c.data.data(), static_cast<int>(c.data.size()), c.e, ecc);
        EXPECT_EQ(Hex(ecc, c.e), c.ecc);
        EXPECT_EQ(std::vector<uint8_t>(ecc, ecc + c.e), TextbookRemainder(c.data, c.e));
    }
    // Leading zero codewords only shift; every generator the block table needs.
    uint32_t state = 12345;
    for (int e : {7, 10, 13, 15, 16, 17, 18, 20, 22, 24, 26, 28, 30}) {
        std::vector<uint8_t> data = {0, 0, 0};
        for (char ch : RandomText(state, 40, 0, 255)) data.push_back(static_cast<uint8_t>(ch));
        data.push_back(0);
        uint8_t ecc[kQRMaxEccPerBlock];
        QRComputeEcc(data.data(), static_cast<int>(data.size()), e, ecc);
        EXPECT_EQ(std::vector<uint8_t>(ecc, ecc + e), TextbookRemainder(data, e)) << "e = " << e;
        // The same with the table of products that the large symbols use.
        auto products = std::make_unique<TQRProducts>();
        QRMakeProducts(e, *products);
        uint8_t viaTable[kQRMaxEccPerBlock];
        QRComputeEcc(*products, data.data(), static_cast<int>(data.size()), viaTable);
        EXPECT_EQ(std::vector<uint8_t>(viaTable, viaTable + e), TextbookRemainder(data, e)) << "e = " << e;
    }
}

TEST(QRErrorCorrection, IsoExampleThroughTheEncoder) {
    auto enc = NewEncoder();
    std::vector<int32_t> out = OutputFor(1);
    ASSERT_EQ(enc->EncodeMixed(1, 2, "01234567", out.data()), qrOk);
    EXPECT_EQ(Hex(enc->DataCodewords(), 16), "10 20 0C 56 61 80 EC 11 EC 11 EC 11 EC 11 EC 11");
    EXPECT_EQ(Hex(enc->EccCodewords(), 10), "A5 24 D4 C1 ED 36 C7 87 2C 55");
    // One block: the final sequence is the data followed by its error correction.
    EXPECT_EQ(Hex(enc->FinalCodewords(), 26), Hex(enc->DataCodewords(), 16) + " " + Hex(enc->EccCodewords(), 10));
}

TEST(QRErrorCorrection, InterleavingOf5Q) {
    auto enc = NewEncoder();
    std::vector<int32_t> out = OutputFor(5);
    uint32_t state = 99;
    const std::string text = RandomText(state, 60);
    ASSERT_EQ(enc->EncodeBytes(5, 3, text.c_str(), out.data()), qrOk);
    // Blocks 1, 2 hold 15 data codewords, blocks 3, 4 hold 16; 18 error-correction codewords each.
    const int start[4] = {0, 15, 30, 46};
    const int length[4] = {15, 15, 16, 16};
    std::vector<uint8_t> expected;
    for (int i = 0; i < 16; ++i)
        for (int b = 0; b < 4; ++b)
            if (i < length[b]) expected.push_back(enc->DataCodewords()[start[b] + i]);
    for (int i = 0; i < 18; ++i)
        for (int b = 0; b < 4; ++b) expected.push_back(enc->EccCodewords()[18 * b + i]);
    ASSERT_EQ(expected.size(), 134u);
    EXPECT_EQ(std::vector<uint8_t>(enc->FinalCodewords(), enc->FinalCodewords() + 134), expected);
    // And each block's error correction is its own remainder.
    for (int b = 0; b < 4; ++b) {
        const std::vector<uint8_t> block(enc->DataCodewords() + start[b],
                                         enc->DataCodewords() + start[b] + length[b]);
        EXPECT_EQ(std::vector<uint8_t>(enc->EccCodewords() + 18 * b, enc->EccCodewords() + 18 * b + 18),
                  TextbookRemainder(block, 18));
    }
}

TEST(QRErrorCorrection, Version40LUsesEveryCodeword) {
    const TQRLevelRecord& lv = kQRVersions[40].Level[0];
    EXPECT_EQ(lv.DataCodewords, 2956);
    EXPECT_EQ(lv.Group[0].Blocks + lv.Group[1].Blocks, 25);
    EXPECT_EQ(lv.Group[0].Codewords - lv.Group[0].DataCodewords, 30);
    auto enc = NewEncoder();
    std::vector<int32_t> out = OutputFor(40);
    uint32_t state = 7;
    const std::string text = RandomText(state, 2953);
    ASSERT_EQ(enc->EncodeBytes(40, 1, text.c_str(), out.data()), qrOk);
    // The last codeword of the sequence is error-correction codeword 29 of block 25.
    EXPECT_EQ(enc->FinalCodewords()[3705], enc->EccCodewords()[749]);
    EXPECT_EQ(enc->FinalCodewords()[2955], enc->DataCodewords()[2955]);
}

} // namespace
} // namespace zerbo::qr::test
