// Zero-velocity test and rest / walking events on synthetic sensor series.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <stdexcept>
#include <vector>

#include "VXMATHIN.h"
#include "test_support.h"

namespace {

using VXDEF::Point3D;

VX::VXMATHIN math;

// A sensor lying still (gravity along z) that turns fast at the given samples: a window of
// five samples is at rest exactly when it holds none of them.
struct Recording {
    std::vector<Point3D> acc;
    std::vector<Point3D> gyro;
};

Recording recording(int n, const std::set<int>& moving) {
    Recording r;
    for (int i = 0; i < n; ++i) {
        r.acc.push_back({0.0, 0.0, 1.0});
        r.gyro.push_back({0.0, 0.0, moving.count(i) ? 200.0 : 0.0});
    }
    return r;
}

std::set<int> range(int first, int last) {
    std::set<int> s;
    for (int i = first; i <= last; ++i) s.insert(i);
    return s;
}

std::set<int> join(std::set<int> a, const std::set<int>& b) {
    a.insert(b.begin(), b.end());
    return a;
}

TEST(MathZeroVelocity, RestAndMotion) {
    const std::vector<Point3D> still(10, Point3D{0, 0, 1});
    const std::vector<Point3D> noRate(10, Point3D{0, 0, 0});
    EXPECT_TRUE(math.zvd(still, noRate));
    // 1 rad/s gives T = 1 / 1.9038588736669286e-05, above 23000.
    const std::vector<Point3D> oneRadian(10, Point3D{180 / M_PI, 0, 0});
    EXPECT_FALSE(math.zvd(still, oneRadian));
    // Threshold: T < 23000 means a rate below √(23000 · 1.9038588736669286e-05) rad/s.
    EXPECT_TRUE(math.zvd(still, std::vector<Point3D>(10, Point3D{0, 0.66 * 180 / M_PI, 0})));
    EXPECT_FALSE(math.zvd(still, std::vector<Point3D>(10, Point3D{0, 0.663 * 180 / M_PI, 0})));
    // A constant tilt is still rest; shaking is not.
    EXPECT_TRUE(math.zvd(std::vector<Point3D>(10, Point3D{0.6, 0, 0.8}), noRate));
    std::vector<Point3D> shaking = still;
    shaking[3] = {8, 0, 1};
    EXPECT_FALSE(math.zvd(shaking, noRate));
}

TEST(MathZeroVelocity, DegenerateInput) {
    EXPECT_FALSE(math.zvd({}, {}));
    EXPECT_FALSE(math.zvd(std::vector<Point3D>(5, Point3D{0, 0, 0}),
                          std::vector<Point3D>(5, Point3D{0, 0, 0})));
    EXPECT_THROW(math.zvd(std::vector<Point3D>(5, Point3D{0, 0, 1}),
                          std::vector<Point3D>(4, Point3D{0, 0, 0})),
                 std::out_of_range);
}

struct SectionCase {
    const char* name;
    int n;
    std::set<int> moving;
    int start1, end1;  // staticSection1
    int start2, end2;  // staticSection2
};

class RestSections : public ::testing::TestWithParam<SectionCase> {};

TEST_P(RestSections, FirstLastAndMergedLongestRun) {
    const SectionCase& c = GetParam();
    const Recording r = recording(c.n, c.moving);
    int start = -1, end = -1;
    math.staticSection1(r.acc, r.gyro, start, end);
    EXPECT_EQ(start, c.start1) << c.name;
    EXPECT_EQ(end, c.end1) << c.name;
    start = end = -1;
    math.staticSection2(r.acc, r.gyro, start, end);
    EXPECT_EQ(start, c.start2) << c.name;
    EXPECT_EQ(end, c.end2) << c.name;
}

// Rest results R_k (k ≥ 2) are false within two samples of a moving one, and R_0 = R_1 = false.
INSTANTIATE_TEST_SUITE_P(
    MathGaitEvents, RestSections,
    ::testing::Values(
        // Runs 2–7 and 13–27; the second one stays open at the end.
        SectionCase{"open run at the end", 30, {10}, 2, 27, 2, 7},
        // Runs 2–7, 13–22, 28–36: the longest merges both neighbours 6 samples away.
        SectionCase{"neighbours merged", 40, {10, 25, 39}, 2, 36, 2, 36},
        // Runs 2–7, 18–27, 33–46: 33 − 27 < 10 merges, 18 − 7 ≥ 10 stops.
        SectionCase{"gap of ten stops", 50, join(range(10, 15), {30, 49}), 2, 46, 18, 46},
        // R = F, F, T, T: a run only at the end is none.
        SectionCase{"only an open run", 6, {}, 2, 3, 0, 0},
        // One rest window (samples 2–6): a single rest sample keeps end at 0.
        SectionCase{"single rest sample", 10, {1, 7}, 4, 0, 4, 4},
        SectionCase{"always moving", 20, range(0, 19), 0, 0, 0, 0},
        SectionCase{"too short", 4, {}, 0, 0, 0, 0}),
    mathlib_test::CaseName());

TEST(MathGaitEvents, EndOfWalkingBeforeAFinalRest) {
    // Walking on samples 0–39, rest after: the latest window touching the walk ends at 43.
    const Recording r = recording(60, range(0, 39));
    int index = -1;
    math.endWarkIndex(r.acc, r.gyro, index);
    EXPECT_EQ(index, 43);
}

TEST(MathGaitEvents, EndOfWalkingDefaultsToTheLastSample) {
    int index = -1;
    const Recording still = recording(60, {});
    math.endWarkIndex(still.acc, still.gyro, index);
    EXPECT_EQ(index, 59);
    // 23 samples make only 19 windows.
    const Recording shortWalk = recording(23, range(0, 10));
    math.endWarkIndex(shortWalk.acc, shortWalk.gyro, index);
    EXPECT_EQ(index, 22);
    const Recording tiny = recording(3, {});
    math.endWarkIndex(tiny.acc, tiny.gyro, index);
    EXPECT_EQ(index, 2);
}

TEST(MathGaitEvents, StartOfWalkingAfterAnInitialRest) {
    // Rest on samples 0–19, walking after: windows 0–15 rest, so walking starts at 16.
    const Recording r = recording(60, range(20, 59));
    std::vector<double> values;
    for (int k = 0; k < 60; ++k) values.push_back(k < 20 ? 0.1 * k : 5.0);
    int index = -1;
    double level = -1;
    math.startWarkIndex(values, r.acc, r.gyro, index, level);
    EXPECT_EQ(index, 16);
    EXPECT_DOUBLE_EQ(level, 0.75);  // mean of 0.0 … 1.5
}

TEST(MathGaitEvents, StartOfWalkingAtTheFirstSample) {
    const Recording r = recording(30, range(0, 29));
    std::vector<double> values;
    for (int k = 0; k < 30; ++k) values.push_back(2.0 + k);
    int index = -1;
    double level = -1;
    math.startWarkIndex(values, r.acc, r.gyro, index, level);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(level, 2.0);
}

TEST(MathGaitEvents, StartOfWalkingNeedsASpreadOfValues) {
    // The first 20 windows are walking but their values span less than 3.0: nothing is
    // found, whatever follows.
    const Recording r = recording(60, range(0, 59));
    std::vector<double> values(60, 1.0);
    for (int k = 30; k < 60; ++k) values[k] = 10.0 * k;
    int index = -1;
    double level = -1;
    math.startWarkIndex(values, r.acc, r.gyro, index, level);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(level, 0.0);
    EXPECT_THROW(math.startWarkIndex(std::vector<double>(10, 0.0), r.acc, r.gyro, index, level),
                 std::out_of_range);
}

}  // namespace
