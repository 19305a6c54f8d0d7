// pladex-monitor: shows which plates stream to this machine and how well they arrive.
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "device_listing.h"
#include "libPladex.h"
#include "monitor_options.h"
#include "monitor_report.h"
#include "stop_request.h"

namespace {

double monotonicSeconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

void sleepUntil(double seconds) {
    timespec until{};
    until.tv_sec = static_cast<time_t>(seconds);
    until.tv_nsec = static_cast<long>((seconds - static_cast<double>(until.tv_sec)) * 1e9);
    clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr);
}

// Watches until the time is up or a signal arrives, printing the device table every second.
// With --json the tables go to stderr so that stdout carries only the final JSON lines.
// Returns the seconds watched.
double watch(const monitor::MonitorOptions& options, monitor::DeviceLister& lister) {
    std::FILE* tables = options.json ? stderr : stdout;
    const double start = monotonicSeconds();
    const double end = options.seconds > 0.0 ? start + options.seconds : 1e300;
    double nextTable = start + 1.0;
    while (!tools::stopRequested.load()) {
        sleepUntil(std::min(nextTable, end));
        const double now = monotonicSeconds();
        if (now >= end) break;
        if (now < nextTable) continue;  // woken early by a signal
        const std::string table =
            monitor::deviceTable(lister.listDevices(), now - start,
                                 LibPladex_getReceiveBufferSize(), LibPladex_getMalformedCount());
        std::fputs(table.c_str(), tables);
        std::fflush(tables);
        nextTable += 1.0;
    }
    return monotonicSeconds() - start;
}

bool dumpFrame(const monitor::MonitorOptions& options,
               const std::vector<monitor::DeviceSnapshot>& devices, monitor::DeviceLister& lister) {
    std::string serial = options.serial;
    if (serial.empty()) {
        if (devices.empty()) {
            std::fprintf(stderr, "pladex-monitor: no device seen, no frame to dump\n");
            return false;
        }
        serial = devices.front().serial;
    }
    std::vector<PressureCell> frame;
    if (!lister.lastFrame(serial, frame)) {
        std::fprintf(stderr, "pladex-monitor: no frame of device %s to dump\n", serial.c_str());
        return false;
    }
    std::ofstream out(options.dumpFramePath, std::ios::binary | std::ios::trunc);
    out << monitor::frameCsv(frame);
    out.close();
    if (!out) {
        std::fprintf(stderr, "pladex-monitor: cannot write %s\n", options.dumpFramePath.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const monitor::ParsedMonitorOptions parsed = monitor::parseMonitorOptions(argc, argv);
    if (parsed.helpRequested) {
        std::fputs(monitor::monitorUsage().c_str(), stdout);
        return 0;
    }
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "pladex-monitor: %s\n%s", parsed.error.c_str(),
                     monitor::monitorUsage().c_str());
        return 2;
    }
    const monitor::MonitorOptions& options = parsed.options;
    tools::installStopRequestHandlers();
    if (LibPladex_ListenUDPPort(options.port) != 0) {
        std::fprintf(stderr, "pladex-monitor: cannot listen on UDP port %d\n", options.port);
        return 1;
    }
    std::fprintf(stderr, "pladex-monitor: listening on UDP port %d, receive buffer %d bytes\n",
                 options.port, LibPladex_getReceiveBufferSize());

    monitor::DeviceLister lister;
    const double watchedSeconds = watch(options, lister);

    // Stop receiving first, so the final figures and the dumped frame belong together.
    const int receiveBufferBytes = LibPladex_getReceiveBufferSize();
    LibPladex_CloseUDPPort();
    const std::vector<monitor::DeviceSnapshot> devices = lister.listDevices();
    const std::int64_t malformed = LibPladex_getMalformedCount();
    std::fflush(stdout);
    if (options.json) {
        for (const auto& device : devices) std::printf("%s\n", monitor::deviceJson(device).c_str());
        std::printf("%s\n", monitor::malformedJson(malformed).c_str());
    } else {
        std::fputs(
            monitor::deviceTable(devices, watchedSeconds, receiveBufferBytes, malformed).c_str(),
            stdout);
    }
    std::fflush(stdout);
    if (!options.dumpFramePath.empty() && !dumpFrame(options, devices, lister)) return 1;
    return 0;
}
