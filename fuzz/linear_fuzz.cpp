// Every linear symbology through TBarImage, with the data, type, scale, ratio, margins, frame
// and text display taken from the input. What the component draws must read back, through the
// tests' pattern decoders (zint for EAN and UPC), as the data it was given, check characters
// included.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>

#include "BarReader.h"
#include "FuzzCheck.h"
#include "barcode/BarImage.h"
#include "barcode/Encoder.h"
#include "barcode/golden_tables.h"
#include "barcode/test_patterns.h"
#include "barcode/zint_modules.h"

namespace zerbo::fuzz {
namespace {

using namespace barcode;
namespace golden = barcode::golden;

// Longer texts only make the pictures larger; the encoders' bounds have tests of their own.
constexpr size_t kMaxCode = 80;

std::string Narrow(std::u16string_view s) { return std::string(s.begin(), s.end()); }

// The modulo-10 check digit with weights 3 and 1 from the right, as a reader verifies it.
char16_t Modulo10(std::u16string_view digits) {
    int sum = 0, weight = 3;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it, weight = 4 - weight) sum += (*it - u'0') * weight;
    return static_cast<char16_t>(u'0' + (10 - sum % 10) % 10);
}

template <class Row, size_t N>
std::vector<std::string_view> Column(const Row (&rows)[N], std::string_view Row::*column) {
    std::vector<std::string_view> out;
    for (const Row& r : rows) out.push_back(r.*column);
    return out;
}

// Values read back as the characters of a table; '?' for a chunk in no row.
template <class Row, size_t N>
std::u16string CharsOf(const std::vector<int>& values, const Row (&rows)[N]) {
    std::u16string out;
    for (const int v : values) out += v >= 0 && v < static_cast<int>(N) ? rows[v].ch : u'?';
    return out;
}

std::u16string DigitsOf(const std::vector<int>& values) {
    std::u16string out;
    for (const int v : values) out += v >= 0 && v <= 9 ? static_cast<char16_t>(u'0' + v) : u'?';
    return out;
}

// EAN and UPC: zint's modules for the same digits. A check digit the user gave is drawn as
// given even when wrong; zint refuses such a code, so those seven modules are left out.
void CheckJanUpc(TBarTypes type, const std::u16string& code, const std::string& modules) {
    const size_t n = code.size();
    const bool givenCheck = type == cbarJAN && (n == 8 || n == 13);
    const std::u16string data = givenCheck ? code.substr(0, n - 1) : code;
    const int symbology = type == cbarJAN ? BARCODE_EANX : n == 11 ? BARCODE_UPCA : BARCODE_UPCE;
    const std::string peer = test::ZintModules(symbology, Narrow(data));
    Expect(!peer.empty(), "zint encodes what the component drew");
    if (!givenCheck || code.back() == Modulo10(data)) {
        Expect(test::WithoutTrailingSpace(modules) == peer, "EAN/UPC modules are zint's");
        return;
    }
    const size_t at = n == 13 ? 85 : 57; // the check digit's seven modules, before the end guard
    Expect(modules.size() >= at + 7 && peer.size() >= at + 7 && modules.substr(0, at) == peer.substr(0, at) &&
               test::WithoutTrailingSpace(modules.substr(at + 7)) == peer.substr(at + 7),
           "EAN modules are zint's around a given check digit");
}

void CheckCode39(const std::u16string& code, bool cd, std::string pattern) {
    pattern += '0'; // the gap after the last character cannot be seen
    const auto rows = test::PatternsOf(golden::kCode39);
    const std::u16string text = CharsOf(test::ValuesBetween(pattern, "", "", rows.data(), 44, 10), golden::kCode39);
    std::u16string want = u"*" + code;
    if (cd) {
        int sum = 0;
        for (const char16_t c : code)
            for (int v = 0; v < 43; ++v) sum += golden::kCode39[v].ch == c ? v : 0;
        want += golden::kCode39[sum % 43].ch;
    }
    Expect(text == want + u"*", "CODE39 reads back as its data");
}

void CheckNw7(const std::u16string& code, bool cd, char16_t start, char16_t stop, std::string pattern) {
    pattern += '0';
    const auto rows = test::PatternsOf(golden::kNw7);
    const auto values = test::ValuesBetween(pattern, "", "", rows.data(), 20, 8);
    const std::u16string text = CharsOf(values, golden::kNw7);
    Expect(text.size() >= 3 && text.front() == start && text.back() == stop, "NW-7 start and stop");
    const size_t check = cd ? 1 : 0;
    Expect(text.substr(1, text.size() - 2 - check) == code, "NW-7 reads back as its data");
    if (cd) {
        int sum = 0;
        for (const int v : values) sum += v;
        Expect(sum % 16 == 0, "NW-7 modulo-16 check");
    }
}

void CheckTwoOfFive(TBarTypes type, const std::u16string& code, bool cd, const std::string& pattern) {
    std::u16string want = code;
    if (cd || type == cbarIATA) want += Modulo10(code);
    std::u16string digits;
    if (type == cbarITF) {
        if (want.size() % 2 != 0) want = u"0" + want;
        const auto bars = Column(golden::kTwoOfFive, &golden::TwoOfFiveRow::itfBars);
        const auto spaces = Column(golden::kTwoOfFive, &golden::TwoOfFiveRow::itfSpaces);
        Expect(pattern.size() > 7 && pattern.starts_with("1010") && pattern.ends_with("301") &&
                   (pattern.size() - 7) % 10 == 0,
               "ITF frame");
        for (size_t i = 4; i + 3 < pattern.size(); i += 10) {
            std::string b, s;
            for (size_t e = 0; e < 5; ++e) b += pattern[i + 2 * e], s += pattern[i + 2 * e + 1];
            const auto first = std::find(bars.begin(), bars.end(), b), second = std::find(spaces.begin(), spaces.end(), s);
            digits += first == bars.end() ? u'?' : static_cast<char16_t>(u'0' + (first - bars.begin()));
            digits += second == spaces.end() ? u'?' : static_cast<char16_t>(u'0' + (second - spaces.begin()));
        }
    } else {
        const struct {
            std::string_view head, tail;
            std::string_view golden::TwoOfFiveRow::*column;
            size_t width;
        } k = type == cbarCTF    ? decltype(k){"303010", "30103", &golden::TwoOfFiveRow::ctfIata, 10}
              : type == cbarIATA ? decltype(k){"1010", "301", &golden::TwoOfFiveRow::ctfIata, 10}
              : type == cbarMATRIX ? decltype(k){"301010", "30101", &golden::TwoOfFiveRow::matrix, 6}
                                   : decltype(k){"3030", "123", &golden::TwoOfFiveRow::nec, 6};
        const auto rows = Column(golden::kTwoOfFive, k.column);
        digits = DigitsOf(test::ValuesBetween(pattern, k.head, k.tail, rows.data(), 10, k.width));
    }
    Expect(digits == want, "two-of-five reads back as its digits");
}

void CheckCustomer(const std::u16string& code, const std::string& columns) {
    // Two empty columns before the start's first bar, three after the stop's last.
    const auto values = test::CustomerValuesOf("00" + columns + "000");
    int sum = 0;
    for (const int v : values) {
        Expect(v >= 0, "customer barcode columns are characters");
        sum += v;
    }
    Expect(sum % 19 == 0, "customer barcode modulo-19 check");
    // The data as the reader sees it: digits, '-', letters from their two values, CC4 a space.
    std::u16string read;
    for (size_t i = 0; i + 1 < values.size(); ++i) {
        const int v = values[i];
        if (v <= 9) read += static_cast<char16_t>(u'0' + v);
        else if (v == 10) read += u'-';
        else if (v == 14) read += u' ';
        else if (v <= 13 && i + 2 < values.size() && values[i + 1] <= 9) read += static_cast<char16_t>(u'A' + (v - 11) * 10 + values[++i]);
        else Fail("customer barcode holds only digits, '-', letters and fillers");
    }
    // Of the first twenty characters those it can encode, in order; a letter with one place
    // left becomes a filler, and the rest of the twenty places are fillers.
    std::u16string want;
    size_t places = 0;
    for (size_t i = 0; i < std::min<size_t>(code.size(), 20) && places < 20; ++i) {
        const char16_t c = code[i];
        const bool letter = c >= u'A' && c <= u'Z';
        if (!(letter || c == u' ' || c == u'-' || (c >= u'0' && c <= u'9'))) continue;
        want += letter && places == 19 ? u' ' : c;
        places += letter && places < 19 ? 2 : 1;
    }
    for (size_t i = code.size(); i < 20 && places < 20; ++i, ++places) want += u' ';
    Expect(read == want, "customer barcode reads back as its address");
}

// CODE128 read back name by name in the set in force, typed as the user would type it.
void CheckCode128(const std::u16string& code, char16_t startChar, const std::string& pattern) {
    const auto values = test::Code128ValuesOf(pattern);
    Expect(values.size() >= 3 && values.front() == 103 + (startChar - u'A'), "CODE128 start in its set");
    long long sum = values.front();
    for (size_t p = 1; p + 1 < values.size(); ++p) {
        Expect(values[p] >= 0 && values[p] < 103, "CODE128 codewords");
        sum += static_cast<long long>(values[p]) * static_cast<long long>(p);
    }
    Expect(sum % 103 == values.back(), "CODE128 modulo-103 check");
    int set = values.front() - 103, shiftedFrom = -1;
    std::u16string typed;
    for (size_t p = 1; p + 1 < values.size(); ++p) {
        const int v = values[p];
        typed += test::Typed(golden::kCode128[v].name[set], set);
        if (v == 98 && set != 2) shiftedFrom = set, set = 1 - set;
        else if (v == 101 && set != 0) set = 0;
        else if (v == 100 && set != 1) set = 1;
        else if (v == 99 && set != 2) set = 2;
        else if (shiftedFrom >= 0) set = shiftedFrom, shiftedFrom = -1;
    }
    if (code.find_first_of(u"<>") == std::u16string::npos) {
        Expect(typed == code, "CODE128 reads back as its text");
    } else {
        // Names may be typed in other ways ("<shift>", ">A"); the read-back spelling must
        // make the same symbol.
        std::u16string symbol;
        Expect(EncodeCODE128({typed, false, startChar}, symbol) == pattern, "CODE128 read back encodes alike");
    }
}

void CheckCode93(const std::u16string& code, const std::string& pattern) {
    const auto values = test::Code93ValuesOf(pattern);
    Expect(values.size() >= 3, "CODE93 has data and two checks");
    std::u16string typed;
    for (size_t i = 0; i + 2 < values.size(); ++i) {
        Expect(values[i] >= 0, "CODE93 characters");
        typed += golden::kCode93[values[i]].typed;
    }
    Expect(typed == code, "CODE93 reads back as its text");
    // C weighs the data 1..20 from the right, K the data and C 1..15.
    int c = 0, k = 0;
    const size_t n = values.size() - 2;
    for (size_t i = 0; i < n; ++i) c += values[n - 1 - i] * static_cast<int>(i % 20 + 1);
    for (size_t i = 0; i <= n; ++i) k += values[n - i] * static_cast<int>(i % 15 + 1);
    Expect(values[n] == c % 47 && values[n + 1] == k % 47, "CODE93 checks C and K");
}

} // namespace
} // namespace zerbo::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zerbo;
    using namespace zerbo::barcode;
    using namespace zerbo::fuzz;
    FuzzedDataProvider in(data, size);
    const auto type = static_cast<TBarTypes>(in.ConsumeIntegralInRange<int>(0, kBarTypeCount - 1));
    const int scale = in.ConsumeIntegralInRange(1, 10);
    const int ratio = in.ConsumeIntegralInRange(20, 30);
    const int barLeft = in.ConsumeIntegralInRange(0, 40), barTop = in.ConsumeIntegralInRange(0, 40);
    const int spaceLeft = in.ConsumeIntegralInRange(0, 60), spaceRight = in.ConsumeIntegralInRange(0, 60);
    const int spaceUp = in.ConsumeIntegralInRange(0, 60), spaceDown = in.ConsumeIntegralInRange(0, 60);
    const int barHeight = in.ConsumeIntegralInRange(-10, 200);
    const int frame = in.ConsumeIntegralInRange(0, 100);
    const bool symbolDisp = in.ConsumeBool(), cd = in.ConsumeBool(), emf = in.ConsumeBool();
    const auto start = in.ConsumeIntegral<char16_t>(), stop = in.ConsumeIntegral<char16_t>();
    std::u16string code = TextOf(in.ConsumeRemainingBytesAsString());
    if (code.size() > kMaxCode) code.resize(kMaxCode);

    TBarImage image(nullptr);
    image.SetMatch(true);
    image.SetBarPicture(emf ? pbarEMF : pbarBMP);
    image.SetBarType(type);
    image.SetScale(static_cast<TSCale>(scale));
    image.SetElementRatio(static_cast<TElementRatio>(ratio));
    image.SetBarLeft(barLeft);
    image.SetBarTop(barTop);
    image.SetBarSpaceLeft(spaceLeft);
    image.SetBarSpaceRight(spaceRight);
    image.SetBarSpaceUp(spaceUp);
    image.SetBarSpaceDown(spaceDown);
    image.SetBarHeight(barHeight);
    image.SetBarFrame(static_cast<TFrameSize>(frame));
    image.SetSymbolDisp(symbolDisp);
    image.SetCD(cd);
    image.SetStartChar(start);
    image.SetStopChar(stop);
    image.SetCode(code);
    if (code.empty()) return 0;
    Expect(image.BarDisped() != image.Error(), "a code is either drawn or rejected");
    if (!image.BarDisped() || emf) return 0;

    // One row through the bars, clear of the frame: ITF's bearer box crosses the bars' top,
    // every other frame stays in the margins when they are wide enough (a thicker one is drawn
    // over the symbol, as asked).
    const int f = image.BarFrame();
    const int y = barTop + spaceUp + (type == cbarITF ? f : 0);
    if (f > 0 && (f > spaceLeft || f > spaceRight || (type != cbarITF && (f > spaceUp || f > spaceDown)))) return 0;
    const int x0 = barLeft + spaceLeft, x1 = x0 + image.BarWidth();
    const auto& bitmap = testing::BitmapOf(image);
    Expect(bitmap.Width() >= x1 + spaceRight && bitmap.Height() > y, "the picture holds the drawing");
    if (type == cbarCUSTOMER) {
        CheckCustomer(code, CustomerColumnsOf(bitmap, x0, x1, y, scale));
        return 0;
    }
    const auto runs = RunsOf(testing::RowOf(bitmap, y, x0, x1));
    switch (type) {
    case cbarJAN: case cbarUPC:
        CheckJanUpc(type, code, ModulesOf(runs, scale));
        break;
    case cbarCODE39:
        CheckCode39(code, cd, TwoWidthOf(runs, scale, ratio));
        break;
    case cbarNW7:
        CheckNw7(code, cd, image.StartChar(), image.StopChar(), TwoWidthOf(runs, scale, ratio));
        break;
    case cbarCODE128:
        CheckCode128(code, image.StartChar(), MultiWidthOf(runs, scale));
        break;
    case cbarCODE93:
        CheckCode93(code, MultiWidthOf(runs, scale));
        break;
    default:
        CheckTwoOfFive(type, code, cd, TwoWidthOf(runs, scale, ratio));
        break;
    }
    return 0;
}
