// The library's one UDP socket and its receive thread, with the listen states
// 0 never listened, 1 bound without thread, 2 listening, 3 paused.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

#include "datagram_processor.h"

namespace pladex {

class UdpReceiver {
public:
    explicit UdpReceiver(DatagramProcessor& processor) : processor_(processor) {}

    // 0 on success or when already listening; -1 first bind or thread start failed;
    // -2 binding again after a pause failed.
    int listen(int port);
    // 0 when listening was paused; -1 when not listening.
    int close();
    // Bytes the kernel granted to the open socket's receive buffer; -1 without a socket.
    int receiveBufferSize() const;

    int state() const { return state_.load(); }

private:
    void run();
    void closeSocket();

    DatagramProcessor& processor_;
    std::mutex controlMutex_;  // serialises listen and close between callers
    std::atomic<int> state_{0};
    std::atomic<int> socket_{-1};
    // Bumped at every close, so that the receive thread can tell that the datagram it was
    // woken with belongs to a socket that is gone (its descriptor may already be reused).
    std::atomic<std::uint32_t> socketGeneration_{0};
    bool threadStarted_ = false;
};

}  // namespace pladex
