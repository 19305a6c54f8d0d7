// The 95 % confidence ellipse of the COP points.
#pragma once

#include <cstdio>
#include <string>

#include "AnalysisResults.h"

enum class EllipseStatus {
    Computed,
    NotEnoughData,        // fewer than two frames with pressure
    DecompositionFailed,  // the covariance could not be decomposed
};

struct EllipseOutcome {
    EllipseStatus status = EllipseStatus::Computed;
    std::string message;  // empty when computed
};

// Fits the ellipse to the points of results.copMillimetres that have pressure and sets
// ellipseArea (mm²), ellipseAxisA and ellipseAxisB (full axes, mm) and ellipseAngle (major
// axis from the X axis, radians). With fewer than two such points, or when the decomposition
// fails, the four figures are 0 and the outcome says why; the other figures are untouched.
// A computed ellipse is reported as one line on diagnostics (none when it is null).
EllipseOutcome computeConfidenceEllipse(AnalysisResults& results, std::FILE* diagnostics = stdout);
