// Eigen-decomposition by unshifted QR iteration.
#include <algorithm>
#include <cmath>

#include "detail.h"

namespace VX {

namespace {

// Columns are compared against this fraction of the matrix scale to decide that they vanish.
constexpr double kRelativeZero = 1e-12;

double largestMagnitude(const std::vector<double>& values, std::size_t count) {
    double largest = 0.0;
    for (std::size_t i = 0; i < count; ++i) largest = std::max(largest, std::abs(values[i]));
    return largest;
}

}  // namespace

void SVDQR::QR(const Matrix& a, Matrix& q, Matrix& r) {
    if (IsNullMatrix(a) == True) return;
    const int n = a.row;
    SetMatrixSize(q, n, a.column);
    SetMatrixSize(r, a.column, a.column);
    SetMatrixZero(q);
    SetMatrixZero(r);
    const double scale = largestMagnitude(a.data, static_cast<std::size_t>(n) * a.column);
    auto qAt = [&q](int i, int j) -> double& {
        return q.data[static_cast<std::size_t>(i) * q.column + j];
    };
    // Classical Gram–Schmidt: u = v − Σ (q_o·v)·q_o over the columns o < m, projections taken
    // from v itself and recorded in column m of r when asked; returns |u|.
    auto orthogonalise = [&](int m, const std::vector<double>& v, std::vector<double>& u,
                             bool record) {
        u = v;
        for (int o = 0; o < m; ++o) {
            double projection = 0.0;
            for (int i = 0; i < n; ++i) projection += qAt(i, o) * v[i];
            if (record) SetMatrixEle(r, projection, o, m);
            for (int i = 0; i < n; ++i) u[i] -= projection * qAt(i, o);
        }
        double length = 0.0;
        for (int i = 0; i < n; ++i) length += u[i] * u[i];
        return std::sqrt(length);
    };
    std::vector<double> column(static_cast<std::size_t>(n)), u;
    for (int m = 0; m < a.column; ++m) {
        for (int i = 0; i < n; ++i) column[i] = a.data[static_cast<std::size_t>(i) * a.column + m];
        double length = orthogonalise(m, column, u, true);
        SetMatrixEle(r, length > kRelativeZero * scale ? length : 0.0, m, m);
        if (length <= kRelativeZero * scale) {
            // A dependent column: complete Q with the unit vector most orthogonal to it so far.
            length = -1.0;
            std::vector<double> unit(static_cast<std::size_t>(n)), residual;
            for (int e = 0; e < n; ++e) {
                std::fill(unit.begin(), unit.end(), 0.0);
                unit[e] = 1.0;
                const double remaining = orthogonalise(m, unit, residual, false);
                if (remaining > length) {
                    length = remaining;
                    u = residual;
                }
            }
        }
        for (int i = 0; i < n; ++i) qAt(i, m) = u[i] / length;
    }
}

void SVDQR::Eigenvectors(const Matrix& a, const Matrix& values, Matrix& vectors) {
    const int n = a.row;
    SetMatrixSize(vectors, n, n);
    const double tolerance = kRelativeZero * std::max(1.0, largestMagnitude(a.data, a.data.size()));
    for (int e = 0; e < n; ++e) {
        // Null vector of M = A − λ·I by elimination with full pivoting: a plain elimination
        // divides by zero wherever a leading entry of M vanishes (e.g. diagonal matrices).
        Matrix m;
        CopyMatrix(a, m);
        auto at = [&m](int i, int j) -> double& {
            return m.data[static_cast<std::size_t>(i) * m.column + j];
        };
        for (int i = 0; i < n; ++i) at(i, i) -= values.data[e];
        std::vector<int> variable(static_cast<std::size_t>(n));
        for (int j = 0; j < n; ++j) variable[j] = j;
        for (int j = 0; j + 1 < n; ++j) {
            int pr = j, pc = j;
            for (int i = j; i < n; ++i)
                for (int k = j; k < n; ++k)
                    if (std::abs(at(i, k)) > std::abs(at(pr, pc))) {
                        pr = i;
                        pc = k;
                    }
            if (std::abs(at(pr, pc)) <= tolerance) break;
            for (int k = 0; k < n; ++k) std::swap(at(j, k), at(pr, k));
            for (int i = 0; i < n; ++i) std::swap(at(i, j), at(i, pc));
            std::swap(variable[j], variable[pc]);
            for (int i = j + 1; i < n; ++i) {
                const double factor = at(i, j) / at(j, j);
                for (int k = j; k < n; ++k) at(i, k) -= factor * at(j, k);
            }
        }
        std::vector<double> y(static_cast<std::size_t>(n), 0.0);
        y[n - 1] = 1.0;
        for (int g = n - 2; g >= 0; --g) {
            if (std::abs(at(g, g)) <= tolerance) continue;  // a further free variable: 0
            double sum = 0.0;
            for (int k = g + 1; k < n; ++k) sum += at(g, k) * y[k];
            y[g] = -sum / at(g, g);
        }
        std::vector<double> x(static_cast<std::size_t>(n));
        for (int g = 0; g < n; ++g) x[variable[g]] = y[g];
        double length = 0.0;
        for (const double v : x) length += v * v;
        // The last component is made positive, as if it had been fixed to 1.
        const double f = (x[n - 1] < 0.0 ? -1.0 : 1.0) / std::sqrt(length);
        for (int i = 0; i < n; ++i) SetMatrixEle(vectors, x[i] * f, i, e);
    }
}

void SVDQR::QRInput(double* a, int n, double* eigenvectors, double* eigenvalues, int iterations) {
    if (a == nullptr || eigenvectors == nullptr || eigenvalues == nullptr || n < 1) return;
    Matrix A, B, Q, R;
    SetMatrixSize(A, n, n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) SetMatrixEle(A, a[i * n + j], i, j);
    CopyMatrix(A, B);
    for (int it = 0; it < iterations; ++it) {
        QR(B, Q, R);
        MatrixMulMatrix(R, Q, B);
    }
    Matrix values;
    SetMatrixSize(values, n, 1);
    for (int i = 0; i < n; ++i)
        SetMatrixEle(values, B.data[static_cast<std::size_t>(i) * n + i], i, 0);
    DestroyMatrix(B);
    DestroyMatrix(Q);
    DestroyMatrix(R);
    SortVector(values);
    Matrix vectors;
    Eigenvectors(A, values, vectors);
    std::copy(values.data.begin(), values.data.begin() + n, eigenvalues);
    std::copy(vectors.data.begin(), vectors.data.begin() + n * n, eigenvectors);
}

}  // namespace VX
