// The live pipeline inside the running program: plate-sim streams N plates at 100 Hz into the
// main window's device panel. Counts the frames the acquisition session takes and the newest
// frames that reach the panel, samples the frames waiting in the library's queues and the
// resident memory once a second, and prints the CPU use. Once a second it also opens the
// first menu of the menu bar and times how long it takes until the menu is painted.
// Usage: bench_live_pipeline [--seconds S] (default 30) [--plates N] (default 4)
// [--interval MS] (shortest time between two pictures of a plate; default the program's).
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "AcquisitionSession.h"
#include "ColorScale.h"
#include "DeviceManagement.h"
#include "bench_options.h"
#include "forcePlateUILib.h"
#include "libPladex.h"
#include "process_usage.h"

namespace {

// Opens the first menu of a menu bar and measures the time until the menu is painted: how
// long a clinician waits for a menu while the plates stream.
class MenuProbe : public QObject {
public:
    explicit MenuProbe(QMenuBar* bar) : bar_(bar) {
        menu_ = bar->actions().isEmpty() ? nullptr : bar->actions().first()->menu();
        if (menu_) menu_->installEventFilter(this);
    }
    void open() {
        if (!menu_) return;
        menu_->hide();
        opened_.start();
        waiting_ = true;
        bar_->setActiveAction(menu_->menuAction());
    }
    void print() const {
        if (millis_.empty()) return std::printf("menu: never painted\n"), void();
        std::vector<double> sorted = millis_;
        std::sort(sorted.begin(), sorted.end());
        std::printf("menu opened %zu times: median %.1f ms, slowest %.1f ms\n", sorted.size(),
                    sorted[sorted.size() / 2], sorted.back());
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (waiting_ && event->type() == QEvent::Paint) {
            waiting_ = false;
            millis_.push_back(opened_.nsecsElapsed() / 1e6);
        }
        return false;
    }

private:
    QMenuBar* bar_;
    QMenu* menu_ = nullptr;
    QElapsedTimer opened_;
    bool waiting_ = false;
    std::vector<double> millis_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int seconds = static_cast<int>(secondsOption(argc, argv, 30));

    const ColorOfPressMap scale = loadProgramColorScale();
    forcePlateUILib window(scale);
    while (!window.views().deviceManagement) QCoreApplication::processEvents();
    DeviceManagement* panel = window.views().deviceManagement;
    int plates = 4;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--plates") plates = std::max(1, std::atoi(argv[i + 1]));
        if (std::string(argv[i]) == "--interval")
            panel->session()->setDisplayIntervalMs(std::atoi(argv[i + 1]));
    }

    long received = 0;
    QObject::connect(panel->session(), &AcquisitionSession::newestFrame, panel,
                     [&](QString, const ForcePlateFrame_TypeDef&, unsigned) { ++received; });
    const auto taken = [panel] {
        long sum = 0;
        for (const PlateStatus& plate : panel->session()->plates()) sum += plate.received;
        return sum;
    };

    QProcess sim;
    sim.start(
        QCoreApplication::applicationDirPath() + "/plate-sim",
        {"--plates", QString::number(plates), "--rate", "100", "--duration",
         QString::number(seconds + 2), "--port", QString::number(listenSettingsFromIni().port)});
    sim.waitForStarted();
    QTimer::singleShot(1000, panel, [panel] { panel->onPB_refreshDevice_clicked(); });

    std::printf("%d plates at 100 Hz into the running program for %d s\n", plates, seconds);
    std::printf("%6s %10s %10s %8s %9s\n", "second", "taken", "drawn", "queued", "RSS MiB");
    long maxBacklog = 0;
    double firstRss = 0, lastRss = 0;
    double cpuStart = 0;
    QElapsedTimer clock;
    int second = 0;
    MenuProbe menuProbe(window.menuBar());
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        ++second;
        if (second >= 2 && second < seconds) menuProbe.open();
        LibPladex_LibraryStats library{};
        LibPladex_getLibraryStats(&library);
        const long backlog = static_cast<long>(library.queuedFrames);
        maxBacklog = std::max(maxBacklog, backlog);
        lastRss = residentMiB();
        if (second == 2) {
            firstRss = lastRss;
            cpuStart = cpuSeconds();
            clock.start();
        }
        std::printf("%6d %10ld %10ld %8ld %9.1f\n", second, taken(), received, backlog, lastRss);
        std::fflush(stdout);
        if (second == seconds) {
            sampler.stop();
            app.quit();
        }
    });
    sampler.start(1000);
    app.exec();
    const double cpu = (cpuSeconds() - cpuStart) / (clock.elapsed() / 1000.0);
    sim.waitForFinished(5000);

    QCoreApplication::processEvents();
    std::printf("taken by the session %ld, newest frames drawn %ld, most frames queued %ld\n",
                taken(), received, maxBacklog);
    menuProbe.print();
    std::printf("resident memory %.1f MiB at 2 s, %.1f MiB at the end\n", firstRss, lastRss);
    std::printf("process CPU %.1f %% of one core (GUI, session, writer and receive threads)\n",
                100 * cpu);
    std::fflush(stdout);
    return received > 0 ? 0 : 1;
}
