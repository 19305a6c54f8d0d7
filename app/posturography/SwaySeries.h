// The pre-processed sway of a recording, as every posturographic measure reads it.
#pragma once

#include <cmath>
#include <optional>
#include <vector>

struct SwaySeries {
    std::vector<double> ap;  // mm, forward, mean removed
    std::vector<double> ml;  // mm, to the subject's right, mean removed
    double rateHz = 0;       // samples per second

    int size() const { return static_cast<int>(ap.size()); }
    // T = (N - 1)/R, the time the N samples span.
    double duration() const { return (size() - 1) / rateHz; }
};

// F0.95(2, N - 2), the 95th percentile of Fisher's F distribution with 2 and N - 2 degrees of
// freedom in closed form; nothing for N <= 2.
inline std::optional<double> fisher95(int n) {
    if (n <= 2) return std::nullopt;
    const double dof = n - 2;
    return dof / 2 * (std::pow(0.05, -2 / dof) - 1);
}
