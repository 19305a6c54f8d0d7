// Elliptic cone footprints and field-of-view corners.
#include <cmath>

#include "detail.h"

namespace VX {

using VXDEF::Point2D;
using VXDEF::Point3D;

void VXCV::ellipse_project(const double R[3][3], Point3D c, double alpha, double beta,
                           double* conic) {
    VXMATHIN math;
    constexpr int kPoints = 5;
    constexpr double kStep = 1.2566370614359172;  // 2π / 5
    const double ta = std::tan(alpha * detail::kDegToRad);
    const double tb = std::tan(beta * detail::kDegToRad);
    double system[kPoints][kPoints];
    for (int j = 0; j < kPoints; ++j) {
        const double direction[3] = {ta * std::cos(j * kStep), tb * std::sin(j * kStep), 1.0};
        double turned[3];
        math.matrix_33_multiply_31(R, direction, turned);
        if (turned[2] == 0.0) return;  // the ray never meets the plane z = 0
        const double t = -c.z / turned[2];
        const double x = c.x + t * turned[0];
        const double y = c.y + t * turned[1];
        const double row[kPoints] = {x * x, x * y, y * y, x, y};
        for (int k = 0; k < kPoints; ++k) system[j][k] = row[k];
    }
    if (!math.brinv2(&system[0][0], kPoints)) return;
    const double minusOne[kPoints] = {-1.0, -1.0, -1.0, -1.0, -1.0};
    math.matrixMulti(&system[0][0], minusOne, conic, kPoints, kPoints, 1);
}

void VXCV::ellipse_projectPoint(const double R[3][3], Point3D c, double alpha, double beta,
                                int count, std::vector<Point2D>& points) {
    double conic[5] = {0, 0, 0, 0, 0};
    ellipse_project(R, c, alpha, beta, conic);
    getEllipsePoint(conic, count, points);
}

void VXCV::getEllipsePoint(const double* conic, int count, std::vector<Point2D>& points) {
    if (count <= 0) return;
    const double A = conic[0], B = conic[1], C = conic[2], D = conic[3], E = conic[4];
    const double f = std::sqrt((A - C) * (A - C) + B * B);
    const double g = 4.0 * A * C - B * B;
    if (!(g > 0.0)) return;  // not an ellipse
    const double x0 = (B * E - 2.0 * C * D) / g;
    const double y0 = (B * D - 2.0 * A * E) / g;
    const double l = 2.0 * (A * x0 * x0 + C * y0 * y0 + B * x0 * y0 - 1.0);
    const double major = l / (A + C + f), minor = l / (A + C - f);
    if (!(major > 0.0) || !(minor > 0.0)) return;  // an empty (imaginary) ellipse
    const double m = std::sqrt(major), o = std::sqrt(minor);
    const double half = std::atan2(B, A - C) / 2.0;
    const double ch = std::cos(half), sh = std::sin(half);
    for (int i = 0; i < count; ++i) {
        const double phi = 2.0 * M_PI * i / count;
        const double sp = std::sin(phi), cp = std::cos(phi);
        const double rho = o * m / std::sqrt(m * m * sp * sp + o * o * cp * cp);
        const double x = rho * cp, y = rho * sp;
        points.push_back({x0 + ch * x - sh * y, y0 + sh * x + ch * y});
    }
}

void VXCV::getFourPoint(Point3D c, double d, double alpha, double beta,
                        std::vector<Point3D>& corners) {
    const double h = d * std::tan(alpha * detail::kDegToRad / 2.0);
    const double k = d * std::tan(beta * detail::kDegToRad / 2.0);
    const double z = c.z + d;
    corners.push_back({c.x - h, c.y - k, z});
    corners.push_back({c.x - h, c.y + k, z});
    corners.push_back({c.x + h, c.y + k, z});
    corners.push_back({c.x + h, c.y - k, z});
}

}  // namespace VX
