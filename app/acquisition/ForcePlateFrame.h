// One pressure frame as the program receives it from the plate SDK.
#pragma once

#include <QMetaType>

#include "libPladex.h"

// 50 x 50 cells, row-major (cell 50 * row + column), in the grid that LibPladex_GetFrame
// delivers. The row and column fields inside a cell are the plate's own indices and are not
// used for placement. Values are raw 16-bit readings.
struct ForcePlateFrame_TypeDef {
    PressureCell cells[LIBPLADEX_CELLS];
};
static_assert(sizeof(ForcePlateFrame_TypeDef) == 40000, "a frame is 2500 cells of 16 bytes");

Q_DECLARE_METATYPE(ForcePlateFrame_TypeDef)
Q_DECLARE_TYPEINFO(ForcePlateFrame_TypeDef, Q_MOVABLE_TYPE);

// Makes the frame type known to queued signal connections under its own name.
void registerForcePlateFrameMetaType();
