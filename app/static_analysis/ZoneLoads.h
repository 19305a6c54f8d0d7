// The eight plantar zones of one foot and their loads.
#pragma once

#include <QRect>
#include <map>
#include <string>
#include <vector>

#include "FootLocation.h"
#include "PressureMatrix.h"

// Zone loads by "section_1_key" ... "section_8_key"; either empty or holding all eight keys.
using ZoneLoadMap = std::map<std::string, double>;

constexpr int kZoneCount = 8;

// "section_<zone>_key" for zone 1..8.
std::string zoneLoadKey(int zone);

// Sub-steps per cell edge for every reported figure. Fixed, so that the figures of a recording
// never depend on the size at which its image happens to be drawn.
constexpr int kFigureSubdivision = 10;

// One zone on the lattice of s x s sub-cells per cell: sub-cell columns [left, right) and rows
// [top, bottom). With s = pixels per cell of a drawn image these are its pixel edges.
struct ZoneArea {
    int zone = 0;
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
};

// The eight zones of a foot rectangle (inclusive convention of FeetRects), band by band from
// the top and left to right within a band. Bands are 0-20-40-70-100 % of the height; zones 1,
// 3 and 7 lie on the side facing the other foot, so the left layout mirrors the right one.
// Neighbouring zones share their computed borders, so the areas tile the rectangle.
// Returns an empty list when the rectangle is refused: s < 1; s*x, s*y, s*(x+w+1) or s*(y+h+1)
// at most 2 (no foot, no bottom row, or a foot starting in column or row 0); or cells outside
// the 50 x 50 grid.
std::vector<ZoneArea> zoneAreas(FootSide side, const QRect& rect, int s);

// Loads of the eight zones on grid (raw units): each sub-cell carries value / s / s of its
// cell, summed sub-cell column by column, and each zone is truncated toward zero to hundredths.
// Empty when zoneAreas refuses the rectangle.
ZoneLoadMap computeZoneLoads(const PressureMatrix& grid, FootSide side, const QRect& rect, int s);
