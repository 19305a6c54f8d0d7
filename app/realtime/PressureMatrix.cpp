#include "PressureMatrix.h"

PressureMatrix toPressureMatrix(const ForcePlateFrame_TypeDef& frame) {
    PressureMatrix matrix;
    for (int i = 0; i < PressureMatrix::kCells; ++i) {
        matrix.values[i] = static_cast<std::uint16_t>(frame.cells[i].value);
    }
    return matrix;
}
