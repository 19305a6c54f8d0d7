// The zero-phase Butterworth low-pass the sway series pass through.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "LowpassFilter.h"
#include "sway_signals.h"

using namespace posturographytest;

namespace {

// scipy.signal.butter(2, 10 / 50) for 10 Hz at 100 Hz and butter(2, 10 / 100) for 10 Hz at
// 200 Hz, the well-known textbook values.
TEST(LowpassFilter, CoefficientsMatchTheButterworthDesign) {
    const struct {
        double cutoff, rate;
        std::array<double, 3> b, a;
    } cases[] = {
        {10, 100, {0.0674552739, 0.1349105478, 0.0674552739}, {1, -1.1429805025, 0.4128015981}},
        {10, 200, {0.0200833656, 0.0401667311, 0.0200833656}, {1, -1.5610180758, 0.6413515381}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rate);
        const BiquadCoefficients f = butterworthLowpass(c.cutoff, c.rate);
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(f.b[i], c.b[i], 1e-9);
            EXPECT_NEAR(f.a[i], c.a[i], 1e-9);
        }
    }
}

// Largest |y - x| over the middle half, away from the ends.
double middleDifference(const std::vector<double>& y, const std::vector<double>& x) {
    double largest = 0;
    for (std::size_t n = x.size() / 4; n < 3 * x.size() / 4; ++n)
        largest = std::max(largest, std::fabs(y[n] - x[n]));
    return largest;
}

double middleAmplitude(const std::vector<double>& y) {
    return middleDifference(y, std::vector<double>(y.size(), 0.0));
}

TEST(LowpassFilter, RemovesFastSwayAndKeepsSlowSwayInPhase) {
    const BiquadCoefficients f = butterworthLowpass(10, 100);
    const std::vector<double> fast = sine(1000, 100, 5, 20);
    EXPECT_LE(middleAmplitude(zeroPhaseFilter(f, fast)), 0.1 * 5);  // at least 90 % gone

    const std::vector<double> slow = sine(1000, 100, 5, 1);
    const std::vector<double> kept = zeroPhaseFilter(f, slow);
    EXPECT_GE(middleAmplitude(kept), 0.99 * 5);
    // A shift of 0.1° at 1 Hz would leave a difference of 5 · 0.0017 mm.
    EXPECT_LE(middleDifference(kept, slow), 0.002);
}

// Started in its steady state on reflected edges, the filter passes a constant unchanged at
// the ends too: a filter started from rest would begin near 0 and ring.
TEST(LowpassFilter, ConstantPassesUnchangedUpToTheEnds) {
    for (int samples : {2, 5, 10, 400}) {
        SCOPED_TRACE(samples);
        const std::vector<double> still(static_cast<std::size_t>(samples), 7.25);
        const std::vector<double> y = zeroPhaseFilter(butterworthLowpass(10, 100), still);
        ASSERT_EQ(y.size(), still.size());
        for (double v : y) EXPECT_NEAR(v, 7.25, 1e-9);
    }
}

TEST(LowpassFilter, AppliesOnlyBelowTheNyquistFrequency) {
    EXPECT_TRUE(lowpassApplies(10, 100));
    EXPECT_FALSE(lowpassApplies(0, 100));  // none asked for
    EXPECT_FALSE(lowpassApplies(20, 40));  // at R/2
    EXPECT_FALSE(lowpassApplies(10, 8));   // above R/2
    EXPECT_FALSE(lowpassApplies(-1, 100));
}

}  // namespace
