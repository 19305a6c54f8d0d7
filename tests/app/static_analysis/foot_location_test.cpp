// Foot separation and edge-noise removal.
#include <gtest/gtest.h>

#include <functional>

#include "FootLocation.h"
#include "grid_fixtures.h"

namespace {

// A left foot in rows 10-40, columns 5-14, and a right foot in rows 8-44, columns 30-41.
PressureMatrix twoFeet() {
    PressureMatrix grid;
    fillBlock(grid, 10, 5, 40, 14, 300);
    fillBlock(grid, 8, 30, 44, 41, 500);
    return grid;
}

struct LocateCase {
    const char* name;
    std::function<void(PressureMatrix&)> addToFeet;
    QRect left;
    QRect right;
    int nonzeroCellsAfter;  // what the cleaning leaves
};

constexpr int kFeetCells = 31 * 10 + 37 * 12;
const QRect kLeft(5, 10, 9, 30);
const QRect kRight(30, 8, 11, 36);

class LocateFeet : public testing::TestWithParam<LocateCase> {};

TEST_P(LocateFeet, FindsInclusiveRectanglesAndWipesTheNoise) {
    PressureMatrix grid = twoFeet();
    GetParam().addToFeet(grid);
    const FeetRects rects = locateFeet(grid, kFootMinCells);
    EXPECT_EQ(rects[kLeftFoot], GetParam().left);
    EXPECT_EQ(rects[kRightFoot], GetParam().right);
    EXPECT_EQ(nonzeroCells(grid), GetParam().nonzeroCellsAfter);
}

INSTANTIATE_TEST_SUITE_P(
    FootLocation, LocateFeet,
    testing::Values(
        LocateCase{"TwoFeet", [](PressureMatrix&) {}, kLeft, kRight, kFeetCells},
        // Three cells in a row of the left half above the foot are noise, four are foot.
        LocateCase{"ThreeCellsAboveFootAreWiped",
                   [](PressureMatrix& g) { fillRun(g, 3, 6, 3, 50); }, kLeft, kRight, kFeetCells},
        LocateCase{"FourCellsAboveFootAreTheTopRow",
                   [](PressureMatrix& g) { fillRun(g, 3, 6, 4, 50); }, QRect(5, 3, 9, 37), kRight,
                   kFeetCells + 4},
        // The row scan counts each half alone: the same run in the right half is its own.
        LocateCase{"RowsCountPerHalf",
                   [](PressureMatrix& g) {
                       fillRun(g, 3, 22, 3, 50);  // three cells left of the middle ...
                       fillRun(g, 3, 25, 3, 50);  // ... and three right of it
                   },
                   kLeft, kRight, kFeetCells},
        LocateCase{"ThreeCellsBelowFootAreWiped",
                   [](PressureMatrix& g) { fillRun(g, 47, 33, 3, 50); }, kLeft, kRight, kFeetCells},
        LocateCase{"FourCellsBelowFootAreTheBottomRow",
                   [](PressureMatrix& g) { fillRun(g, 47, 33, 4, 50); }, kLeft,
                   QRect(30, 8, 11, 39), kFeetCells + 4},
        // A column beside the foot with three cells is noise; with four it widens the foot.
        LocateCase{"ThreeCellsInAColumnAreWiped",
                   [](PressureMatrix& g) { fillBlock(g, 20, 2, 22, 2, 50); }, kLeft, kRight,
                   kFeetCells},
        LocateCase{"FourCellsInAColumnAreTheFirstColumn",
                   [](PressureMatrix& g) { fillBlock(g, 20, 2, 23, 2, 50); }, QRect(2, 10, 12, 30),
                   kRight, kFeetCells + 4},
        LocateCase{"LastColumnOfTheRightFoot",
                   [](PressureMatrix& g) { fillBlock(g, 20, 46, 25, 46, 50); }, kLeft,
                   QRect(30, 8, 16, 36), kFeetCells + 6},
        // Scattered single cells inside the foot's rows but outside its columns.
        LocateCase{"LonelyCellsBesideTheFootAreWiped",
                   [](PressureMatrix& g) {
                       g.at(15, 0) = 9;
                       g.at(30, 20) = 9;
                       g.at(12, 49) = 9;
                   },
                   kLeft, kRight, kFeetCells},
        // Feet that touch the plate's border are still found.
        LocateCase{"FeetTouchingTheBorder",
                   [](PressureMatrix& g) {
                       fillBlock(g, 0, 0, 49, 14, 300);
                       fillBlock(g, 8, 30, 49, 49, 500);
                   },
                   QRect(0, 0, 14, 49), QRect(30, 8, 19, 41), 50 * 15 + 42 * 20},
        LocateCase{"FootOnlyInTheTopRowsHasNoBottomRow",
                   [](PressureMatrix& g) {
                       g = PressureMatrix();
                       fillBlock(g, 2, 5, 24, 14, 300);  // the bottom scan stops at row 25
                       fillBlock(g, 8, 30, 44, 41, 500);
                   },
                   QRect(5, 2, 9, -3), kRight, 23 * 10 + 37 * 12},
        LocateCase{"OneFootOnly", [](PressureMatrix& g) { fillBlock(g, 0, 25, 49, 49, 0); }, kLeft,
                   QRect(-1, -1, 0, 0), 31 * 10},
        LocateCase{"EmptyPlate", [](PressureMatrix& g) { g = PressureMatrix(); },
                   QRect(-1, -1, 0, 0), QRect(-1, -1, 0, 0), 0},
        // Noise only: every row is below the threshold and wiped.
        LocateCase{"NoiseOnly",
                   [](PressureMatrix& g) {
                       g = PressureMatrix();
                       fillRun(g, 5, 3, 3, 50);
                       fillRun(g, 40, 30, 2, 50);
                   },
                   QRect(-1, -1, 0, 0), QRect(-1, -1, 0, 0), 0}),
    [](const auto& info) { return std::string(info.param.name); });

// With every edge found, nothing of a half stays outside its rectangle.
TEST(FootLocation, NoNonzeroCellRemainsOutsideTheRectangles) {
    PressureMatrix grid = twoFeet();
    for (int k = 0; k < 50; k += 3) {  // noise all over the plate
        grid.at(k, (k * 7) % 50) = 11;
        grid.at(49 - k, (k * 13) % 50) = 11;
    }
    const FeetRects rects = locateFeet(grid, kFootMinCells);
    for (int r = 0; r < 50; ++r) {
        for (int c = 0; c < 50; ++c) {
            const QRect& rect = rects[c < 25 ? kLeftFoot : kRightFoot];
            const bool inside = c >= rect.x() && c <= rect.x() + rect.width() && r >= rect.y() &&
                                r <= rect.y() + rect.height();
            if (!inside) {
                EXPECT_EQ(grid.at(r, c), 0) << "row " << r << " column " << c;
            }
        }
    }
}

}  // namespace
