// Encoding time of our QR encoder beside libqrencode (8-bit mode, the same version and level),
// then the ratio per case. Two texts: the same short text at every version (the versions are
// chosen by the user, so a short text in a large symbol is the common case), and a text that
// fills the byte capacity of each version and level.
#include <benchmark/benchmark.h>
#include <qrencode.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "qr/QREncoder.h"

namespace {

using namespace zerbo::qr;

const int kVersions[] = {1, 10, 25, 40};
const int kLevels[] = {1, 4}; // L and H
const char kShortText[] = "Zerbo-1"; // fits version 1, level H

std::string TextFor(bool full, int version, int level) {
    if (!full) return kShortText;
    std::string text;
    const int length = kQRVersions[version].Level[level - 1].Capacity[qmByte];
    for (int i = 0; i < length; ++i) text += static_cast<char>('!' + (i * 7) % 90);
    return text;
}

std::string CaseName(bool full, int version, int level) {
    return std::string(full ? "full" : "short") + "/v" + std::to_string(version) + "/" + "LMQH"[level - 1];
}

void BM_Zerbo(benchmark::State& state, bool full, int version, int level) {
    const std::string text = TextFor(full, version, level);
    std::vector<int32_t> out(static_cast<size_t>(QROutputLength(version)));
    for (auto _ : state) {
        if (QREncodeBytes(version, level, text.c_str(), out.data()) != qrOk) state.SkipWithError("encode failed");
        benchmark::DoNotOptimize(out.data());
    }
}

void BM_Libqrencode(benchmark::State& state, bool full, int version, int level) {
    const std::string text = TextFor(full, version, level);
    const QRecLevel lv = level == 1 ? QR_ECLEVEL_L : QR_ECLEVEL_H;
    for (auto _ : state) {
        QRcode* code = QRcode_encodeData(static_cast<int>(text.size()),
                                         reinterpret_cast<const unsigned char*>(text.data()), version, lv);
        if (!code || code->version != version) state.SkipWithError("libqrencode chose another version");
        benchmark::DoNotOptimize(code);
        QRcode_free(code);
    }
}

// Keeps the console output and remembers the time per iteration of every run.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> Times;
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        // With --benchmark_repetitions the median (reported after the runs) is the figure kept.
        for (const Run& run : runs) {
            if (run.error_occurred || run.iterations == 0) continue;
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
            Times[run.run_name.str()] = run.GetAdjustedRealTime();
        }
    }
};

} // namespace

int main(int argc, char** argv) {
    for (bool full : {false, true})
        for (int v : kVersions)
            for (int level : kLevels) {
                const std::string name = CaseName(full, v, level);
                benchmark::RegisterBenchmark(("zerbo/" + name).c_str(), BM_Zerbo, full, v, level)
                    ->Unit(benchmark::kMicrosecond);
                benchmark::RegisterBenchmark(("libqrencode/" + name).c_str(), BM_Libqrencode, full, v, level)
                    ->Unit(benchmark::kMicrosecond);
            }
    benchmark::Initialize(&argc, argv);
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::printf("\n%-16s %14s %14s %10s\n", "case", "zerbo us", "libqrencode us", "speed-up");
    for (bool full : {false, true})
        for (int v : kVersions)
            for (int level : kLevels) {
                const std::string name = CaseName(full, v, level);
                const auto ours = reporter.Times.find("zerbo/" + name);
                const auto peer = reporter.Times.find("libqrencode/" + name);
                if (ours == reporter.Times.end() || peer == reporter.Times.end()) continue;
                std::printf("%-16s %14.2f %14.2f %9.2fx\n", name.c_str(), ours->second, peer->second,
                            peer->second / ours->second);
            }
    benchmark::Shutdown();
    return 0;
}
