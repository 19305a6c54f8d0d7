// Sway paths with known measures for the posturography tests.
#pragma once

#include <cmath>
#include <functional>
#include <vector>

#include "SwayRange.h"

namespace posturographytest {

// samples points of path(t) at t = n / rate.
inline std::vector<SwayPoint> sampled(int samples, double rate,
                                      const std::function<SwayPoint(double)>& path) {
    std::vector<SwayPoint> points;
    points.reserve(static_cast<std::size_t>(samples));
    for (int n = 0; n < samples; ++n) points.push_back(path(n / rate));
    return points;
}

// A·sin(2π·f·t) along one axis, as a plain series.
inline std::vector<double> sine(int samples, double rate, double amplitude, double hz) {
    std::vector<double> x(static_cast<std::size_t>(samples));
    for (int n = 0; n < samples; ++n) x[n] = amplitude * std::sin(2 * M_PI * hz * n / rate);
    return x;
}

}  // namespace posturographytest
