// Rodrigues vectors and the half turn about Z.
#include <algorithm>
#include <cmath>

#include "detail.h"

namespace VX {

void VXMATHIN::rodriguezVector2rotationMatrix(const double r[3], double R[3][3]) {
    const double theta = modulusArray(r, 3);
    if (theta == 0.0) {
        // The whole identity, not just its diagonal, so that R never keeps stale entries.
        initArrayDiagonalElement(&R[0][0], 3, 3, 1.0);
        return;
    }
    const double k[3] = {r[0] / theta, r[1] / theta, r[2] / theta};
    const double c = cos(theta), s = sin(theta);
    const double skew[3][3] = {{0, -k[2], k[1]}, {k[2], 0, -k[0]}, {-k[1], k[0], 0}};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            R[i][j] = (i == j ? c : 0.0) + (1 - c) * k[i] * k[j] + s * skew[i][j];
}

void VXMATHIN::rotationMatrix2RodriguezVector(const double R[3][3], double r[3]) {
    if (R[0][0] == 1.0 && R[1][1] == 1.0 && R[2][2] == 1.0) {
        r[0] = r[1] = r[2] = 0.0;
        return;
    }
    const double cosine = std::clamp((R[0][0] + R[1][1] + R[2][2] - 1.0) / 2.0, -1.0, 1.0);
    const double theta = std::acos(cosine);
    const double sine = std::sin(theta);
    // 2·sin θ·k, the antisymmetric part of R.
    const double vee[3] = {R[2][1] - R[1][2], R[0][2] - R[2][0], R[1][0] - R[0][1]};
    if (sine > 1e-6) {
        const double f = theta / (2.0 * sine);
        for (int i = 0; i < 3; ++i) r[i] = f * vee[i];
    } else if (cosine > 0.0) {
        // θ → 0: θ / (2 sin θ) → 1/2.
        for (int i = 0; i < 3; ++i) r[i] = 0.5 * vee[i];
    } else {
        // θ → π: the antisymmetric part vanishes; take the axis from R ≈ 2·k·kᵀ − I.
        int a = 0;
        for (int i = 1; i < 3; ++i)
            if (R[i][i] > R[a][a]) a = i;
        double k[3];
        k[a] = std::sqrt(std::max(0.0, (R[a][a] + 1.0) / 2.0));
        if (k[a] == 0.0) {  // not a rotation matrix
            r[0] = r[1] = r[2] = 0.0;
            return;
        }
        for (int i = 0; i < 3; ++i)
            if (i != a) k[i] = (R[a][i] + R[i][a]) / (4.0 * k[a]);
        // Keep the sense the antisymmetric part still shows just below a half turn.
        const double sense = vee[0] * k[0] + vee[1] * k[1] + vee[2] * k[2] < 0.0 ? -1.0 : 1.0;
        const double length = modulusArray(k, 3);
        for (int i = 0; i < 3; ++i) r[i] = sense * theta * k[i] / length;
    }
}

void VXMATHIN::rotationMatrix_XY_Axis_Rotation180Degree(const double src[3][3], double dst[3][3]) {
    for (int j = 0; j < 3; ++j) {
        dst[0][j] = -src[0][j];
        dst[1][j] = -src[1][j];
        dst[2][j] = src[2][j];
    }
}

}  // namespace VX
