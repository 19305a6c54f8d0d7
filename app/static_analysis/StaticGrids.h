// The representative grids of a standing recording: the heaviest frame, the peak grid shown to
// the user and the mean grid that every figure is measured on.
#pragma once

#include <cstdint>
#include <vector>

#include "PressureMatrix.h"

struct StaticGrids {
    // Index (0-based, file order) of the frame with the largest sum of readings; among equal
    // sums the earliest wins, so an all-zero recording chooses frame 0.
    int chosenFrame = 0;
    // That frame's sum of readings.
    std::int64_t chosenFrameSum = 0;
    // 80 % of the highest reading every cell reached, truncated toward zero.
    PressureMatrix peakGrid;
    // Per cell, the 32-bit sum over all frames divided by the frame count (integer division).
    PressureMatrix meanGrid;
};

// Builds the grids from the frames in file order, in one pass over the frames.
// Throws std::invalid_argument when frames is empty: there is nothing to choose from.
StaticGrids computeStaticGrids(const std::vector<PressureMatrix>& frames);
