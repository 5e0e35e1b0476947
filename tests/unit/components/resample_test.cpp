// The resampler against a plain transcription of the algorithm (bit for bit, every
// filter, enlarging and shrinking), hand-checked cases, and its errors.
#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <random>
#include <vector>

#include "ResampleReference.h"
#include "components/Resample.h"

namespace zerbo {
namespace {

using test::Image;
using test::reference;

Image randomImage(int w, int h, unsigned seed) {
    Image img(w, h);
    std::mt19937 rng(seed);
    for (auto& b : img.bytes) b = static_cast<uint8_t>(rng() & 0xFF);
    return img;
}

// The seven filters in table order, each at 0, -0.5, 0.5, 1, 1.5, 2 and its support radius r.
TEST(Resample, FilterTableValues) {
    const struct {
        const char* name;
        float r;
        float at[7]; // f(0), f(-0.5), f(0.5), f(1), f(1.5), f(2), f(r)
    } filters[] = {
        {"Box", 0.5f, {1, 0, 1, 0, 0, 0, 1}},
        {"Triangle", 1.0f, {1, 0.5f, 0.5f, 0, 0, 0, 0}},
        {"Hermite", 1.0f, {1, 0.5f, 0.5f, 0, 0, 0, 0}},
        {"Bell", 1.5f, {0.75f, 0.5f, 0.5f, 0.125f, 0, 0, 0}},
        {"B-Spline", 2.0f, {0.6666667f, 0.4791667f, 0.4791667f, 0.1666667f, 0.0208333f, 0, 0}},
        {"Lanczos3", 3.0f, {1, 0.6079271f, 0.6079271f, 0, -0.1350949f, 0, 0}},
        {"Mitchell", 2.0f, {0.8888889f, 0.5347222f, 0.5347222f, 0.0555556f, -0.0347222f, 0, 0}},
    };
    ASSERT_EQ(std::size(FilterTable), std::size(filters));
    for (size_t i = 0; i < std::size(filters); ++i) {
        const auto& want = filters[i];
        const TFilterEntry& entry = FilterTable[i];
        EXPECT_STREQ(entry.Name, want.name);
        EXPECT_EQ(entry.Width, want.r) << want.name;
        const float xs[] = {0, -0.5f, 0.5f, 1, 1.5f, 2, want.r};
        for (size_t k = 0; k < std::size(xs); ++k)
            EXPECT_NEAR(entry.Filter(xs[k]), want.at[k], 1e-6) << want.name << " at " << xs[k];
    }
    // Lanczos3 in single precision: sin(pi x) of a float pi leaves its zeros at whole distances
    // about 1e-8 off, where double precision would give 1e-17.
    for (float x : {1.0f, 2.0f}) {
        EXPECT_GT(std::fabs(Lanczos3Filter(x)), 1e-9f) << x;
        EXPECT_LT(std::fabs(Lanczos3Filter(x)), 1e-7f) << x;
    }
}

TEST(Resample, MatchesThePlainAlgorithmBitForBit) {
    const struct {
        int sw, sh, dw, dh;
    } sizes[] = {
        {20, 17, 57, 40}, {57, 40, 20, 17}, {33, 33, 33, 33}, {40, 18, 7, 50},
        {1, 5, 9, 9},     {9, 2, 2, 2},     {64, 48, 3, 2},   {17, 31, 16, 33},
    };
    for (const auto& entry : FilterTable) {
        for (const auto& s : sizes) {
            Image src = randomImage(s.sw, s.sh, static_cast<unsigned>(s.sw * 131 + s.dh));
            Image dst(s.dw, s.dh);
            ResampleImage(src.view(), dst.view(), entry.Filter, entry.Width);
            const Image expected = reference(src, s.dw, s.dh, entry.Filter, entry.Width);
            EXPECT_EQ(dst.bytes, expected.bytes)
                << entry.Name << " " << s.sw << "x" << s.sh << " -> " << s.dw << "x" << s.dh;
        }
    }
}

TEST(Resample, TriangleDoublingPutsSourcePixelsOnEvenColumnsAndRoundsHalvesToEven) {
    Image src(100, 2);
    for (int x = 0; x < 100; ++x)
        for (int y = 0; y < 2; ++y)
            for (int c = 0; c < 3; ++c) src.at(x, y, c) = static_cast<uint8_t>(x + c);
    Image dst(199, 2);
    ResampleImage(src.view(), dst.view(), TriangleFilter, 1.0f);
    for (int k = 0; k < 100; ++k) EXPECT_EQ(dst.at(2 * k, 1, 0), k);
    for (int k = 0; k < 99; ++k) {
        // k + 0.5 rounds to the even neighbour.
        const int even = k % 2 == 0 ? k : k + 1;
        EXPECT_EQ(dst.at(2 * k + 1, 0, 0), even) << k;
        EXPECT_EQ(dst.at(2 * k + 1, 0, 1), k % 2 == 0 ? k + 2 : k + 1) << k;
    }
}

TEST(Resample, SameSizeReproducesTheImageWithBoxAndLanczos3) {
    Image src = randomImage(31, 23, 7);
    for (const char* name : {"Box", "Lanczos3"}) {
        const TFilterEntry* f = FindFilter(name);
        ASSERT_NE(f, nullptr);
        Image dst(31, 23);
        ResampleImage(src.view(), dst.view(), f->Filter, f->Width);
        EXPECT_EQ(dst.bytes, src.bytes) << name;
    }
    EXPECT_EQ(FindFilter("Lanczos"), nullptr);
}

TEST(Resample, Lanczos3ClampsNextToASharpEdge) {
    Image src(8, 2);
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 2; ++y)
            for (int c = 0; c < 3; ++c) src.at(x, y, c) = x < 4 ? 0 : 255;
    Image dst(22, 2);
    ResampleImage(src.view(), dst.view(), Lanczos3Filter, 3.0f);
    // Undershoot and overshoot beside the edge are cut to 0 and 255, never wrapped.
    EXPECT_EQ(dst.at(8, 0, 0), 0);
    EXPECT_EQ(dst.at(13, 0, 0), 255);
    for (int x = 0; x < 22; ++x) EXPECT_LE(dst.at(x, 0, 0) > 128, x >= 11) << x;
}

TEST(Resample, OnePixelWideSourceIsRepeated) {
    Image src(1, 3);
    for (int y = 0; y < 3; ++y)
        for (int c = 0; c < 3; ++c) src.at(0, y, c) = static_cast<uint8_t>(40 * y + 10 * c + 5);
    Image dst(9, 3);
    ResampleImage(src.view(), dst.view(), TriangleFilter, 1.0f);
    for (int x = 0; x < 9; ++x)
        for (int y = 0; y < 3; ++y)
            for (int c = 0; c < 3; ++c) EXPECT_EQ(dst.at(x, y, c), src.at(0, y, c)) << x << "," << y;
}

TEST(Resample, OnePixelWideDestinationAveragesInsteadOfDividingByZero) {
    Image src(12, 4);
    std::fill(src.bytes.begin(), src.bytes.end(), uint8_t{100});
    Image dst(1, 4);
    ResampleImage(src.view(), dst.view(), TriangleFilter, 1.0f);
    for (auto b : dst.bytes) EXPECT_EQ(b, 100);
}

TEST(Resample, PaddedAndBottomUpRowsGiveTheSamePixels) {
    Image src = randomImage(13, 9, 3);
    Image plain(29, 5);
    ResampleImage(src.view(), plain.view(), MitchellFilter, 2.0f);
    Image padded(29, 5, 88, true);  // DIB layout: rows 4-byte aligned, last row first
    Image paddedSrc(13, 9, 40, true);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 13; ++x)
            for (int c = 0; c < 3; ++c) paddedSrc.at(x, y, c) = src.at(x, y, c);
    ResampleImage(paddedSrc.view(), padded.view(), MitchellFilter, 2.0f);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 29; ++x)
            for (int c = 0; c < 3; ++c) ASSERT_EQ(padded.at(x, y, c), plain.at(x, y, c));
}

TEST(Resample, TooSmallBitmapsRaiseAndLeaveTheDestinationAlone) {
    const struct {
        int sw, sh, dw, dh;
        const char16_t* message;
    } cases[] = {
        {0, 0, 4, 4, u"Source bitmap too small"},
        {0, 5, 4, 4, u"Source bitmap too small"},
        {5, 0, 4, 4, u"Source bitmap too small"},
        {1, 1, 4, 4, u"スキャンラインのインデックスが範囲を超えました"},
        {5, 1, 4, 4, u"スキャンラインのインデックスが範囲を超えました"},
        {5, 5, 4, 1, u"スキャンラインのインデックスが範囲を超えました"},
        {5, 5, 1, 1, u"スキャンラインのインデックスが範囲を超えました"},
        {5, 5, 0, 0, u"スキャンラインのインデックスが範囲を超えました"},
        {5, 5, 0, 4, u"スキャンラインのインデックスが範囲を超えました"},
    };
    for (const auto& c : cases) {
        Image src = randomImage(c.sw, c.sh, 1);
        Image dst(c.dw, c.dh);
        std::fill(dst.bytes.begin(), dst.bytes.end(), uint8_t{77});
        const auto before = dst.bytes;
        TImageView dv = dst.view();
        if (dst.bytes.empty()) dv.Bits = nullptr;
        try {
            ResampleImage(src.view(), dv, Lanczos3Filter, 3.0f);
            ADD_FAILURE() << "no error for " << c.sw << "x" << c.sh << " -> " << c.dw << "x" << c.dh;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), c.message) << c.sw << "x" << c.sh << " -> " << c.dw << "x" << c.dh;
        }
        EXPECT_EQ(dst.bytes, before);
    }
}

} // namespace
} // namespace zerbo
