// Both QR entries with any text, version and level. The data codewords read back as the text,
// segment by segment; a byte-mode symbol is the one libqrencode builds, masks aside. A text is
// refused only for being too long, and a refusal leaves the output alone.
#include <fuzzer/FuzzedDataProvider.h>

#include <memory>

#include "FuzzCheck.h"
#include "QRSegments.h"
#include "qr/QRPeer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zerbo;
    using namespace zerbo::fuzz;
    using namespace zerbo::qr;
    static const auto encoder = std::make_unique<TQREncoder>();
    FuzzedDataProvider in(data, size);
    const bool mixed = in.ConsumeBool();
    const int version = in.ConsumeIntegralInRange(0, 41), level = in.ConsumeIntegralInRange(0, 5);
    std::string text = in.ConsumeRemainingBytesAsString();
    text = text.substr(0, text.find('\0')); // the entries read up to the first zero

    const bool valid = version >= 1 && version <= 40 && level >= 1 && level <= 4;
    std::vector<int32_t> out(valid ? static_cast<size_t>(QROutputLength(version)) : 1u, -7);
    const int32_t rc = mixed ? encoder->EncodeMixed(version, level, text.c_str(), out.data())
                             : encoder->EncodeBytes(version, level, text.c_str(), out.data());
    if (!valid) {
        Expect(rc == (version < 1 || version > 40 ? qrVersionError : qrLevelError), "version, then level checked");
        return 0;
    }
    const int capacity = kQRVersions[version].Level[level - 1].Capacity[qmByte];
    if (rc != qrOk) {
        Expect(rc == qrTooLong && (mixed || static_cast<int>(text.size()) > capacity), "only a text too long is refused");
        for (const int32_t v : out) Expect(v == -7, "a refusal writes nothing");
        return 0;
    }
    Expect(static_cast<int>(text.size()) <= capacity, "no more than the byte capacity");
    Expect(out[0] == 4 * version + 25, "the width with the quiet zone");
    for (size_t i = 1; i < out.size(); ++i) Expect(out[i] == 0 || out[i] == 1, "modules are 0 or 1");
    const auto read = ReadQRSegments(encoder->DataCodewords(), kQRVersions[version].Level[level - 1].DataCodewords, version);
    Expect(read && *read == text, "the data codewords read back as the text");
    // The peer makes no symbol of an empty text.
    if (!mixed && !text.empty())
        Expect(test::DifferencesFromPeer(out, version, level, text) == 0, "the byte-mode symbol is libqrencode's");
    return 0;
}
