// Encoding of the plate's data datagrams, shared by the emulator, the tests and the benchmarks.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace plate {

constexpr std::size_t kDatagramSize = 1262;
constexpr std::size_t kReadingsPerPacket = 625;
constexpr int kPacketsPerFrame = 4;
constexpr int kGridSide = 50;
constexpr int kCellsPerFrame = kGridSide * kGridSide;

using Datagram = std::array<std::uint8_t, kDatagramSize>;

// One frame in the plate's own order: reading k is row k / 50, column k % 50.
using SourceFrame = std::array<std::uint16_t, kCellsPerFrame>;

// Builds packet `index` (0..3) of a frame: byte 1 the index, bytes 4..7 the device id and
// 8..11 the frame number (little-endian), then readings 625*index .. 625*index+624.
Datagram encodeDataDatagram(std::uint8_t index, std::uint32_t deviceId, std::uint32_t frameNumber,
                            const SourceFrame& frame);

// The same with explicit readings, for hand-made test packets.
Datagram encodeDataDatagram(std::uint8_t index, std::uint32_t deviceId, std::uint32_t frameNumber,
                            const std::uint16_t* readings625);

}  // namespace plate
