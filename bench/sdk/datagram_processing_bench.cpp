// In-process datagram processing on one core: what the receive thread can sustain.
#include <benchmark/benchmark.h>

#include <vector>

#include "datagram_processor.h"
#include "device_table.h"
#include "plate_datagram.h"

namespace {

// Plates take turns frame by frame, each frame's four packets in order, as a burst would come.
void ProcessDatagrams(benchmark::State& state) {
    const int plates = static_cast<int>(state.range(0));
    pladex::DeviceTable devices;
    pladex::DatagramProcessor processor(devices);
    const pladex::SenderAddress sender{{127, 0, 0, 1}, 5000};
    plate::SourceFrame frame{};
    for (int k = 0; k < plate::kCellsPerFrame; ++k) frame[k] = static_cast<std::uint16_t>(k % 3000);

    std::vector<plate::Datagram> packets;
    for (int p = 0; p < plates; ++p)
        for (std::uint8_t i = 0; i < 4; ++i)
            packets.push_back(plate::encodeDataDatagram(i, 0x1000003Eu + (p << 8), 0, frame));

    std::uint32_t frameNumber = 0;
    double now = 1e6;
    for (auto _ : state) {
        ++frameNumber;
        for (plate::Datagram& d : packets) {
            d[8] = static_cast<std::uint8_t>(frameNumber);
            d[9] = static_cast<std::uint8_t>(frameNumber >> 8);
            d[10] = static_cast<std::uint8_t>(frameNumber >> 16);
            processor.process(d.data(), d.size(), sender, now += 0.01);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(packets.size()));
    state.counters["frames_per_s"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * plates, benchmark::Counter::kIsRate);
}
// The library tracks at most 64 plates; no reader takes the frames, so full queues give way.
BENCHMARK(ProcessDatagrams)->Arg(1)->Arg(64);

}  // namespace

BENCHMARK_MAIN();
