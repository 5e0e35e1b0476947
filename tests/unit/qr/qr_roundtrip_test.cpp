// Whole symbols checked by programs we did not write: zbarimg must read every version at every
// level (and mixed-mode symbols) back to the same bytes, and libqrencode must build the same symbol apart from the mask.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "QRPeer.h"
#include "QRTestSupport.h"

namespace zerbo::qr::test {
namespace {

// A text at the full byte capacity of the version and level, made of every byte value but 0.
std::string FullText(int version, int level) {
    uint32_t state = static_cast<uint32_t>(version * 4 + level) * 2654435761u | 1;
    return RandomText(state, kQRVersions[version].Level[level - 1].Capacity[qmByte]);
}

// A binary greymap, the simplest picture format zbarimg reads: `scale` pixels per module.
void WritePgm(const std::filesystem::path& file, const std::vector<int32_t>& out, int scale) {
    const int w = out[0];
    const int pixels = w * scale;
    std::string image = "P5\n" + std::to_string(pixels) + " " + std::to_string(pixels) + "\n255\n";
    for (int y = 0; y < pixels; ++y)
        for (int x = 0; x < pixels; ++x)
            image += out[static_cast<size_t>(1 + (y / scale) * w + x / scale)] ? '\0' : '\xFF';
    std::ofstream(file, std::ios::binary) << image;
}

std::string RunAndRead(const std::string& command) {
    std::string result;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return result;
    char buffer[65536];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) result.append(buffer, n);
    pclose(pipe);
    return result;
}

// A text for the mixed entry: digits, alphanumerics, kanji, lower case and half-width katakana
// in random order, as long as the version and level hold.
std::string MixedText(TQREncoder& enc, int version, int level, uint32_t& state) {
    static const char* const pieces[] = {"0123", "9", "AB-", "Z", "\x93\x5F", "\xE4\xAA\x88\x9F",
                                         "ab", "!", "\xB1\xB2", "\x81", "HTTP://X.JP/"};
    std::vector<std::string> prefixes = {""};
    while (prefixes.back().size() <= kQRVersions[version].Level[level - 1].Capacity[qmByte])
        prefixes.push_back(prefixes.back() + pieces[static_cast<uint8_t>(RandomText(state, 1)[0]) % 11]);
    // The longest prefix that fits: more text never needs fewer bits.
    std::vector<int32_t> out = OutputFor(version);
    size_t lo = 0, hi = prefixes.size() - 1;
    while (lo < hi) {
        const size_t mid = (lo + hi + 1) / 2;
        if (enc.EncodeMixed(version, level, prefixes[mid].c_str(), out.data()) == qrOk)
            lo = mid;
        else
            hi = mid - 1;
    }
    return prefixes[lo];
}

TEST(QRRoundTrip, ZbarimgReadsEveryVersionAndLevelAtFullCapacity) {
#ifndef ZBARIMG_PROGRAM
    GTEST_SKIP() << "zbarimg (zbar-tools) was not found when the tests were configured";
#else
    const std::filesystem::path dir = std::filesystem::absolute("qr_roundtrip");
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    struct Job { bool mixed; int version, level; std::string text; };
    std::vector<Job> jobs;
    for (int v = 1; v <= 40; ++v)
        for (int level = 1; level <= 4; ++level) jobs.push_back({false, v, level, FullText(v, level)});
    auto enc = NewEncoder();
    uint32_t state = 77;
    for (int v : {1, 3, 9, 10, 26, 27, 40})
        for (int level : {1, 4}) jobs.push_back({true, v, level, MixedText(*enc, v, level, state)});

    std::string command = std::string(ZBARIMG_PROGRAM) + " -q --nodbus --raw -Sbinary";
    for (size_t i = 0; i < jobs.size(); ++i) {
        const Job& job = jobs[i];
        std::vector<int32_t> out = OutputFor(job.version);
        ASSERT_EQ((job.mixed ? QREncodeMixed : QREncodeBytes)(job.version, job.level, job.text.c_str(), out.data()),
                  qrOk);
        const std::filesystem::path file = dir / (std::to_string(i) + ".pgm");
        WritePgm(file, out, 2);
        command += " '" + file.string() + "'";
    }
    // With -Sbinary the decoded bytes come back unchanged and without separators, in file order.
    const std::string decoded = RunAndRead(command + " 2>/dev/null");
    size_t pos = 0;
    for (const Job& job : jobs) {
        SCOPED_TRACE(testing::Message() << (job.mixed ? "mixed" : "bytes") << " version " << job.version
                                        << " level " << "LMQH"[job.level - 1]);
        ASSERT_GT(job.text.size(), 0u);
        ASSERT_EQ(decoded.compare(pos, job.text.size(), job.text), 0) << "decoded text differs";
        pos += job.text.size();
    }
    EXPECT_EQ(pos, decoded.size());
    std::filesystem::remove_all(dir);
#endif
}

TEST(QRRoundTrip, SameSymbolAsLibqrencodeBeforeMasking) {
    for (int v = 1; v <= 40; ++v)
        for (int level = 1; level <= 4; ++level) {
            SCOPED_TRACE(testing::Message() << "version " << v << " level " << "LMQH"[level - 1]);
            const std::string text = FullText(v, level);
            std::vector<int32_t> out = OutputFor(v);
            ASSERT_EQ(QREncodeBytes(v, level, text.c_str(), out.data()), qrOk);
            EXPECT_EQ(DifferencesFromPeer(out, v, level, text), 0);
        }
}

} // namespace
} // namespace zerbo::qr::test
