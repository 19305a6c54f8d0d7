// The library under a hostile network, through the exported functions only: forged datagrams
// with a real plate's id and floods of made-up ids. A process of its own, since a flood fills
// the library's plate table for a few seconds.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "libPladex.h"
#include "loopback.h"

namespace {

using testing_support::LoopbackSender;
using testing_support::waitUntil;

constexpr std::uint32_t kPlate = 0x00F1A73E;
constexpr const char* kSerial = "00F1A73E";

class HostileNetwork : public testing::Test {
protected:
    static void SetUpTestSuite() {
        port_ = testing_support::freeUdpPort();
        listenResult_ = LibPladex_ListenUDPAddress("127.0.0.1", port_);
    }
    void SetUp() override { ASSERT_EQ(listenResult_, 0); }

    static inline int port_ = 0;
    static inline int listenResult_ = -1;
};

LibPladex_LibraryStats libraryStats() {
    LibPladex_LibraryStats s{};
    LibPladex_getLibraryStats(&s);
    return s;
}

LibPladex_ReceptionStats receptionOf(const char* serial) {
    LibPladex_ReceptionStats s{};
    LibPladex_getReceptionStats(serial, &s);
    return s;
}

std::uint64_t framesOf(const char* serial) {
    LibPladex_DeviceStats s{};
    LibPladex_getStats(serial, &s);
    return s.frames;
}

plate::SourceFrame filledWith(std::uint16_t value) {
    plate::SourceFrame f{};
    f.fill(value);
    return f;
}

long residentBytes() {
    long pages = 0, resident = 0;
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (statm) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(statm);
    }
    return resident * sysconf(_SC_PAGESIZE);
}

// A whole forged frame, and forged packets mixed into a real frame, from a second socket with
// the real plate's id: refused and counted, never queued, never shown.
TEST_F(HostileNetwork, ForgedDatagramsFromASecondSocketAreRefused) {
    const LoopbackSender plateSocket(port_);
    const LoopbackSender forger(port_);
    plateSocket.sendFrame(kPlate, 1, filledWith(1));
    ASSERT_TRUE(waitUntil([] { return framesOf(kSerial) == 1; }));

    forger.sendFrame(kPlate, 2, filledWith(666));
    for (std::uint8_t index : {0, 1})
        forger.send(plate::encodeDataDatagram(index, kPlate, 3, filledWith(666)));
    plateSocket.sendFrame(kPlate, 3, filledWith(3));
    ASSERT_TRUE(waitUntil([] { return framesOf(kSerial) == 2; }));

    const LibPladex_ReceptionStats r = receptionOf(kSerial);
    EXPECT_EQ(r.foreign, 6u);
    EXPECT_EQ(r.missed, 1u) << "frame 2 never came from the plate";
    EXPECT_EQ(r.port, plateSocket.localPort());
    EXPECT_GE(libraryStats().foreign, 6u);
    std::array<PressureCell, 2500> frame{};
    for (std::uint32_t expected : {1u, 3u}) {
        LibPladex_FrameInfo info{};
        ASSERT_EQ(LibPladex_readQueuedFrameBySN(kSerial, frame.data(), &info), 1);
        EXPECT_EQ(info.frameNumber, expected);
        EXPECT_EQ(frame[1234].value, static_cast<int>(expected));
    }
    EXPECT_EQ(LibPladex_readQueuedFrameBySN(kSerial, frame.data(), nullptr), 0);
    EXPECT_EQ(LibPladex_waitForQueuedFrame(20), 0) << "every queue is empty";
    plateSocket.sendFrame(kPlate, 4, filledWith(4));
    EXPECT_EQ(LibPladex_waitForQueuedFrame(5000), 1);
    ASSERT_EQ(LibPladex_readQueuedFrameBySN(kSerial, frame.data(), nullptr), 1);
    int rate = 0;
    ASSERT_EQ(LibPladex_GetFrame(kSerial, frame.data(), &rate), 0);
    EXPECT_EQ(frame[0].value, 4);

    // Commands to the plate go to the listed sender: the plate's own socket.
    char serial[64] = {}, addresses[128] = {}, ports[128] = {};
    ASSERT_EQ(LibPladex_getDevices(), 1);
    LibPladex_getDeviceInfoByIndex(0, serial, nullptr, nullptr, addresses, ports);
    const std::string port = std::to_string(plateSocket.localPort());
    EXPECT_EQ(std::string(ports), port + "," + port + "," + port + "," + port);
}

// 100,000 full-size datagrams, each with another made-up id: the library tracks at most its
// limit of plates, refuses and counts the rest, its memory stays put, and once the flood stops
// a real plate gets in again within seconds.
TEST_F(HostileNetwork, FloodOfMadeUpIdsLeavesMemoryBounded) {
    const LoopbackSender attacker(port_);
    const LibPladex_LibraryStats before = libraryStats();
    const long residentBefore = residentBytes();
    const plate::SourceFrame frame{};
    const std::uint32_t datagrams = 100000;
    std::uint32_t sent = 0;
    for (std::uint32_t i = 1; i <= datagrams; ++i) {
        // Distinct ids: multiplying by an odd number permutes the 24 upper bits.
        const std::uint32_t id = ((i * 2654435761u) << 8) | 0x3E;
        if (id == kPlate) continue;
        attacker.send(plate::encodeDataDatagram(static_cast<std::uint8_t>(i % 4), id, i, frame));
        // Paced, so that the kernel drops nothing and every datagram reaches the library.
        if (++sent % 100 == 0) {
            ASSERT_TRUE(
                waitUntil([&] { return libraryStats().datagrams - before.datagrams >= sent; }));
        }
    }
    ASSERT_TRUE(waitUntil([&] { return libraryStats().datagrams - before.datagrams >= sent; }));
    const LibPladex_LibraryStats after = libraryStats();
    const long growth = residentBytes() - residentBefore;
    std::printf(
        "flood: %u datagrams, %d plates tracked, %llu refused at the limit, %llu "
        "forgotten, resident memory grew by %ld KB\n",
        sent, after.trackedPlates,
        static_cast<unsigned long long>(after.plateLimit - before.plateLimit),
        static_cast<unsigned long long>(after.forgotten - before.forgotten), growth / 1024);

    EXPECT_LE(after.trackedPlates, LIBPLADEX_MAX_PLATES);
    // Every made-up id was either refused at the limit or tracked, and then maybe forgotten.
    const std::uint64_t admitted = static_cast<std::uint64_t>(after.trackedPlates) -
                                   static_cast<std::uint64_t>(before.trackedPlates) +
                                   (after.forgotten - before.forgotten);
    EXPECT_EQ(after.plateLimit - before.plateLimit + admitted, sent);
    EXPECT_GT(after.plateLimit - before.plateLimit, sent / 2);
    EXPECT_LT(growth, 32L << 20) << "each made-up id once cost a 44 KB assembler";

    // The noise completed no frame: it is forgotten after a few seconds of silence.
    const LoopbackSender newcomer(port_);
    std::uint32_t number = 0;
    EXPECT_TRUE(waitUntil(
        [&] {
            newcomer.sendFrame(0x00C0DE3E, ++number, frame);
            return receptionOf("00C0DE3E").queued > 0;
        },
        std::chrono::seconds(10)));
}

}  // namespace
