#include "StaticCharts.h"

#include <QGraphicsLayout>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QHorizontalBarSeries>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QValueAxis>
#include <algorithm>

#include "FigureFormat.h"

using namespace QtCharts;

namespace {

constexpr double kLabelRoom = 1.25;  // the value axis reaches this far beyond the longest bar
constexpr int kLabelDigits = 12;     // enough never to cut a rounded value short
constexpr int kZoneLabelPixels = 9;

double longestBar(const QAbstractBarSeries* series) {
    double longest = 0;
    for (const QBarSet* set : series->barSets())
        for (int i = 0; i < set->count(); ++i) longest = std::max(longest, set->at(i));
    return longest;
}

QFont chartFont(int pixelSize = 11) {
    QFont font;
    font.setPixelSize(pixelSize);
    return font;
}

// Bars carry the values as shown: QtCharts writes labels with significant digits, so the
// value is rounded to the figure's decimals first (the analysis keeps its own numbers).
QBarSet* barSet(const QString& name, const std::vector<double>& values, const QColor& color) {
    auto* set = new QBarSet(name);
    for (const double value : values)
        set->append(formatFigure(value, FigureUnit::RawLoad).toDouble());
    set->setColor(color);
    set->setLabelColor(Qt::black);
    set->setLabelFont(chartFont());
    return set;
}

// A value axis from 0 with room for the labels beyond the longest bar, on round ticks.
void fitValueAxis(QValueAxis* axis, double longest) {
    axis->setRange(0, std::max(longest, 1.0) * kLabelRoom);
    axis->applyNiceNumbers();
    axis->setLabelFormat("%g");
}

// Shared look: value labels outside the bar ends, animated, in an antialiased view.
QChartView* viewOf(QChart* chart, QAbstractBarSeries* series) {
    series->setLabelsVisible(true);
    series->setLabelsPrecision(kLabelDigits);
    series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    chart->setAnimationOptions(QChart::SeriesAnimations);
    // Little frame around the plot: on a laptop screen every pixel goes to the bars.
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->legend()->setVisible(true);
    for (QAbstractAxis* axis : chart->axes()) axis->setGridLineVisible(false);
    auto* view = new QChartView(chart);
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

}  // namespace

QChartView* makeZoneChart(const StaticAnalysis& analysis, const QColor& leftColor,
                          const QColor& rightColor) {
    auto* series = new QHorizontalBarSeries;
    series->append(barSet("左足", analysis.feet[kLeftFoot].zones, leftColor));
    series->append(barSet("右足", analysis.feet[kRightFoot].zones, rightColor));
    // Sixteen bars in a small chart: bars as thick as the category allows and labels no
    // taller than a bar, so that the two labels of a zone stay apart.
    series->setBarWidth(0.95);
    for (QBarSet* set : series->barSets()) set->setLabelFont(chartFont(kZoneLabelPixels));
    auto* chart = new QChart;
    chart->addSeries(series);
    auto* zones = new QBarCategoryAxis;
    zones->append({"一区", "二区", "三区", "四区", "五区", "六区", "七区", "八区"});
    zones->setLabelsFont(chartFont());
    chart->addAxis(zones, Qt::AlignLeft);
    series->attachAxis(zones);
    auto* values = new QValueAxis;
    values->setLabelsFont(chartFont());
    chart->addAxis(values, Qt::AlignBottom);
    series->attachAxis(values);
    fitValueAxis(values, longestBar(series));
    chart->legend()->setShowToolTips(true);
    chart->legend()->setMarkerShape(QLegend::MarkerShapeRectangle);
    QChartView* view = viewOf(chart, series);
    // On a small screen a bar is thinner than its label: the labels would run into each
    // other, so they show only while every bar has room for one (the axis still reads).
    const int bars = zones->count() * series->count();
    QObject::connect(chart, &QChart::plotAreaChanged, series, [series, bars](const QRectF& area) {
        series->setLabelsVisible(area.height() / bars >= kZoneLabelPixels);
    });
    return view;
}

QChartView* makePressureChart(const StaticAnalysis& analysis, const QColor& leftColor,
                              const QColor& rightColor) {
    const auto pair = [](const FootRecord& foot) {
        return std::vector<double>{foot.averagePressure, static_cast<double>(foot.maxPressure)};
    };
    auto* series = new QBarSeries;
    series->append(barSet("左足", pair(analysis.feet[kLeftFoot]), leftColor));
    series->append(barSet("右足", pair(analysis.feet[kRightFoot]), rightColor));
    auto* chart = new QChart;
    chart->addSeries(series);
    chart->createDefaultAxes();
    auto* categories = new QBarCategoryAxis;
    categories->append({"平均压力", "最大压力"});
    for (QAbstractAxis* axis : chart->axes(Qt::Horizontal)) {
        chart->removeAxis(axis);
        delete axis;
    }
    chart->addAxis(categories, Qt::AlignBottom);
    series->attachAxis(categories);
    for (QAbstractAxis* axis : chart->axes(Qt::Vertical))
        if (auto* values = qobject_cast<QValueAxis*>(axis))
            fitValueAxis(values, longestBar(series));
    return viewOf(chart, series);
}
