#pragma once
// QR Code model 2 encoder. The two entries take a zero-terminated byte string (Shift-JIS text),
// a version (1 to 40) and a level (1 = L, 2 = M, 3 = Q, 4 = H) and write the module matrix:
// element 0 is the width W = N + 8 (the symbol plus a four-module quiet zone on each side), then
// W * W values row by row from the top, 1 dark and 0 light. Nothing is written unless the result
// is qrOk. The version is never chosen here: a text that does not fit is refused.
//
// All working storage is fixed and owned by the encoder object; an encode allocates nothing.
// The entries share one module-wide encoder, so they are not re-entrant.
#include <array>
#include <cstddef>
#include <cstdint>

#include "qr/QRGalois.h"
#include "qr/QRTable.h"

namespace zerbo::qr {

enum TQRResult : int32_t {
    qrOk = 0,
    qrVersionError = -1, // version outside 1 to 40
    qrLevelError = -2,   // level outside 1 to 4
    qrTooLong = -3,      // more than the version and level hold
    qrEncodeError = -4,  // a byte its segment's mode cannot encode
};

// Bytes the entries read from `text` at most, looking for its terminating zero.
inline constexpr int kQRScanLimit = 8001;

// Elements the output array of a version needs: 1 + (N + 8)^2.
constexpr int QROutputLength(int version) {
    const int w = 4 * version + 17 + 8;
    return 1 + w * w;
}

// The whole text as one 8-bit byte segment.
int32_t QREncodeBytes(int32_t version, int32_t level, const char* text, int32_t* out);
// The text cut into numeric, alphanumeric, byte and kanji segments.
int32_t QREncodeMixed(int32_t version, int32_t level, const char* text, int32_t* out);

class TQREncoder {
public:
    int32_t EncodeBytes(int32_t version, int32_t level, const char* text, int32_t* out);
    int32_t EncodeMixed(int32_t version, int32_t level, const char* text, int32_t* out);

    // What the last successful encode left behind, for tests and diagnostics.
    int Version() const { return FVersion; }
    int LevelIndex() const { return FLevel; }
    int Mask() const { return FMask; }
    const uint8_t* DataCodewords() const { return FData; }
    const uint8_t* EccCodewords() const { return FEcc; }
    const uint8_t* FinalCodewords() const { return FFinal; }
    const int* Penalties() const { return FPenalty; }
    // Flags of module (r, c): 1 data bit (before masking), 2 dark (final), 4 function module.
    uint8_t Module(int r, int c) const;
    // Colour of module (r, c) before masking, as the penalty sees it: function patterns with the
    // format and version areas and the dark module still light, data bits as placed.
    bool UnmaskedDark(int r, int c) const;

    // The lowest penalty wins; on a tie the lower mask number.
    static int BestMask(const int penalties[8]);
    // 15-bit format information word (BCH(15,5), XORed with 5412 hex).
    static uint16_t FormatWord(int levelIndex, int mask);
    // 18-bit version information word (BCH(18,6)), versions 7 and up.
    static uint32_t VersionWord(int version);

    // One row or column of modules, bit j = module j; bits from N up stay 0.
    using TLine = std::array<uint64_t, 3>;

private:
    int32_t Start(int32_t version, int32_t level, const char* text, int32_t* out);
    void PutBits(uint32_t value, int n);
    int32_t EncodeSegment(TQRMode mode, int n);
    void TerminateAndPad();
    void ErrorCorrection();
    void Interleave();
    void BuildFunctionPatterns();
    void SetFunction(int r, int c, bool dark);
    void PlaceCodewords();
    void TransposeLines(const TLine* rows, TLine* cols) const;
    void ChooseMask();
    void ApplyMask(int mask, TLine* rows) const;
    void WriteFormatAndVersion();
    void WriteOutput(int32_t* out) const;
    int32_t Finish(int32_t* out);

    const TQRVersionRecord* FSpec = nullptr;
    int FVersion = 0;
    int FLevel = 0;     // 0 = L, 1 = M, 2 = Q, 3 = H
    int FMask = -1;     // -1: chosen by penalty
    int FSize = 0;      // N
    int FLength = 0;    // bytes of text before its zero
    const uint8_t* FText = nullptr;

    // Bit stream of the data codewords, bounded by the data capacity of the version and level.
    uint64_t FAcc = 0;
    int FAccBits = 0;
    int FBitCount = 0;
    int FBitLimit = 0;
    bool FOverflow = false;

    uint8_t FSegment[kQRMaxNumeric];
    uint8_t FData[kQRMaxDataCodewords];
    uint8_t FEcc[kQRMaxEccCodewords];
    uint8_t FFinal[kQRMaxCodewords];
    int FPenalty[8] = {};
    TQRProducts FProducts; // for the large symbols' error correction

    // The module matrix as bit lines, kept by rows and by columns so that the penalty can scan
    // both directions with word operations.
    TLine FFuncRow[kQRMaxSize];  // function modules
    TLine FFuncCol[kQRMaxSize];
    TLine FBaseRow[kQRMaxSize];  // unmasked colours: function patterns and data bits
    TLine FBaseCol[kQRMaxSize];
    TLine FWorkRow[kQRMaxSize];  // a masked symbol being scored
    TLine FWorkCol[kQRMaxSize];
    TLine FDarkRow[kQRMaxSize];  // the finished symbol
};

} // namespace zerbo::qr
