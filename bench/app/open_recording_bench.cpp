// Opening a recording in the running program: a 30 s recording at 200 frames/s (6000 frames)
// from plate-sim is opened through the data file browser until both analysis views show their
// figures; then, after a second more of the event loop, the bytes the process wrote and what
// lies in the recording's cache folder are measured.
// Usage: bench_open_recording [--seconds S] (default 30).

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

#include "ColorScale.h"
#include "ViewHelpers.h"
#include "bench_options.h"
#include "dataAnalysis.h"
#include "forcePlateDataFilesRecord.h"
#include "forcePlateUILib.h"
#include "sample_recording.h"

namespace {

struct FolderSize {
    int files = 0;
    qint64 bytes = 0;
};

FolderSize measure(const QString& folder) {
    FolderSize size;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        size.bytes += QFileInfo(it.next()).size();
        ++size.files;
    }
    return size;
}

// Bytes the process has handed to write calls so far ("wchar" of /proc/self/io): files,
// pipes and the terminal alike, so an upper bound of what went to disk.
qint64 bytesWritten() {
    QFile io("/proc/self/io");
    if (!io.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : io.readAll().split('\n'))
        if (line.startsWith("wchar:")) return line.mid(6).trimmed().toLongLong();
    return -1;
}

constexpr double kMiB = 1024.0 * 1024.0;
constexpr qint64 kTargetBytes = 5 * 1024 * 1024;

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int seconds = static_cast<int>(secondsOption(argc, argv, 30));
    const int frames = seconds * 200;

    QTemporaryDir scratch;
    const QString path = scratch.filePath("bench_open.raw");
    if (!writeSampleRecording(path, seconds, 200)) return 1;

    const ColorOfPressMap scale = loadProgramColorScale();
    forcePlateUILib window(scale);
    while (!window.views().dataFiles) QCoreApplication::processEvents();
    waitProcessingEvents(200);

    const qint64 writtenBefore = bytesWritten();
    QElapsedTimer clock;
    clock.start();
    window.views().dataFiles->loadDataFile(path);
    const double openMs = clock.nsecsElapsed() / 1e6;
    waitProcessingEvents(1000);  // anything the views leave for later
    const qint64 written = bytesWritten() - writtenBefore;
    const QString cache = QString::fromStdString(window.views().dataFiles->cacheFolder());
    const FolderSize size = measure(cache);
    const bool opened = window.views().balance->frameCount() == frames;

    std::printf("recording: %d frames (%d s at 200 frames/s)\n", frames, seconds);
    std::printf("open until both views show their figures: %.0f ms\n", openMs);
    std::printf("written per opened recording: %.2f MiB (target under %.0f MiB: %s)\n",
                written / kMiB, kTargetBytes / kMiB, written < kTargetBytes ? "met" : "missed");
    std::printf("cache folder: %d file(s), %.1f KiB\n", size.files, size.bytes / 1024.0);
    std::fflush(stdout);
    QDir(cache).removeRecursively();
    return opened && written >= 0 ? 0 : 1;
}
