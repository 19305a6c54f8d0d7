// A loopback UDP socket for tests: receives what the tools send, sends them commands.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace toolstest {

struct ReceivedDatagram {
    std::vector<std::uint8_t> bytes;
    std::uint16_t sourcePort = 0;
    std::chrono::nanoseconds arrival{0};  // kernel receive time, unaffected by the test's delays
};

class UdpTestSocket {
public:
    UdpTestSocket();  // bound to 127.0.0.1 on a free port, with a large receive buffer
    ~UdpTestSocket();
    UdpTestSocket(const UdpTestSocket&) = delete;
    UdpTestSocket& operator=(const UdpTestSocket&) = delete;

    std::uint16_t port() const { return port_; }
    std::optional<ReceivedDatagram> receive(std::chrono::milliseconds timeout);
    void sendTo(std::uint16_t port, const std::string& text);

private:
    int socket_ = -1;
    std::uint16_t port_ = 0;
};

// A UDP port that was free a moment ago, for a program that must bind it itself.
std::uint16_t freeUdpPort();

}  // namespace toolstest
