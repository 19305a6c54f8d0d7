// Which datagrams one frame turns into under the configured faults, and what a receiver that
// assembles frames from them will count.
#pragma once

#include <array>
#include <cstdint>
#include <random>

#include "sim_options.h"

namespace platesim {

struct PlannedDatagram {
    std::uint8_t packetIndex = 0;  // which quarter of the frame it carries
    bool truncated = false;        // a short datagram that the receiver discards as malformed
};

// The datagrams of one frame in sending order; lost packets are simply absent.
struct FramePlan {
    static constexpr int kCapacity = 5;  // four packets and at most one duplicate
    std::array<PlannedDatagram, kCapacity> datagrams{};
    int count = 0;

    void append(PlannedDatagram datagram) { datagrams[count++] = datagram; }
};

using FaultRandom = std::mt19937_64;

// Plans one frame: shuffle (reorder), then one duplicate placed right after one of the first
// three packets, then per packet loss or truncation. A fault-free frame is the four packets in
// order.
FramePlan planFrame(const FaultRates& faults, FaultRandom& random, bool faultFree);

// What a receiver sees of one frame. It fills four slots in arrival order and completes the
// frame when the first four full-size packets carry four distinct indices; further packets of
// an unfinished frame find no slot and are refused.
struct FrameOutcome {
    int delivered = 0;  // full-size data datagrams
    int truncated = 0;
    bool complete = false;
    bool touched = false;  // at least one full-size packet arrived
    int refused = 0;
};

FrameOutcome frameOutcome(const FramePlan& sent);

// The per-plate sums that the summary reports.
struct PlateTally {
    std::int64_t frames = 0;
    std::int64_t complete = 0;
    std::int64_t touched = 0;
    std::int64_t datagrams = 0;
    std::int64_t refused = 0;
    std::int64_t json = 0;
    std::int64_t truncated = 0;

    void addFrame(const FrameOutcome& outcome);
};

}  // namespace platesim
