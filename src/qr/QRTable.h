#pragma once
// The symbol parameters of QR Code model 2, versions 1 to 40, as the standard tabulates them.
#include <cstdint>

namespace zerbo::qr {

// Modes, in the order of the count-indicator and capacity columns.
enum TQRMode : uint8_t { qmNumeric = 0, qmAlphanumeric = 1, qmByte = 2, qmKanji = 3 };

// 4-bit mode indicators, indexed by TQRMode.
inline constexpr uint8_t kQRModeIndicator[4] = {0x1, 0x2, 0x4, 0x8};

struct TQRBlockGroup {
    uint8_t Blocks;         // blocks in this group
    uint8_t Codewords;      // codewords per block
    uint8_t DataCodewords;  // data codewords per block
    uint8_t Correctable;    // correctable codewords (carried, not used)
};

struct TQRLevelRecord {
    uint16_t DataCodewords;
    uint16_t Capacity[4];     // characters in numeric, alphanumeric, byte, kanji mode
    uint8_t Groups;           // 1 or 2
    TQRBlockGroup Group[2];   // the group with the longer blocks second
};

struct TQRVersionRecord {
    uint8_t Version;
    uint8_t Size;             // N = 4 * version + 17
    uint16_t TotalCodewords;
    uint8_t RemainderBits;
    uint8_t CountBits[4];     // count-indicator lengths, indexed by TQRMode
    TQRLevelRecord Level[4];  // L, M, Q, H
    uint8_t AlignCount;       // 0 (version 1) or 2 to 7
    uint8_t Align[7];         // alignment-pattern centre coordinates, ascending
};

inline constexpr int kQRMinVersion = 1;
inline constexpr int kQRMaxVersion = 40;
inline constexpr int kQRMaxSize = 177;           // version 40
inline constexpr int kQRMaxDataCodewords = 2956; // 40-L
inline constexpr int kQRMaxEccCodewords = 2430;  // 40-H
inline constexpr int kQRMaxCodewords = 3706;     // version 40
inline constexpr int kQRMaxBlockData = 123;      // longest data block
inline constexpr int kQRMaxNumeric = 7089;       // 40-L in numeric mode

// Indexed by version; entry 0 is empty.
extern const TQRVersionRecord kQRVersions[kQRMaxVersion + 1];

// Value of an alphanumeric-mode character, or -1 for every other byte.
int QRAlphanumericValue(uint8_t c);

} // namespace zerbo::qr
