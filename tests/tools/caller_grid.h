// The frame as the receiving program sees it: the plate's frame turned a quarter turn
// counter-clockwise, caller cell (i, j) = plate cell (j, 49 - i).
#pragma once

#include <array>

#include "PladexGrid.h"
#include "plate_datagram.h"

namespace toolstest {

using CallerGrid = std::array<std::array<int, plate::kGridSide>, plate::kGridSide>;

inline CallerGrid callerGrid(const plate::SourceFrame& source) {
    CallerGrid grid{};
    for (int i = 0; i < plate::kGridSide; ++i) {
        for (int j = 0; j < plate::kGridSide; ++j) {
            grid[i][j] = source[pladex::plateIndexOfCallerCell(i, j)];
        }
    }
    return grid;
}

}  // namespace toolstest
