// Frame assembly rules, driven through the datagram entry of the receive thread.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "datagram_processor.h"
#include "device_table.h"
#include "plate_datagram.h"

namespace {

using pladex::DatagramProcessor;
using pladex::DeviceRecord;
using pladex::DeviceTable;

constexpr std::uint32_t kPlateA = 0x1A2B3C3E;
constexpr std::uint32_t kPlateB = 0x0000123E;
const pladex::SenderAddress kSender{{192, 168, 1, 20}, 8000};

// Readings that tell every cell apart: cell k of the plate's grid reads k + 1.
plate::SourceFrame numberedFrame() {
    plate::SourceFrame f{};
    for (int k = 0; k < plate::kCellsPerFrame; ++k) f[k] = static_cast<std::uint16_t>(k + 1);
    return f;
}

// All four packets of one frame, in index order, arriving at `atMs`.
void feedFrame(DatagramProcessor& processor, std::uint32_t deviceId, std::uint32_t frameNumber,
               const plate::SourceFrame& frame, double atMs) {
    for (std::uint8_t i = 0; i < plate::kPacketsPerFrame; ++i) {
        const plate::Datagram d = plate::encodeDataDatagram(i, deviceId, frameNumber, frame);
        processor.process(d.data(), d.size(), kSender, atMs);
    }
}

struct Packet {
    std::uint8_t index;
    std::uint32_t frameNumber;
    std::uint32_t deviceId = kPlateA;
};

struct Counts {
    std::uint64_t frames, dropped, refused;
};

struct AssemblyCase {
    std::string name;
    std::vector<Packet> packets;
    Counts plateA;
    std::vector<std::string> log;  // diagnostics to the log callback, in order
};

// Collects the log callback's lines.
struct LogLines {
    std::vector<std::string> lines;
    static void collect(const char* message, void* user) {
        static_cast<LogLines*>(user)->lines.push_back(message);
    }
};

void PrintTo(const AssemblyCase& c, std::ostream* os) { *os << c.name; }

class FrameAssembly : public testing::TestWithParam<AssemblyCase> {};

TEST_P(FrameAssembly, CountsFramesDropsAndRefusals) {
    const AssemblyCase& c = GetParam();
    DeviceTable devices;
    DatagramProcessor processor(devices);
    LogLines log;
    processor.log().set(&LogLines::collect, &log);
    const plate::SourceFrame frame = numberedFrame();

    testing::internal::CaptureStdout();
    double now = 1e6;
    for (const Packet& p : c.packets) {
        const plate::Datagram d =
            plate::encodeDataDatagram(p.index, p.deviceId, p.frameNumber, frame);
        processor.process(d.data(), d.size(), kSender, now += 1);
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "the receive thread never prints";
    EXPECT_EQ(log.lines, c.log);

    LibPladex_DeviceStats s{};
    ASSERT_TRUE(devices.stats(kPlateA, s));
    std::uint64_t packetsOfA = 0;
    for (const Packet& p : c.packets) packetsOfA += (p.deviceId >> 8) == (kPlateA >> 8);
    EXPECT_EQ(s.datagrams, packetsOfA);
    EXPECT_EQ(s.frames, c.plateA.frames);
    EXPECT_EQ(s.dropped, c.plateA.dropped);
    EXPECT_EQ(s.refused, c.plateA.refused);
    EXPECT_EQ(devices.deviceCount() > 0, c.plateA.frames > 0);

    // Whatever the arrival order, a completed frame holds the plate's readings in place.
    if (c.plateA.frames > 0) {
        ASSERT_TRUE(devices.withRecord(kPlateA, [&](const DeviceRecord& r) {
            for (int k = 0; k < plate::kCellsPerFrame; ++k) {
                ASSERT_EQ(r.cells[k].value, k + 1) << "cell " << k;
                ASSERT_EQ(r.cells[k].row, k / 50);
                ASSERT_EQ(r.cells[k].column, k % 50);
            }
        }));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, FrameAssembly,
    testing::Values(
        AssemblyCase{"in_order", {{0, 7}, {1, 7}, {2, 7}, {3, 7}}, {1, 0, 0}, {}},
        AssemblyCase{"out_of_order", {{1, 7}, {0, 7}, {3, 7}, {2, 7}}, {1, 0, 0}, {}},
        AssemblyCase{"duplicated_index_fills_a_slot",
                     {{2, 7}, {2, 7}, {0, 7}, {1, 7}, {3, 7}},
                     {0, 0, 1},
                     {"plate 1A2B3C3E frame 7: packet 3 refused, no free slot"}},
        AssemblyCase{"overtaken_frame_is_dropped",
                     {{0, 7}, {1, 7}, {2, 7}, {0, 8}, {1, 8}, {2, 8}, {3, 8}},
                     {1, 1, 0},
                     {"plate 1A2B3C3E frame 7 dropped unfinished, overtaken by frame 8"}},
        AssemblyCase{"refused_then_overtaken",
                     {{0, 7}, {0, 7}, {1, 7}, {2, 7}, {3, 7}, {0, 9}, {1, 9}, {2, 9}, {3, 9}},
                     {1, 1, 1},
                     {"plate 1A2B3C3E frame 7: packet 3 refused, no free slot",
                      "plate 1A2B3C3E frame 7 dropped unfinished, overtaken by frame 9"}},
        AssemblyCase{"index_beyond_three_never_completes",
                     {{0, 7}, {1, 7}, {2, 7}, {4, 7}, {3, 7}, {0, 8}},
                     {0, 1, 1},
                     {"plate 1A2B3C3E frame 7: packet 3 refused, no free slot",
                      "plate 1A2B3C3E frame 7 dropped unfinished, overtaken by frame 8"}},
        AssemblyCase{"two_plates_interleaved",
                     {{0, 7},
                      {0, 3, kPlateB},
                      {1, 7},
                      {1, 3, kPlateB},
                      {2, 3, kPlateB},
                      {2, 7},
                      {3, 7},
                      {3, 3, kPlateB}},
                     {1, 0, 0},
                     {}},
        AssemblyCase{"lowest_id_byte_is_ignored",
                     {{0, 7, 0x1A2B3C00}, {1, 7, 0x1A2B3CFF}, {2, 7}, {3, 7, 0x1A2B3C01}},
                     {1, 0, 0},
                     {}}),
    [](const testing::TestParamInfo<AssemblyCase>& info) { return info.param.name; });

TEST(FrameAssemblyPublication, RecordCarriesSerialSendersAndPendingFlag) {
    DeviceTable devices;
    DatagramProcessor processor(devices);
    const plate::SourceFrame frame = numberedFrame();
    feedFrame(processor, kPlateB, 1, frame, 5000);
    ASSERT_EQ(devices.deviceCount(), 1);
    devices.withRecordAt(0, [](const DeviceRecord& r) {
        EXPECT_STREQ(r.serial, "0000123E");
        EXPECT_EQ(r.serialLength, 8);
        EXPECT_STREQ(r.addresses, "192.168.1.20,192.168.1.20,192.168.1.20,192.168.1.20");
        EXPECT_STREQ(r.ports, "8000,8000,8000,8000");
        EXPECT_EQ(r.newFramePending, 1);
        EXPECT_EQ(r.rows, 50);
        EXPECT_EQ(r.columns, 50);
    });
}

TEST(FrameAssemblyPublication, DevicesAreOrderedByAscendingId) {
    DeviceTable devices;
    DatagramProcessor processor(devices);
    const plate::SourceFrame frame{};
    for (std::uint32_t id : {0xF000003Eu, 0x0000003Eu, 0x8000003Eu})
        feedFrame(processor, id, 1, frame, 5000);
    std::vector<std::string> serials;
    for (int index = 0; index < devices.deviceCount(); ++index)
        devices.withRecordAt(index, [&](const DeviceRecord& r) { serials.push_back(r.serial); });
    EXPECT_EQ(serials, (std::vector<std::string>{"0000003E", "8000003E", "F000003E"}));
}

// Datagrams that are not data packets: JSON replies and short datagrams.
TEST(FrameAssemblyClassification, JsonAndShortDatagramsCreateNoDevice) {
    DeviceTable devices;
    DatagramProcessor processor(devices);
    const std::string json = "{\"fscmd\"}";
    processor.process(reinterpret_cast<const std::uint8_t*>(json.data()), json.size(), kSender, 1);
    EXPECT_EQ(processor.malformedCount(), 0);

    // A short datagram after a full one must not be completed from the earlier bytes.
    const plate::SourceFrame frame = numberedFrame();
    const plate::Datagram full = plate::encodeDataDatagram(0, kPlateA, 7, frame);
    processor.process(full.data(), full.size(), kSender, 2);
    for (std::uint8_t i = 1; i < 4; ++i) {
        const plate::Datagram d = plate::encodeDataDatagram(i, kPlateA, 7, frame);
        processor.process(d.data(), 600, kSender, 3);
    }
    processor.process(nullptr, 0, kSender, 4);
    const std::uint8_t brace[] = {'{'};
    processor.process(brace, 1, kSender, 5);

    EXPECT_EQ(processor.malformedCount(), 5);
    EXPECT_EQ(devices.deviceCount(), 0);
    LibPladex_DeviceStats s{};
    ASSERT_TRUE(devices.stats(kPlateA, s));
    EXPECT_EQ(s.datagrams, 1u);
    EXPECT_EQ(s.frames, 0u);
}

TEST(FrameAssemblyClassification, LongDatagramIsCutToOnePacket) {
    DeviceTable devices;
    DatagramProcessor processor(devices);
    const plate::SourceFrame frame = numberedFrame();
    for (std::uint8_t i = 0; i < 4; ++i) {
        const plate::Datagram d = plate::encodeDataDatagram(i, kPlateA, 7, frame);
        std::vector<std::uint8_t> longer(d.begin(), d.end());
        longer.resize(2000, 0xAB);
        processor.process(longer.data(), longer.size(), kSender, 10);
    }
    EXPECT_EQ(devices.deviceCount(), 1);
    EXPECT_EQ(processor.malformedCount(), 0);
}

// The rate is the count of frame numbers advanced in a window of just over a second, plus one;
// the first window opens at once, so the first rate is the frame number plus one.
TEST(FrameRate, WindowsOfJustOverOneSecond) {
    DeviceTable devices;
    DatagramProcessor processor(devices);
    const plate::SourceFrame frame{};
    auto completeFrame = [&](std::uint32_t number, double atMs) {
        feedFrame(processor, kPlateA, number, frame, atMs);
        int rate = -1;
        devices.withRecord(kPlateA, [&](const DeviceRecord& r) { rate = r.frameRate; });
        return rate;
    };
    struct Step {
        std::uint32_t frameNumber;
        double atMs;
        int expectedRate;
    };
    const Step steps[] = {
        {5000, 2e6, 5001},         // first frame: opens the window
        {5050, 2e6 + 500, 5001},   // inside the window: unchanged
        {5100, 2e6 + 1000, 5001},  // exactly one second: still unchanged
        {5101, 2e6 + 1001, 102},   // just over: 5101 - 5000 + 1
        {5150, 2e6 + 1500, 102},  {5201, 2e6 + 2002, 101},
    };
    for (const Step& s : steps)
        EXPECT_EQ(completeFrame(s.frameNumber, s.atMs), s.expectedRate)
            << "frame " << s.frameNumber;
}

}  // namespace
