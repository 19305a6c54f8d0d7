// Diagnostic counters of one plate. Written by the receive thread without the library lock,
// read by any caller, hence atomics.
#pragma once

#include <atomic>
#include <cstdint>

namespace pladex {

struct DeviceCounters {
    std::atomic<std::uint64_t> datagrams{0};
    std::atomic<std::uint64_t> frames{0};
    std::atomic<std::uint64_t> dropped{0};
    std::atomic<std::uint64_t> refused{0};

    static void bump(std::atomic<std::uint64_t>& counter) {
        counter.fetch_add(1, std::memory_order_relaxed);
    }
};

}  // namespace pladex
