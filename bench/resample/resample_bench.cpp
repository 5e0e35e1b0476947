// ResampleImage with "Lanczos3" on the sizes printing meets: a JAN symbol's bitmap (135 x 61)
// printed 40 x 25 mm at 300 and at 600 dpi, a 400 x 120 barcode enlarged tenfold, and a
// 4000 x 1200 one shrunk tenfold. compare.py runs this beside
// Pillow's resize on the same pictures and prints the ratio.
#include <benchmark/benchmark.h>

#include "barcode_image.h"
#include "components/Resample.h"

namespace {

void resample(benchmark::State& state, int sw, int sh, int module, int dw, int dh) {
    std::vector<uint8_t> src = zerbo::bench::barcodeImage(sw, sh, module);
    std::vector<uint8_t> dst(static_cast<size_t>(dw) * dh * 3);
    const zerbo::TImageView from{sw, sh, sw * 3, src.data()};
    const zerbo::TImageView to{dw, dh, dw * 3, dst.data()};
    for (auto _ : state) {
        zerbo::ResampleImage(from, to, zerbo::Lanczos3Filter, 3.0f);
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
}

void BM_Jan40x25mmAt300Dpi(benchmark::State& state) { resample(state, 135, 61, 1, 472, 295); }
void BM_Jan40x25mmAt600Dpi(benchmark::State& state) { resample(state, 135, 61, 1, 945, 590); }
void BM_Enlarge400x120To4000x1200(benchmark::State& state) { resample(state, 400, 120, 1, 4000, 1200); }
void BM_Shrink4000x1200To400x120(benchmark::State& state) { resample(state, 4000, 1200, 10, 400, 120); }

BENCHMARK(BM_Jan40x25mmAt300Dpi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Jan40x25mmAt600Dpi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Enlarge400x120To4000x1200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Shrink4000x1200To400x120)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
