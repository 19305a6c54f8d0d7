#include "SwayFrequencyDomain.h"

#include <cmath>
#include <complex>
#include <utility>

namespace {

using Complex = std::complex<double>;

// In-place iterative radix-2 FFT; data.size() is a power of two and twiddles[k] is
// e^(-2πik/n) for k < n/2, each computed directly so that no error builds up.
void fft(std::vector<Complex>& data, const std::vector<Complex>& twiddles) {
    const std::size_t n = data.size();
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(data[i], data[j]);
    }
    for (std::size_t length = 2; length <= n; length <<= 1) {
        const std::size_t half = length / 2;
        const std::size_t stride = n / length;
        for (std::size_t start = 0; start < n; start += length) {
            for (std::size_t k = 0; k < half; ++k) {
                const Complex even = data[start + k];
                const Complex odd = data[start + k + half] * twiddles[k * stride];
                data[start + k] = even + odd;
                data[start + k + half] = even - odd;
            }
        }
    }
}

std::size_t segmentLength(std::size_t n) {
    std::size_t length = 1;
    while (length * 2 <= n / 2) length *= 2;
    return length;
}

}  // namespace

WelchSpectrum welchSpectrum(const std::vector<double>& series, double rateHz) {
    const std::size_t L = segmentLength(series.size());
    if (L < 2) return {};
    std::vector<double> window(L);
    double windowPower = 0;
    for (std::size_t k = 0; k < L; ++k) {
        window[k] = 0.5 - 0.5 * std::cos(2 * M_PI * static_cast<double>(k) / L);
        windowPower += window[k] * window[k];
    }
    std::vector<Complex> twiddles(L / 2);
    for (std::size_t k = 0; k < L / 2; ++k)
        twiddles[k] = std::polar(1.0, -2 * M_PI * static_cast<double>(k) / L);

    WelchSpectrum spectrum;
    spectrum.binHz = rateHz / static_cast<double>(L);
    spectrum.density.assign(L / 2 + 1, 0.0);
    std::vector<Complex> segment(L);
    int segments = 0;
    for (std::size_t start = 0; start + L <= series.size(); start += L / 2, ++segments) {
        double mean = 0;
        for (std::size_t k = 0; k < L; ++k) mean += series[start + k];
        mean /= L;
        for (std::size_t k = 0; k < L; ++k) segment[k] = (series[start + k] - mean) * window[k];
        fft(segment, twiddles);
        for (std::size_t k = 0; k <= L / 2; ++k) spectrum.density[k] += std::norm(segment[k]);
    }
    const double scale = 1 / (rateHz * windowPower * segments);
    for (std::size_t k = 0; k <= L / 2; ++k) {
        const bool oneSided = k != 0 && k != L / 2;  // 0 and R/2 have no mirror bin
        spectrum.density[k] *= scale * (oneSided ? 2 : 1);
    }
    return spectrum;
}

SpectrumMeasures spectrumMeasures(const WelchSpectrum& spectrum) {
    SpectrumMeasures m;
    if (spectrum.density.empty()) return m;
    // A hair of slack so that a bin exactly on a band edge counts despite rounding.
    const double slack = 1e-9 * spectrum.binHz;
    std::vector<std::pair<double, double>> band;  // frequency, density
    for (std::size_t k = 0; k < spectrum.density.size(); ++k) {
        const double f = static_cast<double>(k) * spectrum.binHz;
        if (f >= kBandLowHz - slack && f <= kBandHighHz + slack)
            band.emplace_back(f, spectrum.density[k]);
    }
    double mu0 = 0, mu1 = 0, mu2 = 0;
    for (const auto& [f, p] : band) {
        mu0 += p;
        mu1 += f * p;
        mu2 += f * f * p;
    }
    m.power = mu0 * spectrum.binHz;
    if (!(mu0 > 0)) return m;
    double running = 0;
    for (const auto& [f, p] : band) {
        running += p;
        if (!m.f50 && running >= 0.5 * mu0) m.f50 = f;
        if (!m.f95 && running >= 0.95 * mu0) m.f95 = f;
    }
    if (const Measure ratio = quotient(mu2, mu0)) m.centroid = std::sqrt(*ratio);
    if (const Measure ratio = quotient(mu1 * mu1, mu0 * mu2))
        m.dispersion = rootOfNonNegative(1 - *ratio);
    return m;
}

std::vector<NamedMeasure> spectrumEntries(const SpectrumMeasures& m) {
    return {{"power", "mm²", m.power},
            {"f50", "Hz", m.f50},
            {"f95", "Hz", m.f95},
            {"centroid", "Hz", m.centroid},
            {"dispersion", "", m.dispersion}};
}
