// The two tables of the balance view: zone loads of the shown frame and the sway figures.
#pragma once

#include <QString>

#include "AnalysisResults.h"
#include "FrameZoneLoads.h"

class QTableWidget;

// Heading row, column heads and zone names of the per-frame table (11 x 3).
void setupFramePressureTable(QTableWidget* table);
// Heading row, column heads and figure names of the parameter table (10 x 2).
void setupParameterTable(QTableWidget* table);

// Column widths of the per-frame table for its current width.
void fitFramePressureColumns(QTableWidget* table);

// Writes the left and right zone loads into columns 1 and 2.
void fillFramePressureTable(QTableWidget* table, const std::array<FootZoneKilograms, 2>& loads);
// Writes the eight figures into column 1; when the ellipse could not be computed its three rows
// say why instead of showing 0.
void fillParameterTable(QTableWidget* table, const AnalysisResults& results, bool ellipseComputed,
                        const QString& ellipseProblem);
