#include "datagram_processor.h"

#include <cstring>

namespace pladex {

bool isJsonDatagram(const std::uint8_t* data, std::size_t length) {
    return length >= 2 && data[0] == '{' && data[1] == '"' && data[length - 1] == '}';
}

FrameAssembler& DatagramProcessor::assemblerFor(std::uint32_t deviceId) {
    auto& slot = assemblers_[deviceId];
    if (!slot) slot = std::make_unique<FrameAssembler>(devices_.countersFor(deviceId));
    return *slot;
}

void DatagramProcessor::process(const std::uint8_t* data, std::size_t length,
                                const SenderAddress& sender, double arrivalMs) {
    if (isJsonDatagram(data, length)) return;
    // A short datagram would otherwise be completed from whatever an earlier one left behind.
    if (length < kDataDatagramSize) {
        malformed_.fetch_add(1, std::memory_order_relaxed);
        return;
    }

    PlatePacket packet;
    packet.occupied = 1;
    std::memcpy(packet.address, sender.address, sizeof packet.address);
    packet.port = sender.port;
    packet.arrivalMs = arrivalMs;
    std::memcpy(packet.datagram, data, kDataDatagramSize);
    // Plates may differ in the lowest id byte; it is forced so that they map to one device.
    packet.datagram[4] = kDeviceIdLowByte;

    const std::uint32_t deviceId = packet.deviceId();
    FrameAssembler& assembler = assemblerFor(deviceId);
    if (!assembler.addPacket(packet)) return;
    devices_.publish(deviceId, assembler);
    assembler.reset();
}

}  // namespace pladex
