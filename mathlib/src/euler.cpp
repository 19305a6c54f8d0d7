// Euler angles to and from quaternions and rotation matrices (transposed storage).
#include <algorithm>
#include <cmath>

#include "detail.h"

namespace VX {

using VXDEF::ChannelOrderEuler;
using VXDEF::Point3D;
using VXDEF::QuaD;

namespace {

struct Trig {
    double (*sin)(double);
    double (*cos)(double);
};
const Trig kStandardTrig{[](double x) { return std::sin(x); },
                         [](double x) { return std::cos(x); }};
const Trig kSeriesTrig{detail::seriesSin, detail::seriesCos};

// Axes (0 = X, 1 = Y, 2 = Z) of each order, first rotation first.
const int kOrderAxes[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};

bool validOrder(ChannelOrderEuler order) { return order >= 0 && order <= 5; }

double angleOf(Point3D angles, int axis) {
    return axis == 0 ? angles.x : (axis == 1 ? angles.y : angles.z);
}

// Right-handed elementary rotation about one axis (angle in radians).
void elementary(int axis, double angle, const Trig& trig, double R[3][3]) {
    const double c = trig.cos(angle), s = trig.sin(angle);
    const int i = (axis + 1) % 3, j = (axis + 2) % 3;
    for (int r = 0; r < 3; ++r)
        for (int col = 0; col < 3; ++col) R[r][col] = (r == col) ? 1.0 : 0.0;
    R[i][i] = c;
    R[j][j] = c;
    R[i][j] = -s;
    R[j][i] = s;
}

// P = R_a·R_b·R_c for the order, in plain storage.
void composeEuler(Point3D angles, ChannelOrderEuler order, const Trig& trig, double P[3][3]) {
    elementary(kOrderAxes[order][0], angleOf(angles, kOrderAxes[order][0]) * detail::kDegToRad,
               trig, P);
    for (int k = 1; k < 3; ++k) {
        double R[3][3];
        const int axis = kOrderAxes[order][k];
        elementary(axis, angleOf(angles, axis) * detail::kDegToRad, trig, R);
        detail::multiply(&P[0][0], &R[0][0], &P[0][0], 3, 3, 3);
    }
}

// atan2(sign · m[numerator], m[denominator]) with flat element indices.
struct Atan2Term {
    int axis;
    double sign;
    int numerator;
    int denominator;
};

struct EulerExtraction {
    int middleAxis;
    double middleSign;
    int middleElement;
    Atan2Term first;
    Atan2Term third;
    Atan2Term lockFirst;  // past the lock threshold the third angle is 0
};

const EulerExtraction kExtraction[6] = {
    {1, 1, 6, {0, -1, 7, 8}, {2, -1, 3, 0}, {0, 1, 5, 4}},
    {2, -1, 3, {0, 1, 5, 4}, {1, 1, 6, 0}, {0, -1, 7, 8}},
    {0, -1, 7, {1, 1, 6, 8}, {2, 1, 1, 4}, {1, -1, 2, 0}},
    {2, 1, 1, {1, -1, 2, 0}, {0, -1, 7, 4}, {1, 1, 6, 8}},
    {0, 1, 5, {2, -1, 3, 4}, {1, -1, 2, 8}, {2, 1, 1, 0}},
    {1, -1, 2, {2, 1, 1, 0}, {0, 1, 5, 8}, {2, -1, 3, 4}},
};

double evaluate(const Atan2Term& term, const double* m) {
    return std::atan2(term.sign * m[term.numerator], m[term.denominator]);
}

}  // namespace

void VXMATHIN::eulerToQuat(Point3D angles, ChannelOrderEuler order, QuaD& q) {
    if (!validOrder(order)) return;
    QuaD result{1.0, 0.0, 0.0, 0.0};
    for (int k = 0; k < 3; ++k) {
        const int axis = kOrderAxes[order][k];
        const double half = angleOf(angles, axis) * detail::kDegToRad / 2.0;
        QuaD single{std::cos(half), 0.0, 0.0, 0.0};
        const double s = std::sin(half);
        (axis == 0 ? single.x : (axis == 1 ? single.y : single.z)) = s;
        result = quaMulti(result, single);
    }
    q = result;
}

QuaD VXMATHIN::euler2Quat(Point3D angles, ChannelOrderEuler order, QuaD q) {
    if (!validOrder(order)) return q;
    double P[3][3];
    composeEuler(angles, order, kSeriesTrig, P);
    return rotation2quat(P);
}

void VXMATHIN::eulerToRotMatrix(Point3D angles, ChannelOrderEuler order, double m[3][3]) {
    if (!validOrder(order)) return;
    double P[3][3];
    composeEuler(angles, order, kStandardTrig, P);
    matrixTranspose(P, m);
}

void VXMATHIN::rotMatrixToEuler(const double m[3][3], ChannelOrderEuler order, Point3D& angles) {
    if (!validOrder(order)) return;
    const EulerExtraction& e = kExtraction[order];
    const double* flat = &m[0][0];
    const double sine = e.middleSign * flat[e.middleElement];
    double result[3];
    result[e.middleAxis] = std::asin(std::clamp(sine, -1.0, 1.0));
    if (std::abs(sine) > 0.9999) {
        result[e.lockFirst.axis] = evaluate(e.lockFirst, flat);
        result[e.third.axis] = 0.0;
    } else {
        result[e.first.axis] = evaluate(e.first, flat);
        result[e.third.axis] = evaluate(e.third, flat);
    }
    angles = {result[0] * detail::kRadToDeg, result[1] * detail::kRadToDeg,
              result[2] * detail::kRadToDeg};
}

void VXMATHIN::quatToEuler(QuaD q, ChannelOrderEuler order, Point3D& angles) {
    double m[3][3];
    quatToRotMatrix(q, m);
    rotMatrixToEuler(m, order, angles);
}

void VXMATHIN::rotationMatrixXYZ(double a, double b, double c, double m[3][3]) {
    composeEuler({c, b, a}, VXDEF::ZYX, kSeriesTrig, m);
}

}  // namespace VX
