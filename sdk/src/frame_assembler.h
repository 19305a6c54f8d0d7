// Collects the four packets of one plate's frame. Runs on the receive thread only.
#pragma once

#include <array>
#include <cstdint>

#include "device_counters.h"
#include "libPladex.h"
#include "log_sink.h"
#include "plate_packet.h"
#include "rate_counter.h"

namespace pladex {

class FrameAssembler {
public:
    FrameAssembler(DeviceCounters& counters, LogSink& log);

    // Offers one packet; returns true when it completed the frame, whose cells, serial text,
    // slots, number and rate are then ready to publish. The caller resets the assembler afterwards.
    bool addPacket(const PlatePacket& packet);

    // Forgets the frame in progress; the rate survives.
    void reset();

    const char* serialText() const { return serial_; }
    std::uint8_t serialLength() const { return serialLength_; }
    std::int32_t frameRate() const { return frameRate_; }
    double startMs() const { return startMs_; }
    // Arrival of the packet that completed the frame.
    double completedMs() const { return completedMs_; }
    std::uint32_t frameNumber() const { return frameNumber_; }
    const std::array<PressureCell, kFrameCells>& cells() const { return cells_; }
    const std::array<PlatePacket, kPacketsPerFrame>& slots() const { return slots_; }

private:
    int firstFreeSlot() const;
    bool storeInFreeSlot(const PlatePacket& packet);
    void startFrame(const PlatePacket& packet);
    void fillCells();

    DeviceCounters& counters_;
    LogSink& log_;
    bool inProgress_ = false;
    std::uint32_t deviceId_ = 0;
    std::uint32_t frameNumber_ = 0;
    std::uint32_t receivedMask_ = 0;
    std::uint32_t expectedMask_ = 0;
    double startMs_ = 0;
    double completedMs_ = 0;
    char serial_[64] = {};
    std::uint8_t serialLength_ = 0;
    std::int32_t frameRate_ = 0;
    RateCounter rateCounter_;
    std::array<PressureCell, kFrameCells> cells_{};
    std::array<PlatePacket, kPacketsPerFrame> slots_{};
};

}  // namespace pladex
