#include "Posturography.h"

#include "CopSeries.h"
#include "FrameCop.h"
#include "LowpassFilter.h"

namespace {

// The axis with its mean removed, filtered first when filter is given. The first sample is
// taken off before filtering (the filter passes a constant unchanged), so that a still axis
// is exactly 0 and its measures are exact, not rounding noise.
std::vector<double> preprocess(std::vector<double> axis, const BiquadCoefficients* filter) {
    const double first = axis.front();
    for (double& x : axis) x -= first;
    if (filter) axis = zeroPhaseFilter(*filter, axis);
    double mean = 0;
    for (double x : axis) mean += x;
    mean /= static_cast<double>(axis.size());
    for (double& x : axis) x -= mean;
    return axis;
}

}  // namespace

std::vector<SwayPoint> copSamplesWithPressure(const AnalysisResults& balance) {
    std::vector<SwayPoint> samples;
    samples.reserve(static_cast<std::size_t>(balance.copMillimetres.size()));
    for (const QPair<double, double>& mm : balance.copMillimetres)
        if (hasPressure({mm.first, mm.second})) samples.push_back({mm.first, mm.second});
    return samples;
}

PosturographyOutcome analyzePosturography(const std::vector<SwayPoint>& cop, double recordedRate,
                                          double lowpassHz) {
    const double rate = usableFrameRate(recordedRate).framesPerSecond;
    PosturographyOutcome outcome;
    if (cop.empty() || static_cast<double>(cop.size()) < 2 * rate) {
        outcome.reason = "recording too short";
        outcome.reasonChinese = "记录太短";
        return outcome;
    }
    PosturographyResults r;
    r.samples = static_cast<int>(cop.size());
    r.rateHz = rate;
    std::optional<BiquadCoefficients> filter;
    if (lowpassApplies(lowpassHz, rate)) {
        r.lowpassHz = lowpassHz;
        filter = butterworthLowpass(lowpassHz, rate);
    }
    std::vector<double> ap, ml;
    ap.reserve(cop.size());
    ml.reserve(cop.size());
    for (const SwayPoint& p : cop) {
        ap.push_back(p.ap);
        ml.push_back(p.ml);
    }
    const BiquadCoefficients* applied = filter ? &*filter : nullptr;
    r.sway = {preprocess(std::move(ap), applied), preprocess(std::move(ml), applied), rate};
    r.time = timeDomainMeasures(r.sway);
    r.ellipse95 = predictionEllipse(r.sway);
    r.ap = spectrumMeasures(welchSpectrum(r.sway.ap, rate));
    r.ml = spectrumMeasures(welchSpectrum(r.sway.ml, rate));
    outcome.results = std::move(r);
    return outcome;
}
