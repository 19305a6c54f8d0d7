#include "TimeDomain.h"

#include <algorithm>
#include <cmath>

#include "SwayRange.h"

namespace {

// z of the one-sided 95 % normal quantile, for the 95 % circle.
constexpr double kZ95 = 1.645;

struct AxisSums {
    double meanAbs = 0;     // mean |x|
    double meanSquare = 0;  // mean x²
    double path = 0;        // Σ |Δx|
    double range = 0;       // max - min
};

AxisSums axisSums(const std::vector<double>& x) {
    AxisSums s;
    const std::size_t n = x.size();
    for (std::size_t i = 0; i < n; ++i) {
        s.meanAbs += std::fabs(x[i]);
        s.meanSquare += x[i] * x[i];
        if (i > 0) s.path += std::fabs(x[i] - x[i - 1]);
    }
    s.meanAbs /= n;
    s.meanSquare /= n;
    const auto [low, high] = std::minmax_element(x.begin(), x.end());
    s.range = *high - *low;
    return s;
}

// ln N / ln(N·d / totex): the fractal dimension of a path of length totex in a disc of
// diameter d.
Measure fractalDimension(int n, double diameter, double totex) {
    const Measure ratio = quotient(n * diameter, totex);
    if (!ratio) return std::nullopt;
    const Measure log = logarithm(*ratio);
    if (!log) return std::nullopt;
    return quotient(std::log(static_cast<double>(n)), *log);
}

}  // namespace

TimeDomainMeasures timeDomainMeasures(const SwaySeries& sway) {
    const int n = sway.size();
    const AxisSums ap = axisSums(sway.ap);
    const AxisSums ml = axisSums(sway.ml);
    double meanRd = 0;
    double path = 0;
    double swept = 0;  // Σ |AP[n+1]·ML[n] - AP[n]·ML[n+1]|, twice the triangles' areas
    double apMl = 0;
    std::vector<SwayPoint> points(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double a = sway.ap[i];
        const double m = sway.ml[i];
        meanRd += std::hypot(a, m);
        apMl += a * m;
        points[i] = {m, a};
        if (i > 0) {
            path += std::hypot(a - sway.ap[i - 1], m - sway.ml[i - 1]);
            swept += std::fabs(a * sway.ml[i - 1] - sway.ap[i - 1] * m);
        }
    }
    meanRd /= n;
    apMl /= n;
    const double meanSquareRd = ap.meanSquare + ml.meanSquare;
    const double T = sway.duration();

    TimeDomainMeasures t;
    t.mdist = meanRd;
    t.mdistAp = ap.meanAbs;
    t.mdistMl = ml.meanAbs;
    t.rdist = std::sqrt(meanSquareRd);
    t.rdistAp = std::sqrt(ap.meanSquare);
    t.rdistMl = std::sqrt(ml.meanSquare);
    t.totex = path;
    t.totexAp = ap.path;
    t.totexMl = ml.path;
    t.mvelo = quotient(path, T);
    t.mveloAp = quotient(ap.path, T);
    t.mveloMl = quotient(ml.path, T);
    t.range = largestDistance(points);
    t.rangeAp = ap.range;
    t.rangeMl = ml.range;
    if (t.mvelo) t.mfreq = quotient(*t.mvelo, 2 * M_PI * meanRd);
    if (t.mveloAp) t.mfreqAp = quotient(*t.mveloAp, 4 * M_SQRT2 * ap.meanAbs);
    if (t.mveloMl) t.mfreqMl = quotient(*t.mveloMl, 4 * M_SQRT2 * ml.meanAbs);

    const double sRd = rootOfNonNegative(meanSquareRd - meanRd * meanRd);
    const double circleRadius = meanRd + kZ95 * sRd;
    t.areaCc = M_PI * circleRadius * circleRadius;
    const double covarianceRoot = rootOfNonNegative(ap.meanSquare * ml.meanSquare - apMl * apMl);
    const std::optional<double> f = fisher95(n);
    if (f) t.areaCe = 2 * M_PI * *f * covarianceRoot;
    t.areaSw = quotient(swept, 2 * T);

    t.fdPd = fractalDimension(n, *t.range, path);
    t.fdCc = fractalDimension(n, 2 * circleRadius, path);
    if (f) t.fdCe = fractalDimension(n, std::sqrt(8 * *f * covarianceRoot), path);
    return t;
}

std::vector<NamedMeasure> timeDomainEntries(const TimeDomainMeasures& m) {
    return {
        {"mdist", "mm", m.mdist},    {"mdistAp", "mm", m.mdistAp},   {"mdistMl", "mm", m.mdistMl},
        {"rdist", "mm", m.rdist},    {"rdistAp", "mm", m.rdistAp},   {"rdistMl", "mm", m.rdistMl},
        {"totex", "mm", m.totex},    {"totexAp", "mm", m.totexAp},   {"totexMl", "mm", m.totexMl},
        {"mvelo", "mm/s", m.mvelo},  {"mveloAp", "mm/s", m.mveloAp}, {"mveloMl", "mm/s", m.mveloMl},
        {"range", "mm", m.range},    {"rangeAp", "mm", m.rangeAp},   {"rangeMl", "mm", m.rangeMl},
        {"mfreq", "Hz", m.mfreq},    {"mfreqAp", "Hz", m.mfreqAp},   {"mfreqMl", "Hz", m.mfreqMl},
        {"areaCc", "mm²", m.areaCc}, {"areaCe", "mm²", m.areaCe},    {"areaSw", "mm²/s", m.areaSw},
        {"fdPd", "", m.fdPd},        {"fdCc", "", m.fdCc},           {"fdCe", "", m.fdCe}};
}
