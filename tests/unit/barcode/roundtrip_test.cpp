// Symbols drawn by TBarImage, written as BMP files and read back by zbarimg: the encoders, the
// painter's element widths and the BMP writer together, checked by a reader we did not write.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "BarTestUtil.h"
#include "barcode/BarImage.h"
#include "gfx/BmpWriter.h"
#include "zbar_reader.h"

namespace zerbo::barcode {
namespace {

// Every pixel `factor` times in each direction.
gfx::TBitmap24 Enlarge(const gfx::TBitmap24& b, int factor) {
    gfx::TBitmap24 big(b.Width() * factor, b.Height() * factor);
    for (int y = 0; y < big.Height(); ++y)
        for (int x = 0; x < big.Width(); ++x) big.SetPixel(x, y, b.Pixel(x / factor, y / factor));
    return big;
}

struct RoundTrip {
    TBarTypes type;
    std::u16string code;
    bool cd;
    char16_t start, stop;
    const char* zbarType;
    std::string decoded;
    const char* modifiers = "";
    // zbar misses some symbols drawn one pixel a module (zint's identical modules too): at Scale 1
    // these are handed over enlarged by pixel replication, the drawing itself unchanged.
    bool enlargeAtScaleOne = false;
};

// zbarimg reads Codabar and interleaved 2 of 5 only when asked, and ITF from six digits unless
// told otherwise.
const std::vector<std::string> kZbarSettings = {"codabar.enable", "i25.enable", "i25.min-length=2"};

const RoundTrip kRoundTrips[] = {
    {cbarCODE39, u"CODE39", true, u'A', u'A', "CODE-39", "CODE39W"},
    {cbarCODE39, u"CODE39", false, u'A', u'A', "CODE-39", "CODE39"},
    {cbarCODE39, u"ZERBO 1.5-$/+%", true, u'A', u'A', "CODE-39", "ZERBO 1.5-$/+%3"},
    {cbarNW7, u"1234", true, u'A', u'B', "Codabar", "A12345B"},
    {cbarNW7, u"31117013206375", false, u'C', u'D', "Codabar", "C31117013206375D"},
    {cbarNW7, u"0", true, u'D', u'D', "Codabar", "D0-D"},
    {cbarNW7, u"-$:/.+", false, u'B', u'A', "Codabar", "B-$:/.+A"},
    {cbarITF, u"12345", false, u'A', u'A', "I2/5", "012345"},
    {cbarITF, u"1234", true, u'A', u'A', "I2/5", "012348"},
    {cbarITF, u"4", false, u'A', u'A', "I2/5", "04"},
    {cbarITF, u"14901234567891", false, u'A', u'A', "I2/5", "14901234567891"},
    // CODE128: each start set, shifts, switches, escapes, control characters, FNC1.
    {cbarCODE128, u"HELLO<CR><LF>", false, u'A', u'A', "CODE-128", "HELLO\r\n"},
    {cbarCODE128, u"Zerbo, 128!", false, u'B', u'A', "CODE-128", "Zerbo, 128!"},
    {cbarCODE128, u"12345678", false, u'C', u'A', "CODE-128", "12345678", "", true},
    {cbarCODE128, u"AB<SHIFT>cD<SHIFT>e", false, u'A', u'A', "CODE-128", "ABcDe"},
    {cbarCODE128, u"ab<SHIFT><HT>c", false, u'B', u'A', "CODE-128", "ab\tc", "", true},
    {cbarCODE128, u"X<CODEC>123456<CODEB>yz<CODEA><ESC>", false, u'A', u'A', "CODE-128", "X123456yz\x1B"},
    {cbarCODE128, u"<<>>A>B", false, u'B', u'A', "CODE-128", "<>AB"},
    {cbarCODE128, u"<FNC1>0123<CODEB>x", false, u'C', u'A', "CODE-128", "0123x", "GS1"},
    {cbarCODE128, u"AB<FNC1>12", false, u'B', u'A', "CODE-128", "AB\x1D" "12"},
    {cbarCODE128, u"ABC", false, u'D', u'A', "CODE-128", "ABC"},
    // CODE93: plain, and full ASCII through shift pairs.
    {cbarCODE93, u"TEST93", false, u'A', u'A', "CODE-93", "TEST93"},
    {cbarCODE93, u"HELLO<+>W<+>O<+>R<+>L<+>D", false, u'A', u'A', "CODE-93", "HELLOworld"},
    {cbarCODE93, u"</>A</>B</>C A<%>F", false, u'A', u'A', "CODE-93", "!\"# A;"},
    {cbarCODE93, u"<%>U<$>M<%>G</>A1", false, u'A', u'A', "CODE-93", std::string("\0\r<!1", 5)},
};

TEST(RoundTrip, ZbarReadsWhatTBarImageDraws) {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("zerbo-roundtrip-" + std::to_string(static_cast<long>(getpid())));
    std::filesystem::create_directories(dir);

    struct Drawn {
        const RoundTrip* trip;
        int scale, ratio;
        std::filesystem::path file;
    };
    std::vector<Drawn> drawn;
    for (const auto& trip : kRoundTrips) {
        for (int scale = 1; scale <= 3; ++scale) {
            for (const int ratio : {20, 25, 30}) {
                TBarImage image(nullptr);
                image.SetMatch(true);
                image.SetBarSpaceLeft(12 * scale); // quiet zones a reader can rely on
                image.SetBarSpaceRight(12 * scale);
                image.SetScale(static_cast<TSCale>(scale));
                image.SetElementRatio(static_cast<TElementRatio>(ratio));
                image.SetBarType(trip.type);
                image.SetCD(trip.cd);
                image.SetStartChar(trip.start);
                image.SetStopChar(trip.stop);
                image.SetCode(trip.code);
                ASSERT_FALSE(image.Error()) << trip.decoded;
                ASSERT_TRUE(image.BarDisped()) << trip.decoded;
                const auto file = dir / ("s" + std::to_string(drawn.size()) + ".bmp");
                // Nor does zbar read Codabar of one-pixel narrow and two-pixel wide elements.
                const bool enlarge = scale == 1 && (trip.enlargeAtScaleOne || (trip.type == cbarNW7 && ratio < 30));
                const auto& bitmap = testing::BitmapOf(image);
                ASSERT_TRUE(gfx::SaveBmpFile(enlarge ? Enlarge(bitmap, 2) : bitmap, file));
                drawn.push_back({&trip, scale, ratio, file});
            }
        }
    }

    std::vector<std::filesystem::path> files;
    for (const auto& d : drawn) files.push_back(d.file);
    const auto read = test::ZbarRead(files, kZbarSettings);

    for (const auto& d : drawn) {
        const RoundTrip& t = *d.trip;
        SCOPED_TRACE(std::string(t.zbarType) + " " + std::string(t.code.begin(), t.code.end()) +
                     " scale " + std::to_string(d.scale) + " ratio " + std::to_string(d.ratio));
        const auto it = read.find(d.file.filename().string());
        if (it == read.end() || it->second.size() != 1) {
            ADD_FAILURE() << "zbarimg did not read exactly one symbol";
            continue;
        }
        EXPECT_EQ(it->second[0].type, t.zbarType);
        EXPECT_EQ(it->second[0].data, t.decoded);
        EXPECT_EQ(it->second[0].modifiers, t.modifiers);
    }
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace zerbo::barcode

namespace zerbo::barcode {
namespace {

// zbar has no reader for the customer barcode: count the drawn bars instead. Every kind of bar
// crosses the middle third; long and upper bars the upper third, long and lower bars the lower.
int DarkRuns(const std::string& row) {
    int runs = 0;
    for (std::size_t x = 0; x < row.size(); ++x) runs += row[x] == '1' && (x == 0 || row[x - 1] == '0');
    return runs;
}

TEST(RoundTrip, CustomerBarcodeDraws67BarsOfTheEncodedKinds) {
    const std::u16string addresses[] = {u"2630023-3-16-1", u"0640804A1-17", u"1234567890123456789A", u""};
    for (const auto& address : addresses) {
        for (int scale = 1; scale <= 3; ++scale) {
            SCOPED_TRACE(std::string(address.begin(), address.end()) + " scale " + std::to_string(scale));
            TBarImage image(nullptr);
            image.SetMatch(true);
            image.SetScale(static_cast<TSCale>(scale));
            image.SetBarType(cbarCUSTOMER);
            image.SetCode(address.empty() ? u" " : address);
            ASSERT_TRUE(image.BarDisped());
            std::u16string symbol;
            const std::string pattern = EncodeCUSTOMER({address.empty() ? u" " : address}, symbol);
            int upper = 0, lower = 0;
            for (const char c : pattern) {
                upper += (c - '0') & 4 ? 1 : 0;
                lower += (c - '0') & 1 ? 1 : 0;
            }
            const auto& b = testing::BitmapOf(image);
            EXPECT_EQ(DarkRuns(testing::RowOf(b, 3 * scale, 0, b.Width())), 67);
            EXPECT_EQ(DarkRuns(testing::RowOf(b, scale, 0, b.Width())), upper);
            EXPECT_EQ(DarkRuns(testing::RowOf(b, 5 * scale, 0, b.Width())), lower);
        }
    }
}

} // namespace
} // namespace zerbo::barcode
