#include "CopSeries.h"

#include <cmath>
#include <cstdio>

#include "VXMATHIN.h"

namespace {

constexpr double kCentimetresPerMm = 0.1;

double toCentimetres(double cells) { return cells * kCellPitchMm * kCentimetresPerMm; }

// Frames arrive in ascending order: inserting at the end skips the tree search.
template <typename T>
void append(QMap<int, T>& map, int frame, const T& value) {
    map.insert(map.constEnd(), frame, value);
}

// Speed along one axis. The difference is rounded to a 32-bit float first, which keeps the
// figures identical to those of data reports already issued.
double axisSpeed(double current, double previous, double frameRate) {
    return static_cast<double>(std::fabs(static_cast<float>(current - previous))) * frameRate;
}

// Largest value and mean of the measured speeds in a speed map: frame 0's -1 is a placeholder,
// not a speed. Both 0 when no frame has a speed.
void maxAndMean(const QMap<int, double>& speeds, double& max, double& mean) {
    max = 0;
    mean = 0;
    int measured = 0;
    for (auto it = speeds.constBegin(); it != speeds.constEnd(); ++it) {
        if (it.key() == 0) continue;
        if (measured == 0 || it.value() > max) max = it.value();
        mean += it.value();
        ++measured;
    }
    if (measured > 0) mean /= measured;
}

}  // namespace

UsableFrameRate usableFrameRate(double recordedFrameRate) {
    if (std::isfinite(recordedFrameRate) && recordedFrameRate > 0 &&
        recordedFrameRate <= kHighestFrameRate)
        return {recordedFrameRate, {}};
    char warning[160];
    std::snprintf(warning, sizeof warning,
                  "frame rate %g in the recording is unusable; using %g frames per second",
                  recordedFrameRate, kDefaultFrameRate);
    return {kDefaultFrameRate, warning};
}

UsableFrameRate computeCopSeries(const std::vector<PressureMatrix>& frames,
                                 double recordedFrameRate, AnalysisResults& results,
                                 CopTrajectory& trajectory) {
    const UsableFrameRate rate = usableFrameRate(recordedFrameRate);
    const double R = rate.framesPerSecond;
    VX::VXMATHIN math;

    trajectory.clear();
    trajectory.reserve(frames.size());
    results.copSpeedX.clear();
    results.copSpeedY.clear();
    results.copSpeedXY.clear();
    results.copSpeedPath.clear();
    results.copMillimetres.clear();
    results.copCells.clear();

    double pathCells = 0;
    for (int i = 0; i < static_cast<int>(frames.size()); ++i) {
        const CopPoint cop = frameCop(frames[i]);
        if (i == 0) {
            append(results.copSpeedX, 0, -1.0);
            append(results.copSpeedY, 0, -1.0);
            append(results.copSpeedPath, 0, -1.0);
            append(results.copSpeedXY, 0, qMakePair(-1.0, -1.0));
        } else {
            const CopPoint previous = trajectory.back();
            const VXDEF::Point2D now{toCentimetres(cop.x), toCentimetres(cop.y)};
            const VXDEF::Point2D before{toCentimetres(previous.x), toCentimetres(previous.y)};
            if ((now.x > 0 || now.y > 0) && (before.x > 0 || before.y > 0)) {
                pathCells += math.eucDistancePoint22({cop.x, cop.y}, {previous.x, previous.y});
                append(results.copSpeedPath, i, math.eucDistancePoint22(now, before) * R);
                const double vx = axisSpeed(now.x, before.x, R);
                const double vy = axisSpeed(now.y, before.y, R);
                append(results.copSpeedX, i, vx);
                append(results.copSpeedY, i, vy);
                append(results.copSpeedXY, i, qMakePair(vx, vy));
            }
        }
        append(results.copCells, i, qMakePair(cop.x, cop.y));
        append(results.copMillimetres, i, qMakePair(cop.x * kCellPitchMm, cop.y * kCellPitchMm));
        trajectory.push_back(cop);
    }

    results.pathLength = pathCells * kCellPitchMm;
    maxAndMean(results.copSpeedX, results.maxSpeedX, results.meanSpeedX);
    maxAndMean(results.copSpeedY, results.maxSpeedY, results.meanSpeedY);
    return rate;
}

std::optional<CopSpeed> measuredSpeed(const AnalysisResults& results, int frame) {
    if (frame <= 0) return std::nullopt;
    const auto xy = results.copSpeedXY.constFind(frame);
    const auto path = results.copSpeedPath.constFind(frame);
    if (xy == results.copSpeedXY.constEnd() || path == results.copSpeedPath.constEnd()) {
        return std::nullopt;
    }
    return CopSpeed{xy->first, xy->second, *path};
}
