#include "loopback.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>
#include <thread>

namespace testing_support {
namespace {

sockaddr_in loopbackAddress(int port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(static_cast<std::uint16_t>(port));
    return a;
}

}  // namespace

int freeUdpPort() {
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in a = loopbackAddress(0);
    socklen_t length = sizeof a;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &length) != 0)
        throw std::runtime_error("no free UDP port");
    ::close(fd);
    return ntohs(a.sin_port);
}

LoopbackSender::LoopbackSender(int port) : fd_(::socket(AF_INET, SOCK_DGRAM, 0)), port_(port) {
    if (fd_ < 0) throw std::runtime_error("cannot create a UDP socket");
}

LoopbackSender::~LoopbackSender() { ::close(fd_); }

void LoopbackSender::send(const void* data, std::size_t length) const {
    const sockaddr_in to = loopbackAddress(port_);
    if (::sendto(fd_, data, length, 0, reinterpret_cast<const sockaddr*>(&to), sizeof to) < 0)
        throw std::runtime_error("sendto failed");
}

void LoopbackSender::sendFrame(std::uint32_t deviceId, std::uint32_t frameNumber,
                               const plate::SourceFrame& frame) const {
    for (std::uint8_t index = 0; index < plate::kPacketsPerFrame; ++index)
        send(plate::encodeDataDatagram(index, deviceId, frameNumber, frame));
}

int LoopbackSender::localPort() const {
    sockaddr_in a{};
    socklen_t length = sizeof a;
    ::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &length);
    return ntohs(a.sin_port);
}

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return condition();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

}  // namespace testing_support
