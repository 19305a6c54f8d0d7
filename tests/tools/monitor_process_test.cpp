// pladex-monitor as a program, fed by plate-sim: the figures it reports and the frame it dumps.
#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "caller_grid.h"
#include "child_process.h"
#include "json_fields.h"
#include "sim_arguments.h"
#include "standing_subject.h"
#include "udp_test_socket.h"
#include "wire_datagram.h"

namespace {

using namespace std::chrono_literals;
using toolstest::ChildProcess;

class MonitorProcess : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(monitor, "") << "TESSALY_TOOLS_DIR must name the folder of the tools";
    }
    const std::string monitor = toolstest::toolProgram("pladex-monitor");
    const std::string plateSim = toolstest::toolProgram("plate-sim");
    const std::uint16_t port = toolstest::freeUdpPort();
};

bool listening(const std::string& log) {
    return log.find("listening on UDP port") != std::string::npos;
}

// True once a table row of every plate shows all the datagrams that plate-sim sent it.
bool tableShowsAllDatagrams(const std::string& log,
                            const std::map<std::string, std::map<std::string, std::string>>& sent) {
    // "  1A2B3C3E  127.0.0.1  54321  100  300  1200  0  0": serial, address, port, rate, frames,
    // datagrams, dropped, refused.
    static const std::regex row(R"(([0-9A-F]{8})\s+\S+\s+\d+\s+\d+\s+\d+\s+(\d+)\s+\d+\s+\d+)");
    std::map<std::string, std::int64_t> shown;
    for (std::sregex_iterator it(log.begin(), log.end(), row), end; it != end; ++it) {
        shown[(*it)[1]] = std::stoll((*it)[2]);
    }
    for (const auto& [serial, fields] : sent) {
        if (shown[serial] != std::stoll(fields.at("datagrams"))) return false;
    }
    return true;
}

toolstest::CallerGrid readCsvGrid(const std::string& path) {
    toolstest::CallerGrid grid{};
    std::ifstream in(path);
    std::string line;
    int row = 0;
    while (std::getline(in, line)) {
        EXPECT_LT(row, plate::kGridSide) << "too many lines";
        if (row >= plate::kGridSide) break;
        std::istringstream cells(line);
        std::string cell;
        int column = 0;
        while (std::getline(cells, cell, ',')) {
            EXPECT_LT(column, plate::kGridSide) << "line " << row << " too long";
            if (column >= plate::kGridSide) break;
            grid[row][column++] = std::stoi(cell);
        }
        EXPECT_EQ(column, plate::kGridSide) << "line " << row;
        ++row;
    }
    EXPECT_EQ(row, plate::kGridSide);
    return grid;
}

TEST_F(MonitorProcess, ReportsExactCountersAndDumpsTheLastFrameInTheCallersGrid) {
    constexpr int kFrames = 300;
    constexpr int kRate = 150;
    const std::string dumpPath =
        ::testing::TempDir() + "pladex_monitor_dump_" + std::to_string(port) + ".csv";
    // --seconds only bounds the run: the test stops the monitor once it has seen everything.
    ChildProcess watcher(monitor, {"--port", std::to_string(port), "--json", "--seconds", "60",
                                   "--dump-frame", dumpPath, "--serial", "1a2b3d3e"});
    ASSERT_TRUE(watcher.waitForStderr(listening, 10s)) << watcher.standardError();

    ChildProcess sim(plateSim,
                     toolstest::withMixedFaults({"--port", std::to_string(port), "--plates", "2",
                                                 "--frames", std::to_string(kFrames), "--rate",
                                                 std::to_string(kRate), "--seed", "9", "--json"}));
    ASSERT_EQ(sim.waitForExit(30s), 0) << sim.standardError();
    const auto emitted = toolstest::objectsBySerial(toolstest::jsonLines(sim.standardOutput()));
    ASSERT_TRUE(watcher.waitForStderr(
        [&](const std::string& log) { return tableShowsAllDatagrams(log, emitted); }, 20s))
        << watcher.standardError();
    watcher.signal(SIGTERM);
    ASSERT_EQ(watcher.waitForExit(10s), 0) << watcher.standardError();

    const auto lines = toolstest::jsonLines(watcher.standardOutput());
    const auto shown = toolstest::objectsBySerial(lines);
    ASSERT_EQ(emitted.size(), 2u);
    ASSERT_EQ(shown.size(), 2u) << watcher.standardOutput();
    std::int64_t truncated = 0;
    for (const auto& [serial, sent] : emitted) {
        SCOPED_TRACE(serial);
        ASSERT_EQ(shown.count(serial), 1u);
        const auto& seen = shown.at(serial);
        const std::int64_t complete = toolstest::jsonNumber(sent, "complete");
        EXPECT_EQ(toolstest::jsonNumber(seen, "frames"), complete);
        EXPECT_EQ(toolstest::jsonNumber(seen, "dropped"),
                  toolstest::jsonNumber(sent, "touched") - complete);
        EXPECT_EQ(toolstest::jsonNumber(seen, "refused"), toolstest::jsonNumber(sent, "refused"));
        EXPECT_EQ(toolstest::jsonNumber(seen, "datagrams"),
                  toolstest::jsonNumber(sent, "datagrams"));
        // The first and the last frame arrive whole: every other incomplete one was missed.
        EXPECT_EQ(toolstest::jsonNumber(seen, "missed"),
                  toolstest::jsonNumber(sent, "frames") - complete);
        EXPECT_EQ(toolstest::jsonNumber(seen, "overflow"), 0);
        EXPECT_EQ(toolstest::jsonNumber(seen, "foreign"), 0);
        EXPECT_EQ(toolstest::jsonNumber(seen, "port"), toolstest::jsonNumber(sent, "port"));
        EXPECT_EQ(seen.at("address"), "127.0.0.1");
        EXPECT_GT(toolstest::jsonNumber(seen, "rate"), 0);
        truncated += toolstest::jsonNumber(sent, "short");
    }
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(toolstest::jsonNumber(toolstest::jsonFields(lines.back()), "malformed"), truncated);
    // While it ran, the once-a-second table went to stderr.
    EXPECT_NE(watcher.standardError().find("1A2B3D3E  127.0.0.1"), std::string::npos)
        << watcher.standardError();

    const toolstest::CallerGrid expected = toolstest::callerGrid(platesim::standingSubjectFrame(
        double(kFrames - 1) / kRate, toolstest::plateIndexOfSerial("1A2B3D3E")));
    EXPECT_EQ(readCsvGrid(dumpPath), expected);
    std::remove(dumpPath.c_str());
}

TEST_F(MonitorProcess, FailsClearlyWhenThePortIsTaken) {
    const toolstest::UdpTestSocket occupant;
    ChildProcess watcher(monitor, {"--port", std::to_string(occupant.port()), "--seconds", "1"});
    EXPECT_EQ(watcher.waitForExit(10s), 1);
    EXPECT_NE(watcher.standardError().find("cannot listen on UDP port " +
                                           std::to_string(occupant.port())),
              std::string::npos)
        << watcher.standardError();
}

struct BadMonitorCommandLine {
    std::vector<std::string> arguments;
    const char* mentioned;
};

class MonitorOptionErrors : public ::testing::TestWithParam<BadMonitorCommandLine> {};

TEST_P(MonitorOptionErrors, ExitWithAMessageNamingTheOption) {
    const std::string monitor = toolstest::toolProgram("pladex-monitor");
    ASSERT_NE(monitor, "");
    ChildProcess watcher(monitor, GetParam().arguments);
    EXPECT_EQ(watcher.waitForExit(10s), 2);
    EXPECT_NE(watcher.standardError().find(GetParam().mentioned), std::string::npos)
        << watcher.standardError();
}

INSTANTIATE_TEST_SUITE_P(CommandLines, MonitorOptionErrors,
                         ::testing::Values(BadMonitorCommandLine{{"--port", "0"}, "--port"},
                                           BadMonitorCommandLine{{"--port", "70000"}, "--port"},
                                           BadMonitorCommandLine{{"--seconds", "-1"}, "--seconds"},
                                           BadMonitorCommandLine{{"--seconds", "soon"},
                                                                 "--seconds"},
                                           BadMonitorCommandLine{{"--dump-frame"}, "--dump-frame"},
                                           BadMonitorCommandLine{{"--verbose"}, "--verbose"}));

}  // namespace
