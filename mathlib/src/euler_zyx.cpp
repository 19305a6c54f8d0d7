// Z-Y-X angle extractions from rotation matrices and quaternions.
#include <cmath>

#include "detail.h"

namespace VX {

using VXDEF::Point3D;
using VXDEF::QuaD;

namespace {

// Z-Y-X angles in degrees as out = (z, y, x) of a matrix in transposed storage. The middle
// angle is ±limit once −m02 reaches ±1; past |m02| > lock the x angle is 0.
void zyxDegrees(const double m[3][3], double limit, double lock, double out[3]) {
    const double sine = -m[0][2];
    double y;
    if (sine >= 1.0)
        y = limit;
    else if (sine <= -1.0)
        y = -limit;
    else
        y = std::asin(sine);
    double z, x;
    if (std::abs(m[0][2]) > lock) {
        x = 0.0;
        z = std::atan2(-m[1][0], m[1][1]);
    } else {
        z = std::atan2(m[0][1], m[0][0]);
        x = std::atan2(m[1][2], m[2][2]);
    }
    out[0] = z * detail::kRadToDeg;
    out[1] = y * detail::kRadToDeg;
    out[2] = x * detail::kRadToDeg;
}

constexpr double kHalfPiRounded = 1.57;
constexpr double kLock = 0.9999;

}  // namespace

Point3D VXMATHIN::rotm2EulDegree(const double m[3][3], VXDEF::ChannelOrderEuler order) {
    double a[3];
    zyxDegrees(m, kHalfPiRounded, kLock, a);
    const double z = a[0], y = a[1], x = a[2];
    switch (order) {
        case VXDEF::XYZ:
            return {z, y, x};
        case VXDEF::XZY:
            return {z, x, y};
        case VXDEF::YXZ:
            return {y, x, z};
        case VXDEF::YZX:
            return {y, z, x};
        case VXDEF::ZXY:
            return {x, z, y};
        case VXDEF::ZYX:
            return {x, y, z};
    }
    return {0.0, 0.0, 0.0};
}

void VXMATHIN::rotationMatrixToEuler_ZYX(const double m[3][3], double out[3]) {
    // This variant keeps its limits in single precision.
    zyxDegrees(m, static_cast<float>(kHalfPiRounded), static_cast<float>(kLock), out);
}

void VXMATHIN::qua_wxyz_2Euler_zyx(const double q[4], double out[3]) {
    double m[3][3];
    quatToRotMatrix({q[0], q[1], q[2], q[3]}, m);
    zyxDegrees(m, kHalfPiRounded, kLock, out);
}

Point3D VXMATHIN::qua2Euler_ZYXDegree(QuaD q) {
    double m[3][3], a[3];
    quatToRotMatrix(q, m);
    zyxDegrees(m, kHalfPiRounded, 0.99999999, a);
    return {a[2], a[1], a[0]};
}

void VXMATHIN::qua_wxyz_2Euler_yzx(const double q[4], double out[3]) {
    // Change of frame: p = c* ⊗ q ⊗ c with c a half turn about (0, 1, 1)/√2.
    const double h = std::sqrt(2.0) / 2.0;
    const QuaD c{0.0, 0.0, h, h};
    const QuaD p = quaMulti(quaMulti(quaternionConjugate(c), {q[0], q[1], q[2], q[3]}), c);
    const double pArray[4] = {p.w, p.x, p.y, p.z};
    double a[3];
    qua_wxyz_2Euler_zyx(pArray, a);
    out[0] = a[0];
    out[1] = a[1];
    out[2] = -a[2];
}

}  // namespace VX
