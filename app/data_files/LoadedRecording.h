// One recorded data file in memory, as the analyses and playback use it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "PressureMatrix.h"

struct LoadedRecording {
    std::string name;                    // the header's tag, up to its first NUL (at most 19 bytes)
    std::uint16_t frameRate = 200;       // frames per second
    std::int32_t frameCount = 0;         // number of frames read
    std::int32_t measureMode = 0;        // 0 eyes open, 1 eyes closed
    std::vector<PressureMatrix> frames;  // in file order, cleaned (cleanFrame)
};
