// The two entries and the data bit stream: mode segments, terminator and pad codewords.
#include <cstring>

#include "core/Digits.h"
#include "qr/QREncoder.h"

namespace zerbo::qr {
namespace {

bool IsAlphanumeric(uint8_t c) { return c < 0x80 && QRAlphanumericValue(c) >= 0; }

// A Shift-JIS double-byte character that kanji mode can hold in 13 bits. Lead byte EB only
// reaches trail byte BF: the value of EBC0 and above would not fit in 13 bits.
bool IsKanjiPair(uint8_t lead, uint8_t trail) {
    const bool leadOk = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xEB);
    const bool trailOk = (trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC);
    return leadOk && trailOk && !(lead == 0xEB && trail > 0xBF);
}

TQREncoder gEncoder; // the module-wide storage of the two entries

} // namespace

int32_t QREncodeBytes(int32_t version, int32_t level, const char* text, int32_t* out) {
    return gEncoder.EncodeBytes(version, level, text, out);
}

int32_t QREncodeMixed(int32_t version, int32_t level, const char* text, int32_t* out) {
    return gEncoder.EncodeMixed(version, level, text, out);
}

// Argument and capacity checks shared by both entries; resets the bit stream.
int32_t TQREncoder::Start(int32_t version, int32_t level, const char* text, int32_t* out) {
    FMask = -1;
    if (version < kQRMinVersion || version > kQRMaxVersion) return qrVersionError;
    if (level < 1 || level > 4) return qrLevelError;
    // No array to write the symbol into: refuse rather than crash.
    if (out == nullptr) return qrEncodeError;
    FVersion = version;
    FLevel = level - 1;
    FSpec = &kQRVersions[version];
    FSize = FSpec->Size;

    // A null text is the empty text, as it is to the callers' string type.
    FText = reinterpret_cast<const uint8_t*>(text);
    FLength = 0;
    if (FText != nullptr)
        while (FLength < kQRScanLimit && FText[FLength] != 0) ++FLength;
    const TQRLevelRecord& lv = FSpec->Level[FLevel];
    if (lv.Capacity[qmByte] < FLength) return qrTooLong;

    std::memset(FData, 0, sizeof FData);
    FAcc = 0;
    FAccBits = 0;
    FBitCount = 0;
    FBitLimit = 8 * lv.DataCodewords;
    FOverflow = false;
    return qrOk;
}

// Appends the low n bits of value (n <= 24), most significant first. Bits beyond the data
// capacity are never written; the overflow is remembered instead.
void TQREncoder::PutBits(uint32_t value, int n) {
    if (FOverflow || FBitCount + n > FBitLimit) {
        FOverflow = true;
        return;
    }
    FAcc = (FAcc << n) | (value & ((1u << n) - 1));
    FAccBits += n;
    FBitCount += n;
    while (FAccBits >= 8) {
        FAccBits -= 8;
        FData[(FBitCount - FAccBits) / 8 - 1] = static_cast<uint8_t>(FAcc >> FAccBits);
    }
}

// Encodes the n bytes of the segment buffer in one mode: indicator, count, data.
int32_t TQREncoder::EncodeSegment(TQRMode mode, int n) {
    const uint8_t* s = FSegment;
    PutBits(kQRModeIndicator[mode], 4);
    // The byte capacity check keeps every count within its indicator length.
    PutBits(static_cast<uint32_t>(mode == qmKanji ? n / 2 : n), FSpec->CountBits[mode]);
    switch (mode) {
    case qmNumeric: {
        for (int i = 0; i < n; ++i)
            if (!IsDigit(s[i])) return qrEncodeError;
        int i = 0;
        for (; i + 3 <= n; i += 3)
            PutBits(static_cast<uint32_t>((s[i] - '0') * 100 + (s[i + 1] - '0') * 10 + (s[i + 2] - '0')), 10);
        if (n - i == 2) PutBits(static_cast<uint32_t>((s[i] - '0') * 10 + (s[i + 1] - '0')), 7);
        if (n - i == 1) PutBits(static_cast<uint32_t>(s[i] - '0'), 4);
        break;
    }
    case qmAlphanumeric: {
        for (int i = 0; i < n; ++i)
            if (!IsAlphanumeric(s[i])) return qrEncodeError;
        int i = 0;
        for (; i + 2 <= n; i += 2)
            PutBits(static_cast<uint32_t>(45 * QRAlphanumericValue(s[i]) + QRAlphanumericValue(s[i + 1])), 11);
        if (i < n) PutBits(static_cast<uint32_t>(QRAlphanumericValue(s[i])), 6);
        break;
    }
    case qmByte:
        for (int i = 0; i < n; ++i) PutBits(s[i], 8);
        break;
    case qmKanji:
        if (n % 2 != 0) return qrEncodeError;
        for (int i = 0; i < n; i += 2) {
            const uint8_t lead = s[i];
            const uint8_t trail = s[i + 1];
            if (!IsKanjiPair(lead, trail)) return qrEncodeError;
            const int base = (lead <= 0x9F ? lead - 0x81 : lead - 0xC1) * 192;
            PutBits(static_cast<uint32_t>(base + trail - 0x40), 13);
        }
        break;
    }
    return qrOk;
}

// Terminator (up to four zero bits), zero bits to the byte boundary, then EC 11 EC 11 ...
void TQREncoder::TerminateAndPad() {
    int r = FBitLimit - FBitCount;
    const int terminator = r < 4 ? r : 4;
    PutBits(0, terminator);
    r -= terminator;
    PutBits(0, r % 8);
    r -= r % 8;
    for (bool ec = true; r >= 8; r -= 8, ec = !ec) PutBits(ec ? 0xEC : 0x11, 8);
}

int32_t TQREncoder::Finish(int32_t* out) {
    TerminateAndPad();
    ErrorCorrection();
    Interleave();
    BuildFunctionPatterns();
    PlaceCodewords();
    ChooseMask();
    WriteFormatAndVersion();
    WriteOutput(out);
    return qrOk;
}

int32_t TQREncoder::EncodeBytes(int32_t version, int32_t level, const char* text, int32_t* out) {
    int32_t rc = Start(version, level, text, out);
    if (rc != qrOk) return rc;
    if (FLength > 0) std::memcpy(FSegment, FText, static_cast<size_t>(FLength));
    rc = EncodeSegment(qmByte, FLength);
    if (rc != qrOk) return rc;
    if (FOverflow) return qrTooLong;
    return Finish(out);
}

int32_t TQREncoder::EncodeMixed(int32_t version, int32_t level, const char* text, int32_t* out) {
    int32_t rc = Start(version, level, text, out);
    if (rc != qrOk) return rc;
    const uint8_t* t = FText;
    const int n = FLength;
    auto kanjiAt = [&](int i) { return i + 1 < n && IsKanjiPair(t[i], t[i + 1]); };
    // Each segment is taken whole before the next starts.
    for (int i = 0; i < n;) {
        int j = i;
        TQRMode mode;
        if (IsDigit(t[i])) {
            mode = qmNumeric;
            while (j < n && IsDigit(t[j])) ++j;
        } else if (IsAlphanumeric(t[i])) {
            // A digit always starts a numeric segment of its own.
            mode = qmAlphanumeric;
            while (j < n && IsAlphanumeric(t[j]) && !IsDigit(t[j])) ++j;
        } else if (kanjiAt(i)) {
            mode = qmKanji;
            while (kanjiAt(j)) j += 2;
        } else {
            mode = qmByte;
            ++j;
            while (j < n && !kanjiAt(j) && !IsAlphanumeric(t[j])) ++j;
        }
        std::memcpy(FSegment, t + i, static_cast<size_t>(j - i));
        rc = EncodeSegment(mode, j - i);
        if (rc != qrOk) return rc;
        // Short segments cost more bits than the byte capacity check foresees.
        if (FOverflow) return qrTooLong;
        i = j;
    }
    return Finish(out);
}

} // namespace zerbo::qr
