// plate-sim against libPladex in this process: the library's counters are exactly what the
// emulator's summary predicts, whatever faults it injected.
#include <gtest/gtest.h>

#include <map>
#include <thread>

#include "child_process.h"
#include "json_fields.h"
#include "libPladex.h"
#include "sim_arguments.h"
#include "udp_test_socket.h"

namespace {

using namespace std::chrono_literals;

struct Scenario {
    const char* name;
    const char* idBase;  // each scenario has its own devices: the library never forgets one
    bool faulty;         // the run must really lose, refuse and truncate something
    std::vector<std::string> arguments;
};

class LibraryLoopback : public ::testing::TestWithParam<Scenario> {
protected:
    // One listener per process: every scenario that runs in this process shares it.
    static void SetUpTestSuite() {
        port_ = toolstest::freeUdpPort();
        listenResult_ = LibPladex_ListenUDPPort(port_);
    }
    static inline std::uint16_t port_ = 0;
    static inline int listenResult_ = -1;
};

LibPladex_DeviceStats statsOf(const std::string& serial) {
    LibPladex_DeviceStats stats{};
    LibPladex_getStats(serial.c_str(), &stats);
    return stats;
}

TEST_P(LibraryLoopback, CountersMatchTheEmulatorsSummary) {
    ASSERT_EQ(listenResult_, 0);
    const std::string program = toolstest::toolProgram("plate-sim");
    ASSERT_NE(program, "") << "TESSALY_TOOLS_DIR must name the folder of plate-sim";
    std::vector<std::string> arguments = {"--port", std::to_string(port_), "--id-base",
                                          GetParam().idBase, "--json"};
    arguments.insert(arguments.end(), GetParam().arguments.begin(), GetParam().arguments.end());

    const std::int64_t malformedBefore = LibPladex_getMalformedCount();
    toolstest::ChildProcess sim(program, arguments);
    ASSERT_EQ(sim.waitForExit(60s), 0) << sim.standardError();
    const auto summary = toolstest::objectsBySerial(toolstest::jsonLines(sim.standardOutput()));
    ASSERT_FALSE(summary.empty()) << sim.standardOutput();

    // Loopback delivery is synchronous: once the emulator is gone, its datagrams only have
    // to be read. Wait until the receive thread has counted them all.
    std::int64_t expectedMalformed = 0;
    for (const auto& [serial, reported] : summary) {
        expectedMalformed += toolstest::jsonNumber(reported, "short");
    }
    const auto settled = [&] {
        for (const auto& [serial, reported] : summary) {
            const auto datagrams = static_cast<std::int64_t>(statsOf(serial).datagrams);
            if (datagrams < toolstest::jsonNumber(reported, "datagrams")) return false;
        }
        return LibPladex_getMalformedCount() - malformedBefore >= expectedMalformed;
    };
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (!settled() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(5ms);
    }

    for (const auto& [serial, reported] : summary) {
        SCOPED_TRACE(serial);
        const LibPladex_DeviceStats stats = statsOf(serial);
        const std::int64_t complete = toolstest::jsonNumber(reported, "complete");
        EXPECT_EQ(static_cast<std::int64_t>(stats.datagrams),
                  toolstest::jsonNumber(reported, "datagrams"));
        EXPECT_EQ(static_cast<std::int64_t>(stats.frames), complete);
        EXPECT_EQ(static_cast<std::int64_t>(stats.dropped),
                  toolstest::jsonNumber(reported, "touched") - complete);
        EXPECT_EQ(static_cast<std::int64_t>(stats.refused),
                  toolstest::jsonNumber(reported, "refused"));

        int columns = 0, rows = 0;
        EXPECT_EQ(LibPladex_getDeviceInfoBySN(serial.c_str(), &columns, &rows), 0);
        EXPECT_EQ(LibPladex_isNewFramePending(serial.c_str()), 1);

        // Every completed frame is queued once, in order; the numbers between the first and
        // the last that never completed are the frames missed.
        std::vector<std::uint32_t> numbers;
        std::vector<PressureCell> frame(LIBPLADEX_CELLS);
        LibPladex_FrameInfo info{};
        while (LibPladex_readQueuedFrameBySN(serial.c_str(), frame.data(), &info) == 1)
            numbers.push_back(info.frameNumber);
        ASSERT_EQ(static_cast<std::int64_t>(numbers.size()), complete);
        for (std::size_t k = 1; k < numbers.size(); ++k) {
            const std::uint32_t step = numbers[k] - numbers[k - 1];  // across the wrap too
            ASSERT_TRUE(step >= 1 && step < 1000) << numbers[k - 1] << " then " << numbers[k];
        }
        LibPladex_ReceptionStats reception{};
        ASSERT_EQ(LibPladex_getReceptionStats(serial.c_str(), &reception), 0);
        const std::uint32_t span = numbers.back() - numbers.front() + 1;
        EXPECT_EQ(static_cast<std::int64_t>(reception.missed), std::int64_t{span} - complete);
        EXPECT_EQ(reception.overflow, 0u);
        EXPECT_EQ(reception.foreign, 0u);
        EXPECT_EQ(reception.restarts, 0u);
    }
    EXPECT_EQ(LibPladex_getMalformedCount() - malformedBefore, expectedMalformed);

    std::int64_t incomplete = 0, refused = 0;
    for (const auto& [serial, reported] : summary) {
        incomplete +=
            toolstest::jsonNumber(reported, "frames") - toolstest::jsonNumber(reported, "complete");
        refused += toolstest::jsonNumber(reported, "refused");
    }
    if (GetParam().faulty) {
        EXPECT_GT(incomplete, 0);
        EXPECT_GT(refused, 0);
        EXPECT_GT(expectedMalformed, 0);
    } else {
        EXPECT_EQ(incomplete + refused + expectedMalformed, 0);
    }

    // The device table names the emulator's sockets as the senders.
    std::map<std::string, std::string> portsBySerial;
    for (int index = 0; index < LibPladex_getDevices(); ++index) {
        char serial[64] = {}, addresses[128] = {}, ports[128] = {};
        int columns = 0, rows = 0;
        LibPladex_getDeviceInfoByIndex(index, serial, &columns, &rows, addresses, ports);
        if (summary.count(serial) == 0) continue;
        EXPECT_EQ(std::string(addresses), "127.0.0.1,127.0.0.1,127.0.0.1,127.0.0.1");
        portsBySerial[serial] = ports;
    }
    ASSERT_EQ(portsBySerial.size(), summary.size());
    for (const auto& [serial, reported] : summary) {
        const std::string port = reported.at("port");
        EXPECT_EQ(portsBySerial[serial], port + "," + port + "," + port + "," + port);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Scenarios, LibraryLoopback,
    ::testing::Values(
        Scenario{"Clean", "0100003E", false, {"--plates", "2", "--frames", "200", "--rate", "200"}},
        Scenario{"MixedFaults", "0200003E", true,
                 toolstest::withMixedFaults({"--plates", "2", "--frames", "400", "--rate", "200",
                                             "--seed", "5"})},
        // Frame numbers wrap past 2^32 halfway through.
        Scenario{"HeavyFaultsAcrossTheFrameNumberWrap",
                 "0300003E",
                 true,
                 {"--plates", "3", "--frames", "300", "--rate", "150", "--first-frame",
                  "4294967146", "--loss", "0.05", "--reorder", "1", "--duplicate", "0.3", "--short",
                  "0.05", "--json-every", "3"}},
        // A timed run ends on a whole frame too, however lossy the rest.
        Scenario{"TimedRunWithHeavyLoss",
                 "0400003E",
                 true,
                 {"--plates", "2", "--duration", "1.5", "--rate", "200", "--loss", "0.3",
                  "--duplicate", "0.2", "--short", "0.05"}}),
    [](const ::testing::TestParamInfo<Scenario>& info) { return std::string(info.param.name); });

}  // namespace
