// Painting of the static view: the zone grid on the analysis image and the painted labels.
// Each label routine paints onto the label itself with a fresh painter.
#pragma once

#include <QColor>
#include <QPainter>
#include <QString>
#include <QWidget>
#include <vector>

#include "FootLocation.h"
#include "StaticAnalysis.h"

// Cells along each edge of the plate, and so of every analysis image.
constexpr int kPlateCells = PressureMatrix::kColumns;

// Side of the analysis image square in a box of width x height: the largest multiple of 50
// fitting width - 10 and height - 2, so that every cell is a whole number of pixels. 0 when
// the box is too small.
int analysisImageSide(int width, int height);

// Outlines the foot rectangle rect (cells, FeetRects convention) on an image with s pixels per
// cell, first in dark grey and then in zoneLine, and draws its zone grid with the zone numbers
// in zoneLine. Nothing is drawn for a rectangle 2 cells wide or high or less, or one that
// zoneAreas refuses.
void drawFootZones(QPainter& painter, FootSide side, const QRect& rect, int s,
                   const QColor& zoneLine);

// The left/right ratio bar: "total/share%" of each foot on its colour, or "0/0%" twice on
// white while neither foot carries load.
void paintRatioBar(QWidget* label, const StaticAnalysis& analysis, const QColor& leftColor,
                   const QColor& rightColor);

// Caption "结果(左)"/"结果(右)", the foot type and the foot outline picture of side; a missing
// picture leaves its place empty.
void paintResultLabel(QWidget* label, FootSide side, const QString& footType);

// Row of the share circles: front (zones 1-5), middle (zone 6), rear (zones 7-8).
enum class ShareRow { Front, Middle, Rear };

// A share circle of side with "share%" in it, at the label edge facing the foot image.
void paintShareCircle(QWidget* label, FootSide side, ShareRow row, int share);

// The analysis image at imagePath, fitted into the label, with a dark red line across each
// foot rectangle at every fraction of its height; white when the image is missing.
void paintImageWithLines(QWidget* label, const QString& imagePath, const StaticAnalysis& analysis,
                         const std::vector<double>& fractions);

// The classification scale picture with the five foot types and the arch index limits
// written onto it; empty when the picture is missing.
void paintClassificationScale(QWidget* label);

// The region panel: each foot's share, the front and rear shares of both feet and the
// front-half and rear-half shares of each foot.
void paintRegionPanel(QWidget* label, const StaticAnalysis& analysis);
