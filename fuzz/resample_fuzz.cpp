// The resampler with sizes, row layout, filter and pixels from the input (at most 64 pixels
// a side in, 96 out): bit for bit what the plain transcription of its algorithm gives.
#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzCheck.h"
#include "components/ResampleReference.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zerbo;
    using namespace zerbo::fuzz;
    FuzzedDataProvider in(data, size);
    const TFilterEntry& filter = FilterTable[in.ConsumeIntegralInRange(0, 6)];
    const int sw = in.ConsumeIntegralInRange(1, 64), sh = in.ConsumeIntegralInRange(1, 64);
    const int dw = in.ConsumeIntegralInRange(1, 96), dh = in.ConsumeIntegralInRange(1, 96);
    const int padding = in.ConsumeIntegralInRange(0, 7);
    const bool bottomUp = in.ConsumeBool();
    test::Image src(sw, sh, sw * 3 + padding, bottomUp), dst(dw, dh);
    const std::string pixels = in.ConsumeRemainingBytesAsString();
    for (size_t i = 0; i < src.bytes.size() && !pixels.empty(); ++i) src.bytes[i] = static_cast<uint8_t>(pixels[i % pixels.size()]);

    // A bitmap of one row has no row distance to take: refused, as the platform's bitmaps do.
    if (sh < 2 || dh < 2) {
        bool refused = false;
        try {
            ResampleImage(src.view(), dst.view(), filter.Filter, filter.Width);
        } catch (const EInvalidGraphicOperation&) {
            refused = true;
        }
        Expect(refused && dst.bytes == std::vector<uint8_t>(dst.bytes.size()), "one row is refused, nothing written");
        return 0;
    }
    ResampleImage(src.view(), dst.view(), filter.Filter, filter.Width);
    // One column out of many has no scale for the transcription; the resampler averages then.
    if (dw == 1 && sw > 1) return 0;
    Expect(dst.bytes == test::reference(src, dw, dh, filter.Filter, filter.Width).bytes, "the plain algorithm's pixels");
    return 0;
}
