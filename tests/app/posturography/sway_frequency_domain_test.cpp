// Welch's spectrum of a sway axis and the band measures taken from it.
#include <gtest/gtest.h>

#include <cmath>

#include "SwayFrequencyDomain.h"
#include "sway_signals.h"

using namespace posturographytest;

namespace {

// A tone's power is its mean square, A²/2, when it lies in the band (0.15 Hz to 5 Hz, cut at
// R/2) and all but nothing when it lies above; both tones are below R/2.
TEST(SwaySpectrum, BandEndsAtFiveHertzWhenNyquistIsHigher) {
    constexpr double rate = 40, amplitude = 3;
    const struct {
        double hz;
        bool inBand;
    } cases[] = {{0.6, true}, {4.0, true}, {7.0, false}, {12.0, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hz);
        const SpectrumMeasures m =
            spectrumMeasures(welchSpectrum(sine(1200, rate, amplitude, c.hz), rate));
        ASSERT_TRUE(m.power);
        if (c.inBand) {
            EXPECT_NEAR(*m.power, amplitude * amplitude / 2, 0.01 * amplitude * amplitude / 2);
            EXPECT_NEAR(*m.f50, c.hz, rate / 512);
        } else {
            EXPECT_LT(*m.power, 1e-6 * amplitude * amplitude / 2);
        }
    }
}

// At 8 Hz the band stops at the Nyquist bin, 4 Hz, which has no mirror bin and is not
// doubled: cos(πn) has mean square 1, split 2:1 between the bins at 4 Hz and just below.
TEST(SwaySpectrum, BandIsCutAtNyquistForSlowRates) {
    constexpr double rate = 8;
    std::vector<double> alternating(240);
    for (std::size_t n = 0; n < alternating.size(); ++n) alternating[n] = n % 2 ? -1 : 1;
    const WelchSpectrum spectrum = welchSpectrum(alternating, rate);
    ASSERT_EQ(spectrum.density.size(), 32u + 1);  // L = 64
    EXPECT_DOUBLE_EQ(spectrum.binHz, rate / 64);
    const SpectrumMeasures m = spectrumMeasures(spectrum);
    EXPECT_NEAR(*m.power, 1, 1e-9);
    EXPECT_DOUBLE_EQ(*m.f50, 4);
    EXPECT_DOUBLE_EQ(*m.f95, 4);
    EXPECT_NEAR(spectrum.density[32] / spectrum.density[31], 2, 1e-9);
}

// A tone on a bin: f50 and f95 at its bin, the centroid a hair above (the Hann window spreads
// it over the neighbour bins with weights 1/4, 1, 1/4: √(f² + δ²/3)), dispersion small.
TEST(SwaySpectrum, ToneOnABinGivesItsFrequency) {
    constexpr double rate = 128;
    const double hz = 16 * rate / 1024;  // bin 16 of L = 1024
    const SpectrumMeasures m = spectrumMeasures(welchSpectrum(sine(3000, rate, 2, hz), rate));
    const double bin = rate / 1024;
    EXPECT_DOUBLE_EQ(*m.f50, hz);
    EXPECT_DOUBLE_EQ(*m.f95, hz + bin);
    EXPECT_NEAR(*m.centroid, std::sqrt(hz * hz + bin * bin / 3), 1e-9);
    // μ1²/(μ0·μ2) = f²/(f² + δ²/3)
    EXPECT_NEAR(*m.dispersion, std::sqrt(1 - hz * hz / (hz * hz + bin * bin / 3)), 1e-9);
    EXPECT_NEAR(*m.power, 2.0, 1e-9);
}

TEST(SwaySpectrum, TooFewSamplesGiveNoSpectrum) {
    EXPECT_TRUE(welchSpectrum({1, 2, 3}, 100).density.empty());
    const SpectrumMeasures m = spectrumMeasures(welchSpectrum({1, 2, 3}, 100));
    EXPECT_FALSE(m.power || m.f50 || m.f95 || m.centroid || m.dispersion);
    EXPECT_EQ(welchSpectrum({1, 2, 3, 4}, 100).density.size(), 2u);  // L = 2
}

}  // namespace
