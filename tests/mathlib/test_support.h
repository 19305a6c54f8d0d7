// Shared helpers of the math library tests.
#ifndef MATHLIB_TEST_SUPPORT_H
#define MATHLIB_TEST_SUPPORT_H

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <random>
#include <string>

#include "VXMATHIN.h"

namespace mathlib_test {

inline void expectMatrixNear(const double* a, const double* b, int count, double tolerance) {
    for (int i = 0; i < count; ++i) EXPECT_NEAR(a[i], b[i], tolerance) << "element " << i;
}

inline void expectPointNear(VXDEF::Point3D a, VXDEF::Point3D b, double tolerance) {
    EXPECT_NEAR(a.x, b.x, tolerance);
    EXPECT_NEAR(a.y, b.y, tolerance);
    EXPECT_NEAR(a.z, b.z, tolerance);
}

// q and -q are the same rotation.
inline void expectSameRotation(VXDEF::QuaD a, VXDEF::QuaD b, double tolerance) {
    const double sign = (a.w * b.w + a.x * b.x + a.y * b.y + a.z * b.z) < 0.0 ? -1.0 : 1.0;
    EXPECT_NEAR(a.w, sign * b.w, tolerance);
    EXPECT_NEAR(a.x, sign * b.x, tolerance);
    EXPECT_NEAR(a.y, sign * b.y, tolerance);
    EXPECT_NEAR(a.z, sign * b.z, tolerance);
}

inline VXDEF::QuaD randomUnitQuaternion(std::mt19937& rng) {
    std::normal_distribution<double> normal;
    VXDEF::QuaD q{normal(rng), normal(rng), normal(rng), normal(rng)};
    VX::VXMATHIN().quaternionNormalize(q);
    return q;
}

// Test name from a case's description (letters and digits, the rest as '_').
struct CaseName {
    template <typename Info>
    std::string operator()(const Info& info) const {
        std::string name = info.param.name;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return name;
    }
};

constexpr VXDEF::ChannelOrderEuler kAllOrders[] = {VXDEF::XYZ, VXDEF::XZY, VXDEF::YXZ,
                                                   VXDEF::YZX, VXDEF::ZXY, VXDEF::ZYX};

}  // namespace mathlib_test

#endif  // MATHLIB_TEST_SUPPORT_H
