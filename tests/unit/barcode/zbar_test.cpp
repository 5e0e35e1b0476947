// Round trip through a reader we did not write: draw, save as BMP, decode with zbarimg.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "../../common/ZbarCases.h"
#include "BarTestUtil.h"
#include "core/Text.h"
#include "gfx/BmpWriter.h"
#include "gfx/PictureFile.h"

using namespace zerbo;
using namespace zerbo::barcode;
using namespace zerbo::barcode::testing;

namespace {

std::string Shell(const std::string& command) {
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buf[4096];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
        pclose(p);
    }
    return out;
}

// What zbarimg --xml found in each file, in the order given; "" for a file with nothing.
std::vector<std::string> DecodedPerFile(const std::string& xml) {
    std::vector<std::string> out;
    const std::string source = "<source ", data = "<data><![CDATA[", end = "]]>";
    for (size_t at = xml.find(source); at != std::string::npos;) {
        const size_t next = xml.find(source, at + 1);
        const size_t d = xml.find(data, at);
        if (d != std::string::npos && d < next) {
            const size_t from = d + data.size();
            out.push_back(xml.substr(from, xml.find(end, from) - from));
        } else {
            out.emplace_back();
        }
        at = next;
    }
    return out;
}

// Every pixel `factor` times in each direction: the same drawing, only larger.
gfx::TBitmap24 Enlarge(const gfx::TBitmap24& b, int factor) {
    gfx::TBitmap24 big(b.Width() * factor, b.Height() * factor);
    for (int y = 0; y < big.Height(); ++y)
        for (int x = 0; x < big.Width(); ++x) big.SetPixel(x, y, b.Pixel(x / factor, y / factor));
    return big;
}

} // namespace

TEST(ZbarRoundTrip, JanAndUpcAtScalesOneToThree) {
    ASSERT_FALSE(Shell("command -v zbarimg").empty()) << "zbarimg (zbar-tools, installed by scripts/setup) is needed";
    // zbar does not resolve one-pixel modules of some symbols (zint's own one-pixel drawing of
    // these UPC codes fails the same way, while 4901234567894 decodes): those bitmaps are
    // enlarged by pixel replication, which keeps the drawing as it is.
    struct Case {
        TBarTypes type;
        const char16_t* code;
        int scale, enlarge;
    };
    const Case cases[] = {
        {cbarJAN, u"490123456789", 1, 1}, {cbarJAN, u"490123456789", 2, 1}, {cbarJAN, u"490123456789", 3, 1},
        {cbarJAN, u"4901234", 1, 1},      {cbarJAN, u"4901234", 2, 1},      {cbarJAN, u"4901234", 3, 1},
        {cbarUPC, u"03600029145", 1, 2},  {cbarUPC, u"03600029145", 2, 1},  {cbarUPC, u"03600029145", 3, 1},
        {cbarUPC, u"0425261", 1, 2},      {cbarUPC, u"0425261", 2, 1},      {cbarUPC, u"0425261", 3, 1},
    };
    const auto dir = std::filesystem::temp_directory_path() / ("zerbo_zbar_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::string command = "zbarimg --xml -Supca.enable -Supce.enable";
    std::vector<std::string> expected;
    int n = 0;
    for (const Case& c : cases) {
        TBarImage image(nullptr);
        image.SetMatch(true);
        image.SetBarType(c.type);
        image.SetScale(static_cast<TSCale>(c.scale));
        image.SetCode(c.code);
        ASSERT_TRUE(image.BarDisped()) << ToUtf8(c.code);
        const auto file = dir / ("symbol" + std::to_string(n++) + ".bmp");
        ASSERT_TRUE(gfx::SaveBmpFile(c.enlarge > 1 ? Enlarge(BitmapOf(image), c.enlarge) : BitmapOf(image), file));
        command += " '" + file.string() + "'";
        // The human-readable text is what the reader must find.
        std::u16string symbol;
        kEncoders[c.type](EncodeInput{c.code}, symbol);
        expected.push_back(ToUtf8(symbol));
    }
    const std::vector<std::string> decoded = DecodedPerFile(Shell(command + " 2>/dev/null"));
    std::filesystem::remove_all(dir);
    ASSERT_EQ(decoded.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(decoded[i], expected[i]) << ToUtf8(cases[i].code) << " at scale " << cases[i].scale;
}

TEST(ZbarRoundTrip, SavedBmpAndJpegFilesOfEverySymbology) {
    ASSERT_FALSE(Shell("command -v zbarimg").empty()) << "zbarimg (zbar-tools, installed by scripts/setup) is needed";
    const auto dir = std::filesystem::temp_directory_path() / ("zerbo_zbar_files_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::string command = std::string("zbarimg --xml ") + test::kZbarOptions;
    std::vector<std::string> files, expected;
    for (const test::ZbarCase& c : test::kZbarCases) {
        TBarImage image(nullptr);
        image.SetMatch(true);
        image.SetBarType(c.type);
        image.SetScale(test::kZbarFileScale);
        image.SetCode(c.code);
        ASSERT_TRUE(image.BarDisped()) << c.name;
        std::u16string symbol;
        kEncoders[c.type](EncodeInput{c.code}, symbol);
        for (const char* ext : {".bmp", ".jpg"}) {
            const auto file = dir / (std::string(c.name) + ext);
            if (std::string(ext) == ".bmp")
                gfx::SaveBitmapFile(*image.Picture().AsBitmap(), FromUtf8(file.string()));
            else
                gfx::SaveJpegFile(*image.Picture().AsBitmap(), FromUtf8(file.string()));
            command += " '" + file.string() + "'";
            files.push_back(file.filename().string());
            expected.push_back(c.decoded ? c.decoded : ToUtf8(symbol));
        }
    }
    const std::vector<std::string> decoded = DecodedPerFile(Shell(command + " 2>/dev/null"));
    std::filesystem::remove_all(dir);
    ASSERT_EQ(decoded.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(decoded[i], expected[i]) << files[i];
}
