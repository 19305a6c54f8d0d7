// The time-domain measures of a sway series (Prieto et al. 1996): distances, path lengths,
// speeds, ranges, frequencies, areas and fractal dimensions.
#pragma once

#include <vector>

#include "Measure.h"
#include "SwaySeries.h"

struct TimeDomainMeasures {
    Measure mdist, mdistAp, mdistMl;  // mean distance from the mean, mm
    Measure rdist, rdistAp, rdistMl;  // root mean square distance, mm
    Measure totex, totexAp, totexMl;  // path length, mm
    Measure mvelo, mveloAp, mveloMl;  // mean speed, mm/s
    Measure range, rangeAp, rangeMl;  // largest distance between two samples, mm
    Measure mfreq, mfreqAp, mfreqMl;  // mean frequency, Hz
    Measure areaCc, areaCe, areaSw;   // 95 % circle, 95 % ellipse (mm²), sway area (mm²/s)
    Measure fdPd, fdCc, fdCe;         // fractal dimensions by plain diameter, circle, ellipse
};

TimeDomainMeasures timeDomainMeasures(const SwaySeries& sway);

// Every measure with its JSON key and unit, in the order above.
std::vector<NamedMeasure> timeDomainEntries(const TimeDomainMeasures& m);
