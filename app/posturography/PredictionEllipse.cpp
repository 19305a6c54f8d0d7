#include "PredictionEllipse.h"

#include <algorithm>
#include <cmath>

PredictionEllipse predictionEllipse(const SwaySeries& sway) {
    const int n = sway.size();
    const std::optional<double> f = fisher95(n);
    if (!f) return {};
    double mlMl = 0, apAp = 0, mlAp = 0;  // the series have zero mean
    for (int i = 0; i < n; ++i) {
        mlMl += sway.ml[i] * sway.ml[i];
        apAp += sway.ap[i] * sway.ap[i];
        mlAp += sway.ml[i] * sway.ap[i];
    }
    mlMl /= n - 1;
    apAp /= n - 1;
    mlAp /= n - 1;

    const double half = (mlMl + apAp) / 2;
    const double spread = std::hypot((mlMl - apAp) / 2, mlAp);
    const double major = half + spread;
    const double minor = std::max(0.0, half - spread);
    const double k = 2.0 * (n + 1) * (n - 1) / (static_cast<double>(n) * (n - 2)) * *f;

    PredictionEllipse e;
    e.area = M_PI * k * std::sqrt(major * minor);
    e.semiMajor = std::sqrt(k * major);
    e.semiMinor = std::sqrt(k * minor);
    // Half of atan2 lies in [-90°, 90°]; -90° (from a -0 covariance) is the same axis as 90°.
    double angle = 0.5 * std::atan2(2 * mlAp, mlMl - apAp) * 180 / M_PI;
    if (angle <= -90) angle += 180;
    e.angleDeg = angle;
    return e;
}
