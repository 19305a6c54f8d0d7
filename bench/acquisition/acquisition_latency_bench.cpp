// The acquisition thread with one plate at 100 Hz over loopback: its CPU share and the latency
// from the frame's last packet leaving the sender to the frame's emission, with the pause
// between passes (as shipped) and without it (a busy loop), so the added latency shows.
// Usage: bench_acquisition_latency [--seconds S]
#include <pthread.h>
#include <time.h>

#include <QCoreApplication>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "bench_options.h"
#include "forcePlateWriteReadThread.h"
#include "loopback.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::uint32_t kPlate = 0x00BE4C3E;
constexpr int kFrameInterval = 10;  // ms, 100 Hz

double threadCpuSeconds(pthread_t thread) {
    clockid_t id;
    timespec t{};
    if (pthread_getcpuclockid(thread, &id) != 0 || clock_gettime(id, &t) != 0) return 0;
    return t.tv_sec + t.tv_nsec * 1e-9;
}

struct Run {
    double cpuShare = 0, meanUs = 0, p99Us = 0, maxUs = 0;
    std::size_t frames = 0, sent = 0;
};

// One sender for every run, as a plate has one socket: the library binds a plate to its sender.
Run measure(const testing_support::LoopbackSender& sender, std::chrono::microseconds pause,
            double seconds) {
    std::vector<Clock::time_point> sentAt(100000);
    std::vector<double> latenciesUs;
    std::mutex latenciesMutex;
    std::atomic<bool> haveThread{false};
    pthread_t acquisition{};

    forcePlateWriteReadThread thread;
    thread.setPassPause(pause);
    // A direct connection runs in the acquisition thread at the moment of emission.
    QObject::connect(
        &thread, &forcePlateWriteReadThread::sigNewForcePlateFrame, &thread,
        [&](const QString&, const ForcePlateFrame_TypeDef& frame, unsigned) {
            const auto now = Clock::now();
            if (!haveThread.exchange(true)) acquisition = pthread_self();
            const auto n = static_cast<std::size_t>(frame.cells[0].value);
            std::lock_guard<std::mutex> lock(latenciesMutex);
            latenciesUs.push_back(
                std::chrono::duration<double, std::micro>(now - sentAt[n]).count());
        },
        Qt::DirectConnection);
    char serial[16];
    std::snprintf(serial, sizeof serial, "%08X", kPlate);
    thread.appendDevice(serial, 8);
    thread.setRunning(true);
    thread.start();

    plate::SourceFrame frame{};
    const std::size_t frames = static_cast<std::size_t>(seconds * 1000 / kFrameInterval);
    // The frame number rides in the plate's cell (0, 49), which the program sees at position 0.
    auto start = Clock::now();
    double cpuAtStart = -1;
    for (std::size_t n = 1; n <= frames; ++n) {
        std::this_thread::sleep_until(start + std::chrono::milliseconds(kFrameInterval * n));
        if (cpuAtStart < 0 && haveThread) {
            cpuAtStart = threadCpuSeconds(acquisition);
            start = Clock::now() - std::chrono::milliseconds(kFrameInterval * n);
        }
        frame[49] = static_cast<std::uint16_t>(n);
        for (std::uint8_t i = 0; i < 4; ++i) {
            const plate::Datagram d = plate::encodeDataDatagram(i, kPlate, n, frame);
            if (i == 3) sentAt[n] = Clock::now();
            sender.send(d);
        }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    Run run;
    run.cpuShare = (threadCpuSeconds(acquisition) - std::max(cpuAtStart, 0.0)) / wall;
    thread.setRunning(false);
    thread.wait();

    std::sort(latenciesUs.begin(), latenciesUs.end());
    run.frames = latenciesUs.size();
    run.sent = frames;
    if (!latenciesUs.empty()) {
        double sum = 0;
        for (double l : latenciesUs) sum += l;
        run.meanUs = sum / latenciesUs.size();
        run.p99Us = latenciesUs[latenciesUs.size() * 99 / 100];
        run.maxUs = latenciesUs.back();
    }
    return run;
}

void print(const char* name, const Run& r) {
    std::printf(
        "%-28s cpu %5.2f %% of a core   latency mean %7.1f us  p99 %7.1f us  max %8.1f us"
        "   frames %zu/%zu\n",
        name, 100 * r.cpuShare, r.meanUs, r.p99Us, r.maxUs, r.frames, r.sent);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const double seconds = secondsOption(argc, argv, 10);
    const int port = testing_support::freeUdpPort();
    if (LibPladex_ListenUDPPort(port) != 0) return 1;

    std::printf("one plate at 100 Hz for %.0f s over loopback\n", seconds);
    const testing_support::LoopbackSender sender(port);
    const Run busy = measure(sender, std::chrono::microseconds(0), seconds);
    print("busy loop (no pause)", busy);
    const Run paused = measure(sender, std::chrono::microseconds(500), seconds);
    print("500 us pause (shipped)", paused);
    std::printf("added mean latency: %.1f us\n", paused.meanUs - busy.meanUs);
    return paused.frames == 0 ? 1 : 0;
}
