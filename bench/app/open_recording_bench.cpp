// Opening a recording in the running program: a 30 s recording at 200 frames/s (6000 frames)
// from plate-sim is opened through the data file browser until both analysis views show their
// figures; then the background thumbnails are waited for, timed and measured on disk.
// Usage: bench_open_recording [--seconds S] (default 30).
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

#include "ColorScale.h"
#include "GlobalState.h"
#include "ViewHelpers.h"
#include "bench_options.h"
#include "forcePlateDataFilesRecord.h"
#include "forcePlateUILib.h"
#include "sample_recording.h"

namespace {

struct FolderSize {
    int thumbnails = 0;
    qint64 bytes = 0;
};

FolderSize measure(const QString& folder) {
    FolderSize size;
    QDirIterator it(folder, {"[0-9]*.jpg"}, QDir::Files);  // not the analysis images
    while (it.hasNext()) {
        size.bytes += QFileInfo(it.next()).size();
        ++size.thumbnails;
    }
    return size;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int seconds = static_cast<int>(secondsOption(argc, argv, 30));
    const int frames = seconds * 200;

    QTemporaryDir scratch;
    const QString path = scratch.filePath("bench_open.raw");
    if (!writeSampleRecording(path, seconds, 200)) return 1;

    loadColorOfPressMap(globalState());
    forcePlateUILib window;
    while (!globalState().dataFilesView) QCoreApplication::processEvents();
    waitProcessingEvents(200);

    QElapsedTimer clock;
    clock.start();
    globalState().dataFilesView->loadDataFile(path);
    const double openMs = clock.nsecsElapsed() / 1e6;
    const QString cache = QString::fromStdString(globalState().dataFilesView->cacheFolder());

    // Thumbnails 2..N come from the balance view's worker in the background.
    FolderSize size;
    while ((size = measure(cache)).thumbnails < frames && clock.elapsed() < 600000)
        waitProcessingEvents(100);
    const double thumbnailsS = clock.nsecsElapsed() / 1e9;

    std::printf("recording: %d frames (%d s at 200 frames/s)\n", frames, seconds);
    std::printf("open until both views show their figures: %.0f ms\n", openMs);
    std::printf(
        "thumbnails: %d written in %.1f s after opening, %.1f MiB on disk (%.1f KiB each)\n",
        size.thumbnails, thumbnailsS, size.bytes / (1024.0 * 1024.0),
        size.thumbnails ? size.bytes / 1024.0 / size.thumbnails : 0.0);
    std::fflush(stdout);
    QDir(cache).removeRecursively();
    ::_exit(size.thumbnails == frames ? 0 : 1);  // live worker and acquisition threads
}
