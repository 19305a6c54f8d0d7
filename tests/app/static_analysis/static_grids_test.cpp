// The heaviest frame, the peak grid and the mean grid of a recording.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "StaticGrids.h"
#include "grid_fixtures.h"

namespace {

// A frame whose readings add up to sum, spread over the first cells.
PressureMatrix frameWithSum(int sum) {
    PressureMatrix frame;
    for (int i = 0; sum > 0; ++i) {
        const int v = sum < 1000 ? sum : 1000;
        frame.values[i] = static_cast<std::uint16_t>(v);
        sum -= v;
    }
    return frame;
}

struct ChosenFrameCase {
    const char* name;
    std::vector<int> frameSums;
    int chosenFrame;
};

class ChosenFrame : public testing::TestWithParam<ChosenFrameCase> {};

TEST_P(ChosenFrame, IsTheFirstFrameWithTheLargestSum) {
    std::vector<PressureMatrix> frames;
    for (const int sum : GetParam().frameSums) {
        frames.push_back(frameWithSum(sum));
    }
    const StaticGrids grids = computeStaticGrids(frames);
    EXPECT_EQ(grids.chosenFrame, GetParam().chosenFrame);
    EXPECT_EQ(grids.chosenFrameSum, GetParam().frameSums[GetParam().chosenFrame]);
}

INSTANTIATE_TEST_SUITE_P(
    StaticGrids, ChosenFrame,
    testing::Values(ChosenFrameCase{"EqualLargestSumsKeepTheEarlier", {10, 500, 20, 500, 30}, 1},
                    ChosenFrameCase{"AllZeroChoosesFrameZero", {0, 0, 0}, 0},
                    ChosenFrameCase{"OneFrame", {7}, 0},
                    ChosenFrameCase{"LastFrameHeaviest", {1, 2, 3}, 2},
                    // Above what 16 bits hold, as every real standing frame is.
                    ChosenFrameCase{"LargeSums", {2400000, 2400001, 2399999}, 1}),
    [](const auto& info) { return std::string(info.param.name); });

struct CellCase {
    std::vector<std::uint16_t> readings;  // one cell over the frames
    std::uint16_t peak;
    std::uint16_t mean;
};

class CellGrids : public testing::TestWithParam<CellCase> {};

TEST_P(CellGrids, PeakIsEightyPercentOfTheMaximumAndMeanIsIntegerDivision) {
    std::vector<PressureMatrix> frames;
    for (const auto v : GetParam().readings) {
        frames.push_back(gridWithCell(12, 37, v));
    }
    const StaticGrids grids = computeStaticGrids(frames);
    EXPECT_EQ(grids.peakGrid.at(12, 37), GetParam().peak);
    EXPECT_EQ(grids.meanGrid.at(12, 37), GetParam().mean);
    EXPECT_EQ(nonzeroCells(grids.peakGrid), GetParam().peak != 0);
    EXPECT_EQ(nonzeroCells(grids.meanGrid), GetParam().mean != 0);
}

INSTANTIATE_TEST_SUITE_P(StaticGrids, CellGrids,
                         testing::Values(CellCase{{4}, 3, 4},        // 3.2 truncated
                                         CellCase{{1, 1, 2}, 1, 1},  // 4 / 3 truncated
                                         CellCase{{5, 0, 0}, 4, 1},  // 5 / 3
                                         CellCase{{0, 9, 1}, 7, 3},  // 7.2, 10 / 3
                                         CellCase{{1}, 0, 1},        // 0.8 truncated
                                         CellCase{{65535, 65535}, 52428, 65535}),
                         [](const auto& info) {
                             std::string name = "Readings";
                             for (const auto v : info.param.readings) {
                                 name += "_" + std::to_string(v);
                             }
                             return name;
                         });

TEST(StaticGrids, NoFramesIsAnError) {
    EXPECT_THROW(computeStaticGrids({}), std::invalid_argument);
}

}  // namespace
