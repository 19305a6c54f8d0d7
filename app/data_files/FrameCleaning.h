// Removes sensor noise from a stored frame before it is analysed or played back.
#pragma once

#include "PressureMatrix.h"

// Cleans matrix in place, cell by cell in row-major order: a value below 2 becomes 0; the
// outer ring of cells becomes 0; any other nonzero cell becomes 0 when its neighbours on the
// left, on the right and the three below are all 0 and at least one of the cells above and
// above-right is 0. Neighbours are read as the matrix stands at that moment, so the row above
// and the cell on the left are already cleaned while the cell on the right and the row below
// still hold what was read.
void cleanFrame(PressureMatrix& matrix);
