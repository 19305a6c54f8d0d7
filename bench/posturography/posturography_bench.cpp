// The whole battery of standard posturographic measures (filter, time domain, prediction
// ellipse, both spectra) for 30 s and 90 s at 200 Hz: 6000 and 18000 samples. Targets: under
// 20 ms and under 60 ms.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "Posturography.h"

namespace {

constexpr double kRate = 200;

// Slow sway on both axes with a little noise, around a stance centre, in mm.
std::vector<SwayPoint> swayPath(int samples) {
    std::mt19937 random(5);
    std::normal_distribution<double> noise(0, 0.2);
    std::vector<SwayPoint> path(static_cast<std::size_t>(samples));
    for (int n = 0; n < samples; ++n) {
        const double t = n / kRate;
        path[n] = {175 + 3 * std::sin(2 * M_PI * 0.21 * t) + noise(random),
                   160 + 2 * std::sin(2 * M_PI * 0.33 * t + 1) + noise(random)};
    }
    return path;
}

void BM_PosturographyBattery(benchmark::State& state) {
    const std::vector<SwayPoint> path = swayPath(static_cast<int>(state.range(0)));
    PosturographyOutcome outcome;
    for (auto _ : state) {
        outcome = analyzePosturography(path, kRate);
        benchmark::DoNotOptimize(outcome);
    }
    state.counters["mvelo_mm_s"] = *outcome.results->time.mvelo;
    state.counters["ellipse95_mm2"] = *outcome.results->ellipse95.area;
}
BENCHMARK(BM_PosturographyBattery)->Arg(6000)->Arg(18000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
