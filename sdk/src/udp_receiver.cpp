#include "udp_receiver.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <pthread.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <system_error>
#include <thread>
#include <vector>

#include "monotonic_clock.h"

namespace pladex {
namespace {

constexpr int kReceiveBufferRequest = 4 * 1024 * 1024;
constexpr std::size_t kDatagramBufferSize = 32768;

// Several plates burst four datagrams each per frame; a small kernel buffer drops them
// silently while the thread is busy. Ask for 4 MiB, forcing past the system cap when allowed.
void enlargeReceiveBuffer(int fd) {
    int size = kReceiveBufferRequest;
    setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &size, sizeof size);
    int granted = 0;
    socklen_t length = sizeof granted;
    if (getsockopt(fd, SOL_SOCKET, SO_RCVBUF, &granted, &length) == 0 &&
        granted < kReceiveBufferRequest)
        setsockopt(fd, SOL_SOCKET, SO_RCVBUFFORCE, &size, sizeof size);
}

// A bound IPv4 UDP socket, or -1. Receives wake at least once a second, so that the thread
// forgets silent plates even when nothing arrives.
int openBoundSocket(std::uint32_t address, int port) {
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    enlargeReceiveBuffer(fd);
    const timeval wake{1, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wake, sizeof wake);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = address;
    local.sin_port = htons(static_cast<std::uint16_t>(port));
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

void UdpReceiver::closeSocket() {
    const int fd = socket_.load();
    if (fd < 0) return;
    // shutdown wakes a receive blocked on this socket (close alone would leave it asleep) and
    // makes any receive that starts later return at once; then the descriptor is free to go.
    ::shutdown(fd, SHUT_RDWR);
    std::lock_guard<std::mutex> inUse(socketInUse_);
    socket_.store(-1);
    ::close(fd);
}

int UdpReceiver::listen(std::uint32_t address, int port) {
    std::lock_guard<std::mutex> lock(controlMutex_);
    port &= 0xFFFF;
    if (state_.load() != 2) address_ = address;
    switch (state_.load()) {
        case 0: {
            closeSocket();
            const int fd = openBoundSocket(address_, port);
            if (fd < 0) {
                std::printf("Error occurs when binding socket on port %d ...... \r\n", port);
                std::printf("netstat -ano | findstr 10001 \r\n");
                std::fflush(stdout);
                return -1;
            }
            socket_.store(fd);
            state_.store(1);
        }
            [[fallthrough]];
        case 1:
            try {
                state_.store(2);
                thread_ = std::thread(&UdpReceiver::run, this);
                threadStarted_ = true;
            } catch (const std::system_error&) {
                state_.store(1);
                return -1;
            }
            return 0;
        case 2:
            return 0;
        default: {  // 3: paused
            closeSocket();
            const int fd = openBoundSocket(address_, port);
            if (fd < 0) {
                std::printf("Bind local port %d failed!\r\n", port);
                std::printf("Port %d is occupied!\r\n", port);
                std::fflush(stdout);
                return -2;
            }
            socket_.store(fd);
            state_.store(2);
            return 0;
        }
    }
}

int UdpReceiver::close() {
    std::lock_guard<std::mutex> lock(controlMutex_);
    if (state_.load() != 2 || !threadStarted_ || socket_.load() < 0) return -1;
    // The state goes first, so that the thread woken by the closing socket idles.
    state_.store(3);
    closeSocket();
    return 0;
}

int UdpReceiver::stop() {
    std::lock_guard<std::mutex> lock(controlMutex_);
    if (!thread_.joinable()) return -1;
    // The state goes first, so that the thread woken by the closing socket ends.
    state_.store(4);
    closeSocket();
    thread_.join();
    threadStarted_ = false;
    state_.store(0);
    return 0;
}

int UdpReceiver::receiveBufferSize() const {
    std::lock_guard<std::mutex> lock(controlMutex_);
    const int fd = socket_.load();
    if (fd < 0) return -1;
    int size = 0;
    socklen_t length = sizeof size;
    return getsockopt(fd, SOL_SOCKET, SO_RCVBUF, &size, &length) == 0 ? size : -1;
}

ssize_t UdpReceiver::receive(std::uint8_t* buffer, std::size_t size, sockaddr_in& from) {
    std::lock_guard<std::mutex> inUse(socketInUse_);
    const int fd = socket_.load();
    if (state_.load() == 4) return -2;
    if (fd < 0) return state_.load() == 3 ? -1 : -2;
    if (state_.load() == 3) return -1;
    socklen_t fromLength = sizeof from;
    const ssize_t received =
        ::recvfrom(fd, buffer, size, 0, reinterpret_cast<sockaddr*>(&from), &fromLength);
    if (state_.load() == 4) return -2;  // woken by stop
    if (state_.load() == 3) return -1;  // woken by close
    if (received < 0 && errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK)
        processor_.log().write("receive failed: %s", std::strerror(errno));
    return received < 0 ? -1 : received;
}

void UdpReceiver::run() {
    pthread_setname_np(pthread_self(), "pladex-receive");  // as debuggers and tests see it
    std::vector<std::uint8_t> buffer(kDatagramBufferSize);
    for (;;) {
        if (state_.load() == 4) break;
        if (state_.load() == 3) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            continue;
        }
        sockaddr_in from{};
        const ssize_t received = receive(buffer.data(), buffer.size(), from);
        if (received == -2) break;
        if (received < 0) {
            processor_.sweep(monotonicMilliseconds());
            continue;
        }
        SenderAddress sender{};
        std::memcpy(sender.address, &from.sin_addr.s_addr, sizeof sender.address);
        sender.port = ntohs(from.sin_port);
        processor_.process(buffer.data(), static_cast<std::size_t>(received), sender,
                           monotonicMilliseconds());
    }
    std::lock_guard<std::mutex> inUse(socketInUse_);
    const int fd = socket_.exchange(-1);
    if (fd >= 0) ::close(fd);
}
}  // namespace pladex
