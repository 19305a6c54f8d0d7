#include "CopChartSeries.h"

#include <algorithm>
#include <cmath>

#include "CopSeries.h"

namespace {

// Headroom of the value axis: the extreme values rounded outwards to whole units, widened to
// include 0, plus 5 % of the span on each side. Rounding outwards (not to the integer parts)
// keeps every value on the chart: standing sway is often below 1 cm/s.
class ValueSpan {
public:
    void include(double value) {
        hi_ = std::max(hi_, std::ceil(value));
        lo_ = std::min(lo_, std::floor(value));
    }
    AxisRange range() const {
        const double margin = std::trunc((hi_ - lo_) * 0.05);
        return {lo_ - margin, hi_ + margin};
    }

private:
    double hi_ = 0;
    double lo_ = 0;
};

ChartSeries withTimeAxis(int samples, int graphs, double frameRate) {
    const double rate = usableFrameRate(frameRate).framesPerSecond;
    ChartSeries chart;
    chart.time.reserve(samples);
    for (int k = 0; k < samples; ++k) chart.time.push_back(k / rate);
    chart.graphs.resize(graphs);
    for (QVector<double>& graph : chart.graphs) graph.reserve(samples);
    chart.timeRange = {0, samples / rate * 1.2};
    return chart;
}

}  // namespace

ChartSeries copPositionSeries(const CopTrajectory& trajectory, double frameRate) {
    if (trajectory.empty()) return {};
    ChartSeries chart = withTimeAxis(static_cast<int>(trajectory.size()), 2, frameRate);
    ValueSpan span;
    for (const CopPoint& p : trajectory) {
        const double x = p.x * kCellPitchMm;
        const double y = p.y * kCellPitchMm;
        chart.graphs[0].push_back(x);
        chart.graphs[1].push_back(y);
        span.include(std::max(x, y));
        span.include(std::min(x, y));
    }
    chart.valueRange = span.range();
    return chart;
}

ChartSeries copSpeedSeries(const AnalysisResults& results, double frameRate) {
    if (results.copSpeedPath.isEmpty()) return {};
    ChartSeries chart = withTimeAxis(results.copSpeedPath.size(), 3, frameRate);
    ValueSpan span;
    for (auto entry = results.copSpeedPath.constBegin(); entry != results.copSpeedPath.constEnd();
         ++entry) {
        const QPair<double, double> xy = results.copSpeedXY.value(entry.key());
        chart.graphs[0].push_back(xy.first);
        chart.graphs[1].push_back(xy.second);
        chart.graphs[2].push_back(entry.value());
        span.include(std::max({xy.first, xy.second, entry.value()}));
        span.include(std::min({xy.first, xy.second, entry.value()}));
    }
    chart.valueRange = span.range();
    return chart;
}
