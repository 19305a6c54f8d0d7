// The acquisition session recording N plates at 100 Hz from plate-sim, optionally with two busy
// processes loading both cores: frames sent and recorded per plate, frames missed, the
// process's CPU share, the most frames waiting in the library's queues and the resident memory.
// Usage: bench_session_record [--seconds S] (default 60) [--plates N] (default 4) [--load]
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "AcquisitionSession.h"
#include "bench_options.h"
#include "loopback.h"
#include "process_usage.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const double seconds = secondsOption(argc, argv, 60);
    int plates = 4;
    bool load = false;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--plates" && i + 1 < argc)
            plates = std::max(1, std::atoi(argv[i + 1]));
        if (std::string(argv[i]) == "--load") load = true;
    }

    std::vector<std::unique_ptr<QProcess>> busy;
    for (int i = 0; load && i < 2; ++i) {
        busy.push_back(std::make_unique<QProcess>());
        busy.back()->start("sh", {"-c", "while :; do :; done"});
        busy.back()->waitForStarted();
    }

    const int port = testing_support::freeUdpPort();
    AcquisitionSession session(ListenSettings{"127.0.0.1", port});
    if (!session.start().isEmpty()) return 1;
    QTemporaryDir dir;
    RecordingRequest request;
    request.path = dir.filePath("bench.raw");
    if (!session.startRecording(request).ok()) return 1;

    QProcess sim;
    sim.start(QCoreApplication::applicationDirPath() + "/plate-sim",
              {"--port", QString::number(port), "--plates", QString::number(plates), "--rate",
               "100", "--duration", QString::number(seconds), "--json"});
    sim.waitForStarted();

    std::printf("%d plates at 100 Hz into the session for %.0f s%s\n", plates, seconds,
                load ? ", both cores loaded" : "");
    std::uint64_t mostQueued = 0;
    double firstRss = 0, lastRss = 0;
    const double cpuStart = cpuSeconds();
    QElapsedTimer clock;
    clock.start();
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        LibPladex_LibraryStats library{};
        LibPladex_getLibraryStats(&library);
        mostQueued = std::max(mostQueued, library.queuedFrames);
        lastRss = residentMiB();
        if (firstRss == 0) firstRss = lastRss;
    });
    sampler.start(200);
    QObject::connect(&sim, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), &app,
                     [&] { QTimer::singleShot(500, &app, &QCoreApplication::quit); });
    app.exec();
    const double cpu = (cpuSeconds() - cpuStart) / (clock.elapsed() / 1000.0);
    std::vector<PlateRecordingSummary> files;
    session.stopRecording(&files);
    for (auto& child : busy) {
        child->kill();
        child->waitForFinished(3000);
    }

    QMap<QString, qint64> sent;
    for (const QByteArray& line : sim.readAllStandardOutput().split('\n')) {
        const QJsonObject plate = QJsonDocument::fromJson(line).object();
        if (plate.contains("serial"))
            sent.insert(plate.value("serial").toString(), plate.value("complete").toInt());
    }
    qint64 allSent = 0, allRecorded = 0, allMissed = 0;
    for (const PlateRecordingSummary& file : files) {
        allSent += sent.value(file.serial);
        allRecorded += file.frames;
        allMissed += file.missed;
    }
    std::printf(
        "files %zu, frames sent %lld, recorded %lld, not recorded %lld (%.3f %%), "
        "missed by frame numbers %lld\n",
        files.size(), static_cast<long long>(allSent), static_cast<long long>(allRecorded),
        static_cast<long long>(allSent - allRecorded),
        allSent ? 100.0 * (allSent - allRecorded) / allSent : 0.0,
        static_cast<long long>(allMissed));
    std::printf("process CPU %.1f %% of one core (session, writers and receive thread)\n",
                100 * cpu);
    std::printf(
        "most frames queued in the library %llu; resident memory %.1f MiB at start, "
        "%.1f MiB at the end\n",
        static_cast<unsigned long long>(mostQueued), firstRss, lastRss);
    return allRecorded > 0 ? 0 : 1;
}
