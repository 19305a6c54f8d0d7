// Diagnostic counters of one plate. Written by the receive thread, partly without the library
// lock, read by any caller, hence atomics.
#pragma once

#include <atomic>
#include <cstdint>

namespace pladex {

struct DeviceCounters {
    std::atomic<std::uint64_t> datagrams{0};
    std::atomic<std::uint64_t> frames{0};
    std::atomic<std::uint64_t> dropped{0};
    std::atomic<std::uint64_t> refused{0};
    std::atomic<std::uint64_t> missed{0};
    std::atomic<std::uint64_t> overflow{0};
    std::atomic<std::uint64_t> foreign{0};
    std::atomic<std::uint64_t> restarts{0};

    static void bump(std::atomic<std::uint64_t>& counter, std::uint64_t by = 1) {
        counter.fetch_add(by, std::memory_order_relaxed);
    }
};

}  // namespace pladex
