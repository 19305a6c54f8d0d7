#include "udp_test_socket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>

namespace toolstest {
namespace {

sockaddr_in loopback(std::uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return address;
}

}  // namespace

UdpTestSocket::UdpTestSocket() {
    socket_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (socket_ < 0) throw std::runtime_error("cannot create a UDP socket");
    const int bufferBytes = 8 << 20;
    ::setsockopt(socket_, SOL_SOCKET, SO_RCVBUF, &bufferBytes, sizeof bufferBytes);
    const int on = 1;
    ::setsockopt(socket_, SOL_SOCKET, SO_TIMESTAMPNS, &on, sizeof on);
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof address;
    if (::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(socket_);
        throw std::runtime_error("cannot bind a UDP socket");
    }
    port_ = ntohs(address.sin_port);
}

UdpTestSocket::~UdpTestSocket() { ::close(socket_); }

std::optional<ReceivedDatagram> UdpTestSocket::receive(std::chrono::milliseconds timeout) {
    pollfd waiting{socket_, POLLIN, 0};
    if (::poll(&waiting, 1, static_cast<int>(timeout.count())) <= 0) return std::nullopt;
    ReceivedDatagram datagram;
    datagram.bytes.resize(65536);
    sockaddr_in sender{};
    iovec data{datagram.bytes.data(), datagram.bytes.size()};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(timespec))];
    msghdr message{};
    message.msg_name = &sender;
    message.msg_namelen = sizeof sender;
    message.msg_iov = &data;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    const ssize_t size = ::recvmsg(socket_, &message, 0);
    if (size < 0) return std::nullopt;
    datagram.bytes.resize(static_cast<std::size_t>(size));
    datagram.sourcePort = ntohs(sender.sin_port);
    for (cmsghdr* c = CMSG_FIRSTHDR(&message); c != nullptr; c = CMSG_NXTHDR(&message, c)) {
        if (c->cmsg_level == SOL_SOCKET && c->cmsg_type == SCM_TIMESTAMPNS) {
            timespec stamp{};
            std::memcpy(&stamp, CMSG_DATA(c), sizeof stamp);
            datagram.arrival =
                std::chrono::seconds(stamp.tv_sec) + std::chrono::nanoseconds(stamp.tv_nsec);
        }
    }
    return datagram;
}

void UdpTestSocket::sendTo(std::uint16_t port, const std::string& text) {
    const sockaddr_in address = loopback(port);
    ::sendto(socket_, text.data(), text.size(), 0, reinterpret_cast<const sockaddr*>(&address),
             sizeof address);
}

std::uint16_t freeUdpPort() {
    UdpTestSocket probe;
    return probe.port();
}

}  // namespace toolstest
