#include "PlaybackClock.h"

#include <algorithm>
#include <cmath>

#include "CopSeries.h"

void PlaybackClock::start(int startFrame, int lastFrame, double rate, double speed) {
    startFrame_ = startFrame;
    lastFrame_ = std::max(startFrame, lastFrame);
    const double usableSpeed = speed > 0 && std::isfinite(speed) ? speed : 1.0;
    framesPerSecond_ = usableFrameRate(rate).framesPerSecond * usableSpeed;
}

int PlaybackClock::frameAt(std::int64_t elapsedNs) const {
    if (elapsedNs <= 0) return startFrame_;
    // A tiny allowance, so that a frame due exactly now is not lost to rounding.
    const double advanced = std::floor(elapsedNs * 1e-9 * framesPerSecond_ + 1e-9);
    if (advanced >= lastFrame_ - startFrame_) return lastFrame_;
    return startFrame_ + static_cast<int>(advanced);
}

QString playbackTimeText(int n, int total, double rate) {
    const double framesPerSecond = usableFrameRate(rate).framesPerSecond;
    return QString("%1 / %2 s")
        .arg(std::max(0, n - 1) / framesPerSecond, 0, 'f', 2)
        .arg(std::max(0, total) / framesPerSecond, 0, 'f', 2);
}
