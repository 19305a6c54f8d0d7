// Vectors, arrays, triangles, spherical coordinates and orthogonal bases.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "VXMATHIN.h"
#include "test_support.h"

namespace {

using mathlib_test::expectMatrixNear;
using mathlib_test::expectPointNear;
using VXDEF::Point3D;

VX::VXMATHIN math;

TEST(MathVectors, CrossProductOverloadsAgreeAndMayAlias) {
    const Point3D a{1, 2, 3}, b{-2, 0.5, 4};
    const Point3D c = math.crossProduct(a, b);
    expectPointNear(c, {6.5, -10, 4.5}, 1e-15);
    expectPointNear(math.crossProduct3(a, b), c, 0);
    double x[3] = {1, 2, 3}, y[3] = {-2, 0.5, 4};
    math.crossProduct(x, y, x);
    expectPointNear(math.array3Dimen2Point3D(x), c, 0);
    EXPECT_EQ(math.dotProduct3(a, c), 0.0);
}

TEST(MathVectors, AnglesStayFiniteAtTheEnds) {
    EXPECT_EQ(math.cos3Vector({0, 0, 0}, {1, 0, 0}), 0.0);
    EXPECT_DOUBLE_EQ(math.vector3AngleDegree({0, 0, 0}, {1, 0, 0}), 90.0);
    // Rounding puts these cosines just past ±1.
    EXPECT_EQ(math.vector3AngleRadian({0.1, 0.2, 0.3}, {0.3, 0.6, 0.9}), 0.0);
    EXPECT_DOUBLE_EQ(math.vector3AngleDegree({0.1, 0.2, 0.3}, {-0.3, -0.6, -0.9}), 180.0);
    EXPECT_NEAR(math.vector3AngleDegree({1, 0, 0}, {1, 1, 0}), 45.0, 1e-12);
}

TEST(MathVectors, NormalisationLeavesTheZeroVector) {
    expectPointNear(math.vectorNormalization({0, 0, 0}), {0, 0, 0}, 0);
    Point3D p{0, 3, 4};
    math.vector3DimensionNorm(p);
    expectPointNear(p, {0, 0.6, 0.8}, 1e-15);
    double a[3] = {0, 0, 0};
    math.vector3DimensionNorm(a);
    EXPECT_EQ(a[0] + a[1] + a[2], 0.0);
}

TEST(MathVectors, ArrayHelpers) {
    const double src[3] = {2, 4, 6};
    double dst[3] = {7, 7, 7};
    math.arrayElementDivideScaleFactor(src, dst, 3, 0.0);
    EXPECT_EQ(dst[0] + dst[1] + dst[2], 21.0);  // nothing written for a zero factor
    math.arrayElementDivideScaleFactor(src, dst, 2, 2.0);
    EXPECT_EQ(dst[0], 1.0);
    EXPECT_EQ(dst[1], 2.0);
    EXPECT_EQ(dst[2], 7.0);
    EXPECT_EQ(math.modulusArray(src, 2), std::sqrt(20.0));
    double p[2][3];
    math.initArrayDiagonalElement(&p[0][0], 2, 3, 5.0);
    const double expected[6] = {5, 0, 0, 0, 5, 0};
    expectMatrixNear(&p[0][0], expected, 6, 0);
}

TEST(MathVectors, HaveOrNoVector) {
    EXPECT_TRUE(math.haveornoVector(2, {1, 2}));
    EXPECT_FALSE(math.haveornoVector(3, {1, 2}));
    EXPECT_FALSE(math.haveornoVector(0, {}));
}

TEST(MathTriangles, RightTriangleFigures) {
    const Point3D p1{0, 0, 0}, p2{4, 0, 0}, p3{0, 3, 0};
    EXPECT_DOUBLE_EQ(math.perimeterTriangle(p1, p2, p3), 12.0);
    EXPECT_DOUBLE_EQ(math.triangleArea(p1, p2, p3), 6.0);
    EXPECT_DOUBLE_EQ(math.maxDistanceTriangle(p1, p2, p3), 5.0);
    expectPointNear(math.centroidOftriangle(p1, p2, p3), {4.0 / 3, 1, 0}, 1e-15);
    double a1, a2, a3;
    math.angleDegree(p1, p2, p3, a1, a2, a3);
    EXPECT_NEAR(a1, 90.0, 1e-12);
    EXPECT_NEAR(a2, std::atan2(3, 4) * 180 / M_PI, 1e-12);
    EXPECT_NEAR(a1 + a2 + a3, 180.0, 1e-12);
}

TEST(MathTriangles, FlatTriangleHasZeroArea) {
    EXPECT_EQ(math.triangleArea({0, 0, 0}, {1, 1, 1}, {3, 3, 3}), 0.0);
}

TEST(MathTriangles, MeansOfPoints) {
    expectPointNear(math.meanValueOnlyPoint3D({2, 4, 6}, 0), {2, 4, 6}, 0);
    expectPointNear(math.meanValueOnlyPoint3D({2, 4, 6}, 2), {1, 2, 3}, 0);
    expectPointNear(math.meansValuePoint3D({}), {0, 0, 0}, 0);
    expectPointNear(math.meansValuePoint3D({{1, 2, 3}, {3, 4, 5}}), {2, 3, 4}, 0);
}

TEST(MathTriangles, SphericalCoordinates) {
    VXDEF::SphericalCoordinateSystemPara s{};
    math.SphericalCoordinateSystem({1, 1, 1}, {1, 2, 1 + std::sqrt(3.0)}, s);
    EXPECT_NEAR(s.r, 2.0, 1e-15);
    EXPECT_NEAR(s.thetaDegree, 30.0, 1e-12);
    EXPECT_NEAR(s.phiDegree, 90.0, 1e-12);
    EXPECT_NEAR(s.cosTheta, std::sqrt(3.0) / 2, 1e-15);
    EXPECT_NEAR(s.sinTheta, 0.5, 1e-15);
    EXPECT_NEAR(s.sinPhi, 1.0, 1e-15);
    EXPECT_NEAR(s.cosPhi, 0.0, 1e-15);
    math.SphericalCoordinateSystem({1, 1, 1}, {1, 1, 1}, s);
    EXPECT_EQ(s.r, 0.0);
    EXPECT_EQ(s.theta, 0.0);  // coincident points: no NaN
}

TEST(MathBases, OrthogonalBasisIsRightHandedAndOrthonormal) {
    Point3D u, v, w;
    const Point3D p1{1, 2, 3}, p2{4, 0, 3}, p3{2, 5, -1};
    math.orthogonalBasis(p1, p2, p3, u, v, w);
    for (const Point3D& e : {u, v, w}) EXPECT_NEAR(math.vector3Norm(e), 1.0, 1e-15);
    EXPECT_NEAR(math.dotProduct3(u, v), 0.0, 1e-15);
    EXPECT_NEAR(math.dotProduct3(u, w), 0.0, 1e-15);
    expectPointNear(math.crossProduct(u, v), w, 1e-15);
    expectPointNear(u, math.vectorNormalization(math.vector3Minus(p2, p1)), 0);
    double byColumns[3][3], byRows[3][3], transposed[3][3];
    math.orthogonalBasisR_ByColsSave(p1, p2, p3, byColumns);
    math.orthogonalBasisR_ByRowsSave(p1, p2, p3, byRows);
    math.matrixTranspose(byRows, transposed);
    expectMatrixNear(&byColumns[0][0], &transposed[0][0], 9, 0);
    EXPECT_EQ(byColumns[0][1], v.x);
}

struct LongestSideCase {
    Point3D p1, p2, p3;
    double expected[3][3];
};

class LongestSideBasis : public ::testing::TestWithParam<LongestSideCase> {};

TEST_P(LongestSideBasis, ColumnsFollowTheStrictlyLongestSide) {
    const LongestSideCase& c = GetParam();
    double R[3][3];
    math.orthogonalBasisR_DIV_ABCPoint_ByColsSave(c.p1, c.p2, c.p3, R);
    expectMatrixNear(&R[0][0], &c.expected[0][0], 9, 1e-15);
}

INSTANTIATE_TEST_SUITE_P(
    MathBases, LongestSideBasis,
    ::testing::Values(
        // Longest side p2 p3: a = p1, c = p2, b = p3.
        LongestSideCase{
            {0, 0, 0}, {4, 0, 0}, {0, 3, 0}, {{-0.8, -0.6, 0}, {0.6, -0.8, 0}, {0, 0, 1}}},
        // Longest side p1 p3 with p2 equally far from both ends: c is the later one, p3.
        LongestSideCase{{0, 0, 0}, {1, 1, 0}, {2, 0, 0}, {{-1, 0, 0}, {0, 1, 0}, {0, 0, -1}}},
        // Two equal longest sides: none is strictly longest.
        LongestSideCase{{0, 0, 0}, {4, 0, 0}, {2, 4, 0}, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}}));

TEST(MathBases, PointsAsRowsOrColumns) {
    const Point3D a{1, 2, 3}, b{4, 5, 6}, c{7, 8, 9};
    double rows[3][3], rowsAlias[3][3], columns[3][3], columnsAlias[3][3];
    math.rowsMatrixAssignment(a, b, c, rows);
    math.save3PointXYZ_33R_ByRow(a, b, c, rowsAlias);
    math.colsMatrixAssignment(a, b, c, columns);
    math.save3PointXYZ_33R_ByColumn(a, b, c, columnsAlias);
    const double expectedRows[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    const double expectedColumns[9] = {1, 4, 7, 2, 5, 8, 3, 6, 9};
    expectMatrixNear(&rows[0][0], expectedRows, 9, 0);
    expectMatrixNear(&rowsAlias[0][0], expectedRows, 9, 0);
    expectMatrixNear(&columns[0][0], expectedColumns, 9, 0);
    expectMatrixNear(&columnsAlias[0][0], expectedColumns, 9, 0);
}

}  // namespace
