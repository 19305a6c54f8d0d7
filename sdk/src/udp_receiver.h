// The library's one UDP socket and its receive thread, with the listen states
// 0 never listened (or stopped), 1 bound without thread, 2 listening, 3 paused, 4 stopping.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>

#include <netinet/in.h>
#include <sys/types.h>

#include "datagram_processor.h"

namespace pladex {

class UdpReceiver {
public:
    explicit UdpReceiver(DatagramProcessor& processor) : processor_(processor) {}

    // 0 on success or when already listening; -1 first bind or thread start failed;
    // -2 binding again after a pause failed. `address` (network order) is the local address
    // of every bind from now on, INADDR_ANY for all.
    int listen(std::uint32_t address, int port);
    // 0 when listening was paused; -1 when not listening.
    int close();
    // Ends the receive thread and waits for it, and closes the socket: 0 when a thread was
    // stopped, -1 when none ran. Devices stay listed; listen starts afresh afterwards.
    int stop();
    // Bytes the kernel granted to the open socket's receive buffer; -1 without a socket.
    int receiveBufferSize() const;

    int state() const { return state_.load(); }

private:
    void run();
    // Receives one datagram unless paused or closed; -1 when nothing was received, -2 when
    // the thread should end (no socket while listening).
    ssize_t receive(std::uint8_t* buffer, std::size_t size, sockaddr_in& from);
    void closeSocket();

    DatagramProcessor& processor_;
    // Serialises listen, close and the buffer query between callers.
    mutable std::mutex controlMutex_;
    // Held by the receive thread while it uses the descriptor, so that close never releases
    // a descriptor under a running receive (which could then read a reused one).
    std::mutex socketInUse_;
    std::atomic<int> state_{0};
    std::atomic<int> socket_{-1};
    std::uint32_t address_ = 0;  // network order; under controlMutex_
    bool threadStarted_ = false;
    std::thread thread_;  // joined by stop
};

}  // namespace pladex
