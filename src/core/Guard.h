#pragma once
// The guard at every boundary where control goes back to the platform: nothing may unwind
// through the system's frames or end the program by accident, so whatever escapes is shown.
#include <exception>
#include <utility>

#include "core/Error.h"

namespace zerbo {

// Runs body; an exception is shown in `show` (when there is one). True when none escaped.
template <typename Body>
bool Guarded(const TErrorDisplay& show, Body&& body) {
    try {
        std::forward<Body>(body)();
        return true;
    } catch (...) {
        if (show) show(DescribeException(std::current_exception()));
        return false;
    }
}

} // namespace zerbo
