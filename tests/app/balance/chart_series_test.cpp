#include <gtest/gtest.h>

#include <vector>

#include "CopChartSeries.h"
#include "CopSeries.h"
#include "balance_frames.h"

using namespace balancetest;

namespace {

TEST(CopPositionSeries, PlotsEveryFrameAtItsTimeForTheRecordedRate) {
    const ChartSeries chart = copPositionSeries({{21, 11}, {0, 0}, {22, 12}}, 50);
    EXPECT_EQ(chart.time, QVector<double>({0, 0.02, 0.04}));
    ASSERT_EQ(chart.graphs.size(), 2);
    EXPECT_EQ(chart.graphs[0], QVector<double>({147, 0, 154}));
    EXPECT_EQ(chart.graphs[1], QVector<double>({77, 0, 84}));
    EXPECT_DOUBLE_EQ(chart.timeRange.lower, 0);
    EXPECT_DOUBLE_EQ(chart.timeRange.upper, 3 / 50.0 * 1.2);
    // hi 154, lo 0, margin trunc(154 * 0.05) = 7.
    EXPECT_DOUBLE_EQ(chart.valueRange.lower, -7);
    EXPECT_DOUBLE_EQ(chart.valueRange.upper, 161);
}

TEST(CopPositionSeries, RateZeroIsReadAs200AndNoFramesGiveNothing) {
    const ChartSeries chart = copPositionSeries({{21, 11}, {22, 12}}, 0);
    EXPECT_EQ(chart.time, QVector<double>({0, 1 / 200.0}));
    EXPECT_DOUBLE_EQ(chart.timeRange.upper, 2 / 200.0 * 1.2);

    const ChartSeries none = copPositionSeries({}, 200);
    EXPECT_TRUE(none.time.isEmpty());
    EXPECT_TRUE(none.graphs.isEmpty());
}

TEST(CopSpeedSeries, CountsEntriesNotFrames) {
    // Frames 3 to 5 without pressure: frames 3 to 6 have no speed, frame 7 is the fourth entry.
    std::vector<PressureMatrix> frames{frameAt(10, 20), frameAt(10, 21), frameAt(10, 22),
                                       kEmptyFrame,     kEmptyFrame,     kEmptyFrame,
                                       frameAt(10, 22), frameAt(11, 22)};
    AnalysisResults results;
    CopTrajectory trajectory;
    // 0.7 cm per frame at 75 frames/s: 52.5 cm/s, clear of integer boundaries.
    computeCopSeries(frames, 75, results, trajectory);
    const ChartSeries chart = copSpeedSeries(results, 75);

    ASSERT_EQ(chart.time.size(), 4);
    EXPECT_DOUBLE_EQ(chart.time[3], 3 / 75.0);
    ASSERT_EQ(chart.graphs.size(), 3);
    EXPECT_DOUBLE_EQ(chart.graphs[0][0], -1);
    EXPECT_NEAR(chart.graphs[0][1], 52.5, 1e-4);
    EXPECT_NEAR(chart.graphs[1][3], 52.5, 1e-4);  // one row down at frame 7
    EXPECT_NEAR(chart.graphs[2][3], 52.5, 1e-9);
    EXPECT_DOUBLE_EQ(chart.timeRange.upper, 4 / 75.0 * 1.2);
    // hi ceil(52.5) = 53, lo -1 (frame 0), margin trunc(54 * 0.05) = 2.
    EXPECT_DOUBLE_EQ(chart.valueRange.lower, -3);
    EXPECT_DOUBLE_EQ(chart.valueRange.upper, 55);

    EXPECT_TRUE(copSpeedSeries(AnalysisResults{}, 75).time.isEmpty());
}

// Quiet standing sways well below 1 cm/s; the axis must still show every value.
TEST(CopSpeedSeries, SlowSwayStaysOnTheChart) {
    AnalysisResults results;
    CopTrajectory trajectory;
    // 0.07 mm per frame at 50 frames/s: 0.35 cm/s.
    std::vector<PressureMatrix> frames;
    for (int k = 0; k < 5; ++k) frames.push_back(frameAt(10, 20));
    computeCopSeries(frames, 50, results, trajectory);
    results.copSpeedXY[2] = {0.35, 0.2};
    results.copSpeedPath[2] = 0.4;
    const ChartSeries chart = copSpeedSeries(results, 50);
    for (const QVector<double>& graph : chart.graphs)
        for (double v : graph) {
            EXPECT_GE(v, chart.valueRange.lower);
            EXPECT_LE(v, chart.valueRange.upper);
        }
    EXPECT_DOUBLE_EQ(chart.valueRange.upper, 1);
}

}  // namespace
