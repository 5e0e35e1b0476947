// Arbitrary arguments: every call ends in a result code or a symbol, never outside its buffers.
// Run under the sanitizers, each output array is exactly as long as the version needs.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "QRTestSupport.h"

namespace zerbo::qr::test {
namespace {

TEST(QRFuzz, RandomTextsVersionsAndLevels) {
    uint32_t state = 0xC0FFEE;
    auto next = [&](uint32_t range) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<int>(state % range);
    };
    // Bytes a mixed text is made of: digits, the alphanumeric table, kanji lead and trail bytes
    // (including the edges of their ranges), and everything else.
    const std::string alphabet = std::string("0123456789AZ $%*+-./:az!#\x7F\x80\x81\x9F\xA0\xB1\xDF\xE0\xEA\xEB") +
                                 "\xEC\x40\x7E\xBF\xC0\xFC\xFD\xFF";
    const int specialVersions[] = {INT_MIN, -1, 0, 41, 1000, INT_MAX};
    const int specialLevels[] = {INT_MIN, -1, 0, 5, INT_MAX};
    int symbols = 0;
    for (int round = 0; round < 400; ++round) {
        int version = 1 + next(40);
        int level = 1 + next(4);
        if (round % 17 == 0) version = specialVersions[next(6)];
        if (round % 13 == 0) level = specialLevels[next(5)];
        // Lengths from 0 to 10 000, most of them near the capacity where the decisions fall.
        int length = 0;
        const int valid = version >= 1 && version <= 40 && level >= 1 && level <= 4;
        const int cap = valid ? kQRVersions[version].Level[level - 1].Capacity[qmByte] : 100;
        switch (round % 4) {
        case 0: length = next(10001); break;
        case 1: length = std::max(0, cap - 3 + next(7)); break;
        default: length = next(cap + 1); break;
        }
        std::string text;
        if (round % 2 == 0) {
            text = RandomText(state, length);
        } else {
            for (int i = 0; i < length; ++i) text += alphabet[static_cast<size_t>(next(static_cast<uint32_t>(alphabet.size())))];
        }
        const bool mixed = round % 3 != 0;
        SCOPED_TRACE(testing::Message() << "round " << round << (mixed ? " mixed" : " bytes") << " version "
                                        << version << " level " << level << " length " << length);
        // An exact-size array for a valid version, a one-element one otherwise.
        std::vector<int32_t> out(valid ? static_cast<size_t>(QROutputLength(version)) : 1u, -7);
        const int32_t rc = mixed ? QREncodeMixed(version, level, text.c_str(), out.data())
                                 : QREncodeBytes(version, level, text.c_str(), out.data());
        ASSERT_TRUE(rc >= qrEncodeError && rc <= qrOk) << rc;
        if (!(version >= 1 && version <= 40)) {
            ASSERT_EQ(rc, qrVersionError);
        } else if (!(level >= 1 && level <= 4)) {
            ASSERT_EQ(rc, qrLevelError);
        } else if (length > cap) {
            ASSERT_EQ(rc, qrTooLong);
        } else if (!mixed) {
            ASSERT_EQ(rc, qrOk);
        } else {
            ASSERT_NE(rc, qrEncodeError); // the segmentation never hands a mode a byte it cannot hold
        }
        if (rc == qrOk) {
            ++symbols;
            ASSERT_EQ(out[0], 4 * version + 25);
            for (size_t i = 1; i < out.size(); ++i) ASSERT_TRUE(out[i] == 0 || out[i] == 1);
        } else {
            for (int32_t v : out) ASSERT_EQ(v, -7);
        }
    }
    EXPECT_GT(symbols, 100);
}

} // namespace
} // namespace zerbo::qr::test
