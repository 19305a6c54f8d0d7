// Statistics over vectors and the moving-average filter.
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <vector>

#include "VXMATHIN.h"

namespace {

VX::VXMATHIN math;

struct SpreadCase {
    std::vector<double> values;
    int mode;
    double variance;
};

class Spread : public ::testing::TestWithParam<SpreadCase> {};

TEST_P(Spread, VarianceAndDeviationInBothPrecisions) {
    const SpreadCase& c = GetParam();
    EXPECT_DOUBLE_EQ(math.VAR(c.values, c.mode), c.variance);
    EXPECT_DOUBLE_EQ(math.STD(c.values, c.mode), std::sqrt(c.variance));
    const std::vector<float> f(c.values.begin(), c.values.end());
    EXPECT_FLOAT_EQ(math.VAR(f, c.mode), static_cast<float>(c.variance));
    EXPECT_FLOAT_EQ(math.STD(f, c.mode), static_cast<float>(std::sqrt(c.variance)));
}

INSTANTIATE_TEST_SUITE_P(MathStatistics, Spread,
                         ::testing::Values(SpreadCase{{1, 2, 3, 4}, 0, 5.0 / 3},
                                           SpreadCase{{1, 2, 3, 4}, 1, 5.0 / 4},
                                           SpreadCase{{7}, 0, 0.0}, SpreadCase{{7}, 1, 0.0},
                                           SpreadCase{{}, 1, 0.0}, SpreadCase{{1, 2, 3, 4}, 2, 0.0},
                                           SpreadCase{{1, 2, 3, 4}, -1, 0.0}));

TEST(MathStatistics, MeanMaximumMinimum) {
    EXPECT_DOUBLE_EQ(math.meanValueFromVector(std::vector<double>{1, 2, 6}), 3.0);
    EXPECT_FLOAT_EQ(math.meanValueFromVector(std::vector<float>{1, 2}), 1.5f);
    EXPECT_EQ(math.meanValueFromVector(std::vector<double>{}), 0.0);
    EXPECT_EQ(math.maxValueFromVector(std::vector<double>{3, -1, 8, 8}), 8.0);
    EXPECT_EQ(math.minValueFromVector(std::vector<float>{3, -1, 8}), -1.0f);
    EXPECT_THROW(math.maxValueFromVector(std::vector<double>{}), std::out_of_range);
    EXPECT_THROW(math.minValueFromVector(std::vector<float>{}), std::out_of_range);
}

TEST(MathStatistics, ExtremeLocationsTakeTheFirstOfEqualOnes) {
    int value = -1, index = -1;
    math.maxValue_Location_Vector(std::vector<int>{3, 9, 1, 9}, value, index);
    EXPECT_EQ(value, 9);
    EXPECT_EQ(index, 1);
    math.minValue_Location_Vector(std::vector<int>{3, 1, 1, 9}, value, index);
    EXPECT_EQ(value, 1);
    EXPECT_EQ(index, 1);
    double dvalue = -1;
    math.maxValue_Location_Vector(std::vector<double>{-2.5, -0.5, -0.5}, dvalue, index);
    EXPECT_EQ(dvalue, -0.5);
    EXPECT_EQ(index, 1);
    math.minValue_Location_Vector(std::vector<double>{}, dvalue, index);
    EXPECT_EQ(dvalue, 0.0);
    EXPECT_EQ(index, 0);
    math.maxValue_Location_Vector(std::vector<int>{}, value, index);
    EXPECT_EQ(value, 0);
}

TEST(MathStatistics, RootMeanSquares) {
    EXPECT_FLOAT_EQ(math.RMS(std::vector<float>{3, 4}), std::sqrt(12.5f));
    EXPECT_EQ(math.RMS(std::vector<float>{}), 0.0f);
    // The double overload measures the spread around the mean square: S/n = 12.5 here.
    EXPECT_DOUBLE_EQ(math.RMS(std::vector<double>{3, 4}), std::sqrt((9.5 * 9.5 + 8.5 * 8.5) / 2));
    EXPECT_EQ(math.RMS(std::vector<double>{}), 0.0);
    EXPECT_DOUBLE_EQ(math.RMS(std::vector<VXDEF::Point3D>{{0, 0, 0}, {2, 0, 0}, {1, 3, 0}}),
                     std::sqrt((1 + 1 + 1 + 1 + 4) / 2.0));
    EXPECT_EQ(math.RMS(std::vector<VXDEF::Point3D>{{5, 5, 5}}), 0.0);
}

struct FilterCase {
    std::vector<double> in;
    int window;
    std::vector<double> appended;
};

class MovingAverage : public ::testing::TestWithParam<FilterCase> {};

TEST_P(MovingAverage, AppendsTheCentredMeans) {
    const FilterCase& c = GetParam();
    std::vector<double> out = {-1};  // not cleared
    math.movingAverageFiltering(c.in, out, c.window);
    ASSERT_EQ(out.size(), c.appended.size() + 1);
    EXPECT_EQ(out[0], -1);
    for (std::size_t i = 0; i < c.appended.size(); ++i) EXPECT_DOUBLE_EQ(out[i + 1], c.appended[i]);
}

INSTANTIATE_TEST_SUITE_P(
    MathStatistics, MovingAverage,
    ::testing::Values(FilterCase{{1, 2, 3, 4, 5}, 3, {4.0 / 3, 2, 3, 4, 14.0 / 3}},
                      FilterCase{{1, 2, 3, 4, 5}, 5, {9.0 / 5, 12.0 / 5, 3, 19.0 / 5, 21.0 / 5}},
                      FilterCase{{1, 2, 3, 4, 5}, 4, {}}, FilterCase{{1, 2, 3, 4, 5}, 7, {}},
                      FilterCase{{1, 2, 3, 4, 5}, 1, {}}, FilterCase{{1}, 1, {}},
                      FilterCase{{}, 3, {}}));

}  // namespace
