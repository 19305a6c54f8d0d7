// Determinant, adjugate, 3 × 3 inverse, products and transposes of small matrices.
#include <algorithm>
#include <cmath>
#include <utility>

#include "detail.h"

namespace VX {

namespace {

template <typename T, int N>
void transposeInPlace(T m[N][N]) {
    for (int i = 0; i < N; ++i)
        for (int j = i + 1; j < N; ++j) std::swap(m[i][j], m[j][i]);
}

// q (b × a) = transpose of p (a × b); q may alias p.
template <typename T>
void transposeInto(const T* p, T* q, int a, int b) {
    std::vector<T> result(static_cast<std::size_t>(a) * b);
    for (int i = 0; i < a; ++i)
        for (int j = 0; j < b; ++j) result[static_cast<std::size_t>(j) * a + i] = p[i * b + j];
    std::copy(result.begin(), result.end(), q);
}

template <typename T>
void normalizeColumns(T m[3][3]) {
    T length[3];
    for (int j = 0; j < 3; ++j) {
        length[j] = std::sqrt(m[0][j] * m[0][j] + m[1][j] * m[1][j] + m[2][j] * m[2][j]);
        if (length[j] == T(0)) return;
    }
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) m[i][j] /= length[j];
}

template <typename T>
void normalizeRows(T m[3][3]) {
    transposeInPlace<T, 3>(m);
    normalizeColumns(m);
    transposeInPlace<T, 3>(m);
}

}  // namespace

double VXMATHIN::det(const double m[3][3]) {
    return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
           m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
           m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

void VXMATHIN::adjoint(const double m[3][3], double adj[3][3]) {
    double result[3][3];
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            // Cofactor of m[j][i], from the cyclic neighbours of row j and column i.
            const int r1 = (j + 1) % 3, r2 = (j + 2) % 3;
            const int c1 = (i + 1) % 3, c2 = (i + 2) % 3;
            result[i][j] = m[r1][c1] * m[r2][c2] - m[r1][c2] * m[r2][c1];
        }
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) adj[i][j] = result[i][j];
}

void VXMATHIN::matrixTranspose(const double src[3][3], double dst[3][3]) {
    transposeInto(&src[0][0], &dst[0][0], 3, 3);
}

bool VXMATHIN::matrixInverse33(const double m[3][3], double inv[3][3]) {
    const double d = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                     m[0][1] * (m[1][0] * m[2][2] - m[2][0] * m[1][2]) +
                     m[0][2] * (m[1][0] * m[2][1] - m[2][0] * m[1][1]);
    if (d == 0.0) return false;
    adjoint(m, inv);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) inv[i][j] /= d;
    return true;
}

bool VXMATHIN::matrixInverse33(double m[3][3]) { return matrixInverse33(m, m); }

void VXMATHIN::matrixMulti(const double* A, const double* B, double* C, int m, int n, int k) {
    detail::multiply(A, B, C, m, n, k);
}
void VXMATHIN::matrixMulti(const float* A, const float* B, float* C, int m, int n, int k) {
    detail::multiply(A, B, C, m, n, k);
}

void VXMATHIN::matrix_33_multiply_31(const double A[3][3], const double b[3], double c[3]) {
    detail::multiply(&A[0][0], b, c, 3, 3, 1);
}
void VXMATHIN::matrix_33_multiply_31_2(const double A[3][3], VXDEF::Point3D b, VXDEF::Point3D& c) {
    double in[3], out[3];
    Point3D2array3Dimen(b, in);
    detail::multiply(&A[0][0], in, out, 3, 3, 1);
    c = array3Dimen2Point3D(out);
}
void VXMATHIN::matrix_33_multiply_31_3(const double A[3][3], const double b[3], VXDEF::Point3D& c) {
    double out[3];
    detail::multiply(&A[0][0], b, out, 3, 3, 1);
    c = array3Dimen2Point3D(out);
}
void VXMATHIN::matrix_33_multiply_33(const double A[3][3], const double B[3][3], double C[3][3]) {
    detail::multiply(&A[0][0], &B[0][0], &C[0][0], 3, 3, 3);
}
void VXMATHIN::matrix_33_multiply_34(const double A[3][3], const double B[3][4], double C[3][4]) {
    detail::multiply(&A[0][0], &B[0][0], &C[0][0], 3, 3, 4);
}
void VXMATHIN::matrix_34_multiply_41(const double A[3][4], const double b[4], double c[3]) {
    detail::multiply(&A[0][0], b, c, 3, 4, 1);
}
void VXMATHIN::matrix_34_multiply_43(const double A[3][4], const double B[4][3], double C[3][3]) {
    detail::multiply(&A[0][0], &B[0][0], &C[0][0], 3, 4, 3);
}
void VXMATHIN::matrix_34_multiply_44(const double A[3][4], const double B[4][4], double C[3][4]) {
    detail::multiply(&A[0][0], &B[0][0], &C[0][0], 3, 4, 4);
}
void VXMATHIN::matrix_44_multiply_41(const double A[4][4], const double b[4], double c[4]) {
    detail::multiply(&A[0][0], b, c, 4, 4, 1);
}
void VXMATHIN::matrix_44_multiply_44(const double A[4][4], const double B[4][4], double C[4][4]) {
    detail::multiply(&A[0][0], &B[0][0], &C[0][0], 4, 4, 4);
}

void VXMATHIN::matrix_RT_multiply_3Point_3(const double R[3][3], const double t[3],
                                           const double p[3], double out[3]) {
    double turned[3];
    detail::multiply(&R[0][0], p, turned, 3, 3, 1);
    for (int i = 0; i < 3; ++i) out[i] = turned[i] + t[i];
}

void VXMATHIN::RT2homogeneous(const double R[3][3], const double t[3], double H[4][4]) {
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) H[i][j] = R[i][j];
        H[i][3] = t[i];
    }
    H[3][0] = H[3][1] = H[3][2] = 0.0;
    H[3][3] = 1.0;
}

void VXMATHIN::RT2homogeneous2(const double R[3][3], const double t[3], double H[4][4]) {
    RT2homogeneous(R, t, H);
}

void VXMATHIN::homogeneous2RT(const double H[4][4], double R[3][3], double t[3]) {
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) R[i][j] = H[i][j];
        t[i] = H[i][3];
    }
}

void VXMATHIN::RotateMat33(const float src[3][3], float dst[3][3]) {
    transposeInto(&src[0][0], &dst[0][0], 3, 3);
}

void VXMATHIN::RotateMat33D(double m[3][3]) { transposeInPlace<double, 3>(m); }
void VXMATHIN::RotateMat33D(double* m) { RotateMat33D(reinterpret_cast<double(*)[3]>(m)); }
void VXMATHIN::RotateMat44D(double m[4][4]) { transposeInPlace<double, 4>(m); }

void VXMATHIN::RotateMat(const double* p, double* q, int a, int b) { transposeInto(p, q, a, b); }

void VXMATHIN::norm33RotationMatrix_ByColsSave(double m[3][3]) { normalizeColumns(m); }
void VXMATHIN::norm33RotationMatrix_ByColsSave(float m[3][3]) { normalizeColumns(m); }
void VXMATHIN::norm33RotationMatrix_ByRowsSave(double m[3][3]) { normalizeRows(m); }
void VXMATHIN::norm33RotationMatrix_ByRowsSave(float m[3][3]) { normalizeRows(m); }

}  // namespace VX
