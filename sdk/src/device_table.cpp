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

}  // namespace

DeviceCounters& DeviceTable::countersLocked(std::uint32_t deviceId) {
    auto& slot = counters_[deviceId];
    if (!slot) slot = std::make_unique<DeviceCounters>();
    return *slot;
}

DeviceCounters& DeviceTable::countersFor(std::uint32_t deviceId) {
    std::lock_guard<std::mutex> lock(mutex_);
    return countersLocked(deviceId);
}

void DeviceTable::publish(std::uint32_t deviceId, const FrameAssembler& assembler) {
    std::lock_guard<std::mutex> lock(mutex_);
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
    DeviceCounters::bump(countersLocked(deviceId).frames);
}

int DeviceTable::deviceCount() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<int>(records_.size());
}

bool DeviceTable::stats(std::uint32_t deviceId, LibPladex_DeviceStats& out) const {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto it = counters_.find(deviceId);
    if (it == counters_.end()) return false;
    const DeviceCounters& c = *it->second;
    out.datagrams = c.datagrams.load(std::memory_order_relaxed);
    out.frames = c.frames.load(std::memory_order_relaxed);
    out.dropped = c.dropped.load(std::memory_order_relaxed);
    out.refused = c.refused.load(std::memory_order_relaxed);
    return true;
}

}  // namespace pladex
