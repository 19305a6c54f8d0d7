// Elliptic cone footprints and field-of-view corners.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "VXMATHIN.h"
#include "test_support.h"

namespace {

using VXDEF::Point2D;
using VXDEF::Point3D;

struct ConeCase {
    Point3D axisRotation;  // Euler angles (degrees) of R, order X, Y, Z
    Point3D apex;
    double alpha, beta;
};

class ConeFootprint : public ::testing::TestWithParam<ConeCase> {};

TEST_P(ConeFootprint, PointsLieOnTheConeAndOnTheConic) {
    const ConeCase& c = GetParam();
    VX::VXMATHIN math;
    double stored[3][3], R[3][3];
    math.eulerToRotMatrix(c.axisRotation, VXDEF::XYZ, stored);
    math.matrixTranspose(stored, R);
    VX::VXCV cv;
    double conic[5];
    cv.ellipse_project(R, c.apex, c.alpha, c.beta, conic);
    std::vector<Point2D> points = {{-1, -1}};  // appended to
    cv.ellipse_projectPoint(R, c.apex, c.alpha, c.beta, 36, points);
    ASSERT_EQ(points.size(), 37u);
    const double ta = std::tan(c.alpha * M_PI / 180), tb = std::tan(c.beta * M_PI / 180);
    for (std::size_t i = 1; i < points.size(); ++i) {
        const double x = points[i].x, y = points[i].y;
        EXPECT_NEAR(
            conic[0] * x * x + conic[1] * x * y + conic[2] * y * y + conic[3] * x + conic[4] * y,
            -1.0, 1e-9);
        // In the cone's own frame the direction from the apex has (dx/dz)²/tan²α + … = 1.
        const double d[3] = {x - c.apex.x, y - c.apex.y, -c.apex.z};
        double local[3];
        math.matrix_33_multiply_31(stored, d, local);  // Rᵀ·d
        const double u = local[0] / local[2], v = local[1] / local[2];
        EXPECT_NEAR(u * u / (ta * ta) + v * v / (tb * tb), 1.0, 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(MathCamera, ConeFootprint,
                         ::testing::Values(ConeCase{{180, 0, 0}, {0, 0, 5}, 20, 10},
                                           ConeCase{{170, 10, 30}, {1, -2, 4}, 15, 25},
                                           ConeCase{{200, -15, 80}, {-3, 0.5, 8}, 30, 30}));

TEST(MathCamera, EllipsePointsNeedARealEllipse) {
    VX::VXCV cv;
    std::vector<Point2D> points;
    const double hyperbola[5] = {1, 0, -1, 0, 0};
    cv.getEllipsePoint(hyperbola, 10, points);
    const double imaginary[5] = {1, 0, 1, 0, 0};  // x² + y² = −1
    cv.getEllipsePoint(imaginary, 10, points);
    const double circle[5] = {-1, 0, -1, 0, 0};  // x² + y² = 1
    cv.getEllipsePoint(circle, 0, points);
    EXPECT_TRUE(points.empty());
    cv.getEllipsePoint(circle, 4, points);
    ASSERT_EQ(points.size(), 4u);
    EXPECT_NEAR(points[0].x, 1.0, 1e-15);
    EXPECT_NEAR(points[1].y, 1.0, 1e-15);
}

TEST(MathCamera, RaysParallelToThePlaneLeaveTheConic) {
    VX::VXCV cv;
    const double sideways[3][3] = {{0, 0, 1}, {0, 1, 0}, {-1, 0, 0}};  // axis along x
    double conic[5] = {7, 7, 7, 7, 7};
    cv.ellipse_project(sideways, {0, 0, 5}, 0, 0, conic);
    EXPECT_EQ(conic[0], 7.0);
}

TEST(MathCamera, FieldOfViewCorners) {
    VX::VXCV cv;
    std::vector<Point3D> corners;
    cv.getFourPoint({1, 2, 3}, 2, 90, 2 * std::atan(0.5) * 180 / M_PI, corners);
    ASSERT_EQ(corners.size(), 4u);
    const Point3D expected[4] = {{-1, 1, 5}, {-1, 3, 5}, {3, 3, 5}, {3, 1, 5}};
    for (int i = 0; i < 4; ++i) mathlib_test::expectPointNear(corners[i], expected[i], 1e-14);
}

}  // namespace
