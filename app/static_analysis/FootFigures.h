// Load figures and arch classification of one foot.
#pragma once

#include <QString>

#include "FootLocation.h"
#include "FootRecord.h"
#include "PressureMatrix.h"
#include "ZoneLoads.h"

// Area of one sensor cell, 7 mm x 7 mm.
constexpr int kCellAreaMm2 = 49;

// Foot type of an arch index (zone 6 as a whole percentage of the foot's load): below 5
// "高足弓", 5-9 "轻微高足弓", 10-19 "正常足", 20-27 "轻微扁平足", 28 and above "扁平足".
QString footTypeForArchIndex(int archIndex);

// Sets the load figures of record from its zone loads: zones, zoneSum, total, front, middle,
// rear, footType, frontHalfLoad, frontHalfShare and rearHalfShare; the other fields are kept.
// A foot without load (an empty or incomplete map, or a zero sum) gets zero figures and the
// default foot type.
void setLoadFigures(FootRecord& record, const ZoneLoadMap& loads);

// Fills contactArea, averagePressure and maxPressure from the nonzero cells of side's half of
// the cleaned mean grid; the average uses record.zoneSum, so set the load figures first.
void setContactFigures(FootRecord& record, const PressureMatrix& cleanedGrid, FootSide side);

// The contact area as the view labels it: "<area>mm²".
QString contactAreaText(int areaMm2);
