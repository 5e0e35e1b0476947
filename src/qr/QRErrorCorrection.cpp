// Reed-Solomon coding of the data blocks and the interleaving of the final codeword sequence.
#include <cstring>

#include "qr/QREncoder.h"
#include "qr/QRGalois.h"

namespace zerbo::qr {

void QRComputeEcc(const uint8_t* data, int k, int e, uint8_t* ecc) {
    // Long division in place: the data followed by e zeros; at step n the leading term area[n]
    // is cancelled by the generator scaled by it. What is left at the end is the remainder.
    // Moving along the area instead of shifting it saves a copy per data codeword.
    const auto& gen = kQRGenerators[e];
    uint8_t area[kQRMaxBlockData + kQRMaxEccPerBlock] = {};
    std::memcpy(area, data, static_cast<size_t>(k));
    for (int n = 0; n < k; ++n) {
        const uint8_t lead = area[n];
        if (lead == 0) continue; // a zero leading term only shifts
        const int l = kQRGalois.Log[lead];
        uint8_t* rest = area + n + 1;
        for (int i = 0; i < e; ++i) rest[i] ^= kQRGalois.Exp[gen[i] + l];
    }
    std::memcpy(ecc, area + k, static_cast<size_t>(e));
}

void QRMakeProducts(int e, TQRProducts& products) {
    const auto& gen = kQRGenerators[e];
    products.E = e;
    std::memset(products.Row, 0, sizeof products.Row);
    for (int f = 1; f < 256; ++f) {
        const int l = kQRGalois.Log[f];
        for (int i = 0; i < e; ++i) products.Row[f][i] = kQRGalois.Exp[gen[i] + l];
    }
}

void QRComputeEcc(const TQRProducts& products, const uint8_t* data, int k, uint8_t* ecc) {
    // As above; the area has room for a whole row of 32 after the last data codeword.
    uint8_t area[kQRMaxBlockData + 32] = {};
    std::memcpy(area, data, static_cast<size_t>(k));
    for (int n = 0; n < k; ++n) {
        const uint8_t* row = products.Row[area[n]]; // row 0 is all zeros
        uint8_t* rest = area + n + 1;
        for (int w = 0; w < 32; w += 8) {
            uint64_t a, b;
            std::memcpy(&a, rest + w, 8);
            std::memcpy(&b, row + w, 8);
            a ^= b;
            std::memcpy(rest + w, &a, 8);
        }
    }
    std::memcpy(ecc, area + k, static_cast<size_t>(products.E));
}

void TQREncoder::ErrorCorrection() {
    const TQRLevelRecord& lv = FSpec->Level[FLevel];
    const int e = lv.Group[0].Codewords - lv.Group[0].DataCodewords;
    // The product table costs 256 rows; it is worth it once the blocks hold a few hundred
    // data codewords.
    const bool useProducts = lv.DataCodewords > 400;
    if (useProducts) QRMakeProducts(e, FProducts);
    const uint8_t* data = FData;
    uint8_t* ecc = FEcc;
    for (int g = 0; g < lv.Groups; ++g) {
        const int k = lv.Group[g].DataCodewords;
        for (int b = 0; b < lv.Group[g].Blocks; ++b) {
            if (useProducts)
                QRComputeEcc(FProducts, data, k, ecc);
            else
                QRComputeEcc(data, k, e, ecc);
            data += k;
            ecc += e;
        }
    }
}

void TQREncoder::Interleave() {
    const TQRLevelRecord& lv = FSpec->Level[FLevel];
    const TQRBlockGroup& g1 = lv.Group[0];
    const TQRBlockGroup& last = lv.Group[lv.Groups - 1];
    const int b1 = g1.Blocks;
    const int blocks = b1 + (lv.Groups == 2 ? lv.Group[1].Blocks : 0);
    const int k1 = g1.DataCodewords;
    const int kLast = last.DataCodewords;
    const int e = last.Codewords - last.DataCodewords;
    uint8_t* out = FFinal;
    // Data codeword i of every block in turn; the short blocks of group 1 drop out at the end.
    for (int i = 0; i < k1; ++i) {
        const uint8_t* p = FData + i;
        for (int b = 0; b < b1; ++b, p += k1) *out++ = *p;
        for (int b = b1; b < blocks; ++b, p += kLast) *out++ = *p;
    }
    for (int i = k1; i < kLast; ++i)
        for (int b = b1; b < blocks; ++b) *out++ = FData[b1 * k1 + (b - b1) * kLast + i];
    for (int i = 0; i < e; ++i)
        for (int b = 0; b < blocks; ++b) *out++ = FEcc[b * e + i];
}

} // namespace zerbo::qr
