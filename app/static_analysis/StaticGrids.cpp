#include "StaticGrids.h"

#include <algorithm>
#include <array>
#include <stdexcept>

StaticGrids computeStaticGrids(const std::vector<PressureMatrix>& frames) {
    if (frames.empty()) {
        throw std::invalid_argument("static analysis needs at least one frame");
    }
    StaticGrids grids;
    PressureMatrix highest;
    // 32-bit sums on purpose: the mean keeps the arithmetic of the recorded analyses.
    std::array<std::uint32_t, PressureMatrix::kCells> cellSums{};
    for (std::size_t f = 0; f < frames.size(); ++f) {
        const auto& values = frames[f].values;
        // 2500 readings of at most 65535 fit in 32 bits; the running best needs 64.
        std::uint32_t frameSum = 0;
        for (int i = 0; i < PressureMatrix::kCells; ++i) {
            const std::uint16_t v = values[i];
            frameSum += v;
            cellSums[i] += v;
            highest.values[i] = std::max(highest.values[i], v);
        }
        if (frameSum > grids.chosenFrameSum) {
            grids.chosenFrameSum = frameSum;
            grids.chosenFrame = static_cast<int>(f);
        }
    }
    const auto frameCount = static_cast<std::uint32_t>(frames.size());
    for (int i = 0; i < PressureMatrix::kCells; ++i) {
        grids.peakGrid.values[i] = static_cast<std::uint16_t>(highest.values[i] * 0.8);
        grids.meanGrid.values[i] = static_cast<std::uint16_t>(cellSums[i] / frameCount);
    }
    return grids;
}
