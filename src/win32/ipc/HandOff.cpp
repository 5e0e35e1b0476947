#include "win32/ipc/HandOff.h"

#include <span>

#include "app/HandOff.h"
#include "win32/base/WideText.h"

namespace zerbo::win32 {

namespace {

constexpr wchar_t kInstanceMutex[] = L"hZerbo";
constexpr wchar_t kWindowClass[] = L"TZerbocode";
constexpr wchar_t kWindowTitle[] = L"Zerbo";
constexpr wchar_t kSenderLock[] = L"Zerbo.HandOff.Lock";
constexpr wchar_t kTextRead[] = L"Zerbo.HandOff.Read";
// How long a sender waits for its turn, for the receiver to finish the hand-off before,
// and for the receiver to read its own text.
constexpr DWORD kTurnWaitMs = 60000;
constexpr DWORD kReadWaitMs = 10000;

// The block mapped into this process; empty when it cannot be had.
struct TBlock {
    TKernelObject mapping;
    TMappedView view;

    TBlock()
        : mapping(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                     static_cast<DWORD>(app::kHandOffBlockSize),
                                     wide(std::u16string_view(app::kHandOffBlockName))))  {
        if (mapping) view.Reset(MapViewOfFile(mapping.Get(), FILE_MAP_ALL_ACCESS, 0, 0, app::kHandOffBlockSize));
    }
    explicit operator bool() const { return static_cast<bool>(view); }
    std::span<uint8_t, app::kHandOffBlockSize> bytes() const {
        return std::span<uint8_t, app::kHandOffBlockSize>(static_cast<uint8_t*>(view.Get()), app::kHandOffBlockSize);
    }
};

} // namespace

std::optional<TSingleInstance> TSingleInstance::Claim() {
    if (const TKernelObject other(OpenMutexW(MUTEX_ALL_ACCESS, FALSE, kInstanceMutex)); other) return std::nullopt;
    HANDLE mutex = CreateMutexW(nullptr, FALSE, kInstanceMutex);
    // Two first starts at once: the one that created it second hands off.
    if (mutex && GetLastError() == ERROR_ALREADY_EXISTS) {
        const TKernelObject lost(mutex);
        return std::nullopt;
    }
    return TSingleInstance(mutex);
}

bool HandOffToRunningInstance(const std::vector<std::u16string>& args) {
    const HWND window = FindWindowW(kWindowClass, kWindowTitle);
    if (!window) return false;
    if (args.empty()) return PostMessageW(window, app::kHandOffMessage, 0, 0) != 0;

    const TKernelObject lock(CreateMutexW(nullptr, FALSE, kSenderLock));
    const TMutexOwnership turn(lock.Get(), kTurnWaitMs);
    if (!turn.Owned()) return false;
    const TBlock block;
    if (!block) return false;
    // The receiver finishes the hand-off before (it may pause, "/D:"); then the block is ours.
    for (const DWORD start = GetTickCount(); app::BusyWord(block.bytes()) == app::kHandOffBusy;) {
        if (GetTickCount() - start > kTurnWaitMs) return false;
        Sleep(1);
    }
    const TKernelObject read(CreateEventW(nullptr, FALSE, FALSE, kTextRead));
    if (!read) return false;
    ResetEvent(read.Get());
    app::WriteHandOffText(block.bytes(), app::JoinHandOffArguments(args));
    if (!PostMessageW(window, app::kHandOffMessage, app::kHandOffTextWaits, 0)) return false;
    return WaitForSingleObject(read.Get(), kReadWaitMs) == WAIT_OBJECT_0;
}

void ReceiveHandOff(const std::function<void(const std::u16string&)>& process) {
    const TBlock block;
    if (!block) return;
    const auto bytes = block.bytes();
    app::SetBusyWord(bytes, app::kHandOffBusy);
    // Not busy any more however the processing ends: later senders wait for this.
    struct TDone {
        std::span<uint8_t, app::kHandOffBlockSize> bytes;
        ~TDone() { app::SetBusyWord(bytes, 0); }
    } done{bytes};
    const std::u16string text = app::ReadHandOffText(bytes);
    // A sender that speaks only the block and the message has no event: nobody waits then.
    if (const TKernelObject read(OpenEventW(EVENT_MODIFY_STATE, FALSE, kTextRead)); read) SetEvent(read.Get());
    process(text);
}

} // namespace zerbo::win32
