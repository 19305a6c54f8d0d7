// Diagnostic lines on standard output, flushed at once so that they keep their order with
// other output of the program.
#pragma once

#include <cstdarg>
#include <cstdio>

namespace tavlo {

inline void __attribute__((format(printf, 1, 2))) consoleLine(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    std::fflush(stdout);
}

}  // namespace tavlo
