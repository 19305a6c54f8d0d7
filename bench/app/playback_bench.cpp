// Playback in the running program: a recording at 200 frames/s from plate-sim is opened
// through the data file browser and played at 1x (or --speed) on the balance tab until it
// ends. Prints the frames shown per second and how far each shown frame lagged behind the
// clock (its due time from the recording's rate), mean and maximum.
// Usage: bench_playback [--seconds S] [--speed X] (defaults 10 and 1).

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "ColorScale.h"
#include "ViewHelpers.h"
#include "bench_options.h"
#include "dataAnalysis.h"
#include "forcePlateDataFilesRecord.h"
#include "forcePlateUILib.h"
#include "sample_recording.h"
#include "timeLine.h"

namespace {

QString speedOption(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--speed") == 0) return QString(argv[i + 1]) + "x";
    return "1x";
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int seconds = static_cast<int>(secondsOption(argc, argv, 10));
    constexpr int kRate = 200;

    QTemporaryDir scratch;
    const QString path = scratch.filePath("bench_playback.raw");
    if (!writeSampleRecording(path, seconds, kRate)) return 1;

    const ColorOfPressMap scale = loadProgramColorScale();
    forcePlateUILib window(scale);
    window.resize(1600, 1000);
    window.show();
    while (!window.views().dataFiles) QCoreApplication::processEvents();
    waitProcessingEvents(200);
    const MainViews& views = window.views();
    views.dataFiles->loadDataFile(path);
    views.balance->findChild<QTabWidget*>("tabWidget")->setCurrentIndex(0);
    waitProcessingEvents(500);
    timeLine* bar = views.timeline;
    auto* speeds = bar->findChild<QComboBox*>("comboBoxSpeed");
    speeds->setCurrentText(speedOption(argc, argv));
    const double speed = bar->playbackSpeed();

    QElapsedTimer clock;
    std::vector<double> lagsMs;
    int firstFrame = 0;
    QObject::connect(views.balance, &dataAnalysis::frameShown, [&](int frame) {
        if (firstFrame == 0) firstFrame = frame;
        const double dueMs = (frame - firstFrame) * 1000.0 / (kRate * speed);
        lagsMs.push_back(clock.nsecsElapsed() / 1e6 - dueMs);
    });
    QEventLoop finished;
    QObject::connect(bar, &timeLine::playbackFinished, &finished, &QEventLoop::quit);
    QTimer::singleShot((seconds / speed + 30) * 1000, &finished, &QEventLoop::quit);
    clock.start();
    QMetaObject::invokeMethod(bar, "slotActionPlayOrStop");
    finished.exec();
    const double playedS = clock.nsecsElapsed() / 1e9;

    const int total = bar->totalFrames();
    const bool ended = bar->currentFrame() == total && !lagsMs.empty();
    double sum = 0, worst = 0;
    for (double lag : lagsMs) {
        sum += lag;
        worst = std::max(worst, lag);
    }
    std::printf("recording: %d frames (%d s at %d frames/s), played at %gx\n", total, seconds,
                kRate, speed);
    std::printf("played in %.3f s (real time: %.3f s)\n", playedS,
                (total - firstFrame) / (kRate * speed));
    std::printf("frames shown: %zu (%.0f per second), skipped: %d\n", lagsMs.size(),
                lagsMs.size() / playedS, total - firstFrame + 1 - static_cast<int>(lagsMs.size()));
    std::printf("lag behind the clock: mean %.2f ms, max %.2f ms\n",
                lagsMs.empty() ? 0.0 : sum / lagsMs.size(), worst);
    std::fflush(stdout);
    return ended ? 0 : 1;
}
