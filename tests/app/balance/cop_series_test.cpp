#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "CopSeries.h"
#include "balance_frames.h"

using namespace balancetest;

namespace {

TEST(FrameCop, WeightsEveryCellByItsOneBasedColumnAndRow) {
    const CopPoint single = frameCop(frameAt(10, 20));
    EXPECT_DOUBLE_EQ(single.x, 21);
    EXPECT_DOUBLE_EQ(single.y, 11);

    // Column 0 with weight 1 and column 4 with weight 3: x = (1 * 1 + 3 * 5) / 4.
    const CopPoint weighted = frameCop(frameWith({{0, 0, 1}, {49, 4, 3}}));
    EXPECT_DOUBLE_EQ(weighted.x, 4);
    EXPECT_DOUBLE_EQ(weighted.y, (1 * 1 + 3 * 50) / 4.0);

    const CopPoint none = frameCop(kEmptyFrame);
    EXPECT_EQ(none.x, 0);
    EXPECT_EQ(none.y, 0);
}

TEST(FrameCop, FullScaleFrameDoesNotOverflow) {
    PressureMatrix frame;
    frame.values.fill(65535);
    const CopPoint cop = frameCop(frame);
    EXPECT_DOUBLE_EQ(cop.x, 25.5);
    EXPECT_DOUBLE_EQ(cop.y, 25.5);
}

struct SeriesCase {
    const char* name;
    std::vector<PressureMatrix> frames;
    double frameRate;
    std::vector<CopPoint> trajectory;  // cells
    std::map<int, CopSpeed> speeds;    // every speed entry expected, by frame
    double pathLengthMm;
    double maxSpeedX, maxSpeedY, meanSpeedX, meanSpeedY;
    bool rateReplaced;
};

void PrintTo(const SeriesCase& c, std::ostream* os) { *os << c.name; }

class CopSeriesCases : public ::testing::TestWithParam<SeriesCase> {};

TEST_P(CopSeriesCases, GiveTrajectorySpeedsAndFigures) {
    const SeriesCase& c = GetParam();
    AnalysisResults results;
    CopTrajectory trajectory;
    const UsableFrameRate rate = computeCopSeries(c.frames, c.frameRate, results, trajectory);
    EXPECT_EQ(rate.warning.empty(), !c.rateReplaced);
    EXPECT_DOUBLE_EQ(rate.framesPerSecond, c.rateReplaced ? 200 : c.frameRate);

    ASSERT_EQ(trajectory.size(), c.trajectory.size());
    ASSERT_EQ(results.copCells.size(), static_cast<int>(c.trajectory.size()));
    ASSERT_EQ(results.copMillimetres.size(), static_cast<int>(c.trajectory.size()));
    for (int i = 0; i < static_cast<int>(c.trajectory.size()); ++i) {
        SCOPED_TRACE(i);
        EXPECT_DOUBLE_EQ(trajectory[i].x, c.trajectory[i].x);
        EXPECT_DOUBLE_EQ(trajectory[i].y, c.trajectory[i].y);
        EXPECT_DOUBLE_EQ(results.copCells.value(i).first, c.trajectory[i].x);
        EXPECT_DOUBLE_EQ(results.copCells.value(i).second, c.trajectory[i].y);
        EXPECT_DOUBLE_EQ(results.copMillimetres.value(i).first, c.trajectory[i].x * 7);
        EXPECT_DOUBLE_EQ(results.copMillimetres.value(i).second, c.trajectory[i].y * 7);
    }

    const int entries = static_cast<int>(c.speeds.size());
    ASSERT_EQ(results.copSpeedX.size(), entries);
    ASSERT_EQ(results.copSpeedY.size(), entries);
    ASSERT_EQ(results.copSpeedXY.size(), entries);
    ASSERT_EQ(results.copSpeedPath.size(), entries);
    constexpr double kTolerance = 1e-4;  // the axis differences pass through 32-bit floats
    for (const auto& [frame, speed] : c.speeds) {
        SCOPED_TRACE(frame);
        ASSERT_TRUE(results.copSpeedPath.contains(frame));
        EXPECT_NEAR(results.copSpeedX.value(frame), speed.x, kTolerance);
        EXPECT_NEAR(results.copSpeedY.value(frame), speed.y, kTolerance);
        EXPECT_NEAR(results.copSpeedXY.value(frame).first, speed.x, kTolerance);
        EXPECT_NEAR(results.copSpeedXY.value(frame).second, speed.y, kTolerance);
        EXPECT_NEAR(results.copSpeedPath.value(frame), speed.path, kTolerance);
    }
    EXPECT_NEAR(results.pathLength, c.pathLengthMm, 1e-9);
    EXPECT_NEAR(results.maxSpeedX, c.maxSpeedX, kTolerance);
    EXPECT_NEAR(results.maxSpeedY, c.maxSpeedY, kTolerance);
    EXPECT_NEAR(results.meanSpeedX, c.meanSpeedX, kTolerance);
    EXPECT_NEAR(results.meanSpeedY, c.meanSpeedY, kTolerance);
}

const CopSpeed kFirstFrame{-1, -1, -1};

INSTANTIATE_TEST_SUITE_P(
    WorkedCases, CopSeriesCases,
    ::testing::Values(
        SeriesCase{"no_frames", {}, 200, {}, {}, 0, 0, 0, 0, 0, false},
        SeriesCase{"one_frame",
                   {frameAt(10, 20)},
                   200,
                   {{21, 11}},
                   {{0, kFirstFrame}},
                   0,
                   0,
                   0,
                   0,
                   0,
                   false},
        SeriesCase{"one_cell_step_in_x_at_200",
                   {frameAt(10, 20), frameAt(10, 21)},
                   200,
                   {{21, 11}, {22, 11}},
                   {{0, kFirstFrame}, {1, {140, 0, 140}}},
                   7,
                   140,
                   0,
                   140,
                   0,
                   false},
        // 4 cells across and 3 down: 2.8 cm and 2.1 cm, 3.5 cm along the path.
        SeriesCase{"diagonal_step_at_100",
                   {frameAt(10, 20), frameAt(13, 24)},
                   100,
                   {{21, 11}, {25, 14}},
                   {{0, kFirstFrame}, {1, {280, 210, 350}}},
                   35,
                   280,
                   210,
                   280,
                   210,
                   false},
        // Steps of 1 and 3 cells: the means average the two speeds, not frame 0's -1.
        SeriesCase{"means_leave_the_first_frame_out",
                   {frameAt(10, 20), frameAt(10, 21), frameAt(10, 24)},
                   100,
                   {{21, 11}, {22, 11}, {25, 11}},
                   {{0, kFirstFrame}, {1, {70, 0, 70}}, {2, {210, 0, 210}}},
                   28,
                   210,
                   0,
                   140,
                   0,
                   false},
        // Frame 1 has no pressure: neither it nor frame 2 gets a speed or adds to the path.
        SeriesCase{"empty_frame_and_its_successor",
                   {frameAt(10, 20), kEmptyFrame, frameAt(10, 22), frameAt(10, 23)},
                   200,
                   {{21, 11}, {0, 0}, {23, 11}, {24, 11}},
                   {{0, kFirstFrame}, {3, {140, 0, 140}}},
                   7,
                   140,
                   0,
                   140,
                   0,
                   false},
        SeriesCase{"no_frame_with_pressure",
                   {kEmptyFrame, kEmptyFrame},
                   200,
                   {{0, 0}, {0, 0}},
                   {{0, kFirstFrame}},
                   0,
                   0,
                   0,
                   0,
                   0,
                   false},
        SeriesCase{"rate_zero_is_read_as_200",
                   {frameAt(10, 20), frameAt(10, 21)},
                   0,
                   {{21, 11}, {22, 11}},
                   {{0, kFirstFrame}, {1, {140, 0, 140}}},
                   7,
                   140,
                   0,
                   140,
                   0,
                   true}),
    [](const ::testing::TestParamInfo<SeriesCase>& info) { return std::string(info.param.name); });

TEST(CopSeries, SecondShorterRecordingLeavesNothingOfTheFirst) {
    AnalysisResults results;
    CopTrajectory trajectory;
    std::vector<PressureMatrix> first;
    for (int k = 0; k < 6; ++k) first.push_back(frameAt(10 + k, 20 + 2 * k));
    computeCopSeries(first, 200, results, trajectory);
    ASSERT_GT(results.pathLength, 0);

    computeCopSeries({frameAt(30, 30)}, 200, results, trajectory);
    ASSERT_EQ(trajectory.size(), 1u);
    EXPECT_DOUBLE_EQ(trajectory[0].x, 31);
    EXPECT_EQ(results.copCells.keys(), QList<int>{0});
    EXPECT_EQ(results.copMillimetres.keys(), QList<int>{0});
    EXPECT_EQ(results.copSpeedX.keys(), QList<int>{0});
    EXPECT_EQ(results.copSpeedY.keys(), QList<int>{0});
    EXPECT_EQ(results.copSpeedXY.keys(), QList<int>{0});
    EXPECT_EQ(results.copSpeedPath.keys(), QList<int>{0});
    EXPECT_EQ(results.pathLength, 0);
    EXPECT_EQ(results.maxSpeedX, 0);
    EXPECT_EQ(results.maxSpeedY, 0);
    EXPECT_EQ(results.meanSpeedX, 0);
    EXPECT_EQ(results.meanSpeedY, 0);
}

// A COP swaying back and forth by one cell (7 mm) per frame along X while it drifts one cell
// every frame along Y: every speed is 0.7 cm times the rate, whatever the rate.
class KnownSway : public ::testing::TestWithParam<double> {};

TEST_P(KnownSway, ComesOutInCentimetresPerSecond) {
    const double rate = GetParam();
    constexpr int kFrames = 40;
    std::vector<PressureMatrix> frames;
    for (int k = 0; k < kFrames; ++k) frames.push_back(frameAt(5 + k, 20 + (k % 2)));
    AnalysisResults results;
    CopTrajectory trajectory;
    computeCopSeries(frames, rate, results, trajectory);

    const double perAxis = 0.7 * rate;
    for (int k = 1; k < kFrames; ++k) {
        SCOPED_TRACE(k);
        const std::optional<CopSpeed> speed = measuredSpeed(results, k);
        ASSERT_TRUE(speed);
        EXPECT_NEAR(speed->x, perAxis, 1e-4 * rate);
        EXPECT_NEAR(speed->y, perAxis, 1e-4 * rate);
        EXPECT_NEAR(speed->path, perAxis * std::sqrt(2.0), 1e-9 * rate);
    }
    EXPECT_NEAR(results.pathLength, (kFrames - 1) * 7 * std::sqrt(2.0), 1e-9);
    EXPECT_NEAR(results.maxSpeedX, perAxis, 1e-4 * rate);
    // Frame 0's placeholder is no speed: the mean is the speed itself.
    EXPECT_NEAR(results.meanSpeedX, perAxis, 1e-4 * rate);
    EXPECT_NEAR(results.meanSpeedY, perAxis, 1e-4 * rate);
}

INSTANTIATE_TEST_SUITE_P(Rates, KnownSway, ::testing::Values(25.0, 100.0, 200.0, 1000.0));

TEST(MeasuredSpeed, IsMissingForTheFirstFrameAndFramesWithoutAPredecessor) {
    AnalysisResults results;
    CopTrajectory trajectory;
    computeCopSeries(
        {frameAt(10, 20), frameAt(10, 21), kEmptyFrame, frameAt(10, 21), frameAt(11, 21)}, 200,
        results, trajectory);
    EXPECT_FALSE(measuredSpeed(results, 0));  // its -1 entries are placeholders
    EXPECT_TRUE(measuredSpeed(results, 1));
    EXPECT_FALSE(measuredSpeed(results, 2));  // no pressure
    EXPECT_FALSE(measuredSpeed(results, 3));  // predecessor without pressure
    const std::optional<CopSpeed> last = measuredSpeed(results, 4);
    ASSERT_TRUE(last);
    EXPECT_NEAR(last->x, 0, 1e-9);
    EXPECT_NEAR(last->y, 140, 1e-4);
    EXPECT_FALSE(measuredSpeed(results, 5));  // beyond the recording
    EXPECT_FALSE(measuredSpeed(results, -1));
}

TEST(UsableFrameRate, ReplacesRatesNoPlateRunsAt) {
    EXPECT_DOUBLE_EQ(usableFrameRate(100).framesPerSecond, 100);
    EXPECT_TRUE(usableFrameRate(100).warning.empty());
    EXPECT_TRUE(usableFrameRate(1000).warning.empty());
    for (double unusable : {0.0, -5.0, std::nan(""), 1001.0, 65535.0}) {
        SCOPED_TRACE(unusable);
        const UsableFrameRate rate = usableFrameRate(unusable);
        EXPECT_DOUBLE_EQ(rate.framesPerSecond, 200);
        EXPECT_NE(rate.warning.find("200"), std::string::npos) << rate.warning;
    }
}

}  // namespace
