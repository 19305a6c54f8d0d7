// Separation of the two standing feet on a grid, with removal of the noise around them.
#pragma once

#include <QRect>
#include <array>

#include "PressureMatrix.h"

// Columns 0-24 hold the left foot, columns 25-49 the right one. The numeric values are the
// side numbers the analyses have always used (0 = left, 1 = right) and index FeetRects.
enum FootSide : int { kLeftFoot = 0, kRightFoot = 1 };
constexpr std::array<FootSide, 2> kFootSides{kLeftFoot, kRightFoot};

// First column of a side's half of the plate; each half is 25 columns wide.
constexpr int kHalfColumns = PressureMatrix::kColumns / 2;
constexpr int firstColumnOf(FootSide side) { return side == kLeftFoot ? 0 : kHalfColumns; }

// Foot rectangles indexed by FootSide. A rectangle is (first column, top row, last column -
// first column, bottom row - top row): x + w and y + h are the last cells of the foot, not
// one past them. An edge that was not found is -1, so a side without a foot is (-1, -1, 0, 0)
// and a foot without a bottom row in rows 25-49 has y + h + 1 = 0.
using FeetRects = std::array<QRect, 2>;

// The cells every caller asks for in a row or column before it counts as foot.
constexpr int kFootMinCells = 4;

// Finds the rectangle of each foot and wipes (sets to 0), in place, the rows and columns
// outside it that hold fewer than minCells nonzero cells: top rows from row 0 down, bottom
// rows from row 49 up to row 25, first columns from the left, last columns from the right,
// each step on the grid as the previous one left it. When all four edges of a half are found,
// no nonzero cell of that half remains outside its rectangle.
FeetRects locateFeet(PressureMatrix& grid, int minCells);
