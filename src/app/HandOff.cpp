#include "app/HandOff.h"

#include <algorithm>

namespace zerbo::app {

namespace {

constexpr size_t kTextUnits = (kHandOffBlockSize - kHandOffTextOffset) / 2;

} // namespace

std::u16string JoinHandOffArguments(const std::vector<std::u16string>& args) {
    std::u16string text;
    for (size_t i = 0; i < args.size(); ++i) {
        if (i > 0) text += u"\r\n";
        text += args[i];
    }
    return text;
}

uint32_t BusyWord(std::span<const uint8_t, kHandOffBlockSize> block) {
    return static_cast<uint32_t>(block[0]) | static_cast<uint32_t>(block[1]) << 8 |
           static_cast<uint32_t>(block[2]) << 16 | static_cast<uint32_t>(block[3]) << 24;
}

void SetBusyWord(std::span<uint8_t, kHandOffBlockSize> block, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) block[i] = static_cast<uint8_t>(value >> (8 * i));
}

void WriteHandOffText(std::span<uint8_t, kHandOffBlockSize> block, std::u16string_view text) {
    const size_t n = std::min(text.size(), kTextUnits - 1);
    for (size_t i = 0; i <= n; ++i) {
        const char16_t c = i < n ? text[i] : u'\0';
        block[kHandOffTextOffset + 2 * i] = static_cast<uint8_t>(c);
        block[kHandOffTextOffset + 2 * i + 1] = static_cast<uint8_t>(c >> 8);
    }
}

std::u16string ReadHandOffText(std::span<const uint8_t, kHandOffBlockSize> block) {
    std::u16string text;
    for (size_t i = 0; i < kTextUnits; ++i) {
        const auto c = static_cast<char16_t>(block[kHandOffTextOffset + 2 * i] | block[kHandOffTextOffset + 2 * i + 1] << 8);
        if (c == u'\0') break;
        text += c;
    }
    return text;
}

} // namespace zerbo::app
