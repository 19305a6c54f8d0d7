// Frequency-domain measures of one sway axis from its Welch power spectral density.
#pragma once

#include <vector>

#include "Measure.h"

// Welch's estimate: segments of L samples (the largest power of two not above N/2) starting
// every L/2 samples while they fit, each with its mean removed and a periodic Hann window,
// one-sided density scaling |X|²/(R·Σw²) doubled except at 0 and R/2, averaged.
struct WelchSpectrum {
    std::vector<double> density;  // mm²/Hz at bins k·R/L, k = 0 … L/2
    double binHz = 0;             // R/L
};

// Empty for fewer than 4 samples (no segment of two samples or more).
WelchSpectrum welchSpectrum(const std::vector<double>& series, double rateHz);

struct SpectrumMeasures {
    Measure power;       // mm², within the band
    Measure f50;         // Hz, half of the band's power lies below
    Measure f95;         // Hz, 95 % of the band's power lies below
    Measure centroid;    // Hz, √(μ2/μ0)
    Measure dispersion;  // √(1 - μ1²/(μ0·μ2)), 0 for a pure tone
};

// The sway band, 0.15 Hz to 5 Hz (up to R/2).
constexpr double kBandLowHz = 0.15;
constexpr double kBandHighHz = 5.0;

SpectrumMeasures spectrumMeasures(const WelchSpectrum& spectrum);

std::vector<NamedMeasure> spectrumEntries(const SpectrumMeasures& m);
