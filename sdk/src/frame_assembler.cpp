#include "frame_assembler.h"

#include <cstdio>
#include <cstring>

namespace pladex {

FrameAssembler::FrameAssembler(DeviceCounters& counters, LogSink& log)
    : counters_(counters), log_(log) {
    reset();
}

void FrameAssembler::reset() {
    inProgress_ = false;
    deviceId_ = 0;
    frameNumber_ = 0;
    receivedMask_ = 0;
    expectedMask_ = 0;
    startMs_ = 0;
    completedMs_ = 0;
    std::memset(serial_, 0, sizeof serial_);
    serialLength_ = 0;
    std::memset(slots_.data(), 0, sizeof(PlatePacket) * slots_.size());
}

int FrameAssembler::firstFreeSlot() const {
    for (int i = 0; i < kPacketsPerFrame; ++i)
        if (slots_[i].occupied == 0) return i;
    return -1;
}

// Packets take slots in arrival order; the index only marks which quarter has arrived, so a
// repeated index fills a slot without adding a bit and the frame can never complete.
bool FrameAssembler::storeInFreeSlot(const PlatePacket& packet) {
    const int slot = firstFreeSlot();
    if (slot < 0) {
        DeviceCounters::bump(counters_.refused);
        log_.write("plate %08X frame %u: packet %d refused, no free slot",
                   static_cast<unsigned>(deviceId_), static_cast<unsigned>(frameNumber_),
                   packet.packetIndex());
        return false;
    }
    inProgress_ = true;
    receivedMask_ |= 1u << (packet.packetIndex() % 32);
    slots_[slot] = packet;
    return true;
}

void FrameAssembler::startFrame(const PlatePacket& packet) {
    deviceId_ = packet.deviceId();
    frameNumber_ = packet.frameNumber();
    startMs_ = packet.arrivalMs;
    expectedMask_ = kCompleteMask;
    if (storeInFreeSlot(packet))
        serialLength_ = static_cast<std::uint8_t>(
            std::snprintf(serial_, sizeof serial_, "%08X", static_cast<unsigned>(deviceId_)));
}

bool FrameAssembler::addPacket(const PlatePacket& packet) {
    DeviceCounters::bump(counters_.datagrams);
    if (inProgress_) {
        if (packet.deviceId() == deviceId_ && packet.frameNumber() == frameNumber_) {
            if (!storeInFreeSlot(packet) || receivedMask_ != expectedMask_) return false;
            if (rateCounter_.update(frameNumber_, packet.arrivalMs))
                frameRate_ = rateCounter_.rate();
            completedMs_ = packet.arrivalMs;
            fillCells();
            return true;
        }
        if (receivedMask_ != expectedMask_) {
            DeviceCounters::bump(counters_.dropped);
            log_.write("plate %08X frame %u dropped unfinished, overtaken by frame %u",
                       static_cast<unsigned>(deviceId_), static_cast<unsigned>(frameNumber_),
                       static_cast<unsigned>(packet.frameNumber()));
        }
        reset();
    }
    startFrame(packet);
    return false;
}

// Each quarter of the frame comes from the packet that carries that quarter's index, whatever
// the order in which the packets arrived.
void FrameAssembler::fillCells() {
    for (const PlatePacket& packet : slots_) {
        const int quarter = packet.packetIndex() % 32;
        for (std::size_t n = 0; n < kReadingsPerPacket; ++n) {
            const int k = quarter * static_cast<int>(kReadingsPerPacket) + static_cast<int>(n);
            cells_[k] = PressureCell{k / kFrameSide, k % kFrameSide, packet.reading(n), 0.0f};
        }
    }
}

}  // namespace pladex
