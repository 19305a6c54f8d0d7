// The X–Y sway plot of a recording in mm: equal scales on both axes, centred on the mean, the
// trajectory, the 95 % prediction ellipse, round ticks and the axis labels "左右 ML (mm)" and
// "前后 AP (mm)". One painting function for the program's plot and the report's page, so
// both show the same picture (vector lines in a PDF).
#pragma once

#include <QPointF>
#include <QRectF>

#include "Posturography.h"

class QPainter;

// Zoom (1 = the whole trajectory and ellipse fit) and the plot's centre in mm.
struct SwayPlotView {
    double zoom = 1.0;
    QPointF centreMm;
};

// The half-width in mm that the plot shows at zoom 1: the trajectory and the ellipse with a
// margin, rounded up to a round number, at least 1 mm.
double swayPlotHalfSpanMm(const PosturographyResults& results);

// Paints the plot into target (white background, frame, grid, ticks, labels).
void paintSwayPlot(QPainter& painter, const QRectF& target, const PosturographyResults& results,
                   const SwayPlotView& view = {});
