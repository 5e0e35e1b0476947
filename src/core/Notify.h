#pragma once
// The root of the component classes and the notify event that passes its sender.
#include <functional>

namespace zerbo {

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;
};

// A handler bound to whatever object the caller likes; it receives the component that fires it.
using TNotifyEvent = std::function<void(TObject* Sender)>;

} // namespace zerbo
