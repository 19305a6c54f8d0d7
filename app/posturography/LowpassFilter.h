// Zero-phase low-pass filtering of a sway series: a 2nd-order Butterworth filter designed with
// the bilinear transform, run forwards and backwards. The edges are handled like
// scipy.signal.filtfilt(b, a, x) with its defaults, so that results can be compared with
// published tool chains: odd reflection of 9 samples at both ends and each pass started in
// the filter's steady state for its first sample.
#pragma once

#include <array>
#include <vector>

struct BiquadCoefficients {
    std::array<double, 3> b{};  // numerator
    std::array<double, 3> a{};  // denominator, a[0] = 1
};

// The 2nd-order Butterworth low-pass at cutoffHz for samples at rateHz, pre-warped so that the
// digital filter is 3 dB down exactly at cutoffHz. Needs 0 < cutoffHz < rateHz / 2.
BiquadCoefficients butterworthLowpass(double cutoffHz, double rateHz);

// The series filtered forwards and backwards. A series of fewer than two samples is returned
// as it is; one of at most 9 samples is reflected by one sample less than its length.
std::vector<double> zeroPhaseFilter(const BiquadCoefficients& filter,
                                    const std::vector<double>& series);

// Whether a low-pass at cutoffHz applies at rateHz: 0 means none, and at or above the Nyquist
// frequency there is nothing to remove.
inline bool lowpassApplies(double cutoffHz, double rateHz) {
    return cutoffHz > 0 && cutoffHz < rateHz / 2;
}
