// Series trigonometry, unit conversions and distances.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "VXMATHIN.h"
#include "test_support.h"

namespace {

VX::VXMATHIN math;

TEST(MathCore, ExactValuesAtZero) {
    EXPECT_EQ(math.cos(0.0), 1.0);
    EXPECT_EQ(math.sin(0.0), 0.0);
}

struct TrigCase {
    const char* name;
    double (VX::VXMATHIN::*function)(double);
    double argument;
    double expected;
};

class SeriesValues : public ::testing::TestWithParam<TrigCase> {};

TEST_P(SeriesValues, MatchWithinLastBits) {
    const TrigCase& c = GetParam();
    EXPECT_NEAR((math.*c.function)(c.argument), c.expected, 4e-16) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    MathCore, SeriesValues,
    ::testing::Values(TrigCase{"cos(1)", &VX::VXMATHIN::cos, 1.0, 0.5403023058681398},
                      TrigCase{"sin(1)", &VX::VXMATHIN::sin, 1.0, 0.8414709848078965},
                      TrigCase{"cosd(60)", &VX::VXMATHIN::cosd, 60.0, 0.5},
                      TrigCase{"sind(30)", &VX::VXMATHIN::sind, 30.0, 0.5},
                      TrigCase{"cos(pi)", &VX::VXMATHIN::cos, M_PI, -1.0},
                      TrigCase{"sin(-pi/2)", &VX::VXMATHIN::sin, -M_PI / 2, -1.0},
                      TrigCase{"deg2rad(180)", &VX::VXMATHIN::deg2rad, 180.0, M_PI},
                      TrigCase{"rad2deg(pi)", &VX::VXMATHIN::rad2deg, M_PI, 180.0}),
    mathlib_test::CaseName());

TEST(MathCore, SeriesFollowsTheLibmOverOneTurn) {
    for (double x = -2 * M_PI; x <= 2 * M_PI; x += 0.01) {
        EXPECT_NEAR(math.cos(x), std::cos(x), 1e-13) << x;
        EXPECT_NEAR(math.sin(x), std::sin(x), 1e-13) << x;
    }
}

TEST(MathCore, SeriesHasNoRangeReduction) {
    // Far from zero the truncated series drifts away; a reduced argument would not.
    EXPECT_GT(std::abs(math.cos(40.0) - std::cos(40.0)), 1e-3);
}

TEST(MathCore, StartUpLineFormatsTheSeriesCosine) {
    char line[64];
    std::snprintf(line, sizeof line, "VX::VXMATHIN.cos(1) return %f  \r\n", math.cos(1));
    EXPECT_EQ(std::string(line), "VX::VXMATHIN.cos(1) return 0.540302  \r\n");
}

TEST(MathCore, Distances) {
    EXPECT_EQ(math.eucDistancePoint22({0, 0}, {3, 4}), 5.0);
    EXPECT_EQ(math.eucDistancePoint22({-1, 2}, {-1, 2}), 0.0);
    EXPECT_EQ(math.eucDistancePoint33({1, 2, 3}, {3, 5, 9}), 7.0);
}

}  // namespace
