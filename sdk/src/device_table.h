// The plates being tracked: every plate's counters, binding and frame queue from its first
// datagram, and the devices that completed a frame with their latest frame. Shared between the
// receive thread (writer) and the exported readers: all access to the maps and records happens
// under the one library lock.
#pragma once

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>

#include "device_counters.h"
#include "frame_assembler.h"
#include "frame_queue.h"
#include "frame_sequence.h"
#include "libPladex.h"
#include "sender_address.h"

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

// What the table keeps of a plate from its first datagram until it is forgotten.
struct PlateState {
    DeviceCounters counters;
    FrameSequence sequence;
    FrameQueue queue;
    SenderAddress bound{};
};

class DeviceTable {
public:
    static constexpr std::size_t kQueueBudget = LIBPLADEX_QUEUE_BUDGET;

    // Starts tracking a plate bound to `sender`. The counters' reference stays valid until the
    // plate is forgotten.
    DeviceCounters& track(std::uint32_t deviceId, const SenderAddress& sender);
    void rebind(std::uint32_t deviceId, const SenderAddress& sender);
    // Drops everything of the plate: record, counters, queued frames.
    void forget(std::uint32_t deviceId);

    // Copies a completed frame into the plate's record (created at its first frame), sets its
    // pending flag and queues the frame. Counts the frame, the numbers it skipped, a restart
    // and any frame the queues had to discard for it.
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

    // Takes the oldest queued frame of the plate with this id, or of the device at this
    // position: 1 taken, 0 queue empty, -1 not found.
    int takeQueued(std::uint32_t deviceId, QueuedFrame& out);
    int takeQueuedAt(int index, QueuedFrame& out);

    // Waits until any plate's queue holds a frame, at most `timeout`; true when one does.
    bool waitForQueued(std::chrono::milliseconds timeout);

    bool stats(std::uint32_t deviceId, LibPladex_DeviceStats& out) const;
    bool receptionStats(std::uint32_t deviceId, LibPladex_ReceptionStats& out) const;
    std::size_t queuedFrames() const;

private:
    // Makes room for one more frame of `plate` within its capacity and the library's budget.
    void makeRoom(PlateState& plate);
    int takeLocked(std::uint32_t deviceId, QueuedFrame& out);

    mutable std::mutex mutex_;
    std::condition_variable frameQueued_;
    std::map<std::uint32_t, std::unique_ptr<DeviceRecord>> records_;
    std::map<std::uint32_t, std::unique_ptr<PlateState>> plates_;
    std::size_t queuedFrames_ = 0;
};

}  // namespace pladex
