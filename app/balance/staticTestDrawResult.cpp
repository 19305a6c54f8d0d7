#include "staticTestDrawResult.h"

#include <QPainter>
#include <algorithm>

#include "TrajectoryPainterGeometry.h"

staticTestDrawResult::staticTestDrawResult(QWidget* parent) : QOpenGLWidget(parent) {}

staticTestDrawResult::~staticTestDrawResult() = default;

void staticTestDrawResult::setTrajectory(const QImage& background, const CopTrajectory& points,
                                         const TrajectoryRect& fitted) {
    originOffset_ = QPoint(0, 0);
    background_ = background;
    points_ = points;
    fitted_ = fitted;
}

void staticTestDrawResult::paintGL() {
    const int side = std::min(width(), height());
    const double scale = pixelsPerCell(width(), height());
    QPainter painter(this);
    painter.translate(originOffset_);

    if (!background_.isNull()) {
        painter.drawImage(
            0, 0,
            background_.scaled(side, side, Qt::KeepAspectRatioByExpanding, Qt::FastTransformation));
    } else {
        painter.setPen(Qt::white);
        painter.setBrush(QBrush(Qt::white, Qt::SolidPattern));
        painter.drawRect(0, 0, side, side);
    }

    const std::vector<QPointF> pixels = trajectoryPixels(points_, scale);
    if (!pixels.empty()) {
        painter.setPen(QPen(QColor(202, 14, 39), 2));
        painter.drawPoints(pixels.data(), static_cast<int>(pixels.size()));
        painter.setPen(QPen(Qt::yellow, 2));
        painter.drawPolyline(pixels.data(), static_cast<int>(pixels.size()));
    }

    if (pixels.empty()) return;  // no pressure: no rectangle and no ellipse
    const InscribedEllipse ellipse = inscribedEllipse(fitted_, scale);
    painter.translate(ellipse.centre);
    painter.rotate(ellipse.rotationDegrees);
    painter.setPen(QPen(Qt::red, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(ellipse.box);
}
