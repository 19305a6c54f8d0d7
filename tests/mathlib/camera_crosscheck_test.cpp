// Eight-point fundamental / essential matrices and triangulation against OpenCV.
#include <gtest/gtest.h>

#include <cmath>
#include <opencv2/calib3d.hpp>
#include <opencv2/core.hpp>
#include <random>
#include <vector>

#include "VXMATHIN.h"

namespace {

using VXDEF::Point2D;

constexpr int kCases = 300;

// Two pinhole cameras looking at a cloud of points in front of both.
struct StereoScene {
    cv::Matx33d K{800, 0, 320, 0, 780, 240, 0, 0, 1};
    cv::Matx33d R;
    cv::Vec3d t;
    std::vector<cv::Vec3d> points;
    std::vector<Point2D> pts1, pts2;

    cv::Matx34d projection1() const { return K * cv::Matx34d(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0); }
    cv::Matx34d projection2() const {
        return K * cv::Matx34d(R(0, 0), R(0, 1), R(0, 2), t[0], R(1, 0), R(1, 1), R(1, 2), t[1],
                               R(2, 0), R(2, 1), R(2, 2), t[2]);
    }
};

Point2D project(const cv::Matx34d& P, const cv::Vec3d& X) {
    const cv::Vec3d x = P * cv::Vec4d(X[0], X[1], X[2], 1.0);
    return {x[0] / x[2], x[1] / x[2]};
}

StereoScene randomScene(std::mt19937& rng, int count, double noise) {
    std::uniform_real_distribution<double> unit(-1.0, 1.0), depth(4.0, 10.0);
    std::normal_distribution<double> pixel(0.0, noise);
    StereoScene s;
    cv::Rodrigues(cv::Vec3d(0.2 * unit(rng), 0.3 * unit(rng), 0.2 * unit(rng)), s.R);
    s.t = cv::Vec3d(1.0 + 0.3 * unit(rng), 0.3 * unit(rng), 0.2 * unit(rng));
    for (int i = 0; i < count; ++i) {
        const cv::Vec3d X(2 * unit(rng), 2 * unit(rng), depth(rng));
        s.points.push_back(X);
        Point2D a = project(s.projection1(), X), b = project(s.projection2(), X);
        a.x += pixel(rng), a.y += pixel(rng), b.x += pixel(rng), b.y += pixel(rng);
        s.pts1.push_back(a);
        s.pts2.push_back(b);
    }
    return s;
}

cv::Matx33d toMatx(const double F[3][3]) {
    return cv::Matx33d(F[0][0], F[0][1], F[0][2], F[1][0], F[1][1], F[1][2], F[2][0], F[2][1],
                       F[2][2]);
}

// Unit Frobenius norm with a fixed sign, for comparisons up to scale.
cv::Matx33d normalisedUpToScale(const cv::Matx33d& F) {
    cv::Matx33d G = F * (1.0 / cv::norm(F));
    int largest = 0;
    for (int k = 1; k < 9; ++k)
        if (std::abs(G.val[k]) > std::abs(G.val[largest])) largest = k;
    return G.val[largest] < 0 ? G * -1.0 : G;
}

std::vector<cv::Point2d> toCv(const std::vector<Point2D>& points) {
    std::vector<cv::Point2d> out;
    for (const Point2D& p : points) out.emplace_back(p.x, p.y);
    return out;
}

TEST(MathCrossCheckEpipolar, FundamentalMatrixMatchesOpenCvEightPoint) {
    std::mt19937 rng(21);
    std::uniform_int_distribution<int> count(8, 40);
    VX::VXCV cvx;
    for (int c = 0; c < kCases; ++c) {
        const double noise = (c % 2 == 0) ? 0.0 : 0.3;
        const StereoScene s = randomScene(rng, count(rng), noise);
        double F[3][3];
        ASSERT_TRUE(cvx.run8pointFundamentalMatrix(s.pts1, s.pts2, F)) << "case " << c;
        const cv::Matx33d mine = normalisedUpToScale(toMatx(F));
        EXPECT_NEAR(cv::determinant(mine), 0.0, 1e-12) << "rank 2, case " << c;
        if (noise == 0.0)
            for (std::size_t i = 0; i < s.pts1.size(); ++i) {
                const cv::Vec3d x1(s.pts1[i].x, s.pts1[i].y, 1), x2(s.pts2[i].x, s.pts2[i].y, 1);
                EXPECT_LT(std::abs(x2.dot(mine * x1)) / (cv::norm(x1) * cv::norm(x2)), 1e-10)
                    << "case " << c;
            }
        const cv::Mat reference = cv::findFundamentalMat(toCv(s.pts1), toCv(s.pts2), cv::FM_8POINT);
        ASSERT_EQ(reference.rows, 3);
        const cv::Matx33d theirs = normalisedUpToScale(cv::Matx33d(reference));
        // OpenCV's own result is only good to about 1e-6 here (its residuals on exact
        // correspondences are larger than ours), hence the looser bound.
        EXPECT_LT(cv::norm(mine - theirs, cv::NORM_INF), 1e-4) << "case " << c;
    }
}

TEST(MathCrossCheckEpipolar, FundamentalMatrixRefusals) {
    VX::VXCV cvx;
    double F[3][3] = {{5, 5, 5}, {5, 5, 5}, {5, 5, 5}};
    std::mt19937 rng(22);
    const StereoScene s = randomScene(rng, 10, 0.0);
    const std::vector<Point2D> seven(s.pts1.begin(), s.pts1.begin() + 7);
    EXPECT_FALSE(cvx.run8pointFundamentalMatrix(seven, seven, F));
    std::vector<Point2D> shorter = s.pts2;
    shorter.pop_back();
    EXPECT_FALSE(cvx.run8pointFundamentalMatrix(s.pts1, shorter, F));
    const std::vector<Point2D> same(10, Point2D{100, 100});
    EXPECT_FALSE(cvx.run8pointFundamentalMatrix(same, s.pts2, F));
    EXPECT_EQ(F[1][1], 5.0);
}

TEST(MathCrossCheckEpipolar, EssentialMatrixIsTheCrossProductOfTheMotion) {
    std::mt19937 rng(23);
    VX::VXCV cvx;
    for (int c = 0; c < kCases; ++c) {
        StereoScene s = randomScene(rng, 20, 0.0);
        // Equal intrinsics for both views: E = [t]×·R.
        s.K = cv::Matx33d(700, 0, 300, 0, 700, 200, 0, 0, 1);
        s.pts1.clear();
        s.pts2.clear();
        for (const cv::Vec3d& X : s.points) {
            s.pts1.push_back(project(s.projection1(), X));
            s.pts2.push_back(project(s.projection2(), X));
        }
        double E[3][3];
        ASSERT_TRUE(
            cvx.run8pointfindEssentialMatrix(700, 700, {300, 200}, {300, 200}, s.pts1, s.pts2, E));
        const cv::Matx33d tx(0, -s.t[2], s.t[1], s.t[2], 0, -s.t[0], -s.t[1], s.t[0], 0);
        EXPECT_LT(
            cv::norm(normalisedUpToScale(toMatx(E)) - normalisedUpToScale(tx * s.R), cv::NORM_INF),
            1e-8)
            << "case " << c;
    }
    double E[3][3];
    std::mt19937 rng2(24);
    const StereoScene s = randomScene(rng2, 10, 0.0);
    EXPECT_FALSE(cvx.run8pointfindEssentialMatrix(0, 700, {0, 0}, {0, 0}, s.pts1, s.pts2, E));
    const std::vector<Point2D> shorter(s.pts2.begin(), s.pts2.begin() + 9);
    EXPECT_THROW(cvx.run8pointfindEssentialMatrix(700, 700, {0, 0}, {0, 0}, s.pts1, shorter, E),
                 std::out_of_range);
}

TEST(MathCrossCheckTriangulation, MatchesOpenCv) {
    std::mt19937 rng(25);
    VX::VXMATHIN math;
    for (int c = 0; c < kCases; ++c) {
        const double noise = (c % 2 == 0) ? 0.0 : 0.5;
        const StereoScene s = randomScene(rng, 1, noise);
        const cv::Matx34d P1 = s.projection1(), P2 = s.projection2();
        double p1[3][4], p2[3][4];
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 4; ++j) p1[i][j] = P1(i, j), p2[i][j] = P2(i, j);
        VXDEF::Point3D X{};
        math.triangulationPoints(p1, p2, s.pts1[0], s.pts2[0], X);
        cv::Mat homogeneous;
        cv::triangulatePoints(cv::Mat(P1), cv::Mat(P2), cv::Mat(toCv({s.pts1[0]})),
                              cv::Mat(toCv({s.pts2[0]})), homogeneous);
        const double w = homogeneous.at<double>(3);
        const cv::Vec3d theirs(homogeneous.at<double>(0) / w, homogeneous.at<double>(1) / w,
                               homogeneous.at<double>(2) / w);
        // Both are least-squares solutions of the same equations, weighted differently.
        const double tolerance = noise == 0.0 ? 1e-8 : 2e-2;
        EXPECT_NEAR(X.x, theirs[0], tolerance) << "case " << c;
        EXPECT_NEAR(X.y, theirs[1], tolerance) << "case " << c;
        EXPECT_NEAR(X.z, theirs[2], tolerance) << "case " << c;
        if (noise == 0.0) {
            EXPECT_NEAR(X.x, s.points[0][0], 1e-8);
            EXPECT_NEAR(X.z, s.points[0][2], 1e-8);
        }
    }
}

TEST(MathCrossCheckTriangulation, DegenerateProjectionsLeaveThePoint) {
    const double zero[3][4] = {};
    VXDEF::Point3D X{1, 2, 3};
    VX::VXMATHIN().triangulationPoints(zero, zero, {1, 1}, {2, 2}, X);
    EXPECT_EQ(X.x, 1.0);
    EXPECT_EQ(X.z, 3.0);
}

}  // namespace
