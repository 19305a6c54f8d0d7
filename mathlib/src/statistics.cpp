// Statistics over vectors and the moving-average filter.
#include <algorithm>
#include <cmath>
#include <functional>

#include "detail.h"

namespace VX {

using VXDEF::Point3D;

namespace {

template <typename T>
T mean(const std::vector<T>& v) {
    if (v.empty()) return T(0);
    double sum = 0.0;
    for (const T x : v) sum += x;
    return static_cast<T>(sum / static_cast<double>(v.size()));
}

template <typename T>
T variance(const std::vector<T>& v, int mode) {
    if (v.empty() || (mode != 0 && mode != 1)) return T(0);
    const std::size_t n = v.size();
    if (mode == 0 && n < 2) return T(0);
    double mu = 0.0;
    for (const T x : v) mu += x;
    mu /= static_cast<double>(n);
    double d = 0.0;
    for (const T x : v) d += (x - mu) * (x - mu);
    return static_cast<T>(d / static_cast<double>(mode == 0 ? n - 1 : n));
}

template <typename T>
T deviation(const std::vector<T>& v, int mode) {
    const T var = variance(v, mode);
    return var > T(0) ? std::sqrt(var) : T(0);
}

// Value and index of the first extreme element; better(a, b) says a replaces b.
template <typename T, typename Better>
void locateExtreme(const std::vector<T>& v, T& value, int& index, Better better) {
    value = T(0);
    index = 0;
    if (v.empty()) return;
    value = v[0];
    for (std::size_t i = 1; i < v.size(); ++i)
        if (better(v[i], value)) {
            value = v[i];
            index = static_cast<int>(i);
        }
}

// Largest or smallest element; an empty vector has none and throws.
template <typename T, typename Better>
T extremeValue(const std::vector<T>& v, Better better) {
    T value = detail::at(v, 0);
    int index;
    locateExtreme(v, value, index, better);
    return value;
}

}  // namespace

float VXMATHIN::meanValueFromVector(std::vector<float> v) { return mean(v); }
double VXMATHIN::meanValueFromVector(std::vector<double> v) { return mean(v); }
float VXMATHIN::maxValueFromVector(std::vector<float> v) {
    return extremeValue(v, std::greater<>());
}
double VXMATHIN::maxValueFromVector(std::vector<double> v) {
    return extremeValue(v, std::greater<>());
}
float VXMATHIN::minValueFromVector(std::vector<float> v) { return extremeValue(v, std::less<>()); }
double VXMATHIN::minValueFromVector(std::vector<double> v) {
    return extremeValue(v, std::less<>());
}

void VXMATHIN::maxValue_Location_Vector(std::vector<int> v, int& value, int& index) {
    locateExtreme(v, value, index, std::greater<>());
}
void VXMATHIN::maxValue_Location_Vector(std::vector<double> v, double& value, int& index) {
    locateExtreme(v, value, index, std::greater<>());
}
void VXMATHIN::minValue_Location_Vector(std::vector<int> v, int& value, int& index) {
    locateExtreme(v, value, index, std::less<>());
}
void VXMATHIN::minValue_Location_Vector(std::vector<double> v, double& value, int& index) {
    locateExtreme(v, value, index, std::less<>());
}

float VXMATHIN::STD(std::vector<float> v, int mode) { return deviation(v, mode); }
double VXMATHIN::STD(std::vector<double> v, int mode) { return deviation(v, mode); }
float VXMATHIN::VAR(std::vector<float> v, int mode) { return variance(v, mode); }
double VXMATHIN::VAR(std::vector<double> v, int mode) { return variance(v, mode); }

float VXMATHIN::RMS(std::vector<float> v) {
    if (v.empty()) return 0.0f;
    double squares = 0.0;
    for (const float x : v) squares += static_cast<double>(x) * x;
    return static_cast<float>(std::sqrt(squares / static_cast<double>(v.size())));
}

double VXMATHIN::RMS(std::vector<double> v) {
    // The spread of the values around their mean square (this overload's own definition).
    if (v.empty()) return 0.0;
    const double n = static_cast<double>(v.size());
    double squares = 0.0;
    for (const double x : v) squares += x * x;
    const double meanSquare = squares / n;
    double d = 0.0;
    for (const double x : v) d += (x - meanSquare) * (x - meanSquare);
    return std::sqrt(d / n);
}

double VXMATHIN::RMS(std::vector<Point3D> v) {
    if (v.size() < 2) return 0.0;
    const Point3D c = meansValuePoint3D(v);
    double d = 0.0;
    for (const Point3D& p : v) d += detail::dot(detail::sub(p, c), detail::sub(p, c));
    return std::sqrt(d / static_cast<double>(v.size() - 1));
}

void VXMATHIN::movingAverageFiltering(std::vector<double> in, std::vector<double>& out, int w) {
    const int n = static_cast<int>(in.size());
    if (n <= 1 || w <= 1 || w % 2 == 0 || w > n) return;
    const int h = (w - 1) / 2;
    // The first h values repeated before the start, the last h mirrored after the end.
    auto x = [&in, n, h](int j) {
        if (j < 0) return in[j + h];
        if (j >= n) return in[2 * n - 1 - j];
        return in[j];
    };
    for (int k = 0; k < n; ++k) {
        double sum = 0.0;
        for (int j = k - h; j <= k + h; ++j) sum += x(j);
        out.push_back(sum / w);
    }
}

}  // namespace VX
