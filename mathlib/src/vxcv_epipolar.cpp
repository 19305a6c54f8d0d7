// Normalised eight-point fundamental and essential matrices.
#include <cmath>

#include "detail.h"

namespace VX {

using VXDEF::Point2D;

namespace {

constexpr double kFloatEpsilon = 1.1920928955078125e-7;
constexpr double kDoubleEpsilon = 2.220446049250313e-16;

// Hartley normalisation T = [[s, 0, −s·cx], [0, s, −s·cy], [0, 0, 1]] moving the points'
// centroid to the origin at a mean distance of √2; false for coincident points.
bool normalisation(const std::vector<Point2D>& points, double T[3][3],
                   std::vector<Point2D>& normalised) {
    const double n = static_cast<double>(points.size());
    Point2D c{0.0, 0.0};
    for (const Point2D& p : points) {
        c.x += p.x;
        c.y += p.y;
    }
    c = {c.x / n, c.y / n};
    double distance = 0.0;
    for (const Point2D& p : points) distance += std::hypot(p.x - c.x, p.y - c.y);
    distance /= n;
    if (distance < kFloatEpsilon) return false;
    const double s = std::sqrt(2.0) / distance;
    normalised.clear();
    for (const Point2D& p : points) normalised.push_back({(p.x - c.x) * s, (p.y - c.y) * s});
    const double t[3][3] = {{s, 0.0, -s * c.x}, {0.0, s, -s * c.y}, {0.0, 0.0, 1.0}};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) T[i][j] = t[i][j];
    return true;
}

}  // namespace

bool VXCV::run8pointFundamentalMatrix(std::vector<Point2D> pts1, std::vector<Point2D> pts2,
                                      double F[3][3]) {
    if (pts1.size() != pts2.size() || pts1.size() < 8) return false;
    double T1[3][3], T2[3][3];
    std::vector<Point2D> n1, n2;
    if (!normalisation(pts1, T1, n1) || !normalisation(pts2, T2, n2)) return false;
    // Σ r·rᵀ over the pairs with x2ᵀ·F·x1 = r·f for the row-major f.
    double moments[9][9] = {};
    for (std::size_t i = 0; i < n1.size(); ++i) {
        const double x1 = n1[i].x, y1 = n1[i].y, x2 = n2[i].x, y2 = n2[i].y;
        const double r[9] = {x2 * x1, x2 * y1, x2, y2 * x1, y2 * y1, y2, x1, y1, 1.0};
        for (int j = 0; j < 9; ++j)
            for (int k = 0; k < 9; ++k) moments[j][k] += r[j] * r[k];
    }
    SVDQR decomposition;
    double vectors[9][9], values[9];
    if (!decomposition.JacbiCor(&moments[0][0], 9, &vectors[0][0], values, 10000)) return false;
    int nonZero = 0;
    while (nonZero < 9 && std::abs(values[nonZero]) >= kDoubleEpsilon) ++nonZero;
    if (nonZero < 8) return false;  // the solution is not unique
    double F0[3][3];
    for (int k = 0; k < 9; ++k) F0[k / 3][k % 3] = vectors[k][8];
    // Enforce rank 2.
    double U[3][3], S[3][3], V[3][3];
    if (!decomposition.SVD(&F0[0][0], 3, 3, &U[0][0], &S[0][0], &V[0][0])) return false;
    VXMATHIN math;
    S[2][2] = 0.0;
    double Vt[3][3], US[3][3];
    math.matrixTranspose(V, Vt);
    math.matrix_33_multiply_33(U, S, US);
    math.matrix_33_multiply_33(US, Vt, F0);
    // Undo the normalisation: F = T2ᵀ·F0·T1.
    double T2t[3][3], result[3][3];
    math.matrixTranspose(T2, T2t);
    math.matrix_33_multiply_33(T2t, F0, result);
    math.matrix_33_multiply_33(result, T1, result);
    const double scale = std::abs(result[2][2]) > kFloatEpsilon ? result[2][2] : 1.0;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) F[i][j] = result[i][j] / scale;
    return true;
}

bool VXCV::run8pointfindEssentialMatrix(double f1, double f2, Point2D pp1, Point2D pp2,
                                        std::vector<Point2D> pts1, std::vector<Point2D> pts2,
                                        double E[3][3]) {
    if (f1 == 0.0 || f2 == 0.0) return false;
    std::vector<Point2D> camera1, camera2;
    for (std::size_t i = 0; i < pts1.size(); ++i) {
        const Point2D& p2 = detail::at(pts2, i);
        camera1.push_back({(pts1[i].x - pp1.x) / f1, (pts1[i].y - pp1.y) / f1});
        camera2.push_back({(p2.x - pp2.x) / f2, (p2.y - pp2.y) / f2});
    }
    return run8pointFundamentalMatrix(camera1, camera2, E);
}

}  // namespace VX
