#pragma once
// The hand-off between a second start of the program and the running one: the shared block
// "Zerbo" and the message that tells the running window of it. Other programs may speak
// this too, so its names, size, layout and numbers stay as they are.
//
//   offset 0   4 bytes     BusyWord: 1234 while the receiver processes a hand-off, else 0
//   offset 4   2044 bytes  HandOffText: UTF-16LE, the arguments joined with CR LF, ended
//                          by a zero character
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zerbo::app {

inline constexpr char16_t kHandOffBlockName[] = u"Zerbo";
inline constexpr size_t kHandOffBlockSize = 2048;
inline constexpr size_t kHandOffTextOffset = 4;
inline constexpr uint32_t kHandOffBusy = 1234;
// WM_USER + 0x1FE, posted to the window of class "TZerboCode" and title "Zerbo".
inline constexpr uint32_t kHandOffMessage = 0x5FE;
// The message's wParam when a text waits in the block; 0 for a start without arguments.
inline constexpr uintptr_t kHandOffTextWaits = 0xFFFF;

// The arguments of a second start as the block carries them: one per line, CR LF between.
std::u16string JoinHandOffArguments(const std::vector<std::u16string>& args);

uint32_t BusyWord(std::span<const uint8_t, kHandOffBlockSize> block);
void SetBusyWord(std::span<uint8_t, kHandOffBlockSize> block, uint32_t value);

// Writes the text with its terminating zero, cut so that both fit; BusyWord is untouched.
void WriteHandOffText(std::span<uint8_t, kHandOffBlockSize> block, std::u16string_view text);
// The text up to its terminating zero, or to the block's end when there is none.
std::u16string ReadHandOffText(std::span<const uint8_t, kHandOffBlockSize> block);

} // namespace zerbo::app
