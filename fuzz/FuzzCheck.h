#pragma once
// What every fuzz target shares: a failed property aborts, so libFuzzer keeps the input as a
// crash, and the input's bytes become the texts the program is handed.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace zerbo::fuzz {

[[noreturn]] inline void Fail(const char* property) {
    std::fprintf(stderr, "zerbo fuzz: property failed: %s\n", property);
    std::abort();
}

inline void Expect(bool holds, const char* property) {
    if (!holds) Fail(property);
}

// Two bytes a character, low byte first: any UTF-16 text, unpaired surrogates and NUL included.
inline std::u16string Utf16Of(std::string_view bytes) {
    std::u16string text;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8);
    return text;
}

// One byte a character (U+0000 to U+00FF): the ASCII options, data and commands most tests
// of a parser need, reached far sooner than through UTF-16.
inline std::u16string Latin1Of(std::string_view bytes) {
    std::u16string text;
    for (const char b : bytes) text += static_cast<char16_t>(static_cast<unsigned char>(b));
    return text;
}

// Latin-1 or UTF-16, as the first byte chooses.
inline std::u16string TextOf(std::string_view bytes) {
    if (bytes.empty()) return {};
    return (bytes[0] & 1) ? Utf16Of(bytes.substr(1)) : Latin1Of(bytes.substr(1));
}

} // namespace zerbo::fuzz
