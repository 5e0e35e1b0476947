// The QR text path: the data string in code page 932 and the "%" escapes of the special mode.
// A converted text is valid code page 932 with one character for each one given (those
// without a form there as "?"), and converting it again changes nothing; bytes written as
// escapes come back; any other text decodes or raises the program's own conversion error.
#include <fuzzer/FuzzedDataProvider.h>

#include "AppWindow.h"
#include "app/QRText.h"
#include "components/PosixPlatform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zerbo;
    using namespace zerbo::fuzz;
    static TPosixPlatform platform;
    FuzzedDataProvider in(data, size);

    const std::u16string text = TextOf(in.ConsumeRandomLengthString(512));
    const std::string ansi = app::ToAnsi(platform, text);
    const auto back = platform.DecodeCp932(ansi);
    Expect(back.has_value(), "the conversion gives code page 932");
    size_t characters = 0;
    for (size_t i = 0; i < text.size(); ++i, ++characters)
        if (text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) ++i;
    Expect(back->size() == characters, "one character in code page 932 for each one given");
    Expect(app::ToAnsi(platform, *back) == ansi, "converting again changes nothing");

    // Bytes written with escapes: "%%" for "%", some ASCII as "%hh" in either case.
    const std::string bytes = in.ConsumeRandomLengthString(256);
    std::string escaped;
    for (const char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        if (b == '%') {
            escaped += "%%";
        } else if (u < 0x80 && in.ConsumeBool()) {
            const char* hex = in.ConsumeBool() ? "0123456789ABCDEF" : "0123456789abcdef";
            escaped += {'%', hex[u >> 4], hex[u & 15]};
        } else {
            escaped += b;
        }
    }
    std::string decoded;
    Expect(OnlyOwnErrors([&] { decoded = app::DecodeQREscapes(platform, escaped); }) && decoded == bytes,
           "escaped bytes come back");

    const std::string any = in.ConsumeRemainingBytesAsString();
    OnlyOwnErrors([&] { app::DecodeQREscapes(platform, any); });
    return 0;
}
