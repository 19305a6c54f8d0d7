// Helpers shared by the library's source files; not part of the exported interface.
#ifndef VXMATHIN_DETAIL_H
#define VXMATHIN_DETAIL_H

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "VXMATHIN.h"

namespace VX {
namespace detail {

constexpr double kDegToRad = 0.017453292519943295;
constexpr double kRadToDeg = 57.29577951308232;

// The library's own power series (no range reduction).
double seriesCos(double x);
double seriesSin(double x);

// Checked subscript with the library's out-of-range message.
template <typename T>
const T& at(const std::vector<T>& v, std::size_t i) {
    if (i >= v.size()) throw std::out_of_range("invalid vector<T> subscript");
    return v[i];
}

// C (m × k) = A (m × n) · B (n × k), row-major; C may alias A or B.
template <typename T>
void multiply(const T* A, const T* B, T* C, int m, int n, int k) {
    std::vector<T> result(static_cast<std::size_t>(m) * k, T(0));
    for (int i = 0; i < m; ++i)
        for (int j = 0; j < k; ++j) {
            T sum = T(0);
            for (int l = 0; l < n; ++l) sum += A[i * n + l] * B[l * k + j];
            result[static_cast<std::size_t>(i) * k + j] = sum;
        }
    std::copy(result.begin(), result.end(), C);
}

// Small Point3D arithmetic.
inline VXDEF::Point3D add(VXDEF::Point3D a, VXDEF::Point3D b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline VXDEF::Point3D sub(VXDEF::Point3D a, VXDEF::Point3D b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline VXDEF::Point3D scale(VXDEF::Point3D a, double f) { return {a.x * f, a.y * f, a.z * f}; }
inline double dot(VXDEF::Point3D a, VXDEF::Point3D b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline double norm(VXDEF::Point3D a) { return std::sqrt(dot(a, a)); }
inline VXDEF::Point3D cross(VXDEF::Point3D a, VXDEF::Point3D b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
// a / |a|, or a unchanged when its length is exactly 0.
inline VXDEF::Point3D normalized(VXDEF::Point3D a) {
    const double length = norm(a);
    return length == 0.0 ? a : scale(a, 1.0 / length);
}

}  // namespace detail
}  // namespace VX

#endif  // VXMATHIN_DETAIL_H
