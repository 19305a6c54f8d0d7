// Static analysis of a standing recording: grids, feet, zones and figures, without images.
#include <benchmark/benchmark.h>

#include "StaticAnalysis.h"
#include "standing_frames.h"

namespace {

// 6000 frames: a minute at 100 frames per second.
void BM_AnalyzeStatic(benchmark::State& state) {
    const auto frames = standingRecording(static_cast<int>(state.range(0)), 100.0);
    for (auto _ : state) {
        const StaticAnalysis analysis = analyzeStatic(frames);
        benchmark::DoNotOptimize(analysis.feet[kLeftFoot].total);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_AnalyzeStatic)->Arg(6000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
