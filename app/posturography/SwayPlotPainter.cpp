#include "SwayPlotPainter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kEllipseSegments = 120;
constexpr double kMargin = 1.1;  // room around the farthest point at zoom 1

// 1, 2 or 5 times a power of ten, at least x.
double roundUp(double x) {
    const double decade = std::pow(10.0, std::floor(std::log10(x)));
    for (const double step : {1.0, 2.0, 5.0, 10.0})
        if (step * decade >= x) return step * decade;
    return 10 * decade;
}

QFont plotFont(int pixels) {
    QFont font("Microsoft YaHei UI");
    font.setPixelSize(pixels);
    return font;
}

}  // namespace

double swayPlotHalfSpanMm(const PosturographyResults& results) {
    double farthest = 0;
    for (int i = 0; i < results.sway.size(); ++i)
        farthest = std::max({farthest, std::abs(results.sway.ml[i]), std::abs(results.sway.ap[i])});
    if (results.ellipse95.semiMajor) farthest = std::max(farthest, *results.ellipse95.semiMajor);
    return roundUp(std::max(1.0, farthest * kMargin));
}

void paintSwayPlot(QPainter& painter, const QRectF& target, const PosturographyResults& results,
                   const SwayPlotView& view) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(target, Qt::white);
    painter.setFont(plotFont(11));
    const QFontMetricsF metrics(painter.font());
    // Room for the tick labels on the left and below, and the axis labels.
    const double left = metrics.horizontalAdvance("-000.0") + metrics.height() + 8;
    const double bottom = 2 * metrics.height() + 8;
    const double side =
        std::max(10.0, std::min(target.width() - left - 8, target.height() - bottom - 8));
    const QRectF plot(target.left() + left + (target.width() - left - 8 - side) / 2,
                      target.top() + 8, side, side);

    const double halfSpan = swayPlotHalfSpanMm(results) / std::max(1e-6, view.zoom);
    const double pixelsPerMm = side / (2 * halfSpan);
    const auto toPixel = [&](double ml, double ap) {
        return QPointF(plot.center().x() + (ml - view.centreMm.x()) * pixelsPerMm,
                       plot.center().y() - (ap - view.centreMm.y()) * pixelsPerMm);
    };

    // Grid and ticks every round step, the same on both axes.
    const double step = roundUp(halfSpan / 2.5);
    for (int axis = 0; axis < 2; ++axis) {
        const double centre = axis == 0 ? view.centreMm.x() : view.centreMm.y();
        for (double v = std::ceil((centre - halfSpan) / step) * step; v <= centre + halfSpan;
             v += step) {
            const double value = std::abs(v) < step * 1e-9 ? 0.0 : v;
            const QString label = QString::number(value, 'g', 4);
            painter.setPen(QPen(QColor(225, 225, 225), 0));
            if (axis == 0) {
                const double x = toPixel(value, 0).x();
                painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
                painter.setPen(Qt::black);
                painter.drawText(QRectF(x - 30, plot.bottom() + 2, 60, metrics.height()),
                                 Qt::AlignHCenter | Qt::AlignTop, label);
            } else {
                const double y = toPixel(0, value).y();
                painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
                painter.setPen(Qt::black);
                painter.drawText(
                    QRectF(plot.left() - left + metrics.height(), y - metrics.height() / 2,
                           left - metrics.height() - 4, metrics.height()),
                    Qt::AlignRight | Qt::AlignVCenter, label);
            }
        }
    }
    painter.setPen(QPen(Qt::black, 0));
    painter.drawText(
        QRectF(plot.left(), plot.bottom() + metrics.height() + 4, plot.width(), metrics.height()),
        Qt::AlignHCenter | Qt::AlignTop, "左右 ML (mm)");
    painter.save();
    painter.translate(target.left() + 2, plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-plot.height() / 2, 0, plot.height(), metrics.height()),
                     Qt::AlignHCenter | Qt::AlignTop, "前后 AP (mm)");
    painter.restore();

    painter.setClipRect(plot);
    QPainterPath trajectory;
    for (int i = 0; i < results.sway.size(); ++i) {
        const QPointF point = toPixel(results.sway.ml[i], results.sway.ap[i]);
        if (i == 0)
            trajectory.moveTo(point);
        else
            trajectory.lineTo(point);
    }
    painter.setPen(QPen(QColor(30, 90, 200), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(trajectory);

    const PredictionEllipse& e = results.ellipse95;
    if (e.semiMajor && e.semiMinor && e.angleDeg) {
        const double angle = *e.angleDeg * kPi / 180;
        QPainterPath ellipse;
        for (int k = 0; k <= kEllipseSegments; ++k) {
            const double t = 2 * kPi * k / kEllipseSegments;
            const double u = *e.semiMajor * std::cos(t);
            const double v = *e.semiMinor * std::sin(t);
            const QPointF point = toPixel(u * std::cos(angle) - v * std::sin(angle),
                                          u * std::sin(angle) + v * std::cos(angle));
            if (k == 0)
                ellipse.moveTo(point);
            else
                ellipse.lineTo(point);
        }
        painter.setPen(QPen(QColor(210, 40, 40), 2));
        painter.drawPath(ellipse);
    }
    painter.setClipping(false);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(plot);
    painter.restore();
}
