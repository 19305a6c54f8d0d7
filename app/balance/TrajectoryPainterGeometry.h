// Geometry of the trajectory drawing: where the COP points and the ellipse inscribed in the
// trajectory's rectangle go in a square drawing of the 50 x 50 plate.
#pragma once

#include <QPointF>
#include <QRect>
#include <vector>

#include "FrameCop.h"
#include "TrajectoryRect.h"

// Pixels per cell in a widget of width x height: the plate fills the largest square.
double pixelsPerCell(int width, int height);

// The trajectory's points with pressure scaled by scale (pixels per cell) to pixels, in frame
// order; the view draws them as points and as one polyline.
std::vector<QPointF> trajectoryPixels(const CopTrajectory& trajectory, double scale);

// The ellipse inscribed in the trajectory's rectangle: translate the painter to centre, rotate
// it by rotationDegrees and draw the ellipse in box.
struct InscribedEllipse {
    QPointF centre;
    double rotationDegrees = 0;
    QRect box;
};

// In pixels at scale pixels per cell, built from the rectangle's corners (the diagonals'
// intersection and the distances to two sides). Where the corners give no answer (one point, points
// on one line, a vertical diagonal), it is built from the rectangle's centre, size and angle
// instead.
InscribedEllipse inscribedEllipse(const TrajectoryRect& fitted, double scale);
