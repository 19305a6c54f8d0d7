// Loopback helpers for tests that talk to the library over real sockets.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>

#include "plate_datagram.h"

namespace testing_support {

// A UDP port that was free a moment ago (bound to port 0 and released).
int freeUdpPort();

// Sends datagrams to 127.0.0.1:port from one socket of its own.
class LoopbackSender {
public:
    explicit LoopbackSender(int port);
    ~LoopbackSender();
    LoopbackSender(const LoopbackSender&) = delete;
    LoopbackSender& operator=(const LoopbackSender&) = delete;

    void send(const void* data, std::size_t length) const;
    void send(const plate::Datagram& d) const { send(d.data(), d.size()); }
    // All four packets of one frame, in index order.
    void sendFrame(std::uint32_t deviceId, std::uint32_t frameNumber,
                   const plate::SourceFrame& frame) const;
    int localPort() const;

private:
    int fd_;
    int port_;
};

// Polls `condition` until it holds or `timeout` passes; returns its last value.
bool waitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::seconds(5));

}  // namespace testing_support
