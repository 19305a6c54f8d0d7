// Linear least-squares triangulation from two views.
#include "detail.h"

namespace VX {

void VXMATHIN::triangulationPoints(const double P1[3][4], const double P2[3][4], VXDEF::Point2D a,
                                   VXDEF::Point2D b, VXDEF::Point3D& X) {
    // Two rows per view: u·p_2 − p_0 and v·p_2 − p_1, with the fourth column moved right.
    double A[4][3], rhs[4];
    const double(*projections[2])[4] = {P1, P2};
    const VXDEF::Point2D points[2] = {a, b};
    for (int view = 0; view < 2; ++view) {
        const double(*P)[4] = projections[view];
        const double image[2] = {points[view].x, points[view].y};
        for (int c = 0; c < 2; ++c) {
            const int row = 2 * view + c;
            for (int j = 0; j < 3; ++j) A[row][j] = image[c] * P[2][j] - P[c][j];
            rhs[row] = P[c][3] - image[c] * P[2][3];
        }
    }
    double At[3][4], AtA[3][3], Atb[3], x[3];
    RotateMat(&A[0][0], &At[0][0], 4, 3);
    matrixMulti(&At[0][0], &A[0][0], &AtA[0][0], 3, 4, 3);
    if (!brinv2(&AtA[0][0], 3)) return;
    matrixMulti(&At[0][0], rhs, Atb, 3, 4, 1);
    matrix_33_multiply_31(AtA, Atb, x);
    X = array3Dimen2Point3D(x);
}

}  // namespace VX
