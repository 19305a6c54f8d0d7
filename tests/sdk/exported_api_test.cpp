// The library as a program sees it: only the exported functions, data over real loopback UDP.
// The library is one per process, so the lifecycle test runs first and the others reuse the
// listening socket it leaves behind.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <time.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "libPladex.h"
#include "loopback.h"

namespace {

using testing_support::freeUdpPort;
using testing_support::LoopbackSender;
using testing_support::waitUntil;

int g_port = 0;  // the port the library listens on after the lifecycle test

// A socket holding a UDP port, as another process would.
struct PortHolder {
    int fd;
    int port;
    PortHolder() : fd(::socket(AF_INET, SOCK_DGRAM, 0)), port(0) {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        socklen_t length = sizeof a;
        ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &length);
        port = ntohs(a.sin_port);
    }
    ~PortHolder() { ::close(fd); }
};

plate::SourceFrame frameWithValueAt(int row, int column, std::uint16_t value) {
    plate::SourceFrame f{};
    f[50 * row + column] = value;
    return f;
}

std::string serialOf(std::uint32_t id) {
    char text[16];
    std::snprintf(text, sizeof text, "%08X", id);
    return text;
}

// Threads of this process, as the kernel lists them.
int threadCount() {
    const std::filesystem::directory_iterator tasks("/proc/self/task");
    return static_cast<int>(std::distance(begin(tasks), end(tasks)));
}

bool framesCompleted(const std::string& serial, std::uint64_t atLeast) {
    LibPladex_DeviceStats s{};
    return LibPladex_getStats(serial.c_str(), &s) == 0 && s.frames >= atLeast;
}

TEST(ExportedApi, ListenCloseAndListenAgain) {
    EXPECT_EQ(LibPladex_CloseUDPPort(), -1) << "not listening yet";
    EXPECT_EQ(LibPladex_getReceiveBufferSize(), -1);

    {
        PortHolder taken;
        testing::internal::CaptureStdout();
        EXPECT_EQ(LibPladex_ListenUDPPort(taken.port), -1);
        EXPECT_EQ(testing::internal::GetCapturedStdout(),
                  "Error occurs when binding socket on port " + std::to_string(taken.port) +
                      " ...... \r\nnetstat -ano | findstr 10001 \r\n");
    }

    g_port = freeUdpPort();
    ASSERT_EQ(LibPladex_ListenUDPPort(g_port), 0);
    EXPECT_GE(LibPladex_getReceiveBufferSize(), 32768);
    const int otherPort = freeUdpPort();
    EXPECT_EQ(LibPladex_ListenUDPPort(otherPort), 0) << "already listening";

    // The first port stays bound: a frame sent there arrives.
    const std::uint32_t id = 0x0A0B0C3E;
    LoopbackSender sender(g_port);
    sender.sendFrame(id, 1, plate::SourceFrame{});
    ASSERT_TRUE(waitUntil([&] { return framesCompleted(serialOf(id), 1); }));

    EXPECT_EQ(LibPladex_CloseUDPPort(), 0);
    EXPECT_EQ(LibPladex_CloseUDPPort(), -1);

    {
        PortHolder taken;
        testing::internal::CaptureStdout();
        EXPECT_EQ(LibPladex_ListenUDPPort(taken.port), -2);
        const std::string p = std::to_string(taken.port);
        EXPECT_EQ(testing::internal::GetCapturedStdout(),
                  "Bind local port " + p + " failed!\r\nPort " + p + " is occupied!\r\n");
    }

    // Listening again on the same port: the same thread reads again, devices are kept.
    ASSERT_EQ(LibPladex_ListenUDPPort(g_port), 0);
    EXPECT_GE(LibPladex_getDevices(), 1);
    sender.sendFrame(id, 2, plate::SourceFrame{});
    EXPECT_TRUE(waitUntil([&] { return framesCompleted(serialOf(id), 2); }));
}

TEST(ExportedApi, DeviceInfoAndSerialLookup) {
    ASSERT_EQ(LibPladex_ListenUDPPort(g_port), 0);
    const std::uint32_t id = 0x00ABCD3E;
    LoopbackSender sender(g_port);
    sender.sendFrame(id, 1, plate::SourceFrame{});
    ASSERT_TRUE(waitUntil([&] { return LibPladex_isNewFramePending("00ABCD3E") == 1; }));

    const int count = LibPladex_getDevices();
    bool listed = false;
    for (int index = 0; index < count; ++index) {
        char serial[64] = {}, addresses[128] = {}, ports[128] = {};
        int columns = 0, rows = 0;
        EXPECT_EQ(LibPladex_getDeviceInfoByIndex(index, serial, &columns, &rows, addresses, ports),
                  0);
        if (std::string(serial) != "00ABCD3E") continue;
        listed = true;
        EXPECT_EQ(columns, 50);
        EXPECT_EQ(rows, 50);
        EXPECT_STREQ(addresses, "127.0.0.1,127.0.0.1,127.0.0.1,127.0.0.1");
        const std::string port = std::to_string(sender.localPort());
        EXPECT_EQ(std::string(ports), port + "," + port + "," + port + "," + port);
    }
    EXPECT_TRUE(listed);

    // Outside the table: result 0, buffers untouched.
    char serial[64], addresses[128], ports[128];
    std::memset(serial, 'x', sizeof serial);
    std::memset(addresses, 'x', sizeof addresses);
    std::memset(ports, 'x', sizeof ports);
    int columns = -7, rows = -7;
    for (int index : {count, count + 5, -1}) {
        EXPECT_EQ(LibPladex_getDeviceInfoByIndex(index, serial, &columns, &rows, addresses, ports),
                  0);
        EXPECT_EQ(serial[0], 'x');
        EXPECT_EQ(addresses[127], 'x');
        EXPECT_EQ(ports[0], 'x');
        EXPECT_EQ(columns, -7);
        EXPECT_EQ(rows, -7);
    }

    struct Lookup {
        const char* serial;
        int found;
    };
    const Lookup lookups[] = {{"00ABCD3E", 0},    {"00abcd3e", 0}, {"abcd3e", 0},
                              {"00ABCD3E-x", 0},  {"", -1},        {" 00ABCD3E", -1},
                              {"0x00ABCD3E", -1}, {nullptr, -1},   {"100ABCD3E", -1}};
    for (const Lookup& l : lookups) {
        int c = 0, r = 0;
        EXPECT_EQ(LibPladex_getDeviceInfoBySN(l.serial, &c, &r), l.found)
            << (l.serial ? l.serial : "null");
    }
}

// Caller's cell (i, j) holds the plate's cell (j, 49 - i); the cell keeps the plate's indices.
TEST(ExportedApi, FrameIsTurnedAQuarterCounterClockwise) {
    ASSERT_EQ(LibPladex_ListenUDPPort(g_port), 0);
    const std::uint32_t id = 0x00FACE3E;
    const std::string serial = serialOf(id);
    LoopbackSender sender(g_port);

    struct Placement {
        int sourceRow, sourceColumn, callerRow, callerColumn;
    };
    const Placement placements[] = {
        {0, 49, 0, 0}, {0, 0, 49, 0}, {49, 0, 49, 49}, {10, 20, 29, 10}};
    std::uint32_t frameNumber = 1;
    for (const Placement& p : placements) {
        sender.sendFrame(id, frameNumber, frameWithValueAt(p.sourceRow, p.sourceColumn, 4321));
        ASSERT_TRUE(waitUntil([&] { return framesCompleted(serial, frameNumber); }));
        ++frameNumber;
        std::array<PressureCell, 2500> frame{};
        int rate = -1;
        ASSERT_EQ(LibPladex_GetFrame(serial.c_str(), frame.data(), &rate), 0);
        const PressureCell& cell = frame[50 * p.callerRow + p.callerColumn];
        EXPECT_EQ(cell.value, 4321);
        EXPECT_EQ(cell.row, p.sourceRow);
        EXPECT_EQ(cell.column, p.sourceColumn);
        EXPECT_EQ(cell.reserved, 0.0f);
        EXPECT_GT(rate, 0);
    }
    std::array<PressureCell, 2500> untouched{};
    int rate = -5;
    EXPECT_EQ(LibPladex_GetFrame("DEADBE3E", untouched.data(), &rate), -1);
    EXPECT_EQ(rate, -5);
}

TEST(ExportedApi, PendingFlagProtocol) {
    ASSERT_EQ(LibPladex_ListenUDPPort(g_port), 0);
    const std::uint32_t id = 0x0BEEF03E;
    const std::string serial = serialOf(id);
    LoopbackSender sender(g_port);

    EXPECT_EQ(LibPladex_isNewFramePending(serial.c_str()), 0) << "unknown device";
    EXPECT_EQ(LibPladex_resetNewFramePending(serial.c_str()), 0) << "unknown device";
    sender.sendFrame(id, 1, plate::SourceFrame{});
    ASSERT_TRUE(waitUntil([&] { return LibPladex_isNewFramePending(serial.c_str()) == 1; }));

    std::array<PressureCell, 2500> frame{};
    int rate = 0;
    ASSERT_EQ(LibPladex_GetFrame(serial.c_str(), frame.data(), &rate), 0);
    EXPECT_EQ(LibPladex_isNewFramePending(serial.c_str()), 1) << "reading does not take the flag";
    EXPECT_EQ(LibPladex_resetNewFramePending(serial.c_str()), 1);
    EXPECT_EQ(LibPladex_isNewFramePending(serial.c_str()), 0);

    sender.sendFrame(id, 2, plate::SourceFrame{});
    EXPECT_TRUE(waitUntil([&] { return LibPladex_isNewFramePending(serial.c_str()) == 1; }));
}

TEST(ExportedApi, StatsVersionAndCallback) {
    EXPECT_EQ(LibPladex_getVersion(), 0x90500);
    int marker = 0;
    EXPECT_EQ(LibPladexNewFrameCB_Regist(&marker), &marker);
    EXPECT_EQ(LibPladexNewFrameCB_Regist(nullptr), nullptr);

    ASSERT_EQ(LibPladex_ListenUDPPort(g_port), 0);
    const std::uint32_t id = 0x00C0FF3E;
    const std::string serial = serialOf(id);
    LoopbackSender sender(g_port);
    const std::int64_t malformedBefore = LibPladex_getMalformedCount();
    sender.send("{\"fsreply\":\"ok\"}", 16);
    sender.send("short", 5);
    const plate::SourceFrame frame{};
    for (std::uint8_t index : {0, 1, 1, 2, 3})
        sender.send(plate::encodeDataDatagram(index, id, 1, frame));
    sender.sendFrame(id, 2, frame);

    LibPladex_DeviceStats s{};
    ASSERT_TRUE(
        waitUntil([&] { return LibPladex_getStats(serial.c_str(), &s) == 0 && s.frames == 1; }));
    EXPECT_EQ(s.datagrams, 9u);
    EXPECT_EQ(s.dropped, 1u);
    EXPECT_EQ(s.refused, 1u);
    EXPECT_EQ(LibPladex_getMalformedCount() - malformedBefore, 1);
    EXPECT_EQ(LibPladex_getStats(serial.c_str(), nullptr), -2);
    EXPECT_EQ(LibPladex_getStats("FFFFFF3E", &s), -1);
}

std::int64_t monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

// Frames queue beside the latest frame: each is taken once, in order, in the caller's grid,
// with the plate's frame number and its receive time; gaps are counted, not restarts.
TEST(ExportedApi, QueuedFramesInOrderWithNumbersAndTimes) {
    ASSERT_EQ(LibPladex_ListenUDPPort(g_port), 0);
    const std::uint32_t id = 0x00A11E3E;
    const std::string serial = serialOf(id);
    LoopbackSender sender(g_port);
    const std::int64_t before = monotonicNs();
    const std::uint32_t numbers[] = {70000, 70001, 70004, 3, 4};  // a gap, then a restart
    for (std::uint32_t n : numbers) {
        sender.sendFrame(id, n, frameWithValueAt(0, 49, static_cast<std::uint16_t>(n)));
    }
    ASSERT_TRUE(waitUntil([&] { return framesCompleted(serial, 5); }));
    const std::int64_t after = monotonicNs();

    LibPladex_ReceptionStats r{};
    ASSERT_EQ(LibPladex_getReceptionStats(serial.c_str(), &r), 0);
    EXPECT_EQ(r.queued, 5u);
    EXPECT_EQ(r.missed, 2u);
    EXPECT_EQ(r.restarts, 1u);
    EXPECT_EQ(r.overflow, 0u);
    EXPECT_EQ(r.foreign, 0u);
    EXPECT_STREQ(r.address, "127.0.0.1");
    EXPECT_EQ(r.port, sender.localPort());

    // The first through the index of the device list, the rest through the serial.
    int index = -1;
    for (int i = 0; i < LibPladex_getDevices(); ++i) {
        char listed[64] = {};
        LibPladex_getDeviceInfoByIndex(i, listed, nullptr, nullptr, nullptr, nullptr);
        if (serial == listed) index = i;
    }
    ASSERT_GE(index, 0);
    std::array<PressureCell, 2500> frame{};
    std::int64_t previousNs = before;
    for (std::size_t k = 0; k < 5; ++k) {
        LibPladex_FrameInfo info{};
        ASSERT_EQ(k == 0 ? LibPladex_readQueuedFrameByIndex(index, frame.data(), &info)
                         : LibPladex_readQueuedFrameBySN(serial.c_str(), frame.data(), &info),
                  1);
        EXPECT_EQ(info.frameNumber, numbers[k]);
        EXPECT_EQ(frame[0].value, static_cast<std::uint16_t>(numbers[k])) << "plate cell (0, 49)";
        EXPECT_EQ(frame[0].column, 49);
        EXPECT_GE(info.receivedNs, previousNs);
        EXPECT_LE(info.receivedNs, after);
        EXPECT_GT(info.frameRate, 0);
        previousNs = info.receivedNs;
    }
    EXPECT_EQ(LibPladex_readQueuedFrameBySN(serial.c_str(), frame.data(), nullptr), 0);
    EXPECT_EQ(LibPladex_isNewFramePending(serial.c_str()), 1) << "the latest frame is apart";

    struct Failure {
        const char* name;
        int result, expected;
    };
    LibPladex_FrameInfo info{};
    const Failure failures[] = {
        {"unknown serial", LibPladex_readQueuedFrameBySN("DEADBE3E", frame.data(), &info), -1},
        {"bad serial", LibPladex_readQueuedFrameBySN(nullptr, frame.data(), &info), -1},
        {"index beyond",
         LibPladex_readQueuedFrameByIndex(LibPladex_getDevices(), frame.data(), &info), -1},
        {"negative index", LibPladex_readQueuedFrameByIndex(-1, frame.data(), &info), -1},
        {"null frame", LibPladex_readQueuedFrameBySN(serial.c_str(), nullptr, &info), -2},
        {"null frame by index", LibPladex_readQueuedFrameByIndex(index, nullptr, &info), -2},
        {"reception of unknown", LibPladex_getReceptionStats("DEADBE3E", &r), -1},
        {"null reception", LibPladex_getReceptionStats(serial.c_str(), nullptr), -2},
        {"null library stats", LibPladex_getLibraryStats(nullptr), -2},
        {"bad listen address", LibPladex_ListenUDPAddress("localhost", g_port), -3},
    };
    for (const Failure& f : failures) EXPECT_EQ(f.result, f.expected) << f.name;

    LibPladex_LibraryStats library{};
    ASSERT_EQ(LibPladex_getLibraryStats(&library), 0);
    EXPECT_GE(library.trackedPlates, LibPladex_getDevices());
    EXPECT_LE(library.trackedPlates, LIBPLADEX_MAX_PLATES);
    EXPECT_GE(library.datagrams, 20u);
}

TEST(ExportedApi, LogCallbackReceivesTheReceiveThreadsDiagnostics) {
    ASSERT_EQ(LibPladex_ListenUDPPort(g_port), 0);
    struct Collected {
        std::mutex mutex;
        std::vector<std::string> lines;
    } collected;
    LibPladex_setLogCallback(
        [](const char* message, void* user) {
            auto* c = static_cast<Collected*>(user);
            std::lock_guard<std::mutex> lock(c->mutex);
            c->lines.push_back(message);
        },
        &collected);
    const std::uint32_t id = 0x00D0063E;
    LoopbackSender sender(g_port);
    testing::internal::CaptureStdout();
    for (std::uint8_t index : {0, 1, 2}) {
        sender.send(plate::encodeDataDatagram(index, id, 1, plate::SourceFrame{}));
    }
    sender.sendFrame(id, 2, plate::SourceFrame{});
    ASSERT_TRUE(waitUntil([&] { return framesCompleted(serialOf(id), 1); }));
    LibPladex_setLogCallback(nullptr, nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    std::lock_guard<std::mutex> lock(collected.mutex);
    EXPECT_EQ(collected.lines,
              std::vector<std::string>{"plate 00D0063E frame 1 dropped unfinished, overtaken by "
                                       "frame 2"});
}

// A program ending in order stops the receive thread, listening or paused; the library can
// listen again afterwards and keeps its devices.
TEST(ExportedApi, StopReceivingJoinsTheReceiveThread) {
    ASSERT_EQ(LibPladex_ListenUDPPort(g_port), 0);
    const int listening = threadCount();
    const std::uint32_t id = 0x00E0073E;
    LoopbackSender sender(g_port);
    sender.sendFrame(id, 1, plate::SourceFrame{});
    ASSERT_TRUE(waitUntil([&] { return framesCompleted(serialOf(id), 1); }));

    EXPECT_EQ(LibPladex_StopReceiving(), 0);
    EXPECT_EQ(threadCount(), listening - 1);
    EXPECT_EQ(LibPladex_StopReceiving(), -1) << "no thread left";
    EXPECT_EQ(LibPladex_CloseUDPPort(), -1) << "not listening";
    EXPECT_GE(LibPladex_getDevices(), 1);

    ASSERT_EQ(LibPladex_ListenUDPPort(g_port), 0);
    EXPECT_EQ(threadCount(), listening);
    sender.sendFrame(id, 2, plate::SourceFrame{});
    EXPECT_TRUE(waitUntil([&] { return framesCompleted(serialOf(id), 2); }));

    ASSERT_EQ(LibPladex_CloseUDPPort(), 0);
    EXPECT_EQ(LibPladex_StopReceiving(), 0) << "a paused thread ends too";
    EXPECT_EQ(threadCount(), listening - 1);
}

}  // namespace
