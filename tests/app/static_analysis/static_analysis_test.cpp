// The whole static analysis of a recording, and its image files.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <opencv2/imgcodecs.hpp>
#include <stdexcept>

#include "AnalysisImages.h"
#include "FootFigures.h"
#include "StaticAnalysis.h"
#include "ZoneLoads.h"
#include "grid_fixtures.h"
#include "standing_frames.h"

namespace {

// A recording whose mean grid holds a left foot and a right foot with noise around them.
std::vector<PressureMatrix> twoFootRecording() {
    PressureMatrix light;
    fillBlock(light, 6, 4, 41, 15, 300);
    fillBlock(light, 8, 31, 45, 43, 200);
    PressureMatrix heavy = light;
    fillBlock(heavy, 30, 6, 38, 12, 900);  // heel
    heavy.at(2, 20) = 80;                  // noise, wiped by locateFeet
    return {light, heavy, light};
}

TEST(StaticAnalysis, MeasuresEveryFigureOnTheCleanedMeanGrid) {
    const auto frames = twoFootRecording();
    const StaticAnalysis analysis = analyzeStatic(frames);
    EXPECT_EQ(analysis.grids.chosenFrame, 1);
    EXPECT_EQ(analysis.grids.meanGrid.at(2, 20), 0);
    EXPECT_EQ(analysis.feet[kLeftFoot].rect, QRect(4, 6, 11, 35));
    EXPECT_EQ(analysis.feet[kRightFoot].rect, QRect(31, 8, 12, 37));
    PressureMatrix cleaned = computeStaticGrids(frames).meanGrid;
    locateFeet(cleaned, kFootMinCells);
    EXPECT_EQ(analysis.grids.meanGrid.values, cleaned.values);
    for (const FootSide side : kFootSides) {
        const FootRecord& foot = analysis.feet[side];
        FootRecord expected;
        setLoadFigures(expected, computeZoneLoads(cleaned, side, foot.rect, kFigureSubdivision));
        setContactFigures(expected, cleaned, side);
        EXPECT_EQ(foot.zones, expected.zones);
        EXPECT_EQ(foot.total, expected.total);
        EXPECT_EQ(foot.middle, expected.middle);
        EXPECT_EQ(foot.footType, expected.footType);
        EXPECT_EQ(foot.frontHalfShare, expected.frontHalfShare);
        EXPECT_EQ(foot.averagePressure, expected.averagePressure);
        EXPECT_EQ(foot.contactArea, expected.contactArea);
    }
    EXPECT_EQ(analysis.feet[kLeftFoot].share + analysis.feet[kRightFoot].share, 100);
    EXPECT_EQ(analysis.bothFeet.front + analysis.bothFeet.rear, 100);
}

// The figures are measured at the fixed subdivision whatever size the image is drawn at; a
// different subdivision would change them on this recording.
TEST(StaticAnalysis, FiguresDoNotFollowTheDrawnImageSize) {
    const StaticAnalysis analysis = analyzeStatic(twoFootRecording());
    const FootRecord& left = analysis.feet[kLeftFoot];
    ZoneLoadMap atTen;
    for (int zone = 1; zone <= kZoneCount; ++zone) {
        atTen[zoneLoadKey(zone)] = left.zones[zone - 1];
    }
    EXPECT_EQ(atTen, computeZoneLoads(analysis.grids.meanGrid, kLeftFoot, left.rect, 10));
    EXPECT_NE(atTen, computeZoneLoads(analysis.grids.meanGrid, kLeftFoot, left.rect, 7));
}

TEST(StaticAnalysis, EmptyPlateGivesNoFeetAndZeroFigures) {
    const StaticAnalysis analysis = analyzeStatic(std::vector<PressureMatrix>(3));
    EXPECT_EQ(analysis.grids.chosenFrame, 0);
    for (const FootRecord& foot : analysis.feet) {
        EXPECT_EQ(foot.rect, QRect(-1, -1, 0, 0));
        EXPECT_TRUE(foot.zones.empty());
        EXPECT_EQ(foot.total, 0);
        EXPECT_EQ(foot.share, 0);
        EXPECT_EQ(foot.footType, QStringLiteral("正常足"));
        EXPECT_EQ(foot.contactArea, 0);
        EXPECT_EQ(foot.averagePressure, 0.0);
    }
    EXPECT_EQ(analysis.bothFeet.front, 0);
    EXPECT_EQ(analysis.bothFeet.rear, 0);
}

struct OneFootCase {
    const char* name;
    int top, left, bottom, right;  // the only foot's cells, inclusive
    FootSide side;
    bool zonesComputed;
};

class OneFoot : public testing::TestWithParam<OneFootCase> {};

// A single foot, in the middle or against the border: the other foot carries nothing, and a
// foot that starts in column 0 or row 0 or ends above row 25 keeps no zone loads.
TEST_P(OneFoot, TheOtherFootCarriesNothing) {
    const OneFootCase& c = GetParam();
    PressureMatrix frame;
    fillBlock(frame, c.top, c.left, c.bottom, c.right, 500);
    const StaticAnalysis analysis = analyzeStatic({frame});
    const FootRecord& foot = analysis.feet[c.side];
    const FootRecord& other = analysis.feet[c.side == kLeftFoot ? kRightFoot : kLeftFoot];
    EXPECT_EQ(other.rect, QRect(-1, -1, 0, 0));
    EXPECT_EQ(other.total, 0);
    EXPECT_EQ(other.share, 0);
    EXPECT_EQ(foot.zones.size(), c.zonesComputed ? 8u : 0u);
    EXPECT_EQ(foot.share, c.zonesComputed ? 100 : 0);
    EXPECT_GT(foot.contactArea, 0);
    EXPECT_EQ(foot.maxPressure, 500);
    EXPECT_EQ(analysis.bothFeet.front + analysis.bothFeet.rear, c.zonesComputed ? 100 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    StaticAnalysis, OneFoot,
    testing::Values(OneFootCase{"LeftInTheMiddle", 10, 5, 40, 14, kLeftFoot, true},
                    OneFootCase{"RightAgainstTheRightEdge", 10, 38, 49, 49, kRightFoot, true},
                    OneFootCase{"LeftAgainstColumnZero", 10, 0, 40, 9, kLeftFoot, false},
                    OneFootCase{"RightAgainstRowZero", 0, 30, 40, 40, kRightFoot, false},
                    OneFootCase{"LeftOnlyInTheTopRows", 3, 5, 20, 14, kLeftFoot, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StaticAnalysis, NoFramesIsAnError) { EXPECT_THROW(analyzeStatic({}), std::invalid_argument); }

TEST(StaticAnalysis, StandingSubjectHasTwoFeetInsideTheirHalves) {
    const StaticAnalysis analysis = analyzeStatic(standingRecording(200, 100.0));
    for (const FootSide side : kFootSides) {
        const FootRecord& foot = analysis.feet[side];
        EXPECT_GE(foot.rect.x(), firstColumnOf(side));
        EXPECT_LT(foot.rect.x() + foot.rect.width(), firstColumnOf(side) + kHalfColumns);
        EXPECT_GE(foot.rect.y(), 1);
        EXPECT_GE(foot.rect.y() + foot.rect.height(), 25);  // the heel is found
        ASSERT_EQ(foot.zones.size(), 8u);
        EXPECT_GT(foot.total, 0);
        EXPECT_EQ(foot.front + foot.middle + foot.rear, 100);
        EXPECT_GT(foot.rear, foot.middle);  // heels carry more than the arch
        EXPECT_GT(foot.averagePressure, 0.0);
    }
    EXPECT_EQ(analysis.feet[kLeftFoot].share + analysis.feet[kRightFoot].share, 100);
}

TEST(AnalysisImages, WritesOnlyTheImageTheViewsRead) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const StaticGrids grids = computeStaticGrids(twoFootRecording());
    writeAnalysisImage(ColorOfPressMap(), folder.path(), grids.peakGrid);
    EXPECT_EQ(analysisImagePath(folder.path()), folder.path() + "/analysis.jpg");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"analysis.jpg"});
    const cv::Mat image =
        cv::imread(QFile::encodeName(analysisImagePath(folder.path())).toStdString());
    EXPECT_EQ(image.cols, 500);
    EXPECT_EQ(image.rows, 500);
}

TEST(AnalysisImages, AMissingFolderIsNoError) {
    const StaticGrids grids = computeStaticGrids({PressureMatrix()});
    writeAnalysisImage(ColorOfPressMap(), "/nonexistent/cache", grids.peakGrid);
    EXPECT_FALSE(QFile::exists("/nonexistent/cache/analysis.jpg"));
}

}  // namespace
