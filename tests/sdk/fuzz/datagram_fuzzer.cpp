// libFuzzer entry over the receive thread's datagram processing. The input is a sequence of
// records: a kind byte, then either raw datagram bytes or a compact description of a data
// packet, so that the fuzzer reaches deep into frame assembly as well as classification.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "datagram_processor.h"
#include "device_table.h"

namespace {

constexpr std::size_t kMaxRawLength = 2000;

std::vector<std::uint8_t> compactPacket(const std::uint8_t* p) {
    std::vector<std::uint8_t> d(pladex::kDataDatagramSize, 0);
    d[1] = p[0] % 6;  // mostly valid indices, sometimes not
    d[4] = p[1];      // the lowest id byte, forced by the library
    d[5] = p[2] % 3;  // a few plates
    d[8] = p[3] % 4;  // a few frame numbers
    d[12] = p[0];
    return d;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::FILE* quiet = std::freopen("/dev/null", "w", stdout);
    (void)quiet;
    pladex::DeviceTable devices;
    pladex::DatagramProcessor processor(devices);
    const pladex::SenderAddress sender{{127, 0, 0, 1}, 9};
    double now = 1e6;
    std::size_t offset = 0;
    std::uint64_t dataDatagrams = 0;
    while (offset < size) {
        const std::uint8_t kind = data[offset++];
        now += kind * 10.0;
        if (kind & 1) {
            if (size - offset < 4) break;
            const std::vector<std::uint8_t> d = compactPacket(data + offset);
            offset += 4;
            processor.process(d.data(), d.size(), sender, now);
            ++dataDatagrams;
        } else {
            const std::size_t length =
                std::min<std::size_t>(size - offset, kind * 8u % kMaxRawLength);
            processor.process(data + offset, length, sender, now);
            dataDatagrams += length >= pladex::kDataDatagramSize;
            offset += length;
        }
    }
    // Every listed device completed a frame, which took four full-size datagrams.
    std::uint64_t frames = 0;
    for (int i = 0; i < devices.deviceCount(); ++i)
        devices.withRecordAt(i, [&](const pladex::DeviceRecord& r) {
            if (r.rows != 50 || r.columns != 50 || r.newFramePending != 1) std::abort();
            frames += 1;
        });
    if (frames * 4 > dataDatagrams) std::abort();
    return 0;
}
