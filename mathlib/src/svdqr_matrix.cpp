// The dense Matrix record of SVDQR and its elementary operations.
#include <cmath>
#include <cstdio>

#include "detail.h"

namespace VX {

void SVDQR::SetMatrixSize(Matrix& m, int row, int column) {
    const int needed = row * column;
    if (MatrixCapacity(m) < needed) {
        m.data.resize(static_cast<std::size_t>(needed));
        m.capacity = needed;
    }
    m.row = row;
    m.column = column;
}

int SVDQR::MatrixCapacity(const Matrix& m) { return m.capacity; }

void SVDQR::SetMatrixZero(Matrix& m) {
    std::fill(m.data.begin(), m.data.begin() + m.row * m.column, 0.0);
}

void SVDQR::SetMatrixEle(Matrix& m, double value, int row, int column) {
    m.data[static_cast<std::size_t>(row) * m.column + column] = value;
}

void SVDQR::CopyMatrix(const Matrix& src, Matrix& dst) {
    SetMatrixSize(dst, src.row, src.column);
    std::copy(src.data.begin(), src.data.begin() + src.row * src.column, dst.data.begin());
}

void SVDQR::DestroyMatrix(Matrix& m) {
    std::vector<double>().swap(m.data);
    m.row = m.column = m.capacity = 0;
}

SVDQR::Bool SVDQR::IsNullMatrix(const Matrix& m) {
    return (m.row * m.column == 0 || m.data.empty()) ? True : False;
}

void SVDQR::MatrixMulMatrix(const Matrix& a, const Matrix& b, Matrix& c) {
    Matrix result;
    SetMatrixSize(result, a.row, b.column);
    mulmats(a.data.data(), b.data.data(), result.data.data(), a.row, a.column, b.column);
    CopyMatrix(result, c);
}

double SVDQR::MatrixNorm2(const Matrix& m) {
    double sum = 0.0;
    for (int i = 0; i < m.row * m.column; ++i) sum += m.data[i] * m.data[i];
    return std::sqrt(sum);
}

void SVDQR::SortVector(Matrix& v) {
    // Decreasing: for each position the largest remaining value (the first of equal ones).
    const int n = v.row * v.column;
    for (int i = 0; i < n; ++i) {
        int best = i;
        for (int j = i + 1; j < n; ++j)
            if (v.data[j] > v.data[best]) best = j;
        std::swap(v.data[i], v.data[best]);
    }
}

void SVDQR::PrintMatrix(const Matrix& m, int index) {
    if (index < 0)
        printf("[:,:] = \n");
    else
        printf("[%d,:,:] = \n", index);
    for (int i = 0; i < m.row; ++i) {
        for (int j = 0; j < m.column; ++j)
            printf("%f ", m.data[static_cast<std::size_t>(i) * m.column + j]);
        printf("\n");
    }
}

void SVDQR::mulmats(const double* a, const double* b, double* c, int m, int n, int k) {
    detail::multiply(a, b, c, m, n, k);
}

}  // namespace VX
