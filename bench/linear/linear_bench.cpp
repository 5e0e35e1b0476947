// Encode, lay out and paint a symbol into a bitmap, beside zint doing the same, and print how
// our times compare with zint's measured in the same run: EAN-13, CODE128 of 40 characters and
// CODE39 of 20.
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


// Each symbology on text both encoders take as it is.
struct Symbology {
    const char* name;
    TBarTypes type;
    char16_t startChar;
    const char16_t* code;
    const char* data;
    int zintSymbology;
};

constexpr char kData128[] = "Zerbo-128 bench: Forty characters, setB.";
constexpr char16_t kCode128[] = u"Zerbo-128 bench: Forty characters, setB.";
constexpr char kData39[] = "ZERBO CODE39 BENCH-1";
constexpr char16_t kCode39[] = u"ZERBO CODE39 BENCH-1";
static_assert(sizeof kData128 == 41 && sizeof kCode128 == 41 * sizeof(char16_t));
static_assert(sizeof kData39 == 21 && sizeof kCode39 == 21 * sizeof(char16_t));

const Symbology kSymbologies[] = {
    {"EAN13", cbarJAN, u'A', kCode, kData, BARCODE_EANX},
    {"CODE128", cbarCODE128, u'B', kCode128, kData128, BARCODE_CODE128},
    {"CODE39", cbarCODE39, u'A', kCode39, kData39, BARCODE_CODE39},
};

void Configure(TBarImage& image, const Symbology& s) {
    Configure(image);
    image.SetBarType(s.type);
    image.SetStartChar(s.startChar);
}

// What the program does on each request: the component exists, the picture is repainted.
void ZerboRepaint(benchmark::State& state, const Symbology& s) {
    TBarImage image(nullptr);
    Configure(image, s);
    image.SetCode(s.code);
    if (!image.BarDisped()) state.SkipWithError("not drawn");
    for (auto _ : state) {
        image.RepaintBarcode();
        benchmark::DoNotOptimize(image.BarDisped());
    }
    state.counters["width"] = image.Width();
    state.counters["height"] = image.Height();
}

// From nothing: a new component, its bitmap allocated, the symbol drawn.
void ZerboFresh(benchmark::State& state, const Symbology& s) {
    for (auto _ : state) {
        TBarImage image(nullptr);
        Configure(image, s);
        image.SetCode(s.code);
        benchmark::DoNotOptimize(image.BarDisped());
    }
}

void ZintEncodeAndBuffer(benchmark::State& state, const Symbology& s) {
    int width = 0, height = 0;
    for (auto _ : state) {
        zint_symbol* symbol = ZBarcode_Create();
        symbol->symbology = s.zintSymbology;
        const int rc = ZBarcode_Encode_and_Buffer(symbol, reinterpret_cast<const unsigned char*>(s.data),
                                                  static_cast<int>(std::strlen(s.data)), 0);
        if (rc >= ZINT_ERROR) state.SkipWithError(symbol->errtxt);
        width = symbol->bitmap_width;
        height = symbol->bitmap_height;
        benchmark::DoNotOptimize(symbol->bitmap);
        ZBarcode_Delete(symbol);
    }
    state.counters["width"] = width;
    state.counters["height"] = height;
}

// The encoders alone: our pattern string and text against zint's module rows.
void ZerboEncode(benchmark::State& state, const Symbology& s) {
    const EncodeInput in{s.code, false, s.startChar};
    std::u16string symbol;
    for (auto _ : state) {
        const std::string pattern = kEncoders[s.type](in, symbol);
        benchmark::DoNotOptimize(pattern.data());
    }
}

void ZintEncode(benchmark::State& state, const Symbology& s) {
    for (auto _ : state) {
        zint_symbol* symbol = ZBarcode_Create();
        symbol->symbology = s.zintSymbology;
        const int rc = ZBarcode_Encode(symbol, reinterpret_cast<const unsigned char*>(s.data),
                                       static_cast<int>(std::strlen(s.data)));
        if (rc >= ZINT_ERROR) state.SkipWithError(symbol->errtxt);
        benchmark::DoNotOptimize(symbol->encoded_data);
        ZBarcode_Delete(symbol);
    }
}

const bool kRegistered = [] {
    for (const Symbology& s : kSymbologies) {
        const std::string name = s.name;
        benchmark::RegisterBenchmark(("BM_Zerbo_Repaint/" + name).c_str(), ZerboRepaint, s);
        benchmark::RegisterBenchmark(("BM_Zerbo_Fresh/" + name).c_str(), ZerboFresh, s);
        benchmark::RegisterBenchmark(("BM_Zint_EncodeAndBuffer/" + name).c_str(), ZintEncodeAndBuffer, s);
        benchmark::RegisterBenchmark(("BM_Zerbo_Encode/" + name).c_str(), ZerboEncode, s);
        benchmark::RegisterBenchmark(("BM_Zint_Encode/" + name).c_str(), ZintEncode, s);
    }
    return true;
}();

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
    for (const std::string suffix : {"/EAN13", "/CODE128", "/CODE39"}) {
        const double zint = reporter.Median("BM_Zint_EncodeAndBuffer" + suffix);
        for (const std::string ours : {"BM_Zerbo_Repaint", "BM_Zerbo_Fresh"}) {
            const double t = reporter.Median(ours + suffix);
            if (zint > 0 && t > 0)
                std::printf("%s / zint: %.3f (median %.0f ns against %.0f ns; below 1 is faster than zint)\n",
                            (ours + suffix).c_str(), t / zint, t, zint);
        }
        const double zintEncode = reporter.Median("BM_Zint_Encode" + suffix);
        const double encode = reporter.Median("BM_Zerbo_Encode" + suffix);
        if (zintEncode > 0 && encode > 0)
            std::printf("%s / zint: %.3f (median %.0f ns against %.0f ns; the encoders alone)\n",
                        ("BM_Zerbo_Encode" + suffix).c_str(), encode / zintEncode, encode, zintEncode);
    }
    benchmark::Shutdown();
    return 0;
}
