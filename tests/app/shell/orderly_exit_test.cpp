// Quitting from the menu while a recording runs: the program (run as a process of its own,
// through the same runTessaly as main) returns 0, the recording file is whole with its side
// file, and no acquisition thread is left when runTessaly returns.
//
// Without arguments this is the test: it starts plate-sim and itself with --drive-program in a
// temporary working folder (where the recording lands). With --drive-program it is the
// program: it finds the plate, records, quits from the menu and prints what it saw.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <cstdio>
#include <functional>

#include "AppConstants.h"
#include "DeviceManagement.h"
#include "RecordingReader.h"
#include "Startup.h"
#include "forcePlateUILib.h"
#include "test_folders.h"
#include "timeLine.h"

namespace {

const QStringList kWorkers{"pladex-receive", "plate-reader", "plate-writer"};  // sorted

// The acquisition threads of this process still running, by the names they give themselves.
QStringList runningWorkers() {
    QStringList found;
    for (const QString& task :
         QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(QString("/proc/self/task/%1/comm").arg(task));
        if (!comm.open(QIODevice::ReadOnly)) continue;
        const QString name = QString::fromLatin1(comm.readAll()).trimmed();
        if (kWorkers.contains(name) && !found.contains(name)) found << name;
    }
    found.sort();
    return found;
}

bool waitFor(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

int driveProgram(char* argv[]) {
    int programArguments = 1;  // no recordings to open
    QApplication application(programArguments, argv);
    bool driven = false;
    const int status = runTessaly(application, [&](forcePlateUILib& window) {
        DeviceManagement* panel = nullptr;
        if (!waitFor([&] { return (panel = window.findChild<DeviceManagement*>()) != nullptr; },
                     10000))
            return (void)std::printf("no device panel\n");
        auto* refresh = panel->findChild<QPushButton*>("pushButtonNewDevice");
        if (!waitFor([&] { return refresh->click(), !panel->knownDevices().isEmpty(); }, 10000))
            return (void)std::printf("no plate found\n");
        window.findChild<timeLine*>()->findChild<QToolButton*>("_recordBtn_2")->click();
        if (!waitFor([&] { return panel->recordedSeconds() > 1.0; }, 10000))
            return (void)std::printf("nothing recorded\n");
        std::printf("workers while recording: %s\n", qPrintable(runningWorkers().join(' ')));
        driven = true;
        // From the event loop: a quit before it runs would be lost.
        QTimer::singleShot(0, &window,
                           [&window] { window.findChild<QAction*>("action_Exit")->trigger(); });
    });
    if (!driven) return 3;
    std::printf("workers after the end: %s\n", qPrintable(runningWorkers().join(' ')));
    return status;
}

int check(bool ok, const char* what) {
    std::printf("%s %s\n", ok ? "ok  " : "FAIL", what);
    return ok ? 0 : 1;
}

int runTest(const QString& self) {
    QTemporaryDir work;
    QProcess sim;
    sim.start(PLATE_SIM, {"--rate", "100", "--port", QString::number(testPlatePort())});
    if (!sim.waitForStarted()) return check(false, "plate-sim starts");
    QProcess program;
    program.setWorkingDirectory(work.path());
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(self, {"--drive-program"});
    const bool ended = program.waitForFinished(60000);
    sim.terminate();
    sim.waitForFinished(3000);
    const QString said = QString::fromUtf8(program.readAllStandardOutput());
    std::printf("%s", qPrintable(said));
    if (!ended) {
        program.kill();
        program.waitForFinished(3000);
    }
    int failures = check(ended, "the program ends after 退出");
    failures += check(program.exitStatus() == QProcess::NormalExit && program.exitCode() == 0,
                      "exit status 0");
    failures += check(said.contains("workers while recording: " + kWorkers.join(' ') + "\n"),
                      "every acquisition thread ran while recording");
    failures += check(said.contains("workers after the end: \n"), "every thread joined");

    const QDir data(app::dataDirectory());
    const QStringList files = data.entryList({"*.raw"}, QDir::Files);
    failures += check(files.size() == 1, "one recording");
    if (files.size() != 1) return failures;
    const QString path = data.filePath(files[0]);
    const RecordingContents contents = readRecording(path);
    failures += check(contents.ok(), "the recording reads");
    failures += check(contents.trailingBytes == 0, "whole frames only");
    failures += check(contents.frames.size() >= 100, "more than a second of frames");
    QFile side(path + ".json");
    const QJsonObject counts = side.open(QIODevice::ReadOnly)
                                   ? QJsonDocument::fromJson(side.readAll()).object()
                                   : QJsonObject();
    failures += check(counts.value("frames").toInt() == int(contents.frames.size()),
                      "the side file counts every stored frame");
    return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc > 1 && QString(argv[1]) == "--drive-program") return driveProgram(argv);
    QCoreApplication application(argc, argv);
    return runTest(QCoreApplication::applicationFilePath());
}
