#include "TrajectoryPainterGeometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace {

struct EllipseAxes {
    QPointF centre;
    double u = 0;  // semi-axis along the rectangle's width
    double v = 0;  // semi-axis along its height
};

// Distance from c to the line through p and q; |p - q| must not be 0.
double distanceToLine(QPointF c, QPointF p, QPointF q, double length) {
    return std::fabs((p.y() - q.y()) * c.x() - (p.x() - q.x()) * c.y() +
                     (q.y() * p.x() - q.x() * p.y())) /
           length;
}

std::optional<EllipseAxes> fromCorners(const std::array<QPointF, 4>& p) {
    const double dx02 = p[0].x() - p[2].x();
    const double dx13 = p[1].x() - p[3].x();
    const double side01 = std::hypot(p[0].x() - p[1].x(), p[0].y() - p[1].y());
    const double side03 = std::hypot(p[0].x() - p[3].x(), p[0].y() - p[3].y());
    if (dx02 == 0 || dx13 == 0 || side01 == 0 || side03 == 0) return std::nullopt;
    const double k02 = (p[0].y() - p[2].y()) / dx02;
    const double k13 = (p[1].y() - p[3].y()) / dx13;
    if (k02 == k13) return std::nullopt;  // parallel diagonals: all corners on one line

    EllipseAxes axes;
    const double cx = ((p[1].y() - k13 * p[1].x()) - (p[0].y() - k02 * p[0].x())) / (k02 - k13);
    axes.centre = {cx, p[0].y() - k02 * p[0].x() + k02 * cx};
    axes.u = distanceToLine(axes.centre, p[0], p[1], side01);
    axes.v = distanceToLine(axes.centre, p[0], p[3], side03);
    if (!std::isfinite(axes.centre.x()) || !std::isfinite(axes.centre.y()) ||
        !std::isfinite(axes.u) || !std::isfinite(axes.v)) {
        return std::nullopt;
    }
    return axes;
}

EllipseAxes fromCentreAndSize(const cv::RotatedRect& rect, double scale) {
    return {QPointF(rect.center.x * scale, rect.center.y * scale), rect.size.width * scale / 2,
            rect.size.height * scale / 2};
}

}  // namespace

double pixelsPerCell(int width, int height) {
    return std::max(0, std::min(width, height)) / static_cast<double>(PressureMatrix::kColumns);
}

std::vector<QPointF> trajectoryPixels(const CopTrajectory& trajectory, double scale) {
    std::vector<QPointF> pixels;
    pixels.reserve(trajectory.size());
    for (const CopPoint& p : trajectory) {
        const double x = scale * p.x;
        const double y = scale * p.y;
        if (x <= 0 && y <= 0) continue;  // frame without pressure
        pixels.emplace_back(x, y);
    }
    return pixels;
}

InscribedEllipse inscribedEllipse(const TrajectoryRect& fitted, double scale) {
    std::array<QPointF, 4> corners;
    for (int i = 0; i < 4; ++i) {
        corners[i] = QPointF(fitted.corners[i].x * scale, fitted.corners[i].y * scale);
    }
    const EllipseAxes axes = fromCorners(corners).value_or(fromCentreAndSize(fitted.rect, scale));
    InscribedEllipse ellipse;
    ellipse.centre = axes.centre;
    ellipse.rotationDegrees = fitted.rect.angle;
    ellipse.box = QRect(static_cast<int>(-axes.u), static_cast<int>(-axes.v),
                        static_cast<int>(2 * axes.u), static_cast<int>(2 * axes.v));
    return ellipse;
}
