// One RB_Click of the main window at the default settings of a first start, for each of the
// 13 symbologies, and QR Code at version 10. A change of an option runs exactly this, so it
// has to stay well under a millisecond to feel instant.
#include <benchmark/benchmark.h>

#include "app/FakeServices.h"
#include "app/ZerboCode.h"

namespace {

using zerbo::app::TZerboCode;

struct Sample {
    int type;
    const char16_t* code;
    int version;
};

constexpr Sample kSamples[] = {
    {0, u"4901234567894", 4},  {1, u"01234567890", 4},  {2, u"ZERBO-1234", 4},     {3, u"1234567890", 4},
    {4, u"12345678", 4},       {5, u"12345678", 4},      {6, u"12345678", 4},       {7, u"12345678", 4},
    {8, u"12345678", 4},       {9, u"1234567-8-10", 4},  {10, u"ZERBO-128 ABC", 4}, {11, u"CODE93 TEST", 4},
    {12, u"https://example.com/zerbo?id=4901234567894", 4},
    {12, u"https://example.com/zerbo?id=4901234567894&name=ZERBO-BENCH-0123456789", 10},
};

void BM_RB_Click(benchmark::State& state) {
    const Sample& s = kSamples[state.range(0)];
    zerbo::test::FakeZerboPlatform platform;
    TZerboCode z(platform.services());
    z.FormCreate();
    z.CdType.SetItemIndex(s.type);
    z.QRVer.SetValue(s.version);
    z.EditCode.SetText(s.code);
    z.RB_Click(nullptr);
    if (z.BError) state.SkipWithError("the sample did not encode");
    for (auto _ : state) {
        z.RB_Click(nullptr);
        benchmark::DoNotOptimize(z.BError);
    }
    static constexpr const char* kNames[] = {"JAN",  "UPC",    "CODE39",  "NW-7",   "ITF",   "CTF",  "IATA",
                                             "MATRIX", "NEC",  "CUSTOMER", "CODE128", "CODE93", "QR v4", "QR v10"};
    state.SetLabel(kNames[state.range(0)]);
}
BENCHMARK(BM_RB_Click)->DenseRange(0, 13)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
