// plate-sim as a program: what it sends, what it reports, how it obeys commands.
#include <gtest/gtest.h>

#include <csignal>
#include <map>
#include <regex>

#include "child_process.h"
#include "fault_plan.h"
#include "json_fields.h"
#include "standing_subject.h"
#include "udp_test_socket.h"
#include "wire_datagram.h"

namespace {

using namespace std::chrono_literals;
using toolstest::ChildProcess;
using toolstest::UdpTestSocket;

std::string plateSim() { return toolstest::toolProgram("plate-sim"); }

class PlateSimProcess : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(plateSim(), "") << "TESSALY_TOOLS_DIR must name the folder of plate-sim";
    }
    UdpTestSocket receiver;
};

// Everything one plate sent, as it arrived.
struct PlateTraffic {
    std::uint32_t deviceId = 0;
    std::map<std::uint32_t, platesim::FramePlan> frames;  // by frame number, arrival order
    std::map<std::uint32_t, plate::SourceFrame> readings;
    std::int64_t json = 0;
};

TEST_F(PlateSimProcess, SummaryAccountsForEveryDatagramOnTheWire) {
    constexpr int kFrames = 300;
    constexpr int kRate = 200;
    constexpr std::uint32_t kFirstFrame = 1000;
    ChildProcess sim(plateSim(), {"--port",        std::to_string(receiver.port()),
                                  "--plates",      "2",
                                  "--frames",      std::to_string(kFrames),
                                  "--rate",        std::to_string(kRate),
                                  "--loss",        "0.02",
                                  "--reorder",     "0.2",
                                  "--duplicate",   "0.05",
                                  "--short",       "0.02",
                                  "--json-every",  "10",
                                  "--first-frame", std::to_string(kFirstFrame),
                                  "--json"});
    std::map<std::uint16_t, PlateTraffic> traffic;
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    bool exited = false;
    while (std::chrono::steady_clock::now() < deadline) {
        const auto datagram = receiver.receive(50ms);
        if (!datagram) {
            if (exited) break;  // the program is gone and its last datagrams are read
            exited = sim.waitForExit(0ms).has_value();
            continue;
        }
        PlateTraffic& plate = traffic[datagram->sourcePort];
        const auto& bytes = datagram->bytes;
        if (toolstest::isJsonText(bytes)) {
            ++plate.json;
            continue;
        }
        ASSERT_GE(bytes.size(), 12u);
        const toolstest::DataPacket packet = toolstest::dataPacket(bytes);
        ASSERT_LT(packet.index, 4);
        ASSERT_GE(packet.frameNumber, kFirstFrame);
        ASSERT_LT(packet.frameNumber, kFirstFrame + kFrames);
        ASSERT_TRUE(plate.deviceId == 0 || plate.deviceId == packet.deviceId)
            << "one device id per socket";
        plate.deviceId = packet.deviceId;
        const bool truncated = bytes.size() != plate::kDatagramSize;
        plate.frames[packet.frameNumber].append({packet.index, truncated});
        if (!truncated) {
            auto& readings = plate.readings[packet.frameNumber];
            for (std::size_t k = 0; k < plate::kReadingsPerPacket; ++k) {
                readings[packet.index * plate::kReadingsPerPacket + k] =
                    static_cast<std::uint16_t>(bytes[12 + 2 * k] | bytes[13 + 2 * k] << 8);
            }
        }
    }
    ASSERT_EQ(sim.waitForExit(5s), 0) << sim.standardError();

    const auto summary = toolstest::objectsBySerial(toolstest::jsonLines(sim.standardOutput()));
    ASSERT_EQ(summary.size(), 2u) << sim.standardOutput();
    ASSERT_EQ(traffic.size(), 2u);
    for (const auto& [port, plate] : traffic) {
        char serial[16];
        std::snprintf(serial, sizeof serial, "%08X", plate.deviceId);
        SCOPED_TRACE(serial);
        ASSERT_EQ(summary.count(serial), 1u);
        const auto& reported = summary.at(serial);
        EXPECT_EQ(toolstest::jsonNumber(reported, "port"), port);

        platesim::PlateTally seen;
        for (const auto& [number, arrivals] : plate.frames) {
            seen.addFrame(platesim::frameOutcome(arrivals));
        }
        EXPECT_EQ(toolstest::jsonNumber(reported, "frames"), kFrames);
        EXPECT_EQ(toolstest::jsonNumber(reported, "complete"), seen.complete);
        EXPECT_EQ(toolstest::jsonNumber(reported, "touched"), seen.touched);
        EXPECT_EQ(toolstest::jsonNumber(reported, "datagrams"), seen.datagrams);
        EXPECT_EQ(toolstest::jsonNumber(reported, "refused"), seen.refused);
        EXPECT_EQ(toolstest::jsonNumber(reported, "short"), seen.truncated);
        EXPECT_EQ(toolstest::jsonNumber(reported, "json"), plate.json);
        EXPECT_EQ(plate.json, kFrames / 10);
        EXPECT_LT(seen.complete, kFrames) << "faults were asked for";

        // The last frame arrives whole, and it is the standing subject at its moment.
        const std::uint32_t last = kFirstFrame + kFrames - 1;
        ASSERT_EQ(plate.frames.at(last).count, 4);
        EXPECT_TRUE(platesim::frameOutcome(plate.frames.at(last)).complete);
        EXPECT_EQ(plate.readings.at(last),
                  platesim::standingSubjectFrame(double(kFrames - 1) / kRate,
                                                 toolstest::plateIndexOfSerial(serial)));
    }
}

// Per source port, the frame numbers and arrival times of packet 0 during `window`.
struct Arrival {
    std::uint32_t frameNumber;
    std::chrono::nanoseconds at;
};
using ArrivalsByPort = std::map<std::uint16_t, std::vector<Arrival>>;

ArrivalsByPort observe(UdpTestSocket& receiver, std::chrono::milliseconds window,
                       ArrivalsByPort& everything) {
    ArrivalsByPort seen;
    const auto end = std::chrono::steady_clock::now() + window;
    while (std::chrono::steady_clock::now() < end) {
        const auto datagram = receiver.receive(10ms);
        if (!datagram || datagram->bytes.size() != plate::kDatagramSize) continue;
        const toolstest::DataPacket packet = toolstest::dataPacket(datagram->bytes);
        if (packet.index != 0) continue;
        seen[datagram->sourcePort].push_back({packet.frameNumber, datagram->arrival});
        everything[datagram->sourcePort].push_back({packet.frameNumber, datagram->arrival});
    }
    return seen;
}

double measuredRate(const std::vector<Arrival>& arrivals) {
    if (arrivals.size() < 3) return 0.0;
    const double seconds =
        std::chrono::duration<double>(arrivals.back().at - arrivals.front().at).count();
    return (arrivals.size() - 1) / seconds;
}

// Serial -> source port, from the lines "plate 1A2B3C3E: streaming from port 54321 ...".
std::map<std::string, std::uint16_t> streamingPorts(const std::string& log) {
    static const std::regex line(R"(plate ([0-9A-F]{8}): streaming from port (\d+))");
    std::map<std::string, std::uint16_t> ports;
    for (std::sregex_iterator it(log.begin(), log.end(), line), end; it != end; ++it) {
        ports[(*it)[1]] = static_cast<std::uint16_t>(std::stoi((*it)[2]));
    }
    return ports;
}

TEST_F(PlateSimProcess, FrequencyCommandsRetimeOnlyThePlateAddressed) {
    ChildProcess sim(plateSim(), {"--port", std::to_string(receiver.port()), "--plates", "2",
                                  "--rate", "100", "--duration", "60"});
    ASSERT_TRUE(sim.waitForStderr(
        [](const std::string& log) { return streamingPorts(log).size() == 2; }, 10s));
    const auto ports = streamingPorts(sim.standardError());
    const std::uint16_t steady = ports.at("1A2B3C3E");
    const std::uint16_t retimed = ports.at("1A2B3D3E");
    ArrivalsByPort everything;

    const ArrivalsByPort before = observe(receiver, 1000ms, everything);
    EXPECT_NEAR(measuredRate(before.at(steady)), 100, 15);
    EXPECT_NEAR(measuredRate(before.at(retimed)), 100, 15);

    // The new frequency waits for the restart.
    receiver.sendTo(retimed, R"({"fscmd":"product -h  40"})");
    receiver.sendTo(retimed, R"({"fscmd":"product -s  cfg"})");
    receiver.sendTo(retimed, R"({"fscmd":"product -h  9999"})");
    receiver.sendTo(retimed, R"({"fscmd":)");
    ASSERT_TRUE(sim.waitForStderr(
        [](const std::string& log) { return log.find("no command") != std::string::npos; }, 5s));
    const ArrivalsByPort stored = observe(receiver, 700ms, everything);
    EXPECT_NEAR(measuredRate(stored.at(retimed)), 100, 15);

    receiver.sendTo(retimed, R"({"fscmd":"product -r restart"})");
    ASSERT_TRUE(sim.waitForStderr(
        [](const std::string& log) { return log.find("restarting at 40 Hz") != std::string::npos; },
        5s));
    observe(receiver, 300ms, everything);  // the restart pause
    const ArrivalsByPort after = observe(receiver, 1500ms, everything);
    EXPECT_NEAR(measuredRate(after.at(retimed)), 40, 6);
    EXPECT_NEAR(measuredRate(after.at(steady)), 100, 15);

    sim.signal(SIGTERM);
    ASSERT_EQ(sim.waitForExit(5s), 0);
    observe(receiver, 100ms, everything);  // whatever was sent before the signal

    const std::string log = sim.standardError();
    for (const char* expected : {R"(plate 1A2B3D3E: command "product -h  40")",
                                 R"(plate 1A2B3D3E: command "product -s  cfg")",
                                 R"(plate 1A2B3D3E: command "product -r restart")",
                                 R"(plate 1A2B3D3E: command "product -h  9999")",
                                 "ignored: frequency 9999 outside 1..500"}) {
        EXPECT_NE(log.find(expected), std::string::npos) << expected << "\n" << log;
    }
    EXPECT_EQ(log.find("plate 1A2B3C3E: command"), std::string::npos) << "only one plate addressed";

    // Frame numbers run on through the restart, and the summary counts every frame sent.
    for (const auto& [port, arrivals] : everything) {
        for (std::size_t i = 1; i < arrivals.size(); ++i) {
            ASSERT_EQ(arrivals[i].frameNumber, arrivals[i - 1].frameNumber + 1) << "port " << port;
        }
        const std::string serial = port == steady ? "1A2B3C3E" : "1A2B3D3E";
        const std::string summary = "plate " + serial + ": sent " +
                                    std::to_string(arrivals.back().frameNumber + 1) + " frames";
        EXPECT_NE(sim.standardOutput().find(summary), std::string::npos) << summary << "\n"
                                                                         << sim.standardOutput();
    }
}

TEST_F(PlateSimProcess, RejectsABadCommandLineWithAMessage) {
    ChildProcess sim(plateSim(), {"--rate", "9999"});
    EXPECT_EQ(sim.waitForExit(10s), 2);
    EXPECT_NE(sim.standardError().find("--rate"), std::string::npos) << sim.standardError();
    EXPECT_EQ(sim.standardOutput(), "");
}

}  // namespace
