#include "plate_datagram.h"

namespace plate {
namespace {

void putLe32(std::uint8_t* out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace

Datagram encodeDataDatagram(std::uint8_t index, std::uint32_t deviceId, std::uint32_t frameNumber,
                            const std::uint16_t* readings625) {
    Datagram d{};
    d[1] = index;
    putLe32(&d[4], deviceId);
    putLe32(&d[8], frameNumber);
    for (std::size_t k = 0; k < kReadingsPerPacket; ++k) {
        d[12 + 2 * k] = static_cast<std::uint8_t>(readings625[k] & 0xFF);
        d[13 + 2 * k] = static_cast<std::uint8_t>(readings625[k] >> 8);
    }
    return d;
}

Datagram encodeDataDatagram(std::uint8_t index, std::uint32_t deviceId, std::uint32_t frameNumber,
                            const SourceFrame& frame) {
    return encodeDataDatagram(index, deviceId, frameNumber,
                              frame.data() + kReadingsPerPacket * (index % kPacketsPerFrame));
}

}  // namespace plate
