// The two line charts of the balance view (COP position and COP speed over time).
#pragma once

#include <QColor>
#include <QString>
#include <vector>

#include "CopChartSeries.h"

class QCustomPlot;

struct ChartGraph {
    QString name;
    QColor colour;
};

// Styles plot (title row, legend, axes in the view's fonts and colours) and adds one graph per
// entry of graphs, in order.
void setupBalanceChart(QCustomPlot* plot, const QString& title, const QString& valueLabel,
                       const std::vector<ChartGraph>& graphs);

// Replaces the data of the chart's graphs with series (an empty series clears them) and sets
// both axis ranges when there is data.
void plotBalanceChart(QCustomPlot* plot, const ChartSeries& series);
