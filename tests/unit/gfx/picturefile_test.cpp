// Picture files: JPEG through libjpeg, and the write that replaces a file only when the new
// one is complete.
#include <gtest/gtest.h>

#include <csetjmp>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "../components/TempDir.h"
#include "core/Text.h"
#include "gfx/BmpWriter.h"
#include "gfx/JpegWriter.h"
#include "gfx/PictureFile.h"

using namespace zerbo;
using namespace zerbo::gfx;
namespace fs = std::filesystem;

namespace {

constexpr TColor kRed = MakeColor(0xFF, 0, 0);
constexpr TColor kBlue = MakeColor(0, 0, 0xFF);

// What a reader finds in a JPEG stream, decoded with libjpeg.
struct Decoded {
    bool ok = false;
    int width = 0, height = 0, components = 0;
    J_COLOR_SPACE space = JCS_UNKNOWN;
    bool progressive = false;
    int firstLumaQuant = 0;
    long warnings = 0; // corrupt data that libjpeg read past
    TBitmap24 pixels;
};

struct JumpError {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

[[noreturn]] void Jump(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<JumpError*>(cinfo->err)->jump, 1); }

bool DecodeInto(const std::vector<std::uint8_t>& bytes, Decoded* out, std::vector<std::uint8_t>* rgb) {
    jpeg_decompress_struct cinfo;
    JumpError err;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = Jump;
    err.pub.output_message = [](j_common_ptr) {};
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    out->width = static_cast<int>(cinfo.image_width);
    out->height = static_cast<int>(cinfo.image_height);
    out->components = cinfo.num_components;
    out->space = cinfo.jpeg_color_space;
    out->progressive = cinfo.progressive_mode;
    out->firstLumaQuant = cinfo.quant_tbl_ptrs[0] ? cinfo.quant_tbl_ptrs[0]->quantval[0] : 0;
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    rgb->resize(static_cast<std::size_t>(out->width) * out->height * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = rgb->data() + static_cast<std::size_t>(cinfo.output_scanline) * out->width * 3;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    out->warnings = err.pub.num_warnings;
    jpeg_destroy_decompress(&cinfo);
    return true;
}

Decoded Decode(const std::vector<std::uint8_t>& bytes) {
    Decoded d;
    std::vector<std::uint8_t> rgb;
    d.ok = DecodeInto(bytes, &d, &rgb);
    if (d.ok) {
        d.pixels.SetSize(d.width, d.height);
        for (int y = 0; y < d.height; ++y)
            for (int x = 0; x < d.width; ++x) {
                const std::uint8_t* p = rgb.data() + (static_cast<std::size_t>(y) * d.width + x) * 3;
                d.pixels.SetPixel(x, y, MakeColor(p[0], p[1], p[2]));
            }
    }
    return d;
}

bool Near(TColor a, TColor b) {
    auto close = [](int x, int y) { return x - y < 24 && y - x < 24; };
    return close(RedOf(a), RedOf(b)) && close(GreenOf(a), GreenOf(b)) && close(BlueOf(a), BlueOf(b));
}

std::set<std::string> Listing(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
    return names;
}

} // namespace

TEST(Jpeg, ColourBaselineQuality90WithTheBitmapsPixels) {
    // Left half red, right half blue: the colours survive, so no channel was swapped or lost.
    TBitmap24 b(32, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) b.SetPixel(x, y, x < 16 ? kRed : kBlue);
    const std::vector<std::uint8_t> bytes = EncodeJpeg(b);
    ASSERT_GT(bytes.size(), 4u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xD8);
    // Baseline: a SOF0 frame and no progressive SOF2.
    bool sof0 = false, sof2 = false;
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
        sof0 = sof0 || (bytes[i] == 0xFF && bytes[i + 1] == 0xC0);
        sof2 = sof2 || (bytes[i] == 0xFF && bytes[i + 1] == 0xC2);
    }
    EXPECT_TRUE(sof0);
    EXPECT_FALSE(sof2);

    const Decoded d = Decode(bytes);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.warnings, 0);
    EXPECT_EQ(d.width, 32);
    EXPECT_EQ(d.height, 16);
    EXPECT_EQ(d.components, 3);
    EXPECT_EQ(d.space, JCS_YCbCr);
    EXPECT_FALSE(d.progressive);
    // The standard luminance table's first entry, 16, scaled for quality 90: 16 * 20 / 100.
    EXPECT_EQ(d.firstLumaQuant, 3);
    EXPECT_TRUE(Near(d.pixels.Pixel(4, 8), kRed)) << std::hex << d.pixels.Pixel(4, 8);
    EXPECT_TRUE(Near(d.pixels.Pixel(27, 8), kBlue)) << std::hex << d.pixels.Pixel(27, 8);
}

TEST(Jpeg, SizesAcrossTheOutputChunksAndAnEmptyBitmap) {
    // Noise compresses badly: well over one 64 KB output chunk.
    TBitmap24 big(400, 300);
    std::uint32_t seed = 1;
    for (int y = 0; y < big.Height(); ++y)
        for (int x = 0; x < big.Width(); ++x) {
            seed = seed * 1103515245u + 12345u;
            big.SetPixel(x, y, seed >> 8);
        }
    const std::vector<std::uint8_t> bytes = EncodeJpeg(big);
    ASSERT_GT(bytes.size(), 64u * 1024u);
    EXPECT_EQ(bytes[bytes.size() - 2], 0xFF); // ends with EOI
    EXPECT_EQ(bytes[bytes.size() - 1], 0xD9);
    const Decoded d = Decode(bytes);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.warnings, 0);
    EXPECT_EQ(d.width, 400);
    EXPECT_EQ(d.height, 300);

    // libjpeg refuses an image without pixels; that is an empty result, not a crash.
    EXPECT_TRUE(EncodeJpeg(TBitmap24()).empty());
}

TEST(PictureFile, WritesANewFileAndReplacesAnOldOneLeavingNothingElse) {
    test::TempDir dir;
    TNativeBitmap bitmap;
    bitmap.SetSize(5, 3);
    const std::u16string name = dir.file16("symbol.bmp");
    test::writeBytes(dir.file("symbol.bmp"), "old contents");
    SaveBitmapFile(bitmap, name);
    const std::vector<std::uint8_t> expected = EncodeBmp(bitmap.Image());
    EXPECT_EQ(test::readBytes(dir.file("symbol.bmp")), std::string(expected.begin(), expected.end()));

    SaveJpegFile(bitmap, dir.file16("symbol.jpg"));
    const std::string jpeg = test::readBytes(dir.file("symbol.jpg"));
    const Decoded d = Decode(std::vector<std::uint8_t>(jpeg.begin(), jpeg.end()));
    EXPECT_TRUE(d.ok);
    EXPECT_EQ(d.width, 5);
    EXPECT_EQ(Listing(dir.path()), (std::set<std::string>{"symbol.bmp", "symbol.jpg"}));
}

TEST(PictureFile, UnwritableTargetsNameThePathAndLeaveNoPartialFile) {
    test::TempDir dir;
    fs::create_directory(dir.path() / "folder");
    test::writeBytes(dir.file("readonly.bmp"), "keep me");
    fs::permissions(dir.file("readonly.bmp"), fs::perms::owner_read | fs::perms::group_read);
    test::writeBytes(dir.file("existing.bmp"), "keep me too");
    TNativeBitmap bitmap;
    bitmap.SetSize(4, 4);
    TNativeMetafile metafile;
    metafile.SetSize(4, 4);

    struct Case {
        const char* what;
        std::u16string name;
        bool metafile;
    };
    const Case cases[] = {
        {"missing folder", dir.file16("missing/symbol.bmp"), false},
        {"read-only file", dir.file16("readonly.bmp"), false},
        {"a folder", dir.file16("folder"), false},
        {"empty name", u"", false},
        // Up to the NUL the name is that of a file that exists (an automation client's text).
        {"NUL inside the name", dir.file16("existing.bmp") + std::u16string(1, u'\0') + u"x.bmp", false},
        {"NUL at the end", dir.file16("existing.bmp") + std::u16string(1, u'\0'), false},
        // A recorded list of drawing operations has no .emf form.
        {"native metafile", dir.file16("symbol.emf"), true},
    };
    const std::set<std::string> before = Listing(dir.path());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            if (c.metafile)
                SaveMetafileFile(metafile, c.name);
            else
                SaveBitmapFile(bitmap, c.name);
            ADD_FAILURE() << "no error";
        } catch (const EWriteError& e) {
            EXPECT_EQ(e.Message(), c.name + u" に書き込めません");
        }
        EXPECT_EQ(Listing(dir.path()), before);
    }
    EXPECT_EQ(test::readBytes(dir.file("readonly.bmp")), "keep me");
    EXPECT_EQ(test::readBytes(dir.file("existing.bmp")), "keep me too");
    EXPECT_TRUE(fs::is_empty(dir.path() / "folder"));
}
