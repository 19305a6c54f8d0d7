// Euler angles, quaternions, rotation matrices and Rodrigues vectors.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "VXMATHIN.h"
#include "test_support.h"

namespace {

using mathlib_test::expectMatrixNear;
using mathlib_test::expectPointNear;
using mathlib_test::expectSameRotation;
using mathlib_test::kAllOrders;
using VXDEF::ChannelOrderEuler;
using VXDEF::Point3D;
using VXDEF::QuaD;

VX::VXMATHIN math;

const ChannelOrderEuler kUnknownOrder = static_cast<ChannelOrderEuler>(6);

TEST(MathRotations, QuarterTurnAboutX) {
    QuaD q{};
    math.eulerToQuat({90, 0, 0}, VXDEF::XYZ, q);
    const double h = std::sqrt(0.5);
    expectSameRotation(q, {h, h, 0, 0}, 1e-15);
    EXPECT_GT(q.w, 0.0);
}

class EulerOrders : public ::testing::TestWithParam<ChannelOrderEuler> {};

TEST_P(EulerOrders, QuaternionAndMatrixRoundTrips) {
    const ChannelOrderEuler order = GetParam();
    std::mt19937 rng(100 + order);
    std::uniform_real_distribution<double> angle(-79.9, 79.9);
    for (int i = 0; i < 300; ++i) {
        const Point3D angles{angle(rng), angle(rng), angle(rng)};
        QuaD q{};
        double fromEuler[3][3], fromQuaternion[3][3];
        math.eulerToQuat(angles, order, q);
        math.eulerToRotMatrix(angles, order, fromEuler);
        math.quatToRotMatrix(q, fromQuaternion);
        expectMatrixNear(&fromQuaternion[0][0], &fromEuler[0][0], 9, 1e-14);
        Point3D back{}, viaQuaternion{};
        math.rotMatrixToEuler(fromEuler, order, back);
        math.quatToEuler(q, order, viaQuaternion);
        expectPointNear(back, angles, 1e-10);
        expectPointNear(viaQuaternion, angles, 1e-10);
        expectSameRotation(math.euler2Quat(angles, order, {0, 0, 0, 0}), q, 1e-13);
    }
}

TEST_P(EulerOrders, GimbalLockKeepsTheRotation) {
    // Middle angle at ±90°: the third angle becomes 0 and the first absorbs it.
    const ChannelOrderEuler order = GetParam();
    for (double middle : {90.0, -90.0}) {
        Point3D angles{20, 35, -15};
        const int middleAxis[6] = {1, 2, 0, 2, 0, 1};
        (middleAxis[order] == 0 ? angles.x : middleAxis[order] == 1 ? angles.y : angles.z) = middle;
        double m[3][3], again[3][3];
        math.eulerToRotMatrix(angles, order, m);
        Point3D back{};
        math.rotMatrixToEuler(m, order, back);
        math.eulerToRotMatrix(back, order, again);
        expectMatrixNear(&again[0][0], &m[0][0], 9, 1e-6);
    }
}

INSTANTIATE_TEST_SUITE_P(MathRotations, EulerOrders, ::testing::ValuesIn(kAllOrders));

TEST(MathRotations, UnknownOrderLeavesOutputs) {
    QuaD q{1, 2, 3, 4};
    math.eulerToQuat({10, 20, 30}, kUnknownOrder, q);
    expectSameRotation(q, {1, 2, 3, 4}, 0);
    const QuaD given{0.5, 0.5, 0.5, 0.5};
    const QuaD returned = math.euler2Quat({10, 20, 30}, kUnknownOrder, given);
    EXPECT_EQ(returned.w, 0.5);
    EXPECT_EQ(returned.z, 0.5);
    double m[3][3] = {{7, 7, 7}, {7, 7, 7}, {7, 7, 7}};
    math.eulerToRotMatrix({10, 20, 30}, kUnknownOrder, m);
    EXPECT_EQ(m[1][2], 7.0);
    const double I[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    Point3D angles{5, 6, 7};
    math.rotMatrixToEuler(I, kUnknownOrder, angles);
    expectPointNear(angles, {5, 6, 7}, 0);
    expectPointNear(math.rotm2EulDegree(I, kUnknownOrder), {0, 0, 0}, 0);
}

TEST(MathRotations, MatrixToQuaternionRoundTripIncludingHalfTurns) {
    std::mt19937 rng(7);
    std::vector<QuaD> cases = {{0, 1, 0, 0},     {0, 0, 1, 0},         {0, 0, 0, 1},
                               {0, 0.6, 0.8, 0}, {0, 0.48, 0.6, 0.64}, {0, -0.8, 0, 0.6},
                               {1, 0, 0, 0},     {0.001, 0, 1, 0}};
    for (int i = 0; i < 300; ++i) cases.push_back(mathlib_test::randomUnitQuaternion(rng));
    for (QuaD q : cases) {
        math.quaternionNormalize(q);
        double m[3][3];
        math.QToMatrix(q, m);
        QuaD back{}, alias{};
        math.rotMatrixToQuat(m, back);
        math.rotation2quat_all_12(m, alias);
        expectSameRotation(back, q, 1e-12);
        expectSameRotation(alias, back, 0);
        // rotation2quat reads the plain matrix, the transpose of the stored one.
        double plain[3][3];
        math.matrixTranspose(m, plain);
        expectSameRotation(math.rotation2quat(plain), q, 1e-12);
        float mf[3][3];
        for (int k = 0; k < 9; ++k) (&mf[0][0])[k] = static_cast<float>((&m[0][0])[k]);
        VXDEF::QuaF f{};
        math.rotation2quat_all_12(mf, f);
        expectSameRotation({f.w, f.x, f.y, f.z}, q, 5e-5);
    }
}

TEST(MathQuaternions, Helpers) {
    const QuaD c = math.quaternionConjugate({1, 2, 3, 4});
    expectSameRotation(c, {1, -2, -3, -4}, 0);
    QuaD zero{0, 0, 0, 0};
    math.quaternionNormalize(zero);
    EXPECT_EQ(zero.w + zero.x + zero.y + zero.z, 0.0);
    QuaD q{0, 3, 0, 4};
    math.quaternionNormalize(q);
    expectSameRotation(q, {0, 0.6, 0, 0.8}, 1e-15);
}

TEST(MathQuaternions, HamiltonProduct) {
    const QuaD i{0, 1, 0, 0}, j{0, 0, 1, 0}, k{0, 0, 0, 1};
    const QuaD ij = math.quaMulti(i, j), ji = math.quaMulti(j, i), kk = math.quaMulti(k, k);
    EXPECT_EQ(ij.z, 1.0);
    EXPECT_EQ(ji.z, -1.0);
    EXPECT_EQ(kk.w, -1.0);
    const QuaD a{1, 2, 3, 4}, b{-0.5, 1, 0.25, 2};
    const QuaD ab = math.quaMulti(a, b);
    EXPECT_EQ(ab.w, -11.25);
    EXPECT_EQ(ab.x, 5.0);
    EXPECT_EQ(ab.y, -1.25);
    EXPECT_EQ(ab.z, -2.5);
    double p[4] = {1, 2, 3, 4}, r[4] = {-0.5, 1, 0.25, 2};
    math.Q_wxyz_Multi(p, r, p);  // in place
    expectSameRotation({p[0], p[1], p[2], p[3]}, ab, 0);
}

TEST(MathQuaternions, RotateVectorAndItsInverse) {
    const double h = std::sqrt(0.5);
    expectPointNear(math.rotate_vector_by_qua({1, 0, 0}, {h, 0, 0, h}), {0, 1, 0}, 1e-15);
    // A scaled quaternion is the same rotation; a zero one leaves the vector.
    expectPointNear(math.rotate_vector_by_qua({1, 0, 0}, {3 * h, 0, 0, 3 * h}), {0, 1, 0}, 1e-15);
    expectPointNear(math.rotate_vector_by_qua({1, 2, 3}, {0, 0, 0, 0}), {1, 2, 3}, 0);
    std::mt19937 rng(11);
    for (int i = 0; i < 100; ++i) {
        const QuaD q = mathlib_test::randomUnitQuaternion(rng);
        const Point3D p{1.5, -2, 0.25};
        const Point3D turned = math.rotate_vector_by_qua(p, q);
        EXPECT_NEAR(math.vector3Norm(turned), math.vector3Norm(p), 1e-14);
        Point3D back{};
        math.vector_transform(q, turned, back);
        expectPointNear(back, p, 1e-14);
    }
}

TEST(MathRotations, ZyxExtractions) {
    const Point3D angles{25, -40, 70};  // about X, Y, Z
    double m[3][3];
    math.eulerToRotMatrix(angles, VXDEF::ZYX, m);
    double zyx[3];
    math.rotationMatrixToEuler_ZYX(m, zyx);
    expectPointNear({zyx[0], zyx[1], zyx[2]}, {70, -40, 25}, 1e-12);
    QuaD q{};
    math.eulerToQuat(angles, VXDEF::ZYX, q);
    const double qa[4] = {q.w, q.x, q.y, q.z};
    double fromQuaternion[3];
    math.qua_wxyz_2Euler_zyx(qa, fromQuaternion);
    expectPointNear({fromQuaternion[0], fromQuaternion[1], fromQuaternion[2]}, {70, -40, 25},
                    1e-12);
    expectPointNear(math.qua2Euler_ZYXDegree(q), angles, 1e-12);

    // Arrangement of (x, y, z) in rotm2EulDegree's result by order.
    const Point3D expected[6] = {{70, -40, 25}, {70, 25, -40}, {-40, 25, 70},
                                 {-40, 70, 25}, {25, 70, -40}, {25, -40, 70}};
    for (ChannelOrderEuler order : kAllOrders)
        expectPointNear(math.rotm2EulDegree(m, order), expected[order], 1e-12);
}

TEST(MathRotations, ZyxAtTheLockUsesTheRoundedLimit) {
    double m[3][3];
    math.eulerToRotMatrix({0, 90, 30}, VXDEF::ZYX, m);
    m[0][2] = -1.0;  // exactly at the limit
    double zyx[3];
    math.rotationMatrixToEuler_ZYX(m, zyx);
    EXPECT_DOUBLE_EQ(zyx[1], 1.5700000524520874 * 180 / M_PI);
    EXPECT_EQ(zyx[2], 0.0);
    EXPECT_NEAR(math.rotm2EulDegree(m, VXDEF::ZYX).y, 1.57 * 180 / M_PI, 1e-12);
}

TEST(MathRotations, YzxOfAChangedFrame) {
    const double identity[4] = {1, 0, 0, 0};
    double out[3];
    math.qua_wxyz_2Euler_yzx(identity, out);
    expectPointNear({out[0], out[1], out[2]}, {0, 0, 0}, 1e-12);
    // q = c ⊗ p ⊗ c* for p = 30° about X, c the half turn of the frame change.
    const double h = std::sqrt(0.5);
    const QuaD c{0, 0, h, h};
    const QuaD p{std::cos(M_PI / 12), std::sin(M_PI / 12), 0, 0};
    const QuaD q = math.quaMulti(math.quaMulti(c, p), math.quaternionConjugate(c));
    const double qa[4] = {q.w, q.x, q.y, q.z};
    math.qua_wxyz_2Euler_yzx(qa, out);
    expectPointNear({out[0], out[1], out[2]}, {0, 0, -30}, 1e-12);
}

TEST(MathRotations, RotationMatrixXYZIsThePlainZyxProduct) {
    double m[3][3], stored[3][3], plain[3][3];
    math.rotationMatrixXYZ(30, -20, 50, m);
    math.eulerToRotMatrix({50, -20, 30}, VXDEF::ZYX, stored);
    math.matrixTranspose(stored, plain);
    expectMatrixNear(&m[0][0], &plain[0][0], 9, 1e-14);
}

TEST(MathRotations, HalfTurnAboutZOnTheLeft) {
    const double src[3][3] = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
    double dst[3][3];
    math.rotationMatrix_XY_Axis_Rotation180Degree(src, dst);
    const double expected[9] = {-1, -2, -3, -4, -5, -6, 7, 8, 9};
    expectMatrixNear(&dst[0][0], expected, 9, 0);
}

TEST(MathRodrigues, ZeroVectorGivesTheWholeIdentity) {
    double R[3][3];
    std::memset(R, 0x7f, sizeof R);  // stale data must not survive
    const double r[3] = {0, 0, 0};
    math.rodriguezVector2rotationMatrix(r, R);
    const double identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    expectMatrixNear(&R[0][0], identity, 9, 0);
    double back[3] = {9, 9, 9};
    math.rotationMatrix2RodriguezVector(R, back);
    expectMatrixNear(back, r, 3, 0);
}

TEST(MathRodrigues, RoundTripOverAllAnglesUpToAHalfTurn) {
    std::mt19937 rng(5);
    std::normal_distribution<double> normal;
    std::uniform_real_distribution<double> angle(0.0, M_PI);
    std::vector<double> angles = {1e-9, 1e-4, M_PI - 1e-9, M_PI};
    for (int i = 0; i < 200; ++i) angles.push_back(angle(rng));
    for (double theta : angles) {
        Point3D axis = math.vectorNormalization({normal(rng), normal(rng), normal(rng)});
        const double r[3] = {axis.x * theta, axis.y * theta, axis.z * theta};
        double R[3][3], back[3];
        math.rodriguezVector2rotationMatrix(r, R);
        math.rotationMatrix2RodriguezVector(R, back);
        if (theta > M_PI - 1e-6 && back[0] * r[0] + back[1] * r[1] + back[2] * r[2] < 0)
            for (double& b : back) b = -b;  // at a half turn ±r are the same rotation
        expectMatrixNear(back, r, 3, 1e-6);
    }
}

}  // namespace
