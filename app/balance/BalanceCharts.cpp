#include "BalanceCharts.h"

#include <qcustomplot.h>

namespace {

QFont chartFont() {
    QFont font("Microsoft YaHei");
    font.setPixelSize(13);
    font.setWeight(QFont::Normal);
    return font;
}

void styleAxis(QCPAxis* axis, const QFont& font) {
    const QColor ink(30, 30, 30);
    axis->setLabelFont(font);
    axis->setTickLabelFont(font);
    axis->setBasePen(QPen(ink));
    axis->setTickPen(QPen(ink));
    axis->setSubTickPen(QPen(ink));
    axis->setTickLabelColor(ink);
}

}  // namespace

void setupBalanceChart(QCustomPlot* plot, const QString& title, const QString& valueLabel,
                       const std::vector<ChartGraph>& graphs) {
    plot->setStyleSheet("background-color:rgb(54,78,111);");
    plot->clearPlottables();
    plot->setBackground(QBrush(Qt::white));
    plot->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom | QCP::iSelectPlottables);
    plot->plotLayout()->insertRow(0);
    plot->plotLayout()->addElement(0, 0,
                                   new QCPTextElement(plot, title, QFont("Microsoft YaHei", 11)));

    const QFont font = chartFont();
    plot->legend->setVisible(true);
    plot->legend->setFont(font);
    plot->legend->setBrush(QBrush(Qt::transparent));
    plot->legend->setTextColor(Qt::black);
    plot->legend->setBorderPen(Qt::NoPen);
    styleAxis(plot->xAxis, font);
    styleAxis(plot->yAxis, font);
    plot->xAxis->setLabel(QObject::tr("Time(s)"));
    plot->yAxis->setLabel(valueLabel);
    const auto rangeChanged = QOverload<const QCPRange&>::of(&QCPAxis::rangeChanged);
    const auto setRange = QOverload<const QCPRange&>::of(&QCPAxis::setRange);
    QObject::connect(plot->xAxis, rangeChanged, plot->xAxis2, setRange);
    QObject::connect(plot->yAxis, rangeChanged, plot->yAxis2, setRange);

    for (const ChartGraph& graph : graphs) {
        QCPGraph* line = plot->addGraph();
        line->setName(graph.name);
        line->setPen(QPen(graph.colour, 1));
    }
}

void plotBalanceChart(QCustomPlot* plot, const ChartSeries& series) {
    for (int g = 0; g < plot->graphCount(); ++g) {
        if (g < series.graphs.size())
            plot->graph(g)->setData(series.time, series.graphs[g], true);
        else
            plot->graph(g)->data()->clear();
    }
    if (!series.time.isEmpty()) {
        plot->xAxis->setRange(series.timeRange.lower, series.timeRange.upper);
        plot->yAxis->setRange(series.valueRange.lower, series.valueRange.upper);
    }
    plot->replot(QCustomPlot::rpRefreshHint);
}
