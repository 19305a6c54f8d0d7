// The per-frame zone loads of both feet in kilograms, as the balance view's frame table shows
// them.
#pragma once

#include <array>

#include "FootLocation.h"
#include "PressureMatrix.h"

// Raw zone units per kilogram: value / 12.5 * 0.00122070312 kg.
double zoneLoadKilograms(double rawLoad);

// Row 0 is the sum of the eight zones, rows 1..8 the zones "section_1_key" ... "section_8_key".
using FootZoneKilograms = std::array<double, 9>;

// Locates the feet on a copy of frame (at least 4 cells per row and column) and returns the
// zone loads of each foot, indexed by FootSide. A side without a usable foot is all zeros.
std::array<FootZoneKilograms, 2> frameZoneKilograms(const PressureMatrix& frame);
