// The address and port a datagram came from.
#pragma once

#include <cstdint>
#include <cstring>

namespace pladex {

struct SenderAddress {
    std::uint8_t address[4];  // network order
    std::uint16_t port;       // host order

    bool operator==(const SenderAddress& other) const {
        return port == other.port && std::memcmp(address, other.address, sizeof address) == 0;
    }
    bool operator!=(const SenderAddress& other) const { return !(*this == other); }
};

}  // namespace pladex
