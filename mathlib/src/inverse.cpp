// Gauss–Jordan inversion with full pivoting (brinv2).
#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "detail.h"

namespace VX {
namespace {

// In-place Gauss–Jordan inverse; false (a unchanged) for n outside 1 … 20 or a pivot that
// vanishes against the matrix's scale.
template <typename T>
bool gaussJordanInverse(T* a, int n) {
    constexpr int kMaxOrder = 20;  // size of the exchange records
    if (n < 1 || n > kMaxOrder) return false;
    // Work on a copy so that a singular matrix leaves the caller's data untouched.
    std::vector<T> w(a, a + static_cast<std::size_t>(n) * n);
    T largest = T(0);
    for (const T value : w) largest = std::max(largest, std::abs(value));
    // A pivot this small against the matrix's scale means the matrix is singular.
    const T tolerance = largest * n * std::numeric_limits<T>::epsilon();
    int rowOf[kMaxOrder];
    int columnOf[kMaxOrder];
    auto at = [&w, n](int i, int j) -> T& { return w[static_cast<std::size_t>(i) * n + j]; };
    for (int k = 0; k < n; ++k) {
        T pivot = T(0);
        for (int i = k; i < n; ++i)
            for (int j = k; j < n; ++j)
                if (std::abs(at(i, j)) > pivot) {
                    pivot = std::abs(at(i, j));
                    rowOf[k] = i;
                    columnOf[k] = j;
                }
        if (pivot <= tolerance) return false;
        for (int j = 0; j < n; ++j) std::swap(at(k, j), at(rowOf[k], j));
        for (int i = 0; i < n; ++i) std::swap(at(i, k), at(i, columnOf[k]));
        at(k, k) = T(1) / at(k, k);
        for (int j = 0; j < n; ++j)
            if (j != k) at(k, j) *= at(k, k);
        for (int i = 0; i < n; ++i)
            if (i != k)
                for (int j = 0; j < n; ++j)
                    if (j != k) at(i, j) -= at(i, k) * at(k, j);
        for (int i = 0; i < n; ++i)
            if (i != k) at(i, k) = -at(i, k) * at(k, k);
    }
    for (int k = n - 1; k >= 0; --k) {
        for (int j = 0; j < n; ++j) std::swap(at(k, j), at(columnOf[k], j));
        for (int i = 0; i < n; ++i) std::swap(at(i, k), at(i, rowOf[k]));
    }
    std::copy(w.begin(), w.end(), a);
    return true;
}

}  // namespace

bool VXMATHIN::brinv2(double* a, int n) { return gaussJordanInverse(a, n); }
bool VXMATHIN::brinv2(float* a, int n) { return gaussJordanInverse(a, n); }

}  // namespace VX
