// Follows one plate's frame numbers from completed frame to completed frame. Numbers skipped
// are frames missed on the wire. A number that goes back a long way, or leaps further than any
// real gap, means the plate started counting again (it was restarted): that is no gap. A frame
// a little behind the newest one (late, or the newest again) neither moves the sequence nor
// counts.
#pragma once

#include <cstdint>

namespace pladex {

struct SequenceStep {
    std::uint32_t missed = 0;
    bool restart = false;
};

class FrameSequence {
public:
    static constexpr std::uint32_t kLongestGap = 65536;  // over two minutes at 500 Hz
    static constexpr std::uint32_t kLateWindow = 16;

    SequenceStep advance(std::uint32_t frameNumber) {
        if (!started_) {
            started_ = true;
            last_ = frameNumber;
            return {};
        }
        // Unsigned differences follow the plate's counter across its wrap past 2^32.
        const std::uint32_t ahead = frameNumber - last_;
        const std::uint32_t behind = last_ - frameNumber;
        if (behind <= kLateWindow) return {};
        last_ = frameNumber;
        if (ahead <= kLongestGap) return {ahead - 1, false};
        return {0, true};
    }

private:
    bool started_ = false;
    std::uint32_t last_ = 0;
};

}  // namespace pladex
