#include "datagram_processor.h"

#include <cstring>

namespace pladex {
namespace {

void bump(std::atomic<std::uint64_t>& counter) { counter.fetch_add(1, std::memory_order_relaxed); }

std::uint64_t read(const std::atomic<std::uint64_t>& counter) {
    return counter.load(std::memory_order_relaxed);
}

}  // namespace

bool isJsonDatagram(const std::uint8_t* data, std::size_t length) {
    return length >= 2 && data[0] == '{' && data[1] == '"' && data[length - 1] == '}';
}

DatagramProcessor::PlateLink* DatagramProcessor::admit(std::uint32_t deviceId,
                                                       const SenderAddress& sender, double nowMs) {
    const auto it = links_.find(deviceId);
    if (it == links_.end()) {
        if (links_.size() >= kMaxPlates) {
            bump(plateLimit_);
            log_.write("plate %08X refused: %zu plates are tracked already",
                       static_cast<unsigned>(deviceId), kMaxPlates);
            return nullptr;
        }
        PlateLink link;
        link.counters = &devices_.track(deviceId, sender);
        link.assembler = std::make_unique<FrameAssembler>(*link.counters, log_);
        link.bound = sender;
        link.lastSeenMs = nowMs;
        PlateLink& added = links_.emplace(deviceId, std::move(link)).first->second;
        tracked_.store(static_cast<std::int32_t>(links_.size()), std::memory_order_relaxed);
        return &added;
    }
    PlateLink& link = it->second;
    if (sender != link.bound) {
        if (nowMs - link.lastSeenMs < kRebindSilenceMs) {
            bump(foreign_);
            DeviceCounters::bump(link.counters->foreign);
            const std::uint8_t* a = sender.address;
            log_.write("plate %08X: datagram from %d.%d.%d.%d:%d refused, not its sender",
                       static_cast<unsigned>(deviceId), a[0], a[1], a[2], a[3], sender.port);
            return nullptr;
        }
        // The plate really moved: its frame in progress came from the old sender.
        link.bound = sender;
        link.assembler->reset();
        devices_.rebind(deviceId, sender);
        const std::uint8_t* a = sender.address;
        log_.write("plate %08X bound anew to %d.%d.%d.%d:%d", static_cast<unsigned>(deviceId), a[0],
                   a[1], a[2], a[3], sender.port);
    }
    link.lastSeenMs = nowMs;
    return &link;
}

void DatagramProcessor::sweep(double nowMs) {
    if (nowMs - lastSweepMs_ < kSweepIntervalMs) return;
    lastSweepMs_ = nowMs;
    for (auto it = links_.begin(); it != links_.end();) {
        // A plate that never completed a frame is most likely noise: it goes sooner.
        const double limit = it->second.completedFrame ? kForgetSilenceMs : kRebindSilenceMs;
        if (nowMs - it->second.lastSeenMs < limit) {
            ++it;
            continue;
        }
        const std::uint32_t deviceId = it->first;
        // The assembler refers to the table's counters: it goes first.
        it = links_.erase(it);
        devices_.forget(deviceId);
        bump(forgotten_);
        log_.write("plate %08X forgotten after silence", static_cast<unsigned>(deviceId));
    }
    tracked_.store(static_cast<std::int32_t>(links_.size()), std::memory_order_relaxed);
}

void DatagramProcessor::process(const std::uint8_t* data, std::size_t length,
                                const SenderAddress& sender, double arrivalMs) {
    bump(datagrams_);
    sweep(arrivalMs);
    if (isJsonDatagram(data, length)) return;
    // A short datagram would otherwise be completed from whatever an earlier one left behind.
    if (length < kDataDatagramSize) {
        malformed_.fetch_add(1, std::memory_order_relaxed);
        return;
    }

    PlatePacket packet;
    packet.occupied = 1;
    std::memcpy(packet.address, sender.address, sizeof packet.address);
    packet.port = sender.port;
    packet.arrivalMs = arrivalMs;
    std::memcpy(packet.datagram, data, kDataDatagramSize);
    // Plates may differ in the lowest id byte; it is forced so that they map to one device.
    packet.datagram[4] = kDeviceIdLowByte;

    const std::uint32_t deviceId = packet.deviceId();
    PlateLink* link = admit(deviceId, sender, arrivalMs);
    if (!link || !link->assembler->addPacket(packet)) return;
    link->completedFrame = true;
    devices_.publish(deviceId, *link->assembler);
    link->assembler->reset();
}

void DatagramProcessor::libraryStats(LibPladex_LibraryStats& out) const {
    out = LibPladex_LibraryStats{};
    out.datagrams = read(datagrams_);
    out.foreign = read(foreign_);
    out.plateLimit = read(plateLimit_);
    out.forgotten = read(forgotten_);
    out.queuedFrames = devices_.queuedFrames();
    out.trackedPlates = tracked_.load(std::memory_order_relaxed);
}

}  // namespace pladex
