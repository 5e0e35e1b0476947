// Reed-Solomon coding of the data blocks and the interleaving of the final codeword sequence.
#include <cstring>

#include "qr/QREncoder.h"
#include "qr/QRGalois.h"

namespace zerbo::qr {

void QRComputeEcc(const uint8_t* data, int k, int e, uint8_t* ecc) {
    // Polynomial division kept as a shift register of the e remainder bytes: each data codeword
    // adds to the leading term, which then leaves the register scaled by the generator.
    const auto& gen = kQRGenerators[e];
    std::memset(ecc, 0, static_cast<size_t>(e));
    for (int n = 0; n < k; ++n) {
        const uint8_t lead = static_cast<uint8_t>(data[n] ^ ecc[0]);
        std::memmove(ecc, ecc + 1, static_cast<size_t>(e - 1));
        ecc[e - 1] = 0;
        if (lead == 0) continue; // a zero leading term only shifts
        const int l = kQRGalois.Log[lead];
        for (int i = 0; i < e; ++i) ecc[i] ^= kQRGalois.Exp[gen[i] + l];
    }
}

void TQREncoder::ErrorCorrection() {
    const TQRLevelRecord& lv = FSpec->Level[FLevel];
    const uint8_t* data = FData;
    uint8_t* ecc = FEcc;
    for (int g = 0; g < lv.Groups; ++g) {
        const TQRBlockGroup& grp = lv.Group[g];
        const int k = grp.DataCodewords;
        const int e = grp.Codewords - grp.DataCodewords;
        for (int b = 0; b < grp.Blocks; ++b) {
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
