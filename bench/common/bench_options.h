// The one option the benchmark programs share.
#pragma once

#include <cstdlib>
#include <cstring>

// The value of "--seconds S" on the command line, or fallback.
inline double secondsOption(int argc, char** argv, double fallback) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--seconds") == 0) return std::atof(argv[i + 1]);
    return fallback;
}
