#pragma once
// The platform's clipboard viewer chain for TClipboardWatcher: a hidden message-only
// window that joins the chain and hands its chain messages to the watcher.
#include <memory>
#include <string>

#include "components/ClipboardWatcher.h"

namespace zerbo::win32 {

// A new hidden window of its own for one watcher.
std::unique_ptr<IClipboardChain> CreateClipboardChain();

// The application's error display: the message in a message box with the error icon.
void ShowErrorMessage(const std::u16string& message);

} // namespace zerbo::win32
