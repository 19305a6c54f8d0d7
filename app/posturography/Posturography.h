// Standard posturography of a recording: the established centre-of-pressure measures in the
// time domain, the 95 % prediction ellipse and the frequency-domain measures of both axes,
// beside the balance analysis' own figures. One call gives everything a table, a sway plot or
// a report page shows.
#pragma once

#include <optional>
#include <vector>

#include "AnalysisResults.h"
#include "PredictionEllipse.h"
#include "SwayRange.h"
#include "SwaySeries.h"
#include "SwayFrequencyDomain.h"
#include "TimeDomain.h"

// The low-pass cut-off unless the user chooses another; 0 means no filter.
constexpr double kDefaultLowpassHz = 10.0;

struct PosturographyResults {
    int samples = 0;       // N, the frames with pressure
    double rateHz = 0;     // R
    double lowpassHz = 0;  // the cut-off applied; 0 when the series was not filtered
    SwaySeries sway;       // the pre-processed series the measures come from
    TimeDomainMeasures time;
    PredictionEllipse ellipse95;
    SpectrumMeasures ap;
    SpectrumMeasures ml;
};

struct PosturographyOutcome {
    std::optional<PosturographyResults> results;
    // Why there is no result (empty when there is one).
    const char* reason = "";         // for the command line and logs
    const char* reasonChinese = "";  // for the program's pages
};

// The COP in mm of every frame with pressure, in frame order, from the balance analysis' COP
// series (x = ML, y = AP); frames without pressure are left out.
std::vector<SwayPoint> copSamplesWithPressure(const AnalysisResults& balance);

// The measures of cop sampled at recordedRate (0 or an unusable rate read as usableFrameRate
// does), low-pass filtered at lowpassHz when 0 < lowpassHz < R/2, then each axis with its mean
// removed. Fewer than 2·R samples give no result: the recording is too short.
PosturographyOutcome analyzePosturography(const std::vector<SwayPoint>& cop, double recordedRate,
                                          double lowpassHz = kDefaultLowpassHz);
