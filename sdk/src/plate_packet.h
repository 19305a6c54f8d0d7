// One received data datagram as the frame assembly keeps it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace pladex {

constexpr std::size_t kDataDatagramSize = 1262;
constexpr std::size_t kReadingsPerPacket = 625;
constexpr int kPacketsPerFrame = 4;
constexpr int kFrameSide = 50;
constexpr int kFrameCells = kFrameSide * kFrameSide;
constexpr std::uint32_t kCompleteMask = 0xF;
constexpr std::uint8_t kDeviceIdLowByte = 0x3E;

struct PlatePacket {
    std::int32_t occupied;
    std::uint8_t address[4];  // network order, as in the socket address
    std::int32_t port;        // host order
    double arrivalMs;
    std::uint8_t datagram[kDataDatagramSize];  // offset 4 already forced to 0x3E

    std::uint8_t packetIndex() const { return datagram[1]; }
    std::uint32_t deviceId() const { return readLe32(4); }
    std::uint32_t frameNumber() const { return readLe32(8); }
    std::uint16_t reading(std::size_t k) const {
        return static_cast<std::uint16_t>(datagram[12 + 2 * k] | (datagram[13 + 2 * k] << 8));
    }

private:
    std::uint32_t readLe32(std::size_t offset) const {
        return std::uint32_t(datagram[offset]) | std::uint32_t(datagram[offset + 1]) << 8 |
               std::uint32_t(datagram[offset + 2]) << 16 |
               std::uint32_t(datagram[offset + 3]) << 24;
    }
};

}  // namespace pladex
