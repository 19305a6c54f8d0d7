// Triangles, point sets, spherical coordinates and orthogonal bases.
#include <algorithm>
#include <cmath>

#include "detail.h"

namespace VX {

using VXDEF::Point3D;

namespace {

void storeColumns(Point3D a, Point3D b, Point3D c, double R[3][3]) {
    const Point3D columns[3] = {a, b, c};
    for (int j = 0; j < 3; ++j) {
        R[0][j] = columns[j].x;
        R[1][j] = columns[j].y;
        R[2][j] = columns[j].z;
    }
}

void storeRows(Point3D a, Point3D b, Point3D c, double R[3][3]) {
    const Point3D rows[3] = {a, b, c};
    for (int i = 0; i < 3; ++i) {
        R[i][0] = rows[i].x;
        R[i][1] = rows[i].y;
        R[i][2] = rows[i].z;
    }
}

// Interior angle at vertex p between the edges to q and r, in degrees (not clamped).
double vertexAngle(Point3D p, Point3D q, Point3D r) {
    const Point3D e1 = detail::sub(q, p);
    const Point3D e2 = detail::sub(r, p);
    return std::acos(detail::dot(e1, e2) / (detail::norm(e1) * detail::norm(e2))) * 180.0 / M_PI;
}

}  // namespace

Point3D VXMATHIN::centroidOftriangle(Point3D p1, Point3D p2, Point3D p3) {
    return detail::scale(detail::add(detail::add(p1, p2), p3), 1.0 / 3.0);
}

double VXMATHIN::maxDistanceTriangle(Point3D p1, Point3D p2, Point3D p3) {
    return std::max(
        {eucDistancePoint33(p1, p2), eucDistancePoint33(p1, p3), eucDistancePoint33(p2, p3)});
}

double VXMATHIN::perimeterTriangle(Point3D p1, Point3D p2, Point3D p3) {
    return eucDistancePoint33(p1, p2) + eucDistancePoint33(p1, p3) + eucDistancePoint33(p2, p3);
}

double VXMATHIN::triangleArea(Point3D p1, Point3D p2, Point3D p3) {
    const double a = eucDistancePoint33(p2, p3);
    const double b = eucDistancePoint33(p1, p3);
    const double c = eucDistancePoint33(p1, p2);
    const double s = (a + b + c) / 2.0;
    // A flat triangle can round to a tiny negative product.
    return std::sqrt(std::max(0.0, s * (s - a) * (s - b) * (s - c)));
}

void VXMATHIN::angleDegree(Point3D p1, Point3D p2, Point3D p3, double& a1, double& a2, double& a3) {
    a1 = vertexAngle(p1, p2, p3);
    a2 = vertexAngle(p2, p1, p3);
    a3 = vertexAngle(p3, p1, p2);
}

Point3D VXMATHIN::meanValueOnlyPoint3D(Point3D p, int n) {
    return n == 0 ? p : detail::scale(p, 1.0 / n);
}

Point3D VXMATHIN::meansValuePoint3D(std::vector<Point3D> v) {
    Point3D sum{0.0, 0.0, 0.0};
    for (const Point3D& p : v) sum = detail::add(sum, p);
    return v.empty() ? sum : detail::scale(sum, 1.0 / static_cast<double>(v.size()));
}

void VXMATHIN::SphericalCoordinateSystem(Point3D p1, Point3D p2,
                                         VXDEF::SphericalCoordinateSystemPara& para) {
    const Point3D d = detail::sub(p2, p1);
    para.r = detail::norm(d);
    para.phi = std::atan2(d.y, d.x);
    para.theta = para.r == 0.0 ? 0.0 : std::acos(std::clamp(d.z / para.r, -1.0, 1.0));
    para.thetaDegree = para.theta * 180.0 / M_PI;
    para.phiDegree = para.phi * 180.0 / M_PI;
    para.sinTheta = sin(para.theta);
    para.cosTheta = cos(para.theta);
    para.sinPhi = sin(para.phi);
    para.cosPhi = cos(para.phi);
}

void VXMATHIN::orthogonalBasis(Point3D p1, Point3D p2, Point3D p3, Point3D& u, Point3D& v,
                               Point3D& w) {
    u = detail::normalized(detail::sub(p2, p1));
    w = detail::normalized(detail::cross(detail::sub(p2, p1), detail::sub(p3, p1)));
    v = detail::normalized(detail::cross(w, u));
}

void VXMATHIN::orthogonalBasisR_ByColsSave(Point3D p1, Point3D p2, Point3D p3, double R[3][3]) {
    Point3D u, v, w;
    orthogonalBasis(p1, p2, p3, u, v, w);
    storeColumns(u, v, w, R);
}

void VXMATHIN::orthogonalBasisR_ByRowsSave(Point3D p1, Point3D p2, Point3D p3, double R[3][3]) {
    Point3D u, v, w;
    orthogonalBasis(p1, p2, p3, u, v, w);
    storeRows(u, v, w, R);
}

void VXMATHIN::orthogonalBasisR_DIV_ABCPoint_ByColsSave(Point3D p1, Point3D p2, Point3D p3,
                                                        double R[3][3]) {
    const Point3D points[3] = {p1, p2, p3};
    // Side k is opposite point k.
    const double side[3] = {eucDistancePoint33(p2, p3), eucDistancePoint33(p1, p3),
                            eucDistancePoint33(p1, p2)};
    int opposite = -1;
    for (int k = 0; k < 3; ++k)
        if (side[k] > side[(k + 1) % 3] && side[k] > side[(k + 2) % 3]) opposite = k;
    Point3D a{0, 0, 0}, b{0, 0, 0}, c{0, 0, 0};
    if (opposite >= 0) {
        a = points[opposite];
        const int first = opposite == 0 ? 1 : 0;
        const int second = 3 - opposite - first;
        // c is the end farther from a; on equal distances the later one.
        const bool firstFarther =
            eucDistancePoint33(points[first], a) > eucDistancePoint33(points[second], a);
        c = firstFarther ? points[first] : points[second];
        b = firstFarther ? points[second] : points[first];
    }
    const Point3D u = detail::normalized(detail::sub(b, c));
    const Point3D n = detail::normalized(detail::cross(detail::sub(b, c), detail::sub(a, c)));
    const Point3D v = detail::normalized(detail::cross(n, u));
    storeColumns(u, v, n, R);
}

void VXMATHIN::colsMatrixAssignment(Point3D a, Point3D b, Point3D c, double R[3][3]) {
    storeColumns(a, b, c, R);
}
void VXMATHIN::save3PointXYZ_33R_ByColumn(Point3D a, Point3D b, Point3D c, double R[3][3]) {
    storeColumns(a, b, c, R);
}
void VXMATHIN::rowsMatrixAssignment(Point3D a, Point3D b, Point3D c, double R[3][3]) {
    storeRows(a, b, c, R);
}
void VXMATHIN::save3PointXYZ_33R_ByRow(Point3D a, Point3D b, Point3D c, double R[3][3]) {
    storeRows(a, b, c, R);
}

}  // namespace VX
