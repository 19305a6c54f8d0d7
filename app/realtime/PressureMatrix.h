// One pressure frame as the renderer, the analyses and the recorded data files hold it.
#pragma once

#include <array>
#include <cstdint>

#include "ForcePlateFrame.h"

// 50 rows of 50 raw readings, row-major (index = 50 * row + column); 5000 bytes, the frame
// record of a data file.
struct PressureMatrix {
    static constexpr int kRows = 50;
    static constexpr int kColumns = 50;
    static constexpr int kCells = kRows * kColumns;

    std::array<std::uint16_t, kCells> values{};

    std::uint16_t& at(int row, int column) { return values[kColumns * row + column]; }
    std::uint16_t at(int row, int column) const { return values[kColumns * row + column]; }
};
static_assert(sizeof(PressureMatrix) == 5000, "a matrix is 2500 values of 16 bits");
static_assert(PressureMatrix::kCells == LIBPLADEX_CELLS, "a matrix holds one frame");

// The frame's readings unchanged: the low 16 bits of every cell, in frame position order.
// This is what the live view renders.
PressureMatrix toPressureMatrix(const ForcePlateFrame_TypeDef& frame);
