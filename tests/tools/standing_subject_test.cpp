#include "standing_subject.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "caller_grid.h"

namespace {

using toolstest::CallerGrid;
constexpr int kSide = plate::kGridSide;
constexpr double kCellMillimetres = 7.0;

struct Cop {
    double rowMm;
    double columnMm;
};

Cop centreOfPressure(const CallerGrid& grid) {
    double total = 0.0, row = 0.0, column = 0.0;
    for (int i = 0; i < kSide; ++i) {
        for (int j = 0; j < kSide; ++j) {
            total += grid[i][j];
            row += grid[i][j] * i;
            column += grid[i][j] * j;
        }
    }
    return {kCellMillimetres * row / total, kCellMillimetres * column / total};
}

// Bounds of the cells in contact within columns [firstColumn, lastColumn].
struct Footprint {
    int top = kSide, bottom = -1, left = kSide, right = -1;
    int peak = 0, peakRow = -1;
};

Footprint footprint(const CallerGrid& grid, int firstColumn, int lastColumn) {
    Footprint f;
    for (int i = 0; i < kSide; ++i) {
        for (int j = firstColumn; j <= lastColumn; ++j) {
            if (grid[i][j] == 0) continue;
            f.top = std::min(f.top, i);
            f.bottom = std::max(f.bottom, i);
            f.left = std::min(f.left, j);
            f.right = std::max(f.right, j);
            if (grid[i][j] > f.peak) {
                f.peak = grid[i][j];
                f.peakRow = i;
            }
        }
    }
    return f;
}

int peakInRows(const CallerGrid& grid, int firstRow, int lastRow, int firstColumn, int lastColumn) {
    int peak = 0;
    for (int i = firstRow; i <= lastRow; ++i) {
        for (int j = firstColumn; j <= lastColumn; ++j) peak = std::max(peak, grid[i][j]);
    }
    return peak;
}

struct Moment {
    double seconds;
    int plateIndex;
};

class StandingSubjectAnatomy : public ::testing::TestWithParam<Moment> {};

TEST_P(StandingSubjectAnatomy, FeetLieInTheirHalvesToesUpWithRealisticLoads) {
    const CallerGrid grid = toolstest::callerGrid(
        platesim::standingSubjectFrame(GetParam().seconds, GetParam().plateIndex));
    struct Half {
        const char* name;
        int firstColumn, lastColumn;
    };
    for (const Half half : {Half{"left", 0, 24}, Half{"right", 25, 49}}) {
        SCOPED_TRACE(half.name);
        const Footprint foot = footprint(grid, half.firstColumn, half.lastColumn);
        // Clear of the other foot and of the plate's edges.
        EXPECT_GT(foot.left, half.firstColumn);
        EXPECT_LT(foot.right, half.lastColumn);
        // About 250 mm long and 13 cells wide, toes at the top.
        EXPECT_NEAR(foot.bottom - foot.top + 1, 36, 4);
        EXPECT_NEAR(foot.right - foot.left + 1, 15, 3);
        EXPECT_LT(foot.top, 10);
        // The heel carries the peak, within what the sensors read.
        EXPECT_GT(foot.peakRow, 33);
        EXPECT_GE(foot.peak, 2000);
        EXPECT_LE(foot.peak, 3200);
        const int lo = half.firstColumn, hi = half.lastColumn;
        EXPECT_NEAR(peakInRows(grid, 15, 19, lo, hi), 2100, 400) << "metatarsal heads";
        EXPECT_NEAR(peakInRows(grid, 27, 31, lo, hi), 520, 150) << "midfoot";
        EXPECT_NEAR(peakInRows(grid, 8, 12, lo, hi), 800, 200) << "toes";
    }
    // Nothing between the feet.
    for (int i = 0; i < kSide; ++i) {
        EXPECT_EQ(grid[i][24], 0) << "row " << i;
        EXPECT_EQ(grid[i][25], 0) << "row " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Moments, StandingSubjectAnatomy,
                         ::testing::Values(Moment{0.0, 0}, Moment{1.7, 0}, Moment{3.3, 1},
                                           Moment{10.0, 2}, Moment{25.5, 7}, Moment{100.0, 63}));

TEST(StandingSubjectSway, CentreOfPressureSwaysSlowlyOverAFewMillimetres) {
    for (const int plateIndex : {0, 1, 5}) {
        SCOPED_TRACE(plateIndex);
        const Cop first = centreOfPressure(
            toolstest::callerGrid(platesim::standingSubjectFrame(0.0, plateIndex)));
        Cop low = first, high = first, previous = first;
        double largestStep = 0.0;
        for (int step = 1; step <= 200; ++step) {  // 20 s at 10 Hz
            const Cop cop = centreOfPressure(
                toolstest::callerGrid(platesim::standingSubjectFrame(0.1 * step, plateIndex)));
            low = {std::min(low.rowMm, cop.rowMm), std::min(low.columnMm, cop.columnMm)};
            high = {std::max(high.rowMm, cop.rowMm), std::max(high.columnMm, cop.columnMm)};
            largestStep = std::max(largestStep, std::hypot(cop.rowMm - previous.rowMm,
                                                           cop.columnMm - previous.columnMm));
            previous = cop;
        }
        EXPECT_GT(high.rowMm - low.rowMm, 1.5) << "forward-backward sway";
        EXPECT_LT(high.rowMm - low.rowMm, 12.0);
        EXPECT_GT(high.columnMm - low.columnMm, 1.5) << "sideways sway";
        EXPECT_LT(high.columnMm - low.columnMm, 12.0);
        EXPECT_LT(largestStep, 1.0) << "sway must be slow";
    }
}

TEST(StandingSubjectSway, ContactOutlineStaysWhileLoadsChange) {
    const plate::SourceFrame still = platesim::standingSubjectFrame(0.0, 0);
    const plate::SourceFrame later = platesim::standingSubjectFrame(1.6, 0);
    EXPECT_NE(still, later);
    for (int cell = 0; cell < plate::kCellsPerFrame; ++cell) {
        EXPECT_EQ(still[cell] == 0, later[cell] == 0) << "cell " << cell;
    }
    EXPECT_NE(platesim::standingSubjectFrame(1.6, 1), later) << "plates differ";
}

}  // namespace
