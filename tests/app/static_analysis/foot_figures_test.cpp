// Load figures and arch classification of one foot, and the shares of both feet.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "FootFigures.h"
#include "StaticAnalysis.h"
#include "grid_fixtures.h"

namespace {

ZoneLoadMap zoneMap(const std::array<double, 8>& zones) {
    ZoneLoadMap map;
    for (int zone = 1; zone <= kZoneCount; ++zone) {
        map[zoneLoadKey(zone)] = zones[zone - 1];
    }
    return map;
}

struct ArchCase {
    int archIndex;
    const char* footType;
};

class ArchClassification : public testing::TestWithParam<ArchCase> {};

TEST_P(ArchClassification, ThresholdsIncludeTheirLowerBound) {
    EXPECT_EQ(footTypeForArchIndex(GetParam().archIndex), QString::fromUtf8(GetParam().footType));
}

INSTANTIATE_TEST_SUITE_P(FootFigures, ArchClassification,
                         testing::Values(ArchCase{0, "高足弓"}, ArchCase{4, "高足弓"},
                                         ArchCase{5, "轻微高足弓"}, ArchCase{9, "轻微高足弓"},
                                         ArchCase{10, "正常足"}, ArchCase{19, "正常足"},
                                         ArchCase{20, "轻微扁平足"}, ArchCase{27, "轻微扁平足"},
                                         ArchCase{28, "扁平足"}, ArchCase{100, "扁平足"}),
                         [](const auto& info) {
                             return "ArchIndex" + std::to_string(info.param.archIndex);
                         });

struct LoadCase {
    const char* name;
    std::array<double, 8> zones;
    int total;
    int front, middle, rear;
    const char* footType;
    int frontHalfLoad, frontHalfShare, rearHalfShare;
};

class LoadFigures : public testing::TestWithParam<LoadCase> {};

TEST_P(LoadFigures, FollowFromTheZoneLoads) {
    const LoadCase& c = GetParam();
    FootRecord foot;
    setLoadFigures(foot, zoneMap(c.zones));
    EXPECT_EQ(foot.zones, std::vector<double>(c.zones.begin(), c.zones.end()));
    EXPECT_EQ(foot.total, c.total);
    EXPECT_EQ(foot.front, c.front);
    EXPECT_EQ(foot.middle, c.middle);
    EXPECT_EQ(foot.rear, c.rear);
    EXPECT_EQ(foot.footType, QString::fromUtf8(c.footType));
    EXPECT_EQ(foot.frontHalfLoad, c.frontHalfLoad);
    EXPECT_EQ(foot.frontHalfShare, c.frontHalfShare);
    EXPECT_EQ(foot.rearHalfShare, c.rearHalfShare);
}

INSTANTIATE_TEST_SUITE_P(
    FootFigures, LoadFigures,
    testing::Values(
        // Front 440 (55 %), arch 60 (7 %), rear the remaining 38 %; front half 60 / 2 + 440.
        LoadCase{"WorkedExample",
                 {100, 50, 120, 130, 40, 60, 200, 100},
                 800,
                 55,
                 7,
                 38,
                 "轻微高足弓",
                 470,
                 58,
                 42},
        LoadCase{"AllLoadInTheFront",
                 {10, 20, 30, 40, 0.5, 0, 0, 0},
                 101,
                 100,
                 0,
                 0,
                 "高足弓",
                 101,
                 100,
                 0},
        // Totals and the front half are ceilings; the rear absorbs both truncations.
        LoadCase{"FractionsRoundUp",
                 {0.25, 0, 0, 0, 0, 33.3, 66.4, 0},
                 100,
                 0,
                 33,
                 67,
                 "扁平足",
                 17,
                 17,
                 83},
        LoadCase{"NoLoad", {0, 0, 0, 0, 0, 0, 0, 0}, 0, 0, 0, 0, "正常足", 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FootFigures, AFootWithoutZonesCarriesNoLoad) {
    FootRecord foot;
    setLoadFigures(foot, zoneMap({100, 50, 120, 130, 40, 60, 200, 100}));
    for (const ZoneLoadMap& loads : {ZoneLoadMap{}, ZoneLoadMap{{"section_1_key", 50.0}}}) {
        setLoadFigures(foot, loads);  // a recomputed foot forgets the earlier figures
        EXPECT_TRUE(foot.zones.empty());
        EXPECT_EQ(foot.zoneSum, 0.0);
        EXPECT_EQ(foot.total, 0);
        EXPECT_EQ(foot.front + foot.middle + foot.rear, 0);
        EXPECT_EQ(foot.footType, QStringLiteral("正常足"));
        EXPECT_EQ(foot.frontHalfLoad + foot.frontHalfShare + foot.rearHalfShare, 0);
    }
}

TEST(FootFigures, ContactAreaAndPressuresComeFromTheFootsHalf) {
    PressureMatrix grid;
    grid.at(10, 3) = 200;
    grid.at(20, 24) = 900;
    grid.at(30, 12) = 50;
    fillBlock(grid, 10, 30, 14, 34, 400);  // 25 cells on the right
    grid.at(12, 32) = 1500;
    FootRecord left;
    left.zoneSum = 1000;
    setContactFigures(left, grid, kLeftFoot);
    EXPECT_EQ(left.contactArea, 3 * 49);
    EXPECT_DOUBLE_EQ(left.averagePressure, 333.3);  // 333.33.. cut to one decimal
    EXPECT_EQ(left.maxPressure, 900);
    FootRecord right;
    right.zoneSum = 10000.99;
    setContactFigures(right, grid, kRightFoot);
    EXPECT_EQ(right.contactArea, 1225);
    EXPECT_EQ(contactAreaText(right.contactArea), QString::fromUtf8("1225mm²"));
    EXPECT_DOUBLE_EQ(right.averagePressure, 400.0);  // 400.039..
    EXPECT_EQ(right.maxPressure, 1500);
}

TEST(FootFigures, AFootWithoutLoadHasNoAveragePressure) {
    FootRecord foot;  // zone sum 0, e.g. a foot whose zones were refused
    setContactFigures(foot, gridWithCell(20, 40, 700), kRightFoot);
    EXPECT_EQ(foot.contactArea, 49);
    EXPECT_EQ(foot.averagePressure, 0.0);
    EXPECT_EQ(foot.maxPressure, 700);
    setContactFigures(foot, PressureMatrix(), kLeftFoot);
    EXPECT_EQ(foot.contactArea, 0);
    EXPECT_EQ(foot.maxPressure, 0);
}

struct BothFeetCase {
    const char* name;
    int leftTotal, rightTotal;
    int leftFrontHalf, rightFrontHalf;
    int leftShare, rightShare;
    int bothFront, bothRear;
};

class BothFeet : public testing::TestWithParam<BothFeetCase> {};

TEST_P(BothFeet, SharesOfTheLoadOfBothFeet) {
    const BothFeetCase& c = GetParam();
    std::array<FootRecord, 2> feet;
    feet[kLeftFoot].total = c.leftTotal;
    feet[kRightFoot].total = c.rightTotal;
    feet[kLeftFoot].frontHalfLoad = c.leftFrontHalf;
    feet[kRightFoot].frontHalfLoad = c.rightFrontHalf;
    setFootShares(feet);
    EXPECT_EQ(feet[kLeftFoot].share, c.leftShare);
    EXPECT_EQ(feet[kRightFoot].share, c.rightShare);
    const BothFeetShares both = bothFeetShares(feet);
    EXPECT_EQ(both.front, c.bothFront);
    EXPECT_EQ(both.rear, c.bothRear);
}

INSTANTIATE_TEST_SUITE_P(
    FootFigures, BothFeet,
    testing::Values(
        BothFeetCase{"LeftWithoutLoad", 0, 600, 0, 300, 0, 100, 50, 50},
        BothFeetCase{"RightWithoutLoad", 600, 0, 450, 0, 100, 0, 75, 25},
        BothFeetCase{"NoLoadAtAll", 0, 0, 0, 0, 0, 0, 0, 0},
        BothFeetCase{"ShareIsTruncated", 301, 299, 100, 100, 50, 50, 33, 67},
        BothFeetCase{"OneThird", 1, 2, 1, 1, 33, 67, 66, 34},
        BothFeetCase{"WorkedExampleWithALighterFoot", 800, 200, 470, 130, 80, 20, 60, 40},
        // 570 / 1000 * 100 is 56.99.. in doubles: the division comes first.
        BothFeetCase{"DivisionComesBeforeTheHundredfold", 800, 200, 470, 100, 80, 20, 56, 44}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
