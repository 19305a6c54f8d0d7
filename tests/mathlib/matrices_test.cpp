// Determinants, inverses, products and transposes.
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <vector>

#include "VXMATHIN.h"
#include "test_support.h"

namespace {

using mathlib_test::expectMatrixNear;

VX::VXMATHIN math;

TEST(MathMatrices, AdjugateTimesMatrixIsDeterminantTimesIdentity) {
    const double m[3][3] = {{2, -1, 3}, {0, 4, 1}, {5, 2, -2}};
    double adj[3][3], product[3][3];
    math.adjoint(m, adj);
    math.matrix_33_multiply_33(adj, m, product);
    const double d = math.det(m);
    EXPECT_DOUBLE_EQ(d, -85.0);
    const double expected[9] = {d, 0, 0, 0, d, 0, 0, 0, d};
    expectMatrixNear(&product[0][0], expected, 9, 1e-12);
}

TEST(MathMatrices, Inverse33OfSingularMatrixFailsAndLeavesData) {
    double m[3][3] = {{1, 2, 3}, {2, 4, 6}, {0, 1, 1}};
    double copy[3][3], inverse[3][3] = {{9, 9, 9}, {9, 9, 9}, {9, 9, 9}};
    std::memcpy(copy, m, sizeof m);
    EXPECT_FALSE(math.matrixInverse33(m));
    expectMatrixNear(&m[0][0], &copy[0][0], 9, 0);
    EXPECT_FALSE(math.matrixInverse33(m, inverse));
    EXPECT_EQ(inverse[1][1], 9.0);
}

TEST(MathMatrices, Inverse33InPlaceAndToSecondArgumentAgree) {
    double m[3][3] = {{2, -1, 3}, {0, 4, 1}, {5, 2, -2}};
    double inverse[3][3], product[3][3];
    ASSERT_TRUE(math.matrixInverse33(m, inverse));
    math.matrix_33_multiply_33(m, inverse, product);
    const double identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    expectMatrixNear(&product[0][0], identity, 9, 1e-15);
    ASSERT_TRUE(math.matrixInverse33(m));
    expectMatrixNear(&m[0][0], &inverse[0][0], 9, 0);
}

struct InverseFailure {
    const char* name;
    int n;
    std::vector<double> matrix;
};

class BrinvRefuses : public ::testing::TestWithParam<InverseFailure> {};

TEST_P(BrinvRefuses, ReturnsFalseAndLeavesTheMatrix) {
    const InverseFailure& c = GetParam();
    std::vector<double> a = c.matrix;
    EXPECT_FALSE(math.brinv2(a.data(), c.n)) << c.name;
    EXPECT_EQ(a, c.matrix) << c.name;
    std::vector<float> f(c.matrix.begin(), c.matrix.end());
    const std::vector<float> original = f;
    EXPECT_FALSE(math.brinv2(f.data(), c.n)) << c.name;
    EXPECT_EQ(f, original) << c.name;
}

std::vector<double> identity(int n) {
    std::vector<double> m(static_cast<std::size_t>(n) * n, 0.0);
    for (int i = 0; i < n; ++i) m[static_cast<std::size_t>(i) * n + i] = 1.0;
    return m;
}

INSTANTIATE_TEST_SUITE_P(
    MathMatrices, BrinvRefuses,
    ::testing::Values(InverseFailure{"order 0", 0, {1.0}},
                      InverseFailure{"order 21, past the exchange records", 21, identity(21)},
                      InverseFailure{"zero matrix", 2, {0, 0, 0, 0}},
                      InverseFailure{"equal rows", 2, {1, 2, 2, 4}},
                      InverseFailure{"rank two", 3, {1, 2, 3, 4, 5, 6, 7, 8, 9}}),
    mathlib_test::CaseName());

TEST(MathMatrices, BrinvAtTheLargestOrderAndWithExchanges) {
    // Order 20 with a zero leading element forces row and column exchanges.
    const int n = 20;
    std::vector<double> a(n * n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            a[i * n + j] = (i == j) ? (i == 0 ? 0.0 : 30.0 + i) : 1.0 / (1 + i + 2 * j);
    std::vector<double> inverse = a, product(n * n);
    ASSERT_TRUE(math.brinv2(inverse.data(), n));
    math.matrixMulti(a.data(), inverse.data(), product.data(), n, n, n);
    expectMatrixNear(product.data(), identity(n).data(), n * n, 1e-12);

    float f[4] = {0, 2, 4, 1};
    ASSERT_TRUE(math.brinv2(f, 2));
    const float expected[4] = {-0.125f, 0.25f, 0.5f, 0.0f};
    for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(f[i], expected[i]);
}

TEST(MathMatrices, RowVectorProductAndTranspose) {
    const std::vector<std::vector<double>> A = {{1, 2, 3}, {4, 5, 6}};
    const std::vector<std::vector<double>> B = {{1, 0}, {0, 1}, {2, 2}};
    const std::vector<std::vector<double>> expected = {{7, 8}, {16, 17}};
    EXPECT_EQ(math.matrixMultiply(A, B), expected);
    const std::vector<std::vector<double>> At = {{1, 4}, {2, 5}, {3, 6}};
    EXPECT_EQ(math.matTranspose(A), At);
    EXPECT_TRUE(math.matTranspose({}).empty());
}

TEST(MathMatrices, RowVectorShapeFaultsAreReportedOrThrown) {
    const std::vector<std::vector<double>> A = {{1, 2, 3}};
    const std::vector<std::vector<double>> tooShort = {{1}, {2}};
    ::testing::internal::CaptureStdout();
    EXPECT_THROW(math.matrixMultiply(A, tooShort), std::out_of_range);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "----left matrix's row not should equal with right matrix!----\n");
    try {
        math.matrixMultiply({}, tooShort);
        FAIL() << "an empty left matrix has no first row";
    } catch (const std::out_of_range& e) {
        EXPECT_STREQ(e.what(), "invalid vector<T> subscript");
    }
    EXPECT_THROW(math.matTranspose({{1, 2}, {3}}), std::out_of_range);
}

TEST(MathMatrices, FixedSizeProductsMatchTheGeneralOneEvenInPlace) {
    double A34[3][4], B44[4][4], B43[4][3], b4[4];
    for (int i = 0; i < 16; ++i) (&B44[0][0])[i] = 0.5 * i - 3;
    for (int i = 0; i < 12; ++i) (&A34[0][0])[i] = 1.0 / (i + 1), (&B43[0][0])[i] = i % 5 - 2.0;
    for (int i = 0; i < 4; ++i) b4[i] = i + 0.25;
    double C34[3][4], expected34[12];
    math.matrixMulti(&A34[0][0], &B44[0][0], expected34, 3, 4, 4);
    math.matrix_34_multiply_44(A34, B44, C34);
    expectMatrixNear(&C34[0][0], expected34, 12, 0);
    double C33[3][3], expected33[9];
    math.matrixMulti(&A34[0][0], &B43[0][0], expected33, 3, 4, 3);
    math.matrix_34_multiply_43(A34, B43, C33);
    expectMatrixNear(&C33[0][0], expected33, 9, 0);
    double c3[3], expected3[3];
    math.matrixMulti(&A34[0][0], b4, expected3, 3, 4, 1);
    math.matrix_34_multiply_41(A34, b4, c3);
    expectMatrixNear(c3, expected3, 3, 0);
    double expected44[16], c4[4], expected4[4];
    math.matrixMulti(&B44[0][0], &B44[0][0], expected44, 4, 4, 4);
    math.matrix_44_multiply_44(B44, B44, B44);  // in place
    expectMatrixNear(&B44[0][0], expected44, 16, 0);
    math.matrixMulti(&B44[0][0], b4, expected4, 4, 4, 1);
    math.matrix_44_multiply_41(B44, b4, c4);
    expectMatrixNear(c4, expected4, 4, 0);
    double C334[3][4], expected334[12];
    math.matrixMulti(&C33[0][0], &A34[0][0], expected334, 3, 3, 4);
    math.matrix_33_multiply_34(C33, A34, C334);
    expectMatrixNear(&C334[0][0], expected334, 12, 0);
}

TEST(MathMatrices, ThreeByOneProductVariantsAgree) {
    const double A[3][3] = {{1, 2, 3}, {0, 1, 4}, {5, 6, 0}};
    const double b[3] = {1, -1, 2};
    double c[3];
    VXDEF::Point3D p2, p3;
    math.matrix_33_multiply_31(A, b, c);
    math.matrix_33_multiply_31_2(A, {1, -1, 2}, p2);
    math.matrix_33_multiply_31_3(A, b, p3);
    const double expected[3] = {5, 7, -1};
    expectMatrixNear(c, expected, 3, 0);
    mathlib_test::expectPointNear(p2, {5, 7, -1}, 0);
    mathlib_test::expectPointNear(p3, {5, 7, -1}, 0);
    const double t[3] = {10, 20, 30};
    double out[3];
    math.matrix_RT_multiply_3Point_3(A, t, b, out);
    const double expectedRT[3] = {15, 27, 29};
    expectMatrixNear(out, expectedRT, 3, 0);
}

TEST(MathMatrices, HomogeneousRoundTrip) {
    const double R[3][3] = {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}};
    const double t[3] = {1, 2, 3};
    double H[4][4], H2[4][4], R2[3][3], t2[3];
    math.RT2homogeneous(R, t, H);
    math.RT2homogeneous2(R, t, H2);
    expectMatrixNear(&H[0][0], &H2[0][0], 16, 0);
    const double lastRow[4] = {0, 0, 0, 1};
    expectMatrixNear(H[3], lastRow, 4, 0);
    EXPECT_EQ(H[1][3], 2.0);
    math.homogeneous2RT(H, R2, t2);
    expectMatrixNear(&R2[0][0], &R[0][0], 9, 0);
    expectMatrixNear(t2, t, 3, 0);
}

TEST(MathMatrices, Transposes) {
    const double p[2][3] = {{1, 2, 3}, {4, 5, 6}};
    double q[3][2];
    math.RotateMat(&p[0][0], &q[0][0], 2, 3);
    const double expected[6] = {1, 4, 2, 5, 3, 6};
    expectMatrixNear(&q[0][0], expected, 6, 0);

    double m[3][3] = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
    double flat[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    double copy[3][3];
    math.matrixTranspose(m, copy);
    math.RotateMat33D(m);
    math.RotateMat33D(flat);
    expectMatrixNear(&m[0][0], &copy[0][0], 9, 0);
    expectMatrixNear(flat, &copy[0][0], 9, 0);
    const float f[3][3] = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
    float ft[3][3];
    math.RotateMat33(f, ft);
    EXPECT_EQ(ft[0][2], 7.0f);
    EXPECT_EQ(ft[2][0], 3.0f);

    double h[4][4];
    for (int i = 0; i < 16; ++i) (&h[0][0])[i] = i;
    math.RotateMat44D(h);
    EXPECT_EQ(h[0][3], 12.0);
    EXPECT_EQ(h[3][0], 3.0);
    EXPECT_EQ(h[2][1], 6.0);
}

TEST(MathMatrices, RotationNormalisationByColumnsAndRows) {
    double m[3][3] = {{3, 0, 0}, {4, 2, 0}, {0, 0, 5}};
    math.norm33RotationMatrix_ByColsSave(m);
    const double byColumns[9] = {0.6, 0, 0, 0.8, 1, 0, 0, 0, 1};
    expectMatrixNear(&m[0][0], byColumns, 9, 1e-15);
    float r[3][3] = {{3, 4, 0}, {0, 2, 0}, {0, 0, 5}};
    math.norm33RotationMatrix_ByRowsSave(r);
    EXPECT_FLOAT_EQ(r[0][0], 0.6f);
    EXPECT_FLOAT_EQ(r[0][1], 0.8f);
    EXPECT_FLOAT_EQ(r[1][1], 1.0f);
    // A zero row or column leaves the matrix as it was.
    double z[3][3] = {{3, 0, 1}, {4, 0, 1}, {0, 0, 1}};
    double zCopy[3][3];
    std::memcpy(zCopy, z, sizeof z);
    math.norm33RotationMatrix_ByColsSave(z);
    expectMatrixNear(&z[0][0], &zCopy[0][0], 9, 0);
    float zr[3][3] = {{1, 2, 2}, {0, 0, 0}, {1, 1, 1}};
    math.norm33RotationMatrix_ByRowsSave(zr);
    EXPECT_EQ(zr[0][1], 2.0f);
    double dr[3][3] = {{0, 3, 4}, {1, 0, 0}, {0, 0, 2}};
    math.norm33RotationMatrix_ByRowsSave(dr);
    EXPECT_DOUBLE_EQ(dr[0][2], 0.8);
    float fc[3][3] = {{2, 0, 0}, {0, 2, 0}, {0, 0, 2}};
    math.norm33RotationMatrix_ByColsSave(fc);
    EXPECT_EQ(fc[2][2], 1.0f);
}

}  // namespace
