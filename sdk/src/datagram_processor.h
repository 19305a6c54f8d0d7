// Classifies each received datagram and feeds data packets to their plate's assembler.
// Runs on the receive thread only; publishes completed frames into the device table.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>

#include "device_table.h"
#include "frame_assembler.h"

namespace pladex {

struct SenderAddress {
    std::uint8_t address[4];  // network order
    std::uint16_t port;       // host order
};

class DatagramProcessor {
public:
    explicit DatagramProcessor(DeviceTable& devices) : devices_(devices) {}

    // Handles one datagram that arrived at `arrivalMs`. JSON text is discarded; a datagram
    // shorter than a data packet is discarded and counted as malformed; a longer one is cut.
    void process(const std::uint8_t* data, std::size_t length, const SenderAddress& sender,
                 double arrivalMs);

    std::int64_t malformedCount() const { return malformed_.load(std::memory_order_relaxed); }

private:
    FrameAssembler& assemblerFor(std::uint32_t deviceId);

    DeviceTable& devices_;
    std::map<std::uint32_t, std::unique_ptr<FrameAssembler>> assemblers_;
    std::atomic<std::int64_t> malformed_{0};
};

// A datagram of the plate's command channel that reached the data port: "{" '"' ... "}".
bool isJsonDatagram(const std::uint8_t* data, std::size_t length);

}  // namespace pladex
