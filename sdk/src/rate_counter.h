// Frame-rate estimate of one plate: frame numbers advanced in the last window of just over a
// second, plus one, refreshed at most once per second. Lost frames count, as the plate numbered
// them.
#pragma once

#include <cstdint>

namespace pladex {

class RateCounter {
public:
    // Returns true when the window closed and the rate was refreshed.
    bool update(std::uint32_t frameNumber, double nowMs) {
        if (nowMs - lastUpdateMs_ <= 1000.0) return false;
        rate_ =
            static_cast<std::int32_t>(frameNumber - static_cast<std::uint32_t>(lastFrame_) + 1u);
        lastFrame_ = static_cast<std::int32_t>(frameNumber);
        lastUpdateMs_ = nowMs;
        return true;
    }
    std::int32_t rate() const { return rate_; }

private:
    double lastUpdateMs_ = 0;
    std::int32_t lastFrame_ = 0;
    std::int32_t rate_ = 0;
};

}  // namespace pladex
