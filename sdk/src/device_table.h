// The devices that completed a frame, with their latest frame, and every plate's counters.
// Shared between the receive thread (writer) and the exported readers: all access to the maps
// and records happens under the one library lock.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>

#include "device_counters.h"
#include "frame_assembler.h"
#include "libPladex.h"

namespace pladex {

struct DeviceRecord {
    char serial[64] = {};
    std::int32_t serialLength = 0;
    std::int32_t rows = 0;
    std::int32_t columns = 0;
    std::int32_t newFramePending = 0;
    char addresses[128] = {};
    char ports[128] = {};
    double startMs = 0;
    std::int32_t frameRate = 0;
    std::array<PressureCell, kFrameCells> cells{};
};

class DeviceTable {
public:
    // Counters of a plate, created at its first datagram. The reference stays valid for the
    // life of the table.
    DeviceCounters& countersFor(std::uint32_t deviceId);

    // Copies a completed frame into the plate's record (created at its first frame) and sets
    // its pending flag. Counts the frame.
    void publish(std::uint32_t deviceId, const FrameAssembler& assembler);

    int deviceCount() const;

    // Runs `visit(record)` under the lock on the record with this id, or at this position in
    // ascending id order. Returns false when there is none.
    template <class Visit>
    bool withRecord(std::uint32_t deviceId, Visit&& visit) {
        std::lock_guard<std::mutex> lock(mutex_);
        const auto it = records_.find(deviceId);
        if (it == records_.end()) return false;
        visit(*it->second);
        return true;
    }
    template <class Visit>
    bool withRecordAt(int index, Visit&& visit) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (index < 0 || index >= static_cast<int>(records_.size())) return false;
        visit(*std::next(records_.begin(), index)->second);
        return true;
    }

    bool stats(std::uint32_t deviceId, LibPladex_DeviceStats& out) const;

private:
    DeviceCounters& countersLocked(std::uint32_t deviceId);

    mutable std::mutex mutex_;
    std::map<std::uint32_t, std::unique_ptr<DeviceRecord>> records_;
    std::map<std::uint32_t, std::unique_ptr<DeviceCounters>> counters_;
};

}  // namespace pladex
