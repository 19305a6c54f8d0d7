// Time to render one live frame: the device panel renders every fourth frame at 500 x 500.
#include <benchmark/benchmark.h>

#include "PressImage.h"
#include "foot_matrix.h"

namespace {

void BM_DrawPressImage(benchmark::State& state) {
    ColorOfPressMap map;
    loadColorOfPressMap(map, TESSALY_RESOURCES_DIR "/Config_Color.ini");
    const PressureMatrix matrix = footLikeMatrix();
    const int side = static_cast<int>(state.range(0));
    for (auto _ : state) {
        cv::Mat image = drawPressImage(map, matrix, QString(), side, side);
        benchmark::DoNotOptimize(image.data);
    }
}
BENCHMARK(BM_DrawPressImage)->Arg(500)->Unit(benchmark::kMicrosecond);

// Rendering and copying into the widget's red, green, blue buffer, as the live view does.
void BM_DrawAndCopyToWidgetPixels(benchmark::State& state) {
    ColorOfPressMap map;
    loadColorOfPressMap(map, TESSALY_RESOURCES_DIR "/Config_Color.ini");
    const PressureMatrix matrix = footLikeMatrix();
    std::vector<int> pixels;
    for (auto _ : state) {
        copyToRgbPixels(drawPressImage(map, matrix, QString(), 500, 500), pixels);
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK(BM_DrawAndCopyToWidgetPixels)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
