// The eight plantar zones of a foot rectangle and their loads.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "ZoneLoads.h"
#include "grid_fixtures.h"

namespace {

const QRect kExampleRect(30, 5, 9, 29);  // 10 x 30 cells, last cells (39, 34)

struct AreaCase {
    const char* name;
    FootSide side;
    QRect rect;
    int s;
    ZoneArea area;
};

class ZoneBorders : public testing::TestWithParam<AreaCase> {};

TEST_P(ZoneBorders, FollowTheBandsAndColumnsOfTheLayout) {
    const auto areas = zoneAreas(GetParam().side, GetParam().rect, GetParam().s);
    ASSERT_EQ(areas.size(), 8u);
    const ZoneArea& want = GetParam().area;
    const ZoneArea* got = nullptr;
    for (const ZoneArea& area : areas) {
        got = area.zone == want.zone ? &area : got;
    }
    ASSERT_NE(got, nullptr);
    EXPECT_EQ(got->left, want.left);
    EXPECT_EQ(got->right, want.right);
    EXPECT_EQ(got->top, want.top);
    EXPECT_EQ(got->bottom, want.bottom);
}

INSTANTIATE_TEST_SUITE_P(
    ZoneLoads, ZoneBorders,
    testing::Values(
        // s = 10: X0 = 300, W = 100, Y0 = 50, H = 300.
        AreaCase{"RightZone1", kRightFoot, kExampleRect, 10, {1, 300, 333, 50, 110}},
        AreaCase{"RightZone2", kRightFoot, kExampleRect, 10, {2, 333, 400, 50, 110}},
        AreaCase{"RightZone3", kRightFoot, kExampleRect, 10, {3, 300, 333, 110, 170}},
        AreaCase{"RightZone4", kRightFoot, kExampleRect, 10, {4, 333, 376, 110, 170}},
        AreaCase{"RightZone5", kRightFoot, kExampleRect, 10, {5, 376, 400, 110, 170}},
        AreaCase{"RightZone6", kRightFoot, kExampleRect, 10, {6, 300, 400, 170, 260}},
        AreaCase{"RightZone7", kRightFoot, kExampleRect, 10, {7, 300, 350, 260, 350}},
        AreaCase{"RightZone8", kRightFoot, kExampleRect, 10, {8, 350, 400, 260, 350}},
        // The left foot is the mirror image: zones 1, 3 and 7 face the right foot.
        AreaCase{"LeftZone2", kLeftFoot, QRect(5, 5, 9, 29), 10, {2, 50, 117, 50, 110}},
        AreaCase{"LeftZone1", kLeftFoot, QRect(5, 5, 9, 29), 10, {1, 117, 150, 50, 110}},
        AreaCase{"LeftZone5", kLeftFoot, QRect(5, 5, 9, 29), 10, {5, 50, 74, 110, 170}},
        AreaCase{"LeftZone3", kLeftFoot, QRect(5, 5, 9, 29), 10, {3, 117, 150, 110, 170}},
        AreaCase{"LeftZone7", kLeftFoot, QRect(5, 5, 9, 29), 10, {7, 100, 150, 260, 350}},
        // Borders inside a cell: W = 33, 33 % of it is 10.89, cut to 10.
        AreaCase{"BorderInsideACell", kRightFoot, QRect(30, 5, 10, 29), 3, {1, 90, 100, 15, 33}}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusedCase {
    const char* name;
    QRect rect;
    int s;
};

class RefusedRectangle : public testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedRectangle, GivesNoZonesAndAnEmptyMap) {
    PressureMatrix grid;
    grid.values.fill(100);
    for (const FootSide side : kFootSides) {
        EXPECT_TRUE(zoneAreas(side, GetParam().rect, GetParam().s).empty());
        EXPECT_TRUE(computeZoneLoads(grid, side, GetParam().rect, GetParam().s).empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    ZoneLoads, RefusedRectangle,
    testing::Values(RefusedCase{"NoFoot", QRect(-1, -1, 0, 0), 10},
                    RefusedCase{"NoBottomRow", QRect(5, 2, 9, -3), 10},
                    RefusedCase{"StartsInColumnZero", QRect(0, 5, 9, 29), 10},
                    RefusedCase{"StartsInRowZero", QRect(30, 0, 9, 29), 10},
                    RefusedCase{"ReachesPastTheLastColumn", QRect(45, 5, 5, 29), 10},
                    RefusedCase{"ReachesPastTheLastRow", QRect(30, 30, 9, 20), 10},
                    RefusedCase{"NoSubdivision", kExampleRect, 0},
                    RefusedCase{"NegativeSubdivision", kExampleRect, -10}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ZoneLoads, TheLastRowAndColumnOfThePlateAreAccepted) {
    EXPECT_EQ(zoneAreas(kRightFoot, QRect(40, 20, 9, 29), 10).size(), 8u);
}

TEST(ZoneLoads, AUniformFootLoadsEachZoneByItsArea) {
    PressureMatrix grid;
    fillBlock(grid, 5, 30, 34, 39, 100);  // every sub-cell of s = 10 carries 1
    const ZoneLoadMap loads = computeZoneLoads(grid, kRightFoot, kExampleRect, 10);
    const ZoneLoadMap want{{"section_1_key", 33 * 60}, {"section_2_key", 67 * 60},
                           {"section_3_key", 33 * 60}, {"section_4_key", 43 * 60},
                           {"section_5_key", 24 * 60}, {"section_6_key", 100 * 90},
                           {"section_7_key", 50 * 90}, {"section_8_key", 50 * 90}};
    EXPECT_EQ(loads, want);
}

// With s = 3 the border between zones 4 and 5 (X = 112) cuts cell column 37 after one of its
// three sub-columns: a reading of 37 there gives 12.333.. and 24.666.., kept as 12.33 and
// 24.66 (truncated, not rounded).
TEST(ZoneLoads, SumsAreTruncatedToHundredths) {
    const ZoneLoadMap loads =
        computeZoneLoads(gridWithCell(11, 37, 37), kRightFoot, kExampleRect, 3);
    ASSERT_EQ(loads.size(), 8u);
    EXPECT_DOUBLE_EQ(loads.at("section_4_key"), 12.33);
    EXPECT_DOUBLE_EQ(loads.at("section_5_key"), 24.66);
    for (const int zone : {1, 2, 3, 6, 7, 8}) {
        EXPECT_EQ(loads.at(zoneLoadKey(zone)), 0.0) << zone;
    }
}

// The zones tile the rectangle: every sub-cell inside it belongs to exactly one zone, none
// outside, so the untruncated zone sums add up to the cells of the rectangle.
TEST(ZoneLoads, ZonesTileTheRectangleForRandomGridsAndRectangles) {
    std::mt19937 random(20240508);
    std::uniform_int_distribution<int> value(0, 4000);
    for (int trial = 0; trial < 200; ++trial) {
        const int s = 3 + trial % 10;
        const int x = std::uniform_int_distribution<int>(1, 45)(random);
        const int y = std::uniform_int_distribution<int>(1, 45)(random);
        const int w = std::uniform_int_distribution<int>(0, 49 - x)(random);
        const int h = std::uniform_int_distribution<int>(0, 49 - y)(random);
        const QRect rect(x, y, w, h);
        const FootSide side = trial % 2 == 0 ? kLeftFoot : kRightFoot;
        PressureMatrix grid;
        for (auto& v : grid.values) {
            v = static_cast<std::uint16_t>(value(random));
        }
        const int width = s * (w + 1);
        const int height = s * (h + 1);
        std::vector<int> cover(static_cast<std::size_t>(width * height), 0);
        double zoneTotal = 0.0;
        for (const ZoneArea& area : zoneAreas(side, rect, s)) {
            for (int sx = area.left; sx < area.right; ++sx) {
                for (int sy = area.top; sy < area.bottom; ++sy) {
                    ASSERT_TRUE(sx >= s * x && sx < s * x + width && sy >= s * y &&
                                sy < s * y + height);
                    ++cover[(sy - s * y) * width + (sx - s * x)];
                    zoneTotal += static_cast<double>(grid.at(sy / s, sx / s)) / s / s;
                }
            }
        }
        for (const int c : cover) {
            ASSERT_EQ(c, 1) << "trial " << trial;
        }
        double cellTotal = 0.0;
        for (int r = y; r <= y + h; ++r) {
            for (int c = x; c <= x + w; ++c) {
                cellTotal += grid.at(r, c);
            }
        }
        EXPECT_NEAR(zoneTotal, cellTotal, 1e-6 * cellTotal + 1e-9);
        double truncatedTotal = 0.0;
        for (const auto& [key, load] : computeZoneLoads(grid, side, rect, s)) {
            truncatedTotal += load;
        }
        // Each of the eight zones loses less than a hundredth to truncation.
        EXPECT_LE(truncatedTotal, cellTotal + 1e-6 * cellTotal);
        EXPECT_GT(truncatedTotal, cellTotal - 0.08 - 1e-6 * cellTotal);
    }
}

}  // namespace
