#pragma once
// The platform's clipboard viewer chain for TClipboardWatcher: a hidden message-only
// window that joins the chain and hands its chain messages to the watcher.
#include <memory>
#include <string>

#include "components/ClipboardWatcher.h"

namespace zerbo::win32 {

// A new hidden window of its own for one watcher.
std::unique_ptr<IClipboardChain> CreateClipboardChain();

} // namespace zerbo::win32
