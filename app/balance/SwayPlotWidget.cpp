#include "SwayPlotWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace {
constexpr double kZoomPerNotch = 1.25;
constexpr double kMinZoom = 0.25;
constexpr double kMaxZoom = 64.0;
}  // namespace

SwayPlotWidget::SwayPlotWidget(QWidget* parent) : QWidget(parent) {
    setMinimumSize(160, 160);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setToolTip("滚轮缩放，拖动平移，双击复原");
}

void SwayPlotWidget::showResults(const std::optional<PosturographyResults>& results,
                                 const QString& reason) {
    results_ = results;
    reason_ = reason;
    view_ = {};
    update();
}

void SwayPlotWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (results_) {
        paintSwayPlot(painter, rect(), *results_, view_);
        return;
    }
    painter.fillRect(rect(), Qt::white);
    painter.drawText(rect(), Qt::AlignCenter, reason_);
}

double SwayPlotWidget::millimetresPerPixel() const {
    if (!results_) return 0;
    const double side = std::max(1, std::min(width(), height()));
    return 2 * swayPlotHalfSpanMm(*results_) / view_.zoom / side;
}

void SwayPlotWidget::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / 120.0;
    view_.zoom = std::clamp(view_.zoom * std::pow(kZoomPerNotch, notches), kMinZoom, kMaxZoom);
    update();
}

void SwayPlotWidget::mousePressEvent(QMouseEvent* event) { dragFrom_ = event->pos(); }

void SwayPlotWidget::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) return;
    const QPoint moved = event->pos() - dragFrom_;
    dragFrom_ = event->pos();
    const double scale = millimetresPerPixel();
    view_.centreMm -= QPointF(moved.x() * scale, -moved.y() * scale);
    update();
}

void SwayPlotWidget::mouseDoubleClickEvent(QMouseEvent*) {
    view_ = {};
    update();
}
