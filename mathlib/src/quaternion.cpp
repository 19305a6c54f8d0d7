// Quaternion algebra and the quaternion ⇄ rotation matrix conversions.
#include <cmath>

#include "detail.h"

namespace VX {

using VXDEF::Point3D;
using VXDEF::QuaD;
using VXDEF::QuaF;

namespace {

// (w, x, y, z) of a plain row-major rotation matrix: the four-branch conversion followed by
// normalisation, in the precision of T.
template <typename T>
void quaternionOfMatrix(const T m[3][3], T q[4]) {
    const T* e = &m[0][0];
    const T trace = e[0] + e[4] + e[8];
    T w, x, y, z;
    if (trace + T(1) > T(1e-8)) {
        const T s = T(0.5) / std::sqrt(trace + T(1));
        w = T(0.25) / s;
        x = (e[7] - e[5]) * s;
        y = (e[2] - e[6]) * s;
        z = (e[3] - e[1]) * s;
    } else if (e[0] > e[4] && e[0] > e[8]) {
        const T s = T(2) * std::sqrt(T(1) + e[0] - e[4] - e[8]);
        w = (e[7] - e[5]) / s;
        x = s / T(4);
        y = (e[1] + e[3]) / s;
        z = (e[2] + e[6]) / s;
    } else if (e[4] > e[8]) {
        const T s = T(2) * std::sqrt(T(1) + e[4] - e[0] - e[8]);
        w = (e[2] - e[6]) / s;
        x = (e[1] + e[3]) / s;
        y = s / T(4);
        z = (e[5] + e[7]) / s;
    } else {
        const T s = T(2) * std::sqrt(T(1) + e[8] - e[0] - e[4]);
        w = (e[3] - e[1]) / s;
        x = (e[2] + e[6]) / s;
        y = (e[5] + e[7]) / s;
        z = s / T(4);
    }
    const T length = std::sqrt(w * w + x * x + y * y + z * z);
    q[0] = w / length;
    q[1] = x / length;
    q[2] = y / length;
    q[3] = z / length;
}

// The conversion of a matrix in transposed storage: the conjugate of the plain result.
template <typename T, typename Quaternion>
void quaternionOfTransposed(const T m[3][3], Quaternion& q) {
    T r[4];
    quaternionOfMatrix(m, r);
    q = {r[0], -r[1], -r[2], -r[3]};
}

}  // namespace

void VXMATHIN::quatToRotMatrix(QuaD q, double m[3][3]) {
    const double w = q.w, x = q.x, y = q.y, z = q.z;
    m[0][0] = 1 - 2 * y * y - 2 * z * z;
    m[0][1] = 2 * w * z + 2 * x * y;
    m[0][2] = 2 * x * z - 2 * w * y;
    m[1][0] = 2 * x * y - 2 * w * z;
    m[1][1] = 1 - 2 * x * x - 2 * z * z;
    m[1][2] = 2 * w * x + 2 * y * z;
    m[2][0] = 2 * w * y + 2 * x * z;
    m[2][1] = 2 * y * z - 2 * w * x;
    m[2][2] = 1 - 2 * x * x - 2 * y * y;
}

void VXMATHIN::QToMatrix(QuaD q, double m[3][3]) { quatToRotMatrix(q, m); }

void VXMATHIN::rotMatrixToQuat(const double m[3][3], QuaD& q) { quaternionOfTransposed(m, q); }
void VXMATHIN::rotation2quat_all_12(const double m[3][3], QuaD& q) { quaternionOfTransposed(m, q); }
void VXMATHIN::rotation2quat_all_12(const float m[3][3], QuaF& q) { quaternionOfTransposed(m, q); }

QuaD VXMATHIN::rotation2quat(const double m[3][3]) {
    double r[4];
    quaternionOfMatrix(m, r);
    return {r[0], r[1], r[2], r[3]};
}

QuaD VXMATHIN::quaMulti(QuaD a, QuaD b) {
    return {a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z,
            a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y,
            a.w * b.y - a.x * b.z + a.y * b.w + a.z * b.x,
            a.w * b.z + a.x * b.y - a.y * b.x + a.z * b.w};
}

void VXMATHIN::Q_wxyz_Multi(const double* p, const double* q, double* out) {
    const QuaD r = quaMulti({p[0], p[1], p[2], p[3]}, {q[0], q[1], q[2], q[3]});
    out[0] = r.w;
    out[1] = r.x;
    out[2] = r.y;
    out[3] = r.z;
}

QuaD VXMATHIN::quaternionConjugate(QuaD q) { return {q.w, -q.x, -q.y, -q.z}; }

void VXMATHIN::quaternionNormalize(QuaD& q) {
    const double length = std::sqrt(q.w * q.w + q.x * q.x + q.y * q.y + q.z * q.z);
    if (length == 0.0) {
        q = {0.0, 0.0, 0.0, 0.0};
        return;
    }
    q = {q.w / length, q.x / length, q.y / length, q.z / length};
}

Point3D VXMATHIN::rotate_vector_by_qua(Point3D p, QuaD q) {
    quaternionNormalize(q);
    if (q.w == 0.0 && q.x == 0.0 && q.y == 0.0 && q.z == 0.0) return p;
    const QuaD r = quaMulti(quaMulti(q, {0.0, p.x, p.y, p.z}), quaternionConjugate(q));
    return {r.x, r.y, r.z};
}

void VXMATHIN::vector_transform(QuaD q, Point3D p, Point3D& out) {
    double m[3][3];
    quatToRotMatrix(q, m);
    matrix_33_multiply_31_2(m, p, out);
}

}  // namespace VX
