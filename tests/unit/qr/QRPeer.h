#pragma once
// libqrencode as a peer that builds the same byte-mode symbol: ours and its modules compared
// with the masks taken off, since the two may choose different masks.
#include <qrencode.h>

#include <cstdint>
#include <string>
#include <vector>

#include "QRTestSupport.h"

namespace zerbo::qr::test {

// The mask number in the format information of a symbol given module by module.
template <class Dark>
int MaskOf(Dark dark) {
    int word = 0;
    for (int bit = 0; bit < 15; ++bit) {
        const int r = bit <= 5 ? bit : bit == 6 ? 7 : 8;
        const int c = bit <= 7 ? 8 : 15 - bit - (bit >= 9 ? 1 : 0);
        word |= dark(r, c) << bit;
    }
    return (word ^ 0x5412) >> 10 & 7;
}

// Modules of our output that differ from the peer's symbol of the same text, version and
// level (1 to 4), unmasked; -1 when the peer builds no symbol of that version.
inline int DifferencesFromPeer(const std::vector<int32_t>& out, int version, int level, const std::string& text) {
    const QRecLevel levels[4] = {QR_ECLEVEL_L, QR_ECLEVEL_M, QR_ECLEVEL_Q, QR_ECLEVEL_H};
    QRcode* peer = QRcode_encodeData(static_cast<int>(text.size()), reinterpret_cast<const unsigned char*>(text.data()),
                                     version, levels[level - 1]);
    // The peer takes the same version only when the text fits it exactly as ours does.
    if (!peer || peer->version != version || peer->width != 4 * version + 17) {
        if (peer) QRcode_free(peer);
        return -1;
    }
    const int n = peer->width;
    auto peerModule = [&](int r, int c) { return peer->data[r * n + c]; };
    const int ourMask = MaskOf([&](int r, int c) { return OutDark(out, r, c) ? 1 : 0; });
    const int peerMask = MaskOf([&](int r, int c) { return peerModule(r, c) & 1; });
    int differences = 0;
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) {
            const uint8_t m = peerModule(r, c);
            bool ours = OutDark(out, r, c);
            bool theirs = m & 1;
            if (m & 0x04) continue; // format information carries the mask number
            if (!(m & 0x80)) {       // data and error-correction area: compare unmasked
                ours ^= MaskHolds(ourMask, r, c);
                theirs ^= MaskHolds(peerMask, r, c);
            }
            differences += ours != theirs;
        }
    QRcode_free(peer);
    return differences;
}

} // namespace zerbo::qr::test
