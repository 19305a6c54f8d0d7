// Classifies each received datagram, admits it by its plate's binding and feeds data packets
// to their plate's assembler. Runs on the receive thread only; publishes completed frames into
// the device table and forgets plates that fell silent.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>

#include "device_table.h"
#include "frame_assembler.h"
#include "log_sink.h"
#include "sender_address.h"

namespace pladex {

class DatagramProcessor {
public:
    static constexpr std::size_t kMaxPlates = LIBPLADEX_MAX_PLATES;
    static constexpr double kRebindSilenceMs = LIBPLADEX_REBIND_SILENCE_MS;
    static constexpr double kForgetSilenceMs = LIBPLADEX_FORGET_SILENCE_MS;
    static constexpr double kSweepIntervalMs = 1000;

    explicit DatagramProcessor(DeviceTable& devices) : devices_(devices) {}

    // Handles one datagram that arrived at `arrivalMs` (the clock of monotonic_clock.h; tests
    // pass their own times). JSON text is discarded; a datagram shorter than a data packet is
    // discarded and counted as malformed; a longer one is cut. A data packet from another
    // sender than its plate's, or of a plate beyond the limit, is refused and counted.
    void process(const std::uint8_t* data, std::size_t length, const SenderAddress& sender,
                 double arrivalMs);

    // Forgets the plates silent for too long, at most once per sweep interval. process() calls
    // it; the receive thread also calls it when nothing arrives.
    void sweep(double nowMs);

    LogSink& log() { return log_; }

    std::int64_t malformedCount() const { return malformed_.load(std::memory_order_relaxed); }
    // The library-wide counters; the queued frame count comes from the device table.
    void libraryStats(LibPladex_LibraryStats& out) const;

private:
    // The receive thread's side of a tracked plate.
    struct PlateLink {
        std::unique_ptr<FrameAssembler> assembler;
        DeviceCounters* counters = nullptr;
        SenderAddress bound{};
        double lastSeenMs = 0;
        bool completedFrame = false;
    };

    // The plate's link when this sender may feed it (binding it when new or silent long
    // enough); null when refused.
    PlateLink* admit(std::uint32_t deviceId, const SenderAddress& sender, double nowMs);

    DeviceTable& devices_;
    LogSink log_;
    std::map<std::uint32_t, PlateLink> links_;
    double lastSweepMs_ = 0;
    std::atomic<std::int64_t> malformed_{0};
    std::atomic<std::uint64_t> datagrams_{0};
    std::atomic<std::uint64_t> foreign_{0};
    std::atomic<std::uint64_t> plateLimit_{0};
    std::atomic<std::uint64_t> forgotten_{0};
    std::atomic<std::int32_t> tracked_{0};
};

// A datagram of the plate's command channel that reached the data port: "{" '"' ... "}".
bool isJsonDatagram(const std::uint8_t* data, std::size_t length);

}  // namespace pladex
