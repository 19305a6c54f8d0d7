// 2-D and 3-D vectors and small arrays.
#include <algorithm>
#include <cmath>

#include "detail.h"

namespace VX {

using VXDEF::Point2D;
using VXDEF::Point3D;

Point2D VXMATHIN::vector2Differ(Point2D a, Point2D b) { return {a.x - b.x, a.y - b.y}; }
Point2D VXMATHIN::vector2Sum(Point2D a, Point2D b) { return {a.x + b.x, a.y + b.y}; }
double VXMATHIN::vector2NormSquare(Point2D a) { return a.x * a.x + a.y * a.y; }

Point3D VXMATHIN::crossProduct(Point3D a, Point3D b) { return detail::cross(a, b); }
Point3D VXMATHIN::crossProduct3(Point3D a, Point3D b) { return detail::cross(a, b); }

void VXMATHIN::crossProduct(const double* a, const double* b, double* c) {
    Point3D2array3Dimen(detail::cross(array3Dimen2Point3D(a), array3Dimen2Point3D(b)), c);
}

double VXMATHIN::dotProduct3(Point3D a, Point3D b) { return detail::dot(a, b); }

double VXMATHIN::cos3Vector(Point3D a, Point3D b) {
    const double lengths = detail::norm(a) * detail::norm(b);
    return lengths == 0.0 ? 0.0 : detail::dot(a, b) / lengths;
}

double VXMATHIN::vector3AngleRadian(Point3D a, Point3D b) {
    // Rounding can push the cosine of (anti)parallel vectors just past ±1.
    return std::acos(std::clamp(cos3Vector(a, b), -1.0, 1.0));
}

double VXMATHIN::vector3AngleDegree(Point3D a, Point3D b) {
    return vector3AngleRadian(a, b) * 180.0 / M_PI;
}

Point3D VXMATHIN::vector3Minus(Point3D a, Point3D b) { return detail::sub(a, b); }
Point3D VXMATHIN::vector3Sum(Point3D a, Point3D b) { return detail::add(a, b); }
Point3D VXMATHIN::vector3Sum1(Point3D a, const double* b) {
    return detail::add(a, array3Dimen2Point3D(b));
}
Point3D VXMATHIN::negationVector(Point3D a) { return {-a.x, -a.y, -a.z}; }
Point3D VXMATHIN::vectorNormalization(Point3D a) { return detail::normalized(a); }
double VXMATHIN::vector3Norm(Point3D a) { return detail::norm(a); }

void VXMATHIN::vector3DimensionNorm(Point3D& a) { a = detail::normalized(a); }
void VXMATHIN::vector3DimensionNorm(double* a) {
    Point3D2array3Dimen(detail::normalized(array3Dimen2Point3D(a)), a);
}

void VXMATHIN::vector3Assignment(Point3D& v, double x, double y, double z) { v = {x, y, z}; }

void VXMATHIN::Point3D2array3Dimen(Point3D p, double* a) {
    a[0] = p.x;
    a[1] = p.y;
    a[2] = p.z;
}

Point3D VXMATHIN::array3Dimen2Point3D(const double* a) { return {a[0], a[1], a[2]}; }
void VXMATHIN::array3Dimen2Point3D(const double* a, Point3D& p) { p = {a[0], a[1], a[2]}; }

double VXMATHIN::modulusArray(const double* a, int n) {
    double sum = 0.0;
    for (int i = 0; i < n; ++i) sum += a[i] * a[i];
    return std::sqrt(sum);
}

void VXMATHIN::arrayElementDivideScaleFactor(const double* src, double* dst, int n, double f) {
    if (f == 0.0) return;
    for (int i = 0; i < n; ++i) dst[i] = src[i] / f;
}

void VXMATHIN::initArrayDiagonalElement(double* p, int rows, int columns, double v) {
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) p[r * columns + c] = (r == c) ? v : 0.0;
}

bool VXMATHIN::haveornoVector(int key, std::vector<int> v) {
    return std::find(v.begin(), v.end(), key) != v.end();
}

}  // namespace VX
