// The 95 % prediction ellipse of a sway series (Schubert & Kirchner 2014): where a new sample
// of the same subject is expected to fall with 95 % probability.
#pragma once

#include "Measure.h"
#include "SwaySeries.h"

struct PredictionEllipse {
    Measure area;       // mm²
    Measure semiMajor;  // mm
    Measure semiMinor;  // mm
    Measure angleDeg;   // the major axis from +ML towards +AP, in (-90, 90]
};

// From the covariance of (ML, AP) with N - 1 in the denominator; nothing for N <= 2.
PredictionEllipse predictionEllipse(const SwaySeries& sway);
