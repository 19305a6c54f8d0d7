#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "ConfidenceEllipse.h"

namespace {

constexpr double kPi = 3.141592653589793;

struct Point {
    double x, y;
};

AnalysisResults withCopMillimetres(const std::vector<Point>& points) {
    AnalysisResults results;
    for (int i = 0; i < static_cast<int>(points.size()); ++i) {
        results.copMillimetres.insert(i, {points[i].x, points[i].y});
    }
    return results;
}

// The ellipse from the closed-form eigenvalues of the 2 x 2 sample covariance.
struct ReferenceEllipse {
    double area, a, b, angle;
};

ReferenceEllipse referenceEllipse(const std::vector<Point>& points) {
    const double n = static_cast<double>(points.size());
    double mx = 0, my = 0;
    for (const Point& p : points) mx += p.x / n, my += p.y / n;
    double sxx = 0, syy = 0, sxy = 0;
    for (const Point& p : points) {
        sxx += (p.x - mx) * (p.x - mx);
        syy += (p.y - my) * (p.y - my);
        sxy += (p.x - mx) * (p.y - my);
    }
    sxx /= n - 1, syy /= n - 1, sxy /= n - 1;
    const double half = (sxx + syy) / 2;
    const double spread = std::sqrt((sxx - syy) * (sxx - syy) / 4 + sxy * sxy);
    const double a = 2 * std::sqrt(5.991 * (half + spread));
    const double b = 2 * std::sqrt(5.991 * std::max(0.0, half - spread));
    return {kPi * a * b / 4, a, b, 0.5 * std::atan2(2 * sxy, sxx - syy)};
}

// Distance between two axis directions, which are the same modulo pi.
double axisAngleDifference(double first, double second) {
    const double d = std::remainder(first - second, kPi);
    return std::fabs(d);
}

struct CloudShape {
    double sigmaMajor, sigmaMinor, rotation;
};

class RandomClouds : public ::testing::TestWithParam<CloudShape> {};

TEST_P(RandomClouds, AgreeWithClosedFormEigenvalues) {
    const CloudShape shape = GetParam();
    std::mt19937 generator(12345);
    for (int cloud = 0; cloud < 20; ++cloud) {
        SCOPED_TRACE(cloud);
        std::normal_distribution<double> major(0, shape.sigmaMajor), minor(0, shape.sigmaMinor);
        std::vector<Point> points;
        for (int i = 0; i < 300; ++i) {
            const double u = major(generator), v = minor(generator);
            const double c = std::cos(shape.rotation), s = std::sin(shape.rotation);
            points.push_back({175 + c * u - s * v, 175 + s * u + c * v});
        }
        AnalysisResults results = withCopMillimetres(points);
        const EllipseOutcome outcome = computeConfidenceEllipse(results, nullptr);
        ASSERT_EQ(outcome.status, EllipseStatus::Computed) << outcome.message;

        const ReferenceEllipse expected = referenceEllipse(points);
        EXPECT_NEAR(results.ellipseArea, expected.area, 1e-9 * expected.area);
        EXPECT_NEAR(results.ellipseAxisA, expected.a, 1e-9 * expected.a);
        EXPECT_NEAR(results.ellipseAxisB, expected.b, 1e-9 * expected.a);
        EXPECT_GE(results.ellipseAxisA, results.ellipseAxisB);
        EXPECT_LT(axisAngleDifference(results.ellipseAngle, expected.angle), 1e-6);
    }
}

INSTANTIATE_TEST_SUITE_P(Shapes, RandomClouds,
                         ::testing::Values(CloudShape{12, 3, 0.4}, CloudShape{5, 4.5, -1.2},
                                           CloudShape{20, 1, 1.5707963}, CloudShape{8, 2, 2.9}));

TEST(ConfidenceEllipse, PointsAlongXOnlyGiveAFlatEllipse) {
    AnalysisResults results = withCopMillimetres({{100, 70}, {107, 70}, {114, 70}, {121, 70}});
    ASSERT_EQ(computeConfidenceEllipse(results, nullptr).status, EllipseStatus::Computed);
    // Variance 7² * 5/3 along X: a = 2 * sqrt(5.991 * 245 / 3).
    EXPECT_NEAR(results.ellipseAxisA, 2 * std::sqrt(5.991 * 245.0 / 3), 1e-9);
    EXPECT_EQ(results.ellipseAxisB, 0);
    EXPECT_EQ(results.ellipseArea, 0);
    EXPECT_LT(axisAngleDifference(results.ellipseAngle, 0), 1e-12);
}

TEST(ConfidenceEllipse, PointsOnASlantedLineGiveMinorAxisZeroNotNaN) {
    std::vector<Point> points;
    for (int i = 0; i < 50; ++i) points.push_back({10 + 0.7 * i, 20 + 2.1 * i});
    AnalysisResults results = withCopMillimetres(points);
    ASSERT_EQ(computeConfidenceEllipse(results, nullptr).status, EllipseStatus::Computed);
    EXPECT_FALSE(std::isnan(results.ellipseAxisB));
    EXPECT_NEAR(results.ellipseAxisB, 0, 1e-6);
    EXPECT_NEAR(results.ellipseArea, 0, 1e-3);
    EXPECT_LT(axisAngleDifference(results.ellipseAngle, std::atan2(2.1, 0.7)), 1e-9);
}

TEST(ConfidenceEllipse, FramesWithoutPressureAreLeftOut) {
    const std::vector<Point> pressed{{140, 70}, {147, 84}, {161, 77}, {150, 60}};
    AnalysisResults reference = withCopMillimetres(pressed);
    computeConfidenceEllipse(reference, nullptr);

    AnalysisResults withGaps =
        withCopMillimetres({{0, 0}, {140, 70}, {0, 0}, {147, 84}, {161, 77}, {150, 60}, {0, 0}});
    ASSERT_EQ(computeConfidenceEllipse(withGaps, nullptr).status, EllipseStatus::Computed);
    EXPECT_DOUBLE_EQ(withGaps.ellipseArea, reference.ellipseArea);
    EXPECT_DOUBLE_EQ(withGaps.ellipseAxisA, reference.ellipseAxisA);
    EXPECT_DOUBLE_EQ(withGaps.ellipseAxisB, reference.ellipseAxisB);
    EXPECT_DOUBLE_EQ(withGaps.ellipseAngle, reference.ellipseAngle);
}

struct ShortCase {
    const char* name;
    std::vector<Point> points;
};

class NotEnoughData : public ::testing::TestWithParam<ShortCase> {};

TEST_P(NotEnoughData, GivesZeroFiguresAndSaysSo) {
    AnalysisResults results = withCopMillimetres(GetParam().points);
    results.ellipseArea = results.ellipseAxisA = results.ellipseAxisB = 99;  // a previous run
    results.ellipseAngle = 1;
    results.pathLength = 12;
    const EllipseOutcome outcome = computeConfidenceEllipse(results, nullptr);
    EXPECT_EQ(outcome.status, EllipseStatus::NotEnoughData);
    EXPECT_FALSE(outcome.message.empty());
    EXPECT_EQ(results.ellipseArea, 0);
    EXPECT_EQ(results.ellipseAxisA, 0);
    EXPECT_EQ(results.ellipseAxisB, 0);
    EXPECT_EQ(results.ellipseAngle, 0);
    EXPECT_EQ(results.pathLength, 12);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NotEnoughData,
    ::testing::Values(ShortCase{"no_frames", {}}, ShortCase{"one_frame", {{147, 77}}},
                      ShortCase{"one_frame_with_pressure", {{0, 0}, {147, 77}, {0, 0}}},
                      ShortCase{"no_frame_with_pressure", {{0, 0}, {0, 0}}}),
    [](const ::testing::TestParamInfo<ShortCase>& info) { return std::string(info.param.name); });

TEST(ConfidenceEllipse, FailedDecompositionIsReportedAndLeavesTheRestUsable) {
    // Coordinates whose squares overflow: the covariance holds infinities.
    AnalysisResults results = withCopMillimetres({{1e200, 70}, {3e200, 84}, {2e200, 60}});
    results.pathLength = 35;
    results.meanSpeedX = 12.5;
    results.copSpeedX.insert(0, -1);
    const EllipseOutcome outcome = computeConfidenceEllipse(results, nullptr);
    EXPECT_EQ(outcome.status, EllipseStatus::DecompositionFailed);
    EXPECT_EQ(outcome.message, "Eigen decomposition failed");
    EXPECT_EQ(results.ellipseArea, 0);
    EXPECT_EQ(results.ellipseAxisA, 0);
    EXPECT_EQ(results.ellipseAxisB, 0);
    EXPECT_EQ(results.ellipseAngle, 0);
    EXPECT_EQ(results.pathLength, 35);
    EXPECT_EQ(results.meanSpeedX, 12.5);
    EXPECT_EQ(results.copSpeedX.size(), 1);
}

std::string readAll(std::FILE* file) {
    std::rewind(file);
    std::string text;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, file)) text += buffer;
    return text;
}

TEST(ConfidenceEllipse, ReportsTheComputedEllipseInOneLine) {
    // The corners of a 7 mm square: covariance diag(49 / 3, 49 / 3).
    AnalysisResults results = withCopMillimetres({{7, 7}, {14, 7}, {7, 14}, {14, 14}});
    std::FILE* log = std::tmpfile();
    ASSERT_NE(log, nullptr);
    computeConfidenceEllipse(results, log);
    char expected[160];
    std::snprintf(expected, sizeof expected,
                  "opencv calculateCop_ResultPara()   area: %f   a:%f   b:%f  \r\n",
                  results.ellipseArea, results.ellipseAxisA, results.ellipseAxisB);
    EXPECT_EQ(readAll(log), expected);
    EXPECT_NEAR(results.ellipseAxisA, 2 * std::sqrt(5.991 * 49 / 3), 1e-9);

    // Nothing computed, nothing reported.
    std::FILE* silent = std::tmpfile();
    ASSERT_NE(silent, nullptr);
    AnalysisResults empty;
    computeConfidenceEllipse(empty, silent);
    EXPECT_EQ(readAll(silent), "");
    std::fclose(log);
    std::fclose(silent);
}

}  // namespace
