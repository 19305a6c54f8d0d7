// Singular value decomposition from the eigen-decompositions of AᵀA and AAᵀ.
#include <algorithm>
#include <cmath>

#include "detail.h"

namespace VX {

namespace {

constexpr double kZero = 1e-10;

// Zeroes the negligible eigenvalues and counts the rest; false on a clearly negative one.
// The tolerance grows with the largest eigenvalue so that large matrices are judged by
// their own rounding, not by an absolute bound.
bool countPositive(std::vector<double>& values, double tolerance, std::size_t& count) {
    count = 0;
    for (double& value : values) {
        if (value < -tolerance) return false;
        if (value < tolerance)
            value = 0.0;
        else
            ++count;
    }
    return true;
}

}  // namespace

bool SVDQR::SVD(double* a, int m, int n, double* u, double* s, double* v) {
    if (a == nullptr || u == nullptr || s == nullptr || v == nullptr || m < 1 || n < 1)
        return false;
    std::fill(s, s + m * n, 0.0);
    std::vector<double> at(static_cast<std::size_t>(n) * m), ata(static_cast<std::size_t>(n) * n),
        aat(static_cast<std::size_t>(m) * m);
    for (int i = 0; i < m; ++i)
        for (int j = 0; j < n; ++j) at[static_cast<std::size_t>(j) * m + i] = a[i * n + j];
    mulmats(at.data(), a, ata.data(), n, m, n);
    mulmats(a, at.data(), aat.data(), m, n, m);
    std::vector<double> lambdaV(static_cast<std::size_t>(n)), lambdaU(static_cast<std::size_t>(m));
    JacbiCor(ata.data(), n, v, lambdaV.data(), 1000);
    JacbiCor(aat.data(), m, u, lambdaU.data(), 1000);
    const double largest = std::max(std::abs(lambdaV[0]), std::abs(lambdaU[0]));
    const double tolerance = kZero * std::max(1.0, largest);
    std::size_t countV = 0, countU = 0;
    if (!countPositive(lambdaV, tolerance, countV) || !countPositive(lambdaU, tolerance, countU))
        return false;
    if (countV != countU) return false;
    for (std::size_t k = 0; k < countV; ++k)
        if (std::abs(lambdaV[k] - lambdaU[k]) > tolerance) return false;
    for (std::size_t k = 0; k < countV; ++k) s[k * n + k] = std::sqrt(lambdaV[k]);
    // U's leading columns follow from V so that A = U·S·Vᵀ holds with consistent signs.
    std::vector<double> vl(static_cast<std::size_t>(n)), ul(static_cast<std::size_t>(m));
    for (std::size_t l = 0; l < countV; ++l) {
        for (int k = 0; k < n; ++k) vl[k] = v[k * n + l];
        mulmats(a, vl.data(), ul.data(), m, n, 1);
        for (int k = 0; k < m; ++k) u[k * m + l] = ul[k] / s[l * n + l];
    }
    return true;
}

}  // namespace VX
