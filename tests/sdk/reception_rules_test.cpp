// What reception keeps and refuses, driven through the receive thread's datagram entry with the
// test's own clock: frame queues, gaps and restarts in the frame numbers, overflow, the binding
// of each plate to its sender, the plate limit and forgetting after silence.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "datagram_processor.h"
#include "device_table.h"
#include "plate_datagram.h"

namespace {

using pladex::DatagramProcessor;
using pladex::DeviceTable;
using pladex::QueuedFrame;
using pladex::SenderAddress;

constexpr std::uint32_t kPlate = 0x1A2B3C3E;
const SenderAddress kPlateSender{{192, 168, 1, 20}, 8000};
const SenderAddress kForger{{192, 168, 1, 66}, 8000};
const SenderAddress kSamePlaceOtherPort{{192, 168, 1, 20}, 8001};

// A processor and its table with a clock that only the test moves.
struct Reception {
    DeviceTable devices;
    DatagramProcessor processor{devices};
    double nowMs = 1e6;

    // The first `packets` packets of a frame; cell 0 carries the frame number's low bits.
    void feed(std::uint32_t id, std::uint32_t number, const SenderAddress& from = kPlateSender,
              int packets = 4) {
        plate::SourceFrame frame{};
        frame[0] = static_cast<std::uint16_t>(number);
        for (std::uint8_t i = 0; i < packets; ++i) {
            const plate::Datagram d = plate::encodeDataDatagram(i, id, number, frame);
            processor.process(d.data(), d.size(), from, nowMs += 0.5);
        }
    }
    std::vector<std::uint32_t> drain(std::uint32_t id) {
        std::vector<std::uint32_t> numbers;
        QueuedFrame f;
        while (devices.takeQueued(id, f) == 1) numbers.push_back(f.frameNumber);
        return numbers;
    }
    LibPladex_ReceptionStats reception(std::uint32_t id) const {
        LibPladex_ReceptionStats s{};
        EXPECT_TRUE(devices.receptionStats(id, s)) << std::hex << id;
        return s;
    }
    LibPladex_LibraryStats library() const {
        LibPladex_LibraryStats s{};
        processor.libraryStats(s);
        return s;
    }
    bool tracked(std::uint32_t id) const {
        LibPladex_DeviceStats s{};
        return devices.stats(id, s);
    }
};

struct Arrival {
    std::uint32_t number;
    bool complete = true;  // false: three packets only
};

struct SequenceCase {
    std::string name;
    std::vector<Arrival> arrivals;
    std::vector<std::uint32_t> queued;
    std::uint64_t missed, restarts;
};

void PrintTo(const SequenceCase& c, std::ostream* os) { *os << c.name; }

class FrameNumbers : public testing::TestWithParam<SequenceCase> {};

TEST_P(FrameNumbers, QueueInOrderAndCountGapsNotRestarts) {
    const SequenceCase& c = GetParam();
    Reception r;
    for (const Arrival& a : c.arrivals) r.feed(kPlate, a.number, kPlateSender, a.complete ? 4 : 3);
    const LibPladex_ReceptionStats s = r.reception(kPlate);
    EXPECT_EQ(s.queued, c.queued.size());
    EXPECT_EQ(r.drain(kPlate), c.queued);
    EXPECT_EQ(s.missed, c.missed);
    EXPECT_EQ(s.restarts, c.restarts);
    EXPECT_EQ(s.overflow, 0u);
    EXPECT_EQ(r.reception(kPlate).queued, 0u);
    EXPECT_EQ(r.library().queuedFrames, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FrameNumbers,
    testing::Values(
        SequenceCase{"consecutive", {{1}, {2}, {3}}, {1, 2, 3}, 0, 0},
        SequenceCase{"gap_on_the_wire", {{1}, {2}, {6}}, {1, 2, 6}, 3, 0},
        SequenceCase{
            "unfinished_frames_are_missed", {{1}, {2, false}, {3, false}, {4}}, {1, 4}, 2, 0},
        SequenceCase{"appearing_mid_stream", {{5000}, {5001}, {5003}}, {5000, 5001, 5003}, 1, 0},
        SequenceCase{
            "restart_goes_back", {{90000}, {90001}, {0}, {1}, {3}}, {90000, 90001, 0, 1, 3}, 1, 1},
        SequenceCase{"across_the_wrap",
                     {{0xFFFFFFFEu}, {0xFFFFFFFFu}, {0}, {2}},
                     {0xFFFFFFFEu, 0xFFFFFFFFu, 0, 2},
                     1,
                     0},
        SequenceCase{"leap_beyond_any_gap_is_a_restart",
                     {{10}, {10 + 70000}, {10 + 70001}},
                     {10, 70010, 70011},
                     0,
                     1}),
    [](const testing::TestParamInfo<SequenceCase>& info) { return info.param.name; });

TEST(FrameQueue, FullQueueDropsItsOldestAndCountsOverflow) {
    Reception r;
    const std::uint32_t extra = 5;
    for (std::uint32_t n = 1; n <= LIBPLADEX_QUEUE_CAPACITY + extra; ++n) r.feed(kPlate, n);
    const LibPladex_ReceptionStats s = r.reception(kPlate);
    EXPECT_EQ(s.queued, std::uint64_t{LIBPLADEX_QUEUE_CAPACITY});
    EXPECT_EQ(s.overflow, extra);
    EXPECT_EQ(s.missed, 0u) << "overflow is no loss on the wire";

    QueuedFrame f;
    ASSERT_EQ(r.devices.takeQueued(kPlate, f), 1);
    EXPECT_EQ(f.frameNumber, extra + 1);
    EXPECT_EQ(f.readings[0], extra + 1);
    EXPECT_GT(f.receivedMs, 1e6);
    EXPECT_EQ(r.drain(kPlate).size(), LIBPLADEX_QUEUE_CAPACITY - 1u);
    EXPECT_EQ(r.devices.takeQueued(kPlate, f), 0);
    EXPECT_EQ(r.devices.takeQueued(0x0000003E, f), -1);
}

// With the budget full of unread frames, a plate read in time still loses nothing: a longest
// queue gives up its oldest frame.
TEST(FrameQueue, BudgetIsTakenFromTheLongestQueues) {
    Reception r;
    const int unreadPlates = LIBPLADEX_QUEUE_BUDGET / LIBPLADEX_QUEUE_CAPACITY;
    for (int p = 0; p < unreadPlates; ++p)
        for (std::uint32_t n = 1; n <= LIBPLADEX_QUEUE_CAPACITY; ++n)
            r.feed(0x1000003Eu + (p << 8), n);
    ASSERT_EQ(r.library().queuedFrames, std::uint64_t{LIBPLADEX_QUEUE_BUDGET});

    for (std::uint32_t n = 1; n <= 20; ++n) {
        r.feed(kPlate, n);
        EXPECT_EQ(r.drain(kPlate), std::vector<std::uint32_t>{n});
    }
    EXPECT_EQ(r.reception(kPlate).overflow, 0u);
    std::uint64_t overflow = 0;
    for (int p = 0; p < unreadPlates; ++p) overflow += r.reception(0x1000003Eu + (p << 8)).overflow;
    EXPECT_EQ(overflow, 1u) << "the frame taken at once frees its place again";
    EXPECT_LE(r.library().queuedFrames, std::uint64_t{LIBPLADEX_QUEUE_BUDGET});
}

TEST(Binding, ForeignSenderIsRefusedUntilThePlateFallsSilent) {
    Reception r;
    std::vector<std::string> log;
    r.processor.log().set(
        [](const char* m, void* u) { static_cast<std::vector<std::string>*>(u)->push_back(m); },
        &log);
    r.feed(kPlate, 1);
    r.feed(kPlate, 2, kForger);              // a whole forged frame
    r.feed(kPlate, 3, kSamePlaceOtherPort);  // the same host, another socket
    r.feed(kPlate, 4);
    LibPladex_ReceptionStats s = r.reception(kPlate);
    EXPECT_EQ(s.foreign, 8u);
    EXPECT_EQ(r.library().foreign, 8u);
    EXPECT_STREQ(s.address, "192.168.1.20");
    EXPECT_EQ(s.port, 8000);
    EXPECT_EQ(r.drain(kPlate), (std::vector<std::uint32_t>{1, 4}));
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(),
              "plate 1A2B3C3E: datagram from 192.168.1.66:8000 refused, not its sender");

    // Silent for just under the limit: still refused. Then a plate that really moved re-binds.
    r.nowMs += LIBPLADEX_REBIND_SILENCE_MS - 10;
    r.feed(kPlate, 5, kForger);
    EXPECT_EQ(r.reception(kPlate).foreign, 12u);
    r.nowMs += 20;
    r.feed(kPlate, 6, kForger);
    r.feed(kPlate, 7);  // now the old sender is the foreign one
    s = r.reception(kPlate);
    EXPECT_STREQ(s.address, "192.168.1.66");
    EXPECT_EQ(s.foreign, 16u);
    EXPECT_EQ(r.drain(kPlate), std::vector<std::uint32_t>{6});
    EXPECT_EQ(log.back(),
              "plate 1A2B3C3E: datagram from 192.168.1.20:8000 refused, not its sender");
    r.devices.withRecord(kPlate, [](const pladex::DeviceRecord& record) {
        EXPECT_STREQ(record.addresses, "192.168.1.66,192.168.1.66,192.168.1.66,192.168.1.66");
    });
}

TEST(PlateLimit, RandomIdsNeverTrackMoreThanTheLimit) {
    Reception r;
    std::mt19937 random(7);
    const plate::SourceFrame frame{};
    const int datagrams = 100000;
    for (int i = 0; i < datagrams; ++i) {
        const plate::Datagram d = plate::encodeDataDatagram(
            static_cast<std::uint8_t>(random() % 4), static_cast<std::uint32_t>(random()),
            static_cast<std::uint32_t>(random()), frame);
        r.processor.process(d.data(), d.size(), kForger, r.nowMs += 0.001);
    }
    const LibPladex_LibraryStats s = r.library();
    EXPECT_EQ(s.trackedPlates, LIBPLADEX_MAX_PLATES);
    EXPECT_EQ(s.plateLimit, std::uint64_t(datagrams - LIBPLADEX_MAX_PLATES));
    EXPECT_EQ(r.devices.deviceCount(), 0);

    // The noise never completed a frame: after a few seconds of silence a real plate gets in.
    r.nowMs += LIBPLADEX_REBIND_SILENCE_MS;
    r.feed(kPlate, 1);
    EXPECT_EQ(r.library().trackedPlates, 1);
    EXPECT_EQ(r.library().forgotten, std::uint64_t{LIBPLADEX_MAX_PLATES});
    EXPECT_EQ(r.drain(kPlate), std::vector<std::uint32_t>{1});
}

TEST(Forgetting, SilentPlateIsForgottenWithItsFramesAfterAMinute) {
    Reception r;
    r.feed(kPlate, 1);
    r.feed(kPlate, 2);
    const double lastHeard = r.nowMs;
    r.processor.sweep(lastHeard + LIBPLADEX_FORGET_SILENCE_MS - 1);
    EXPECT_TRUE(r.tracked(kPlate));
    EXPECT_EQ(r.devices.deviceCount(), 1);

    // Another plate's datagram moves the clock on: the sweep runs as datagrams arrive, at most
    // once per interval.
    r.nowMs = lastHeard + LIBPLADEX_FORGET_SILENCE_MS + DatagramProcessor::kSweepIntervalMs;
    r.feed(0x0000123E, 1);
    EXPECT_FALSE(r.tracked(kPlate));
    EXPECT_FALSE(r.devices.withRecord(kPlate, [](const pladex::DeviceRecord&) {}));
    EXPECT_EQ(r.devices.deviceCount(), 1);
    EXPECT_EQ(r.library().queuedFrames, 1u) << "the forgotten plate's two frames are freed";
    EXPECT_EQ(r.library().forgotten, 1u);

    // Coming back, from anywhere, it starts afresh.
    r.feed(kPlate, 500, kForger);
    EXPECT_EQ(r.reception(kPlate).missed, 0u);
    EXPECT_STREQ(r.reception(kPlate).address, "192.168.1.66");
    EXPECT_EQ(r.drain(kPlate), std::vector<std::uint32_t>{500});
}

}  // namespace
