// A posturographic measure: a number, or nothing where its formula has no value (a division by
// zero or the logarithm of a non-positive number, as for a recording without sway).
#pragma once

#include <cmath>
#include <optional>

using Measure = std::optional<double>;

// numerator / denominator, nothing when the denominator is 0 or the quotient is not finite.
inline Measure quotient(double numerator, double denominator) {
    if (denominator == 0) return std::nullopt;
    const double q = numerator / denominator;
    if (!std::isfinite(q)) return std::nullopt;
    return q;
}

// The natural logarithm, nothing for a non-positive argument.
inline Measure logarithm(double x) {
    if (!(x > 0) || !std::isfinite(x)) return std::nullopt;
    return std::log(x);
}

// The square root of a value that is non-negative in exact arithmetic: rounding may leave it a
// hair below 0.
inline double rootOfNonNegative(double x) { return std::sqrt(x > 0 ? x : 0.0); }

// Where a measure is defined, its value and its unit, for tables and JSON.
struct NamedMeasure {
    const char* key;   // the JSON key, e.g. "mdistAp"
    const char* unit;  // "mm", "mm/s", "mm²", "Hz" or "" for a plain number
    Measure value;
};
