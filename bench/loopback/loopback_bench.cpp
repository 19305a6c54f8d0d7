// How many plates at 100 Hz libPladex receives on loopback without losing a frame.
//
// Each step streams N emulated plates (the plate-sim engine, on a thread of this process) to
// the library listening in this process while a reader thread drains every plate's frame
// queue, then compares the frames sent with the frames the library completed and the reader
// took, and prints the frames missed on the wire and lost to queue overflow. Steps grow until
// one loses frames. The library tracks at most 64 plates, so steps go no further.
//   bench_loopback                            full run: 4, 16, 32, 64 plates, 10 s each
//   bench_loopback --quick                    smoke run: 4 and 16 plates, 2 s each
//   bench_loopback --steps 4 --seconds 60     4 plates for a minute
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "libPladex.h"
#include "plate_stream.h"
#include "sim_options.h"
#include "sim_summary.h"

namespace {

constexpr int kRate = 100;

struct BenchSettings {
    std::vector<int> steps{4, 16, 32, 64};
    double seconds = 10.0;
};

struct StepResult {
    std::int64_t framesSent = 0;
    std::int64_t framesReceived = 0;
    std::int64_t datagramsSent = 0;
    std::int64_t datagramsReceived = 0;
    std::int64_t framesRead = 0;
    std::int64_t missed = 0;
    std::int64_t overflow = 0;
    double wallSeconds = 0.0;
    double senderCpuSeconds = 0.0;
    double processCpuSeconds = 0.0;
};

double seconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

double processCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto toSeconds = [](const timeval& t) { return t.tv_sec + 1e-6 * t.tv_usec; };
    return toSeconds(usage.ru_utime) + toSeconds(usage.ru_stime);
}

LibPladex_DeviceStats statsOf(const std::string& serial) {
    LibPladex_DeviceStats stats{};
    LibPladex_getStats(serial.c_str(), &stats);
    return stats;
}

LibPladex_ReceptionStats receptionOf(const std::string& serial) {
    LibPladex_ReceptionStats stats{};
    LibPladex_getReceptionStats(serial.c_str(), &stats);
    return stats;
}

// Every step uses the same plates (the library tracks at most 64), so counts are differences.
struct Counts {
    std::int64_t datagrams = 0, frames = 0, missed = 0, overflow = 0;
};

Counts countsOf(const std::vector<std::string>& serials) {
    Counts c;
    for (const std::string& serial : serials) {
        const LibPladex_DeviceStats s = statsOf(serial);
        const LibPladex_ReceptionStats r = receptionOf(serial);
        c.datagrams += static_cast<std::int64_t>(s.datagrams);
        c.frames += static_cast<std::int64_t>(s.frames);
        c.missed += static_cast<std::int64_t>(r.missed);
        c.overflow += static_cast<std::int64_t>(r.overflow);
    }
    return c;
}

// Takes every queued frame of every plate until told to stop; returns the frames taken.
std::int64_t drainQueues(const std::vector<std::string>& serials, const std::atomic<bool>& stop) {
    std::vector<PressureCell> frame(LIBPLADEX_CELLS);
    std::int64_t taken = 0;
    for (;;) {
        const bool last = stop.load();
        for (const std::string& serial : serials)
            while (LibPladex_readQueuedFrameBySN(serial.c_str(), frame.data(), nullptr) == 1)
                ++taken;
        if (last) return taken;
        LibPladex_waitForQueuedFrame(10);
    }
}

StepResult runStep(int plates, const BenchSettings& settings, int port) {
    platesim::SimOptions options;
    options.port = static_cast<std::uint16_t>(port);
    options.rate = kRate;
    options.plates = plates;
    options.frames = static_cast<std::int64_t>(settings.seconds * kRate);
    options.idBase = 0x0100003Eu;

    StepResult result;
    std::vector<std::string> serials;
    auto emulated = platesim::createPlates(options);
    for (const auto& plate : emulated) serials.push_back(plate->serial());
    const Counts before = countsOf(serials);

    const double cpuBefore = processCpuSeconds();
    const double wallBefore = seconds(CLOCK_MONOTONIC);
    std::atomic<bool> stopReading{false};
    std::thread reader([&] { result.framesRead = drainQueues(serials, stopReading); });
    std::thread sender([&] {
        const std::atomic<bool> never{false};
        const double cpuStart = seconds(CLOCK_THREAD_CPUTIME_ID);
        platesim::streamPlates(emulated, never);
        result.senderCpuSeconds = seconds(CLOCK_THREAD_CPUTIME_ID) - cpuStart;
    });
    sender.join();
    // Loopback delivers at once: what is not counted shortly after the last send was lost.
    std::int64_t counted = -1;
    for (int wait = 0; wait < 100 && counted != countsOf(serials).datagrams; ++wait) {
        counted = countsOf(serials).datagrams;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    stopReading.store(true);
    reader.join();
    result.wallSeconds = seconds(CLOCK_MONOTONIC) - wallBefore;
    result.processCpuSeconds = processCpuSeconds() - cpuBefore;

    for (const auto& plate : emulated) {
        const platesim::PlateReport report = plate->report();
        result.framesSent += report.tally.frames;
        result.datagramsSent += report.tally.datagrams;
    }
    const Counts after = countsOf(serials);
    result.framesReceived = after.frames - before.frames;
    result.datagramsReceived = after.datagrams - before.datagrams;
    result.missed = after.missed - before.missed;
    result.overflow = after.overflow - before.overflow;
    return result;
}

// A port that the kernel hands out as free, so that the run collides with nothing.
int freeUdpPort() {
    const int probe = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    socklen_t length = sizeof address;
    int port = -1;
    if (probe >= 0 && ::bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        port = ntohs(address.sin_port);
    }
    if (probe >= 0) ::close(probe);
    return port;
}

bool parseSettings(int argc, char** argv, BenchSettings& settings) {
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--quick") {
            settings.steps = {4, 16};
            settings.seconds = 2.0;
        } else if (name == "--seconds" && i + 1 < argc) {
            settings.seconds = std::atof(argv[++i]);
            if (settings.seconds <= 0.0 || settings.seconds > 3600.0) return false;
        } else if (name == "--steps" && i + 1 < argc) {
            settings.steps.clear();
            std::istringstream list(argv[++i]);
            std::string item;
            while (std::getline(list, item, ',')) {
                const int plates = std::atoi(item.c_str());
                if (plates < 1 || plates > LIBPLADEX_MAX_PLATES) return false;
                settings.steps.push_back(plates);
            }
            if (settings.steps.empty()) return false;
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    BenchSettings settings;
    if (!parseSettings(argc, argv, settings)) {
        std::fprintf(stderr,
                     "usage: bench_loopback [--quick] [--seconds S] [--steps N,N,...]\n"
                     "  plates per step 1..%d, seconds per step up to 3600\n",
                     LIBPLADEX_MAX_PLATES);
        return 2;
    }
    const int port = freeUdpPort();
    if (port <= 0 || LibPladex_ListenUDPPort(port) != 0) {
        std::fprintf(stderr, "bench_loopback: cannot listen on a free UDP port\n");
        return 1;
    }
    std::printf(
        "libPladex loopback reception at %d Hz, %.0f s per step, %u cores, receive "
        "buffer %d bytes\n",
        kRate, settings.seconds, std::thread::hardware_concurrency(),
        LibPladex_getReceiveBufferSize());
    std::printf("%6s %12s %12s %12s %8s %8s %9s %14s %11s %13s\n", "plates", "frames sent",
                "received", "read", "lost", "missed", "overflow", "datagrams lost", "sender CPU",
                "receiver CPU");
    std::fflush(stdout);

    int mostWithoutLoss = 0;
    bool anyReceived = false;
    for (std::size_t step = 0; step < settings.steps.size(); ++step) {
        const int plates = settings.steps[step];
        // The new step's sockets are new senders: the plates re-bind once silent long enough.
        if (step > 0)
            std::this_thread::sleep_for(
                std::chrono::milliseconds(LIBPLADEX_REBIND_SILENCE_MS + 200));
        const StepResult r = runStep(plates, settings, port);
        // The receive and reader threads are the rest of the process's CPU time; shares of one
        // core.
        const double senderShare = 100.0 * r.senderCpuSeconds / r.wallSeconds;
        const double receiverShare =
            100.0 * (r.processCpuSeconds - r.senderCpuSeconds) / r.wallSeconds;
        const std::int64_t lost = r.framesSent - r.framesRead;
        std::printf("%6d %12lld %12lld %12lld %8lld %8lld %9lld %14lld %10.1f%% %12.1f%%\n", plates,
                    static_cast<long long>(r.framesSent), static_cast<long long>(r.framesReceived),
                    static_cast<long long>(r.framesRead), static_cast<long long>(lost),
                    static_cast<long long>(r.missed), static_cast<long long>(r.overflow),
                    static_cast<long long>(r.datagramsSent - r.datagramsReceived), senderShare,
                    receiverShare);
        std::fflush(stdout);
        anyReceived = anyReceived || r.framesRead > 0;
        if (lost != 0 || r.missed != 0 || r.overflow != 0) break;
        mostWithoutLoss = plates;
    }
    const bool allSteps = mostWithoutLoss == settings.steps.back();
    std::printf("most plates at %d Hz without a lost frame: %d%s\n", kRate, mostWithoutLoss,
                allSteps ? " (every step passed: the limit lies higher)" : "");
    return anyReceived ? 0 : 1;
}
