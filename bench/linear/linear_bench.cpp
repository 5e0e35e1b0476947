// Encode, lay out and paint an EAN-13 symbol into a bitmap, beside zint doing the same, and
// print how our times compare with zint's measured in the same run.
#include <benchmark/benchmark.h>
#include <zint.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "barcode/BarImage.h"

using namespace zerbo;
using namespace zerbo::barcode;

namespace {

constexpr char kData[] = "490123456789";
constexpr char16_t kCode[] = u"490123456789";

// Two pixels a module on both sides: our Scale 2, zint's scale 1.
void Configure(TBarImage& image) {
    image.SetMatch(true);
    image.SetScale(2);
}

// What the program does on each request: the component exists, the picture is repainted.
void BM_Zerbo_Repaint(benchmark::State& state) {
    TBarImage image(nullptr);
    Configure(image);
    image.SetCode(kCode);
    for (auto _ : state) {
        image.RepaintBarcode();
        benchmark::DoNotOptimize(image.BarDisped());
    }
    state.counters["width"] = image.Width();
    state.counters["height"] = image.Height();
}

// From nothing: a new component, its bitmap allocated, the symbol drawn.
void BM_Zerbo_Fresh(benchmark::State& state) {
    for (auto _ : state) {
        TBarImage image(nullptr);
        Configure(image);
        image.SetCode(kCode);
        benchmark::DoNotOptimize(image.BarDisped());
    }
}

void BM_Zint_EncodeAndBuffer(benchmark::State& state) {
    int width = 0, height = 0;
    for (auto _ : state) {
        zint_symbol* symbol = ZBarcode_Create();
        symbol->symbology = BARCODE_EANX;
        const int rc = ZBarcode_Encode_and_Buffer(symbol, reinterpret_cast<const unsigned char*>(kData),
                                                  static_cast<int>(std::strlen(kData)), 0);
        if (rc >= ZINT_ERROR) state.SkipWithError(symbol->errtxt);
        width = symbol->bitmap_width;
        height = symbol->bitmap_height;
        benchmark::DoNotOptimize(symbol->bitmap);
        ZBarcode_Delete(symbol);
    }
    state.counters["width"] = width;
    state.counters["height"] = height;
}

BENCHMARK(BM_Zerbo_Repaint);
BENCHMARK(BM_Zerbo_Fresh);
BENCHMARK(BM_Zint_EncodeAndBuffer);

// Keeps each benchmark's times per iteration (one a repetition) for the closing comparison.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, std::vector<double>> ns;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Iteration && !r.error_occurred && r.iterations > 0)
                ns[r.run_name.function_name].push_back(r.GetAdjustedRealTime() * 1e9 /
                                                       benchmark::GetTimeUnitMultiplier(r.time_unit));
        ConsoleReporter::ReportRuns(runs);
    }
    // The median over repetitions, 0 when the benchmark did not run.
    double Median(const std::string& name) const {
        const auto it = ns.find(name);
        if (it == ns.end() || it->second.empty()) return 0;
        std::vector<double> v = it->second;
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    }
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double zint = reporter.Median("BM_Zint_EncodeAndBuffer");
    for (const char* ours : {"BM_Zerbo_Repaint", "BM_Zerbo_Fresh"}) {
        const double t = reporter.Median(ours);
        if (zint > 0 && t > 0)
            std::printf("%s / zint: %.3f (median %.0f ns against %.0f ns; below 1 is faster than zint)\n", ours,
                        t / zint, t, zint);
    }
    benchmark::Shutdown();
    return 0;
}
