#include "LowpassFilter.h"

#include <algorithm>
#include <cmath>

namespace {

// filtfilt's default extension: 3 * max(len(a), len(b)).
constexpr int kPadding = 9;

// Initial state of the transposed direct form II that makes the filter's output constant for
// the constant input 1 (scipy.signal.lfilter_zi); scaled by the first sample of a pass.
std::array<double, 2> steadyState(const BiquadCoefficients& f) {
    const double gain = (f.b[0] + f.b[1] + f.b[2]) / (f.a[0] + f.a[1] + f.a[2]);
    const double z1 = f.b[2] - f.a[2] * gain;
    const double z0 = f.b[1] - f.a[1] * gain + z1;
    return {z0, z1};
}

// One pass over series in place, in the transposed direct form II (as lfilter).
void filterPass(const BiquadCoefficients& f, std::vector<double>& series) {
    const std::array<double, 2> unit = steadyState(f);
    double z0 = unit[0] * series.front();
    double z1 = unit[1] * series.front();
    for (double& x : series) {
        const double y = f.b[0] * x + z0;
        z0 = f.b[1] * x - f.a[1] * y + z1;
        z1 = f.b[2] * x - f.a[2] * y;
        x = y;
    }
}

}  // namespace

BiquadCoefficients butterworthLowpass(double cutoffHz, double rateHz) {
    // Analog prototype w² / (s² + √2·w·s + w²) with w = tan(π·F/R) after the bilinear map
    // s = (z - 1)/(z + 1).
    const double k = std::tan(M_PI * cutoffHz / rateHz);
    const double k2 = k * k;
    const double norm = 1 + M_SQRT2 * k + k2;
    BiquadCoefficients f;
    f.b = {k2 / norm, 2 * k2 / norm, k2 / norm};
    f.a = {1, 2 * (k2 - 1) / norm, (1 - M_SQRT2 * k + k2) / norm};
    return f;
}

std::vector<double> zeroPhaseFilter(const BiquadCoefficients& filter,
                                    const std::vector<double>& series) {
    const int n = static_cast<int>(series.size());
    if (n < 2) return series;
    const int pad = std::min(kPadding, n - 1);

    // Odd reflection about the end samples: 2·x[0] - x[pad..1], the series, 2·x[n-1] - x[n-2..].
    std::vector<double> extended;
    extended.reserve(static_cast<std::size_t>(n + 2 * pad));
    for (int i = pad; i >= 1; --i) extended.push_back(2 * series[0] - series[i]);
    extended.insert(extended.end(), series.begin(), series.end());
    for (int i = n - 2; i >= n - 1 - pad; --i) extended.push_back(2 * series[n - 1] - series[i]);

    filterPass(filter, extended);
    std::reverse(extended.begin(), extended.end());
    filterPass(filter, extended);
    std::reverse(extended.begin(), extended.end());
    return {extended.begin() + pad, extended.end() - pad};
}
