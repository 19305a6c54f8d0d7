// Series trigonometry, unit conversions and distances.
#include <cmath>

#include "detail.h"

namespace VX {
namespace detail {
namespace {

double powerBySquaring(double x, int exponent) {
    double result = 1.0;
    while (exponent > 0) {
        if (exponent & 1) result *= x;
        x *= x;
        exponent >>= 1;
    }
    return result;
}

// Σ over j = 0 … terms − 1 of (−1)^j · x^(2j+offset) / (2j+offset)!, in increasing j.
double alternatingSeries(double x, int offset, int terms) {
    double sum = 0.0;
    double factorial = 1.0;
    for (int j = 0; j < terms; ++j) {
        const int power = 2 * j + offset;
        if (j > 0) factorial *= static_cast<double>(power - 1) * power;
        const double term = powerBySquaring(x, power) / factorial;
        sum += (j % 2 == 0) ? term : -term;
    }
    return sum;
}

}  // namespace

double seriesCos(double x) { return alternatingSeries(x, 0, 30); }
double seriesSin(double x) { return alternatingSeries(x, 1, 29); }

}  // namespace detail

double VXMATHIN::cos(double x) { return detail::seriesCos(x); }
double VXMATHIN::sin(double x) { return detail::seriesSin(x); }
double VXMATHIN::cosd(double x) { return detail::seriesCos(x * detail::kDegToRad); }
double VXMATHIN::sind(double x) { return detail::seriesSin(x * detail::kDegToRad); }
double VXMATHIN::deg2rad(double x) { return x * detail::kDegToRad; }
double VXMATHIN::rad2deg(double x) { return x * detail::kRadToDeg; }

double VXMATHIN::eucDistancePoint22(VXDEF::Point2D a, VXDEF::Point2D b) {
    const double dx = a.x - b.x;
    const double dy = a.y - b.y;
    return std::sqrt(dx * dx + dy * dy);
}

double VXMATHIN::eucDistancePoint33(VXDEF::Point3D a, VXDEF::Point3D b) {
    return detail::norm(detail::sub(a, b));
}

}  // namespace VX
