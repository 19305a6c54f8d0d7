#include <gtest/gtest.h>

#include <cstdint>

#include "PlaybackClock.h"

namespace {

constexpr std::int64_t kMs = 1000000;  // nanoseconds

struct ClockCase {
    const char* name;
    int startFrame;
    int lastFrame;
    double rate;
    double speed;
    std::int64_t elapsedNs;
    int expectedFrame;
};

TEST(PlaybackClock, FrameDueFollowsTheClock) {
    const ClockCase cases[] = {
        {"at the start", 1, 6000, 200, 1, 0, 1},
        {"1x 200 Hz after 1 s", 1, 6000, 200, 1, 1000 * kMs, 201},
        {"from a later frame", 250, 6000, 200, 1, 1000 * kMs, 450},
        {"just before the next frame", 1, 6000, 200, 1, 4999999, 1},
        {"exactly on a frame", 1, 6000, 200, 1, 5 * kMs, 2},
        {"4x after 1 s", 1, 6000, 200, 4, 1000 * kMs, 801},
        {"0.25x after 1 s", 1, 6000, 200, 0.25, 1000 * kMs, 51},
        {"0.5x 100 Hz after 2 s", 10, 6000, 100, 0.5, 2000 * kMs, 110},
        // A late tick skips the frames in between instead of showing the next one.
        {"late tick skips", 1, 6000, 200, 1, 250 * kMs, 51},
        {"rate 0 read as 200", 1, 6000, 0, 1, 1000 * kMs, 201},
        {"speed 0 read as 1x", 1, 6000, 200, 0, 1000 * kMs, 201},
        {"stops at the last frame", 1, 600, 200, 1, 3000 * kMs, 600},
        {"long past the end", 1, 600, 200, 4, 3600000 * kMs, 600},
        {"clock before the start", 7, 600, 200, 1, -5 * kMs, 7},
    };
    for (const ClockCase& c : cases) {
        PlaybackClock clock;
        clock.start(c.startFrame, c.lastFrame, c.rate, c.speed);
        EXPECT_EQ(clock.frameAt(c.elapsedNs), c.expectedFrame) << c.name;
        EXPECT_EQ(clock.endedAt(c.elapsedNs), c.expectedFrame == c.lastFrame) << c.name;
    }
}

TEST(PlaybackClock, EndsWhenTheLastFrameIsDue) {
    PlaybackClock clock;
    clock.start(1, 600, 200, 1);  // 3 s at 200 Hz: frame 600 is due at 2.995 s
    EXPECT_FALSE(clock.endedAt(2990 * kMs));
    EXPECT_TRUE(clock.endedAt(2995 * kMs));
    clock.start(1, 600, 200, 4);  // a quarter of the time
    EXPECT_FALSE(clock.endedAt(740 * kMs));
    EXPECT_TRUE(clock.endedAt(749 * kMs));
    clock.start(600, 600, 200, 1);  // started on the last frame: nothing left to play
    EXPECT_TRUE(clock.endedAt(0));
}

TEST(PlaybackClock, TimeTextShowsFrameTimeAndLength) {
    const struct {
        int frame;
        int total;
        double rate;
        const char* text;
    } cases[] = {
        {1, 6000, 200, "0.00 / 30.00 s"}, {651, 6000, 200, "3.25 / 30.00 s"},
        {101, 300, 100, "1.00 / 3.00 s"}, {201, 600, 0, "1.00 / 3.00 s"},  // rate 0 read as 200
        {0, 0, 200, "0.00 / 0.00 s"},                                      // nothing loaded
    };
    for (const auto& c : cases)
        EXPECT_EQ(playbackTimeText(c.frame, c.total, c.rate).toStdString(), c.text) << c.frame;
}

}  // namespace
