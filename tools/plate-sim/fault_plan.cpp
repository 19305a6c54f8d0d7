#include "fault_plan.h"

#include <algorithm>

#include "plate_datagram.h"

namespace platesim {
namespace {

bool happens(double probability, FaultRandom& random) {
    // Zero never draws, so that adding a fault kind leaves the other faults' sequence alone.
    if (probability <= 0.0) return false;
    return std::uniform_real_distribution<double>(0.0, 1.0)(random) < probability;
}

}  // namespace

FramePlan planFrame(const FaultRates& faults, FaultRandom& random, bool faultFree) {
    std::array<std::uint8_t, FramePlan::kCapacity> order{0, 1, 2, 3, 0};
    int packets = plate::kPacketsPerFrame;
    if (!faultFree && happens(faults.reorder, random)) {
        std::shuffle(order.begin(), order.begin() + plate::kPacketsPerFrame, random);
    }
    if (!faultFree && happens(faults.duplicate, random)) {
        // Placed before the last distinct packet, so the duplicate takes its slot.
        const int after = std::uniform_int_distribution<int>(0, 2)(random);
        std::copy_backward(order.begin() + after + 1, order.begin() + packets,
                           order.begin() + packets + 1);
        order[after + 1] = order[after];
        ++packets;
    }
    FramePlan plan;
    for (int i = 0; i < packets; ++i) {
        if (faultFree) {
            plan.append({order[i], false});
        } else if (!happens(faults.loss, random)) {
            plan.append({order[i], happens(faults.truncate, random)});
        }
    }
    return plan;
}

FrameOutcome frameOutcome(const FramePlan& sent) {
    FrameOutcome outcome;
    unsigned firstFourMask = 0;
    for (int i = 0; i < sent.count; ++i) {
        const PlannedDatagram& d = sent.datagrams[i];
        if (d.truncated) {
            ++outcome.truncated;
            continue;
        }
        if (outcome.delivered < plate::kPacketsPerFrame) firstFourMask |= 1u << d.packetIndex;
        ++outcome.delivered;
    }
    outcome.touched = outcome.delivered > 0;
    outcome.complete = firstFourMask == 0xF;
    if (!outcome.complete)
        outcome.refused = std::max(0, outcome.delivered - plate::kPacketsPerFrame);
    return outcome;
}

void PlateTally::addFrame(const FrameOutcome& outcome) {
    ++frames;
    complete += outcome.complete ? 1 : 0;
    touched += outcome.touched ? 1 : 0;
    datagrams += outcome.delivered;
    refused += outcome.refused;
    truncated += outcome.truncated;
}

}  // namespace platesim
