// Centre of pressure of one frame, in cell units.
#pragma once

#include <vector>

#include "PressureMatrix.h"

// A point in cell units: X along the columns, Y along the rows, both 1-based (the first column
// is X = 1). (0, 0) stands for a frame without pressure.
struct CopPoint {
    double x = 0;
    double y = 0;
};

// The COP of every frame of a recording, in frame order.
using CopTrajectory = std::vector<CopPoint>;

// Pressure-weighted mean of the 1-based column and row numbers of all cells; (0, 0) when no
// cell is pressed.
CopPoint frameCop(const PressureMatrix& frame);

// Whether p is the COP of a frame with pressure (a real COP has x, y >= 1).
inline bool hasPressure(const CopPoint& p) { return p.x > 0 || p.y > 0; }
