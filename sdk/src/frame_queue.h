// The completed frames of one plate that no reader has taken yet, oldest first. Storage grows
// and shrinks with the content (one allocation per frame), so idle plates hold nothing.
// Guarded by the library lock like the rest of the device table.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>

#include "libPladex.h"
#include "plate_packet.h"

namespace pladex {

struct QueuedFrame {
    std::uint32_t frameNumber = 0;
    std::int32_t frameRate = 0;
    double receivedMs = 0;                              // the monotonic clock of monotonic_clock.h
    std::array<std::uint16_t, kFrameCells> readings{};  // the plate's own order
};

class FrameQueue {
public:
    static constexpr std::size_t kCapacity = LIBPLADEX_QUEUE_CAPACITY;

    void push(const QueuedFrame& frame) { frames_.push_back(frame); }
    bool full() const { return frames_.size() >= kCapacity; }
    std::size_t size() const { return frames_.size(); }
    // Discards the oldest frame; false when there is none.
    bool dropOldest() {
        if (frames_.empty()) return false;
        frames_.pop_front();
        return true;
    }
    bool pop(QueuedFrame& out) {
        if (frames_.empty()) return false;
        out = frames_.front();
        frames_.pop_front();
        return true;
    }

private:
    std::deque<QueuedFrame> frames_;
};

}  // namespace pladex
