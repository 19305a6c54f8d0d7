// SVD, Jacobi and QR eigen-decompositions and matrix inverses against OpenCV.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <opencv2/core.hpp>
#include <random>
#include <vector>

#include "VXMATHIN.h"

namespace {

constexpr int kCases = 300;

cv::Mat randomMatrix(std::mt19937& rng, int rows, int columns) {
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    cv::Mat m(rows, columns, CV_64F);
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < columns; ++j) m.at<double>(i, j) = value(rng);
    return m;
}

cv::Mat randomSymmetric(std::mt19937& rng, int n) {
    const cv::Mat m = randomMatrix(rng, n, n);
    return cv::Mat(m + m.t());
}

// A symmetric matrix Q·diag(λ)·Qᵀ with a random orthogonal Q.
cv::Mat symmetricWithSpectrum(std::mt19937& rng, const std::vector<double>& lambda) {
    const int n = static_cast<int>(lambda.size());
    cv::Mat w, u, vt;
    cv::SVD::compute(randomMatrix(rng, n, n), w, u, vt);
    return cv::Mat(u * cv::Mat::diag(cv::Mat(lambda)) * u.t());
}

// Largest deviation of M from the identity.
double distanceFromIdentity(const cv::Mat& M) {
    return cv::norm(M - cv::Mat::eye(M.rows, M.cols, M.type()), cv::NORM_INF);
}

TEST(MathCrossCheckSvd, SingularValuesAndReconstruction) {
    std::mt19937 rng(1);
    std::uniform_int_distribution<int> size(1, 6);
    VX::SVDQR svdqr;
    for (int c = 0; c < kCases; ++c) {
        const int m = size(rng), n = size(rng);
        cv::Mat A = randomMatrix(rng, m, n);
        const cv::Mat original = A.clone();
        cv::Mat U(m, m, CV_64F), S(m, n, CV_64F), V(n, n, CV_64F);
        ASSERT_TRUE(
            svdqr.SVD(A.ptr<double>(), m, n, U.ptr<double>(), S.ptr<double>(), V.ptr<double>()))
            << m << "x" << n << " case " << c;
        cv::Mat w;
        cv::SVD::compute(original, w);
        for (int k = 0; k < std::min(m, n); ++k)
            EXPECT_NEAR(S.at<double>(k, k), w.at<double>(k), 1e-9) << "case " << c;
        EXPECT_LT(cv::norm(U * S * V.t() - original, cv::NORM_INF), 1e-9) << "case " << c;
        EXPECT_LT(distanceFromIdentity(V.t() * V), 1e-9);
        // U's leading columns are A·v / σ: small singular values magnify rounding.
        EXPECT_LT(distanceFromIdentity(U.t() * U), 1e-7);
    }
}

TEST(MathCrossCheckSvd, RankDeficientMatrix) {
    // Two equal rows: one singular value is 0.
    double a[9] = {1, 2, 3, 1, 2, 3, 0, 1, -1};
    cv::Mat original(3, 3, CV_64F, a);
    original = original.clone();
    double u[9], s[9], v[9];
    ASSERT_TRUE(VX::SVDQR().SVD(a, 3, 3, u, s, v));
    EXPECT_EQ(s[8], 0.0);
    const cv::Mat U(3, 3, CV_64F, u), S(3, 3, CV_64F, s), V(3, 3, CV_64F, v);
    EXPECT_LT(cv::norm(U * S * V.t() - original, cv::NORM_INF), 1e-9);
}

TEST(MathCrossCheckSvd, RefusesBadSizes) {
    double a[1] = {1}, u[1], s[1], v[1];
    EXPECT_FALSE(VX::SVDQR().SVD(a, 0, 1, u, s, v));
    EXPECT_FALSE(VX::SVDQR().SVD(a, 1, -1, u, s, v));
}

// Each column of vectors (n × n) against the eigenvector of OpenCV's matching value.
void expectSameEigenvectors(const cv::Mat& A, const cv::Mat& vectors, const cv::Mat& values,
                            const cv::Mat& cvValues, const cv::Mat& cvVectors, int c) {
    const int n = A.rows;
    for (int i = 0; i < n; ++i) {
        const double lambda = values.at<double>(i);
        const cv::Mat v = vectors.col(i);
        EXPECT_NEAR(cv::norm(v), 1.0, 1e-9);
        EXPECT_LT(cv::norm(A * v - lambda * v, cv::NORM_INF), 1e-8) << "case " << c;
        int match = 0;
        for (int j = 1; j < n; ++j)
            if (std::abs(cvValues.at<double>(j) - lambda) <
                std::abs(cvValues.at<double>(match) - lambda))
                match = j;
        EXPECT_NEAR(cvValues.at<double>(match), lambda, 1e-9) << "case " << c;
        double gap = 1e9;
        for (int j = 0; j < n; ++j)
            if (j != match) gap = std::min(gap, std::abs(cvValues.at<double>(j) - lambda));
        if (gap > 1e-3) {  // a direction is only defined for a separated eigenvalue
            EXPECT_NEAR(std::abs(v.dot(cvVectors.row(match).t())), 1.0, 1e-8) << "case " << c;
        }
    }
}

TEST(MathCrossCheckEigen, JacobiOnRandomSymmetricMatrices) {
    std::mt19937 rng(2);
    std::uniform_int_distribution<int> size(1, 8);
    for (int c = 0; c < kCases; ++c) {
        const int n = size(rng);
        const cv::Mat A = randomSymmetric(rng, n);
        cv::Mat work = A.clone(), vectors(n, n, CV_64F), values(n, 1, CV_64F);
        ASSERT_TRUE(VX::SVDQR().JacbiCor(work.ptr<double>(), n, vectors.ptr<double>(),
                                         values.ptr<double>(), 1000));
        for (int i = 1; i < n; ++i)
            EXPECT_GE(std::abs(values.at<double>(i - 1)), std::abs(values.at<double>(i)));
        for (int i = 0; i < n; ++i) EXPECT_GE(cv::sum(vectors.col(i))[0], 0.0);
        cv::Mat cvValues, cvVectors;
        cv::eigen(A, cvValues, cvVectors);
        expectSameEigenvectors(A, vectors, values, cvValues, cvVectors, c);
    }
}

TEST(MathCrossCheckEigen, QrIterationOnSeparatedSpectra) {
    // Unshifted QR converges with the ratios of neighbouring eigenvalue magnitudes.
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> size(1, 6);
    std::uniform_real_distribution<double> ratio(1.6, 2.5);
    std::bernoulli_distribution negative(0.4);
    for (int c = 0; c < kCases; ++c) {
        const int n = size(rng);
        std::vector<double> lambda;
        double magnitude = 0.3;
        for (int i = 0; i < n; ++i) {
            magnitude *= ratio(rng);
            lambda.push_back(negative(rng) ? -magnitude : magnitude);
        }
        const cv::Mat A = symmetricWithSpectrum(rng, lambda);
        cv::Mat input = A.clone(), vectors(n, n, CV_64F), values(n, 1, CV_64F);
        VX::SVDQR().QRInput(input.ptr<double>(), n, vectors.ptr<double>(), values.ptr<double>(),
                            300);
        EXPECT_EQ(cv::norm(input - A, cv::NORM_INF), 0.0);  // input left unchanged
        cv::Mat cvValues, cvVectors;
        cv::eigen(A, cvValues, cvVectors);
        for (int i = 0; i < n; ++i)
            EXPECT_NEAR(values.at<double>(i), cvValues.at<double>(i), 1e-9) << "case " << c;
        expectSameEigenvectors(A, vectors, values, cvValues, cvVectors, c);
    }
}

TEST(MathCrossCheckEigen, QrIterationOnDiagonalAndSingularMatrices) {
    // Leading zeros of A − λ·I and a zero eigenvalue give no NaN.
    double a[9] = {2, 0, 0, 0, 0, 0, 0, 0, 1};
    double vectors[9], values[3];
    VX::SVDQR().QRInput(a, 3, vectors, values, 50);
    const double expectedValues[3] = {2, 1, 0};
    const double expectedVectors[9] = {1, 0, 0, 0, 0, 1, 0, 1, 0};
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(values[i], expectedValues[i], 1e-12);
    for (int i = 0; i < 9; ++i) EXPECT_NEAR(std::abs(vectors[i]), expectedVectors[i], 1e-12);
}

TEST(MathCrossCheckInverse, GaussJordanAgainstOpenCv) {
    std::mt19937 rng(4);
    std::uniform_int_distribution<int> size(1, 20);
    VX::VXMATHIN math;
    for (int c = 0; c < kCases; ++c) {
        const int n = size(rng);
        const cv::Mat A = randomMatrix(rng, n, n);
        cv::Mat inverse = A.clone();
        ASSERT_TRUE(math.brinv2(inverse.ptr<double>(), n)) << "case " << c;
        const cv::Mat cvInverse = A.inv(cv::DECOMP_LU);
        const double scale = std::max(1.0, cv::norm(cvInverse, cv::NORM_INF));
        EXPECT_LT(distanceFromIdentity(A * inverse), 1e-10 * scale) << "case " << c;
        EXPECT_LT(cv::norm(inverse - cvInverse, cv::NORM_INF), 1e-10 * scale * scale)
            << "case " << c;
        if (n > 6) continue;
        cv::Mat single;
        A.convertTo(single, CV_32F);
        cv::Mat singleInverse = single.clone();
        ASSERT_TRUE(math.brinv2(singleInverse.ptr<float>(), n));
        EXPECT_LT(distanceFromIdentity(single * singleInverse), 1e-3 * scale) << "case " << c;
    }
}

TEST(MathCrossCheckInverse, ThreeByThreeAgainstOpenCv) {
    std::mt19937 rng(5);
    VX::VXMATHIN math;
    for (int c = 0; c < kCases; ++c) {
        cv::Mat A = randomMatrix(rng, 3, 3);
        double m[3][3], inverse[3][3];
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) m[i][j] = A.at<double>(i, j);
        ASSERT_TRUE(math.matrixInverse33(m, inverse));
        EXPECT_NEAR(math.det(m), cv::determinant(A), 1e-14);
        const cv::Mat mine(3, 3, CV_64F, &inverse[0][0]);
        const double scale = std::max(1.0, cv::norm(mine, cv::NORM_INF));
        EXPECT_LT(distanceFromIdentity(A * mine), 1e-12 * scale) << "case " << c;
        EXPECT_LT(cv::norm(mine - A.inv(), cv::NORM_INF), 1e-11 * scale * scale) << "case " << c;
    }
}

}  // namespace
