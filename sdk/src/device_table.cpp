#include "device_table.h"

#include <cstdio>
#include <cstring>

namespace pladex {
namespace {

// One entry per occupied slot, comma-separated. Four dotted addresses need at most 63 bytes,
// so the 128-byte fields never truncate.
template <class Format>
void joinSlots(char (&out)[128], const std::array<PlatePacket, kPacketsPerFrame>& slots,
               Format&& format) {
    std::size_t used = 0;
    out[0] = '\0';
    for (const PlatePacket& packet : slots) {
        if (!packet.occupied) continue;
        if (used) out[used++] = ',';
        used += static_cast<std::size_t>(format(out + used, sizeof out - used, packet));
    }
}

std::uint64_t read(const std::atomic<std::uint64_t>& counter) {
    return counter.load(std::memory_order_relaxed);
}

}  // namespace

DeviceCounters& DeviceTable::track(std::uint32_t deviceId, const SenderAddress& sender) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto& slot = plates_[deviceId];
    if (!slot) slot = std::make_unique<PlateState>();
    slot->bound = sender;
    return slot->counters;
}

void DeviceTable::rebind(std::uint32_t deviceId, const SenderAddress& sender) {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto it = plates_.find(deviceId);
    if (it != plates_.end()) it->second->bound = sender;
}

void DeviceTable::forget(std::uint32_t deviceId) {
    std::lock_guard<std::mutex> lock(mutex_);
    records_.erase(deviceId);
    const auto it = plates_.find(deviceId);
    if (it == plates_.end()) return;
    queuedFrames_ -= it->second->queue.size();
    plates_.erase(it);
}

// The oldest frame of the plate itself goes when its queue is full; when all queues together
// reach the budget, the oldest frame of the longest queue goes, so that plates read in time
// never lose a frame to plates nobody reads.
void DeviceTable::makeRoom(PlateState& plate) {
    PlateState* victim = nullptr;
    if (plate.queue.full()) {
        victim = &plate;
    } else if (queuedFrames_ >= kQueueBudget) {
        for (auto& entry : plates_)
            if (!victim || entry.second->queue.size() > victim->queue.size())
                victim = entry.second.get();
    }
    if (victim && victim->queue.dropOldest()) {
        --queuedFrames_;
        DeviceCounters::bump(victim->counters.overflow);
    }
}

void DeviceTable::publish(std::uint32_t deviceId, const FrameAssembler& assembler) {
    // The queued copy is built before taking the lock, which readers share.
    QueuedFrame queued;
    queued.frameNumber = assembler.frameNumber();
    queued.frameRate = assembler.frameRate();
    queued.receivedMs = assembler.completedMs();
    for (int k = 0; k < kFrameCells; ++k)
        queued.readings[k] = static_cast<std::uint16_t>(assembler.cells()[k].value);

    std::unique_lock<std::mutex> lock(mutex_);
    auto& slot = records_[deviceId];
    if (!slot) slot = std::make_unique<DeviceRecord>();
    DeviceRecord& record = *slot;
    std::memcpy(record.serial, assembler.serialText(), sizeof record.serial);
    record.serialLength = assembler.serialLength();
    record.cells = assembler.cells();
    joinSlots(record.addresses, assembler.slots(), [](char* out, std::size_t size, auto& p) {
        return std::snprintf(out, size, "%d.%d.%d.%d", p.address[0], p.address[1], p.address[2],
                             p.address[3]);
    });
    joinSlots(record.ports, assembler.slots(), [](char* out, std::size_t size, auto& p) {
        return std::snprintf(out, size, "%d", p.port);
    });
    record.rows = kFrameSide;
    record.columns = kFrameSide;
    record.startMs = assembler.startMs();
    record.newFramePending = 1;
    record.frameRate = assembler.frameRate();

    auto& plateSlot = plates_[deviceId];
    if (!plateSlot) plateSlot = std::make_unique<PlateState>();
    PlateState& plate = *plateSlot;
    DeviceCounters::bump(plate.counters.frames);
    const SequenceStep step = plate.sequence.advance(queued.frameNumber);
    if (step.missed) DeviceCounters::bump(plate.counters.missed, step.missed);
    if (step.restart) DeviceCounters::bump(plate.counters.restarts);
    makeRoom(plate);
    plate.queue.push(queued);
    ++queuedFrames_;
    lock.unlock();
    frameQueued_.notify_all();
}

bool DeviceTable::waitForQueued(std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(mutex_);
    return frameQueued_.wait_for(lock, timeout, [this] { return queuedFrames_ > 0; });
}

int DeviceTable::deviceCount() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<int>(records_.size());
}

int DeviceTable::takeLocked(std::uint32_t deviceId, QueuedFrame& out) {
    const auto it = plates_.find(deviceId);
    if (it == plates_.end()) return -1;
    if (!it->second->queue.pop(out)) return 0;
    --queuedFrames_;
    return 1;
}

int DeviceTable::takeQueued(std::uint32_t deviceId, QueuedFrame& out) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (records_.count(deviceId) == 0) return -1;
    return takeLocked(deviceId, out);
}

int DeviceTable::takeQueuedAt(int index, QueuedFrame& out) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (index < 0 || index >= static_cast<int>(records_.size())) return -1;
    return takeLocked(std::next(records_.begin(), index)->first, out);
}

bool DeviceTable::stats(std::uint32_t deviceId, LibPladex_DeviceStats& out) const {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto it = plates_.find(deviceId);
    if (it == plates_.end()) return false;
    const DeviceCounters& c = it->second->counters;
    out.datagrams = read(c.datagrams);
    out.frames = read(c.frames);
    out.dropped = read(c.dropped);
    out.refused = read(c.refused);
    return true;
}

bool DeviceTable::receptionStats(std::uint32_t deviceId, LibPladex_ReceptionStats& out) const {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto it = plates_.find(deviceId);
    if (it == plates_.end()) return false;
    const PlateState& plate = *it->second;
    out = LibPladex_ReceptionStats{};
    out.missed = read(plate.counters.missed);
    out.overflow = read(plate.counters.overflow);
    out.foreign = read(plate.counters.foreign);
    out.restarts = read(plate.counters.restarts);
    out.queued = plate.queue.size();
    const std::uint8_t* a = plate.bound.address;
    std::snprintf(out.address, sizeof out.address, "%d.%d.%d.%d", a[0], a[1], a[2], a[3]);
    out.port = plate.bound.port;
    return true;
}

std::size_t DeviceTable::queuedFrames() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return queuedFrames_;
}

}  // namespace pladex
