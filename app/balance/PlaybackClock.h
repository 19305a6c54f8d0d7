// Which frame playback shows at a given moment. Playback follows the clock, not the frames
// drawn: the frame due is the start frame plus the elapsed time times the recording's rate
// and the chosen speed, so when drawing cannot keep up frames are skipped and the playback
// never runs slower than real time.
#pragma once

#include <QString>
#include <cstdint>

class PlaybackClock {
public:
    // Starts at startFrame (shown at once) towards lastFrame, for a recording of rate frames
    // per second (read as the analyses read it: not positive means 200) played speed times
    // as fast (not positive means 1).
    void start(int startFrame, int lastFrame, double rate, double speed);
    // The frame due elapsedNs after start: startFrame + elapsed * rate * speed, rounded down,
    // never past lastFrame.
    int frameAt(std::int64_t elapsedNs) const;
    // Whether the last frame is due.
    bool endedAt(std::int64_t elapsedNs) const { return frameAt(elapsedNs) >= lastFrame_; }
    double framesPerSecond() const { return framesPerSecond_; }

private:
    int startFrame_ = 1;
    int lastFrame_ = 1;
    double framesPerSecond_ = 200.0;  // rate times speed
};

// The playback bar's time of frame n (1-based) of a recording of total frames at rate frames
// per second (not positive means 200): "t / T s" with two decimals, frame 1 at 0 and T the
// recording's length, e.g. "3.25 / 30.00 s".
QString playbackTimeText(int n, int total, double rate);
