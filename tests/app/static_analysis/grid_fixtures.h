// Small hand-made grids for the static analysis tests.
#pragma once

#include <initializer_list>

#include "PressureMatrix.h"

// Sets value in rows [top, bottom] and columns [left, right] (inclusive).
inline void fillBlock(PressureMatrix& grid, int top, int left, int bottom, int right,
                      std::uint16_t value) {
    for (int r = top; r <= bottom; ++r) {
        for (int c = left; c <= right; ++c) {
            grid.at(r, c) = value;
        }
    }
}

// Sets value in `count` consecutive cells of row starting at column.
inline void fillRun(PressureMatrix& grid, int row, int column, int count, std::uint16_t value) {
    fillBlock(grid, row, column, row, column + count - 1, value);
}

inline PressureMatrix gridWithCell(int row, int column, std::uint16_t value) {
    PressureMatrix grid;
    grid.at(row, column) = value;
    return grid;
}

inline int nonzeroCells(const PressureMatrix& grid) {
    int count = 0;
    for (const auto v : grid.values) {
        count += v != 0;
    }
    return count;
}
