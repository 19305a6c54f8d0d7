// The orientation of the frames the plate SDK delivers: the plate's frame turned a quarter
// turn counter-clockwise, so the caller's cell (row i, column j) is the plate's cell
// (j, 49 - i). The one place that says so; the SDK, the plate emulator, the tests and the
// benchmarks all turn frames through it.
#pragma once

namespace pladex {

constexpr int kGridSide = 50;

// Index, in the plate's row-major order, of the caller's cell at row, column.
constexpr int plateIndexOfCallerCell(int row, int column) {
    return kGridSide * column + (kGridSide - 1 - row);
}

}  // namespace pladex
