// Publishing a data report in the running program: a recording from plate-sim (30 s at
// 100 frames/s by default) is opened, then the balance view's "生成数据报告" button is clicked
// several times; each time is measured from the click until the new PDF is shown in the
// viewer, and reported with and without the fixed waits of the sequence (tab switches and
// repaints). Prints the PDF's size. Works in a temporary folder.
// Usage: bench_publish_report [--seconds S] [--repeat N]
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "ColorScale.h"
#include "DataRepots.h"
#include "ReportPublisher.h"
#include "Startup.h"
#include "ViewHelpers.h"
#include "bench_options.h"
#include "dataAnalysis.h"
#include "forcePlateDataFilesRecord.h"
#include "forcePlateUILib.h"
#include "sample_recording.h"

namespace {

int repeatOption(int argc, char** argv, int fallback) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--repeat") == 0) return std::max(1, std::atoi(argv[i + 1]));
    return fallback;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int seconds = static_cast<int>(secondsOption(argc, argv, 30));
    const int repeat = repeatOption(argc, argv, 5);
    installFontSubstitutions();

    QTemporaryDir work;
    const QString recording = work.filePath("bench_publish.raw");
    if (!writeSampleRecording(recording, seconds, 100)) return 1;
    // Reports, screenshots and the subject database land in the data folder, which the suite
    // makes a temporary one.

    const ColorOfPressMap scale = loadProgramColorScale();
    forcePlateUILib window(scale);
    window.resize(1600, 1000);
    window.show();
    while (!window.views().dataFiles) QCoreApplication::processEvents();
    window.views().dataFiles->loadDataFile(recording);
    waitProcessingEvents(500);

    auto* button = window.views().balance->findChild<QPushButton*>("pushButtonPublishReports");
    QString pdf;
    QObject::connect(window.views().reportViewer, &DataRepots::reportComposed,
                     [&pdf](const QString& path) { pdf = path; });
    std::vector<double> totalsMs;
    for (int i = 0; i < repeat; ++i) {
        pdf.clear();
        QElapsedTimer clock;
        clock.start();
        button->click();  // returns once the new report is shown
        totalsMs.push_back(clock.nsecsElapsed() / 1e6);
        if (pdf.isEmpty()) {
            std::fprintf(stderr, "bench_publish_report: no report was written\n");
            ::_exit(1);
        }
    }
    std::sort(totalsMs.begin(), totalsMs.end());
    const double fixedWaitsMs = publishingFixedWaitsMs();
    const double median = totalsMs[totalsMs.size() / 2];
    const qint64 bytes = QFileInfo(pdf).size();

    std::printf("recording: %d s at 100 frames/s; %d publishings\n", seconds, repeat);
    std::printf("click to PDF shown: median %.0f ms (min %.0f, max %.0f)\n", median,
                totalsMs.front(), totalsMs.back());
    std::printf("without the fixed waits of %.0f ms: median %.0f ms (target < 1500 ms)\n",
                fixedWaitsMs, median - fixedWaitsMs);
    std::printf("PDF: %.2f MiB, %d pages (target < 2 MB)\n", bytes / (1024.0 * 1024.0),
                window.views().reportViewer->shownPageCount());
    std::fflush(stdout);
    ::_exit(0);  // the acquisition thread ends with the process
}
