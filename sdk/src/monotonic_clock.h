// Milliseconds of the system's monotonic clock. Only differences are meaningful; the absolute
// value is large (time since boot), so a rate window that starts at zero opens at once.
#pragma once

#include <chrono>

namespace pladex {

inline double monotonicMilliseconds() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace pladex
