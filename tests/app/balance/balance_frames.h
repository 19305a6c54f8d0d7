// Hand-made frames for the balance tests.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "PressureMatrix.h"

namespace balancetest {

struct PressedCell {
    int row;
    int column;
    std::uint16_t value;
};

inline PressureMatrix frameWith(std::initializer_list<PressedCell> cells) {
    PressureMatrix frame;
    for (const PressedCell& c : cells) frame.at(c.row, c.column) = c.value;
    return frame;
}

// A frame whose COP is exactly the cell (row, column): COP (column + 1, row + 1).
inline PressureMatrix frameAt(int row, int column) { return frameWith({{row, column, 1000}}); }

inline const PressureMatrix kEmptyFrame{};

}  // namespace balancetest
