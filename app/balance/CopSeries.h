// The COP series of a recording: trajectory, per-frame positions and speeds, path length and
// speed figures.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "AnalysisResults.h"
#include "FrameCop.h"
#include "PressureMatrix.h"

// Edge of one plate cell.
constexpr double kCellPitchMm = 7.0;

// The frame rate every data file of this system is written with; used in place of a rate the
// file cannot mean.
constexpr double kDefaultFrameRate = 200.0;

struct UsableFrameRate {
    double framesPerSecond = kDefaultFrameRate;
    std::string warning;  // empty unless the recorded rate was replaced
};

// No plate runs faster; a higher rate in a file is damage, not a measurement.
constexpr double kHighestFrameRate = 1000.0;

// The recorded rate when it is a positive number up to kHighestFrameRate; otherwise
// kDefaultFrameRate and a warning line for the user.
UsableFrameRate usableFrameRate(double recordedFrameRate);

// Runs the COP series over frames, recorded at recordedFrameRate frames per second (0 or above
// kHighestFrameRate is read as kDefaultFrameRate, see usableFrameRate). Replaces trajectory and the
// six maps of results and sets pathLength, maxSpeedX/Y and meanSpeedX/Y; the ellipse figures are
// left alone. Frame 0 gets the speed -1 in every speed map; a later frame gets speeds only when it
// and its predecessor both have pressure. The maximum and mean speeds are taken over the frames
// with a speed (both 0 when none has one). Returns the rate used (and its warning) for the
// charts.
UsableFrameRate computeCopSeries(const std::vector<PressureMatrix>& frames,
                                 double recordedFrameRate, AnalysisResults& results,
                                 CopTrajectory& trajectory);

struct CopSpeed {
    double x = 0;     // cm/s
    double y = 0;     // cm/s
    double path = 0;  // along the trajectory, cm/s
};

// The measured speed of a frame, or nothing for frame 0 (its -1 entries are placeholders) and
// for frames without a speed entry (no pressure in the frame or in its predecessor).
std::optional<CopSpeed> measuredSpeed(const AnalysisResults& results, int frame);
