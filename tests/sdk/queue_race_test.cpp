// Readers taking frames while the receive thread publishes them, through the exported
// functions only. Built twice: as is, and with ThreadSanitizer (sdk.queue_race_tsan).
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "libPladex.h"
#include "loopback.h"

namespace {

using testing_support::LoopbackSender;
using testing_support::waitUntil;

constexpr std::uint32_t kPlate = 0x00BACE3E;
constexpr const char* kSerial = "00BACE3E";
constexpr std::uint32_t kFrames = 3000;

std::uint64_t statOf(std::uint64_t LibPladex_DeviceStats::*field) {
    LibPladex_DeviceStats s{};
    LibPladex_getStats(kSerial, &s);
    return s.*field;
}

// Every cell of frame n reads n, so that a frame torn between two publications shows.
bool wholeFrameOf(const std::array<PressureCell, 2500>& frame, std::uint32_t number) {
    for (const PressureCell& cell : frame)
        if (cell.value != static_cast<std::uint16_t>(number)) return false;
    return true;
}

TEST(QueueRace, ReaderDrainingWhileFramesArriveLosesNothing) {
    const int port = testing_support::freeUdpPort();
    ASSERT_EQ(LibPladex_ListenUDPPort(port), 0);
    std::atomic<bool> sent{false};

    std::vector<std::uint32_t> numbers;
    std::atomic<int> tornFrames{0};
    std::thread reader([&] {
        std::array<PressureCell, 2500> frame{};
        for (;;) {
            const bool last = sent.load();
            LibPladex_FrameInfo info{};
            if (LibPladex_readQueuedFrameBySN(kSerial, frame.data(), &info) == 1) {
                numbers.push_back(info.frameNumber);
                if (!wholeFrameOf(frame, info.frameNumber)) ++tornFrames;
            } else if (last) {
                break;
            } else {
                LibPladex_waitForQueuedFrame(5);
            }
        }
    });
    // The latest-frame interface in use at the same time, as the program uses it.
    std::thread poller([&] {
        std::array<PressureCell, 2500> frame{};
        while (!sent.load()) {
            if (LibPladex_isNewFramePending(kSerial) == 0) continue;
            int rate = 0;
            LibPladex_GetFrame(kSerial, frame.data(), &rate);
            LibPladex_resetNewFramePending(kSerial);
        }
    });

    const LoopbackSender sender(port);
    plate::SourceFrame frame{};
    for (std::uint32_t n = 1; n <= kFrames; ++n) {
        frame.fill(static_cast<std::uint16_t>(n));
        sender.sendFrame(kPlate, n, frame);
        // Paced so that the kernel's receive buffer never overflows: this is about the queue.
        if (n % 50 == 0) {
            ASSERT_TRUE(waitUntil([&] { return statOf(&LibPladex_DeviceStats::frames) >= n; }));
        }
    }
    ASSERT_TRUE(waitUntil([&] { return statOf(&LibPladex_DeviceStats::frames) == kFrames; }));
    sent.store(true);
    reader.join();
    poller.join();

    ASSERT_EQ(numbers.size(), kFrames);
    for (std::uint32_t k = 0; k < kFrames; ++k) ASSERT_EQ(numbers[k], k + 1) << "position " << k;
    EXPECT_EQ(tornFrames.load(), 0);
    LibPladex_ReceptionStats r{};
    ASSERT_EQ(LibPladex_getReceptionStats(kSerial, &r), 0);
    EXPECT_EQ(r.missed, 0u);
    EXPECT_EQ(r.overflow, 0u);
    EXPECT_EQ(r.queued, 0u);
}

}  // namespace
