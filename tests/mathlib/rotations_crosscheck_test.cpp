// Euler products and Rodrigues conversions against OpenCV.
#include <gtest/gtest.h>

#include <cmath>
#include <opencv2/calib3d.hpp>
#include <opencv2/core.hpp>
#include <random>

#include "VXMATHIN.h"
#include "test_support.h"

namespace {

cv::Matx33d elementary(int axis, double degrees) {
    const double a = degrees * M_PI / 180, c = std::cos(a), s = std::sin(a);
    if (axis == 0) return {1, 0, 0, 0, c, -s, 0, s, c};
    if (axis == 1) return {c, 0, s, 0, 1, 0, -s, 0, c};
    return {c, -s, 0, s, c, 0, 0, 0, 1};
}

class EulerAgainstOpenCv : public ::testing::TestWithParam<VXDEF::ChannelOrderEuler> {};

TEST_P(EulerAgainstOpenCv, StoredMatrixIsTheTransposedProduct) {
    const int axes[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
    const VXDEF::ChannelOrderEuler order = GetParam();
    std::mt19937 rng(31 + order);
    std::uniform_real_distribution<double> angle(-180, 180);
    VX::VXMATHIN math;
    for (int c = 0; c < 300; ++c) {
        const double xyz[3] = {angle(rng), angle(rng), angle(rng)};
        const cv::Matx33d P = elementary(axes[order][0], xyz[axes[order][0]]) *
                              elementary(axes[order][1], xyz[axes[order][1]]) *
                              elementary(axes[order][2], xyz[axes[order][2]]);
        double m[3][3];
        math.eulerToRotMatrix({xyz[0], xyz[1], xyz[2]}, order, m);
        const cv::Matx33d Pt = P.t();
        mathlib_test::expectMatrixNear(&m[0][0], Pt.val, 9, 1e-14);
    }
}

INSTANTIATE_TEST_SUITE_P(MathCrossCheckRotations, EulerAgainstOpenCv,
                         ::testing::ValuesIn(mathlib_test::kAllOrders));

TEST(MathCrossCheckRotations, RodriguesBothWays) {
    std::mt19937 rng(32);
    std::normal_distribution<double> normal;
    std::uniform_real_distribution<double> angle(0.0, M_PI - 1e-3);
    VX::VXMATHIN math;
    for (int c = 0; c < 300; ++c) {
        cv::Vec3d axis(normal(rng), normal(rng), normal(rng));
        const cv::Vec3d r = axis * (angle(rng) / cv::norm(axis));
        cv::Matx33d theirs;
        cv::Rodrigues(r, theirs);
        double R[3][3];
        math.rodriguezVector2rotationMatrix(r.val, R);
        mathlib_test::expectMatrixNear(&R[0][0], theirs.val, 9, 1e-13);
        double back[3];
        math.rotationMatrix2RodriguezVector(reinterpret_cast<const double(*)[3]>(theirs.val), back);
        cv::Vec3d cvBack;
        cv::Rodrigues(theirs, cvBack);
        mathlib_test::expectMatrixNear(back, cvBack.val, 3, 1e-9);
    }
}

}  // namespace
