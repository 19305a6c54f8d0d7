// Opening and exporting a 30 s recording at 200 Hz (6000 frames) of an emulated subject:
// reading with cleaning (target under 150 ms) and the CSV export (target under 1.5 s).
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <cstdio>

#include "CsvExport.h"
#include "RecordingLoader.h"
#include "raw_recording.h"

namespace {

struct Recording {
    QTemporaryDir dir;
    QString path = dir.filePath("thirty_seconds.raw");

    Recording() {
        platesim::SimOptions options;
        options.writeRawPath = path.toStdString();
        options.recordSeconds = 30.0;
        options.rate = 200;
        const std::string failure = platesim::writeRawRecording(options);
        if (!failure.empty()) std::fprintf(stderr, "%s\n", failure.c_str());
    }
};

const Recording& recording() {
    static const Recording r;
    return r;
}

void BM_LoadAndClean6000Frames(benchmark::State& state) {
    const QString path = recording().path;
    for (auto _ : state) {
        RecordingLoad load = loadRecording(path);
        if (load.status != RecordingLoad::Status::Loaded || load.recording->frameCount != 6000)
            state.SkipWithError("the recording did not load");
        benchmark::DoNotOptimize(load.recording);
    }
}
BENCHMARK(BM_LoadAndClean6000Frames)->Unit(benchmark::kMillisecond);

void BM_ExportCsv6000Frames(benchmark::State& state) {
    const QString path = recording().path;
    const QString out = recording().dir.filePath("out.csv");
    for (auto _ : state) {
        const CsvExportResult result = exportRecordingToCsv(path, out);
        if (result.status != CsvExportResult::Status::Exported || result.frames != 6000)
            state.SkipWithError("the export failed");
    }
}
BENCHMARK(BM_ExportCsv6000Frames)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
