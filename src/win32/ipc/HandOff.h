#pragma once
// One running Zerbo per log-on: the first start holds the mutex "hZerbo"; a second start
// hands its arguments to the running window through the shared block "Zerbo" and its
// message, then ends without a window.
//
// Beyond the block and the message, which other programs may speak too, two named objects
// make the hand-off safe: a lock that lets one second start at a time write, post and wait,
// and an event by which the receiver says that it has read the text, so that the sender
// keeps the block alive until then (the block lives only while some process has it open).
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "win32/base/Handles.h"

namespace zerbo::win32 {

class TSingleInstance {
public:
    // The instance's mutex, or nothing when another instance holds it already.
    static std::optional<TSingleInstance> Claim();

private:
    explicit TSingleInstance(HANDLE mutex) : mutex_(mutex) {}
    TKernelObject mutex_;
};

// The second start's side: true once the running window has read the arguments (or has
// been told of a start without any); false when no running window was found (it is still
// starting or already closing) or it did not read them in time.
bool HandOffToRunningInstance(const std::vector<std::u16string>& args);

// The running window's side of the message: the block opened and marked busy while
// `process` runs with the text, the sender told as soon as the text is read. A block that
// cannot be opened drops the hand-off.
void ReceiveHandOff(const std::function<void(const std::u16string&)>& process);

} // namespace zerbo::win32
