// Latency of libPladex's frame queue: one plate at 500 Hz over loopback, a reader thread that
// drains the queue as a program would: waiting in LibPladex_waitForQueuedFrame, or with
// --pause-us N polling with a pause of N us whenever the queue is empty. For each frame: from
// its last datagram leaving the sender to the library receiving it (the frame's receive time),
// and to the reader holding the frame. Target: p99 to the reader under 1 ms.
// Usage: bench_queue_latency [--seconds S] [--pause-us N]
#include <time.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

#include "bench_options.h"
#include "libPladex.h"
#include "loopback.h"

namespace {

constexpr std::uint32_t kPlate = 0x00BE5A3E;
constexpr const char* kSerial = "00BE5A3E";
constexpr int kRate = 500;

std::int64_t monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

struct Summary {
    double meanUs = 0, p99Us = 0, maxUs = 0;
};

Summary summarise(std::vector<double> us) {
    Summary s;
    if (us.empty()) return s;
    std::sort(us.begin(), us.end());
    for (double v : us) s.meanUs += v;
    s.meanUs /= static_cast<double>(us.size());
    s.p99Us = us[us.size() * 99 / 100];
    s.maxUs = us.back();
    return s;
}

int pauseOption(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--pause-us") == 0) return std::atoi(argv[i + 1]);
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = secondsOption(argc, argv, 10);
    const int pauseUs = pauseOption(argc, argv);
    const int port = testing_support::freeUdpPort();
    if (LibPladex_ListenUDPPort(port) != 0) return 1;

    const std::size_t frames = static_cast<std::size_t>(seconds * kRate);
    std::vector<std::int64_t> sentNs(frames + 1, 0);
    std::vector<double> toLibraryUs, toReaderUs;
    std::atomic<bool> done{false};
    std::thread reader([&] {
        std::array<PressureCell, LIBPLADEX_CELLS> frame{};
        while (!done.load()) {
            LibPladex_FrameInfo info{};
            if (LibPladex_readQueuedFrameBySN(kSerial, frame.data(), &info) != 1) {
                if (pauseUs < 0)
                    LibPladex_waitForQueuedFrame(10);
                else
                    std::this_thread::sleep_for(std::chrono::microseconds(pauseUs));
                continue;
            }
            const std::int64_t now = monotonicNs();
            if (info.frameNumber == 0 || info.frameNumber > frames) continue;
            const std::int64_t sent = sentNs[info.frameNumber];
            toLibraryUs.push_back((info.receivedNs - sent) / 1e3);
            toReaderUs.push_back((now - sent) / 1e3);
        }
    });

    const testing_support::LoopbackSender sender(port);
    const plate::SourceFrame frame{};
    const auto start = std::chrono::steady_clock::now();
    for (std::size_t n = 1; n <= frames; ++n) {
        std::this_thread::sleep_until(start + std::chrono::microseconds(1000000 / kRate * n));
        for (std::uint8_t i = 0; i < plate::kPacketsPerFrame; ++i) {
            const plate::Datagram d =
                plate::encodeDataDatagram(i, kPlate, static_cast<std::uint32_t>(n), frame);
            if (i == plate::kPacketsPerFrame - 1) sentNs[n] = monotonicNs();
            sender.send(d);
        }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    done.store(true);
    reader.join();

    LibPladex_ReceptionStats reception{};
    LibPladex_getReceptionStats(kSerial, &reception);
    const Summary library = summarise(toLibraryUs);
    const Summary drained = summarise(toReaderUs);
    if (pauseUs < 0)
        std::printf("one plate at %d Hz for %.0f s over loopback, reader waiting for frames\n",
                    kRate, seconds);
    else
        std::printf("one plate at %d Hz for %.0f s over loopback, reader polling, %d us pause\n",
                    kRate, seconds, pauseUs);
    std::printf("last datagram -> library receives  mean %7.1f us  p99 %7.1f us  max %8.1f us\n",
                library.meanUs, library.p99Us, library.maxUs);
    std::printf("last datagram -> reader holds it   mean %7.1f us  p99 %7.1f us  max %8.1f us\n",
                drained.meanUs, drained.p99Us, drained.maxUs);
    std::printf("frames read %zu of %zu, missed %llu, overflow %llu; p99 target 1000 us: %s\n",
                toReaderUs.size(), frames, static_cast<unsigned long long>(reception.missed),
                static_cast<unsigned long long>(reception.overflow),
                drained.p99Us < 1000 ? "met" : "NOT met");
    return toReaderUs.empty() ? 1 : 0;
}
