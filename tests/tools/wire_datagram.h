// Reads back what plate-sim puts on the wire.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "plate_datagram.h"

namespace toolstest {

struct DataPacket {
    std::uint8_t index = 0;
    std::uint32_t deviceId = 0;
    std::uint32_t frameNumber = 0;
};

inline std::uint32_t readLe32(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

inline DataPacket dataPacket(const std::vector<std::uint8_t>& bytes) {
    return {bytes[1], readLe32(&bytes[4]), readLe32(&bytes[8])};
}

inline bool isJsonText(const std::vector<std::uint8_t>& bytes) {
    return bytes.size() >= 2 && bytes.front() == '{' && bytes[1] == '"' && bytes.back() == '}';
}

// Plate k of a run with the default id base has serial 1A2B3C3E + k * 0x100.
inline int plateIndexOfSerial(const std::string& serial) {
    return static_cast<int>((std::stoul(serial, nullptr, 16) - 0x1A2B3C3Eu) >> 8);
}

}  // namespace toolstest
