// The data of the two balance charts (COP position and COP speed over time), ready to plot.
#pragma once

#include <QVector>

#include "AnalysisResults.h"
#include "FrameCop.h"

struct AxisRange {
    double lower = 0;
    double upper = 0;
};

// One chart: the time of every sample in seconds, one value series per graph, and the axis
// ranges to show. Empty series mean there is nothing to plot.
struct ChartSeries {
    QVector<double> time;
    QVector<QVector<double>> graphs;
    AxisRange timeRange;
    AxisRange valueRange;
};

// Graphs "X" and "Y": the COP of every frame in mm, frame k at k / frameRate seconds.
ChartSeries copPositionSeries(const CopTrajectory& trajectory, double frameRate);

// Graphs "X", "Y" and "S": the speeds (cm/s) of every entry of the speed maps in frame order,
// the k-th entry at k / frameRate seconds (frames without a speed leave no gap).
ChartSeries copSpeedSeries(const AnalysisResults& results, double frameRate);
