// One balance analysis of a 30-second recording (6000 frames at 200 frames/s): COP series,
// confidence ellipse and trajectory rectangle.
#include <benchmark/benchmark.h>

#include <vector>

#include "ConfidenceEllipse.h"
#include "CopSeries.h"
#include "PladexGrid.h"
#include "TrajectoryRect.h"
#include "standing_subject.h"

namespace {

constexpr int kFrames = 6000;
constexpr double kFrameRate = 200;

// The program sees the plate's frame turned a quarter turn counter-clockwise.
PressureMatrix callerFrame(const plate::SourceFrame& source) {
    PressureMatrix frame;
    for (int i = 0; i < PressureMatrix::kRows; ++i) {
        for (int j = 0; j < PressureMatrix::kColumns; ++j) {
            frame.at(i, j) = source[pladex::plateIndexOfCallerCell(i, j)];
        }
    }
    return frame;
}

const std::vector<PressureMatrix>& standingRecording() {
    static const std::vector<PressureMatrix> frames = [] {
        std::vector<PressureMatrix> recording;
        recording.reserve(kFrames);
        for (int k = 0; k < kFrames; ++k) {
            recording.push_back(callerFrame(platesim::standingSubjectFrame(k / kFrameRate, 0)));
        }
        return recording;
    }();
    return frames;
}

void BM_BalanceAnalysis(benchmark::State& state) {
    const std::vector<PressureMatrix>& frames = standingRecording();
    AnalysisResults results;
    CopTrajectory trajectory;
    for (auto _ : state) {
        computeCopSeries(frames, kFrameRate, results, trajectory);
        const EllipseOutcome ellipse = computeConfidenceEllipse(results, nullptr);
        const TrajectoryRect fitted = fitTrajectoryRect(trajectory);
        benchmark::DoNotOptimize(ellipse);
        benchmark::DoNotOptimize(fitted);
    }
    state.counters["pathLength_mm"] = results.pathLength;
    state.counters["ellipseArea_mm2"] = results.ellipseArea;
}
BENCHMARK(BM_BalanceAnalysis)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
