#include "app/QRText.h"

#include "core/Convert.h"
#include "core/Error.h"

namespace zerbo::app {

namespace {

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Bytes as text for a message: code page 932 where they form it, else one by one.
std::u16string bytesForMessage(IComponentPlatform& platform, std::string_view bytes) {
    if (auto text = platform.DecodeCp932(bytes)) return *text;
    std::u16string text;
    for (const char b : bytes) text += static_cast<char16_t>(static_cast<unsigned char>(b));
    return text;
}

} // namespace

std::string ToAnsi(IComponentPlatform& platform, std::u16string_view text) {
    if (auto whole = platform.EncodeCp932(text)) return *whole;
    // Some character has no form in the code page: convert piece by piece so only that one
    // is substituted. ASCII is the same in code page 932.
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] < 0x80) {
            out += static_cast<char>(text[i]);
            ++i;
            continue;
        }
        const size_t n = isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1]) ? 2 : 1;
        if (auto piece = platform.EncodeCp932(text.substr(i, n)))
            out += *piece;
        else
            out += '?';
        i += n;
    }
    return out;
}

std::string DecodeQREscapes(IComponentPlatform& platform, std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    size_t i = 0;
    while (i < bytes.size()) {
        if (bytes[i] != '%') {
            out += bytes[i++];
            continue;
        }
        if (i + 1 < bytes.size() && bytes[i + 1] == '%') {
            out += '%';
            i += 2;
            continue;
        }
        // At most two characters follow; StrToInt raises the platform's message for the rest.
        const std::string_view digits = bytes.substr(i + 1, 2);
        const int32_t v = StrToInt(u"$" + bytesForMessage(platform, digits));
        if (v < 0x80)
            out += static_cast<char>(v);
        else
            out += ToAnsi(platform, std::u16string(1, static_cast<char16_t>(v)));
        i += 3;
    }
    return out;
}

std::u16string QRStatusText(int32_t result) {
    switch (result) {
    case 0: return u"";
    case -1: return u"ＱＲ：バージョン指定エラー";
    case -2: return u"ＱＲ：誤り訂正レベル指定エラー";
    case -3: return u"ＱＲ：文字数オーバー";
    case -4: return u"ＱＲ：エンコードエラー";
    default: return u"ＱＲ：その他のエラー";
    }
}

void PaintQRModules(gfx::TCanvas& canvas, const int32_t* modules, int s, TColor bar, TColor back) {
    const int w = modules[0];
    canvas.Brush.Style = gfx::bsSolid;
    canvas.Brush.Color = back;
    canvas.FillRect({0, 0, w * s + 1, w * s + 1});
    if (s <= 0) return;
    canvas.Brush.Color = bar;
    for (int y = 0; y < w; ++y) {
        const int32_t* row = modules + 1 + static_cast<std::ptrdiff_t>(y) * w;
        int x = 0;
        while (x < w) {
            if (row[x] < 1) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < w && row[x] >= 1) ++x;
            canvas.FillRect({start * s, y * s, x * s, y * s + s});
        }
    }
}

} // namespace zerbo::app
