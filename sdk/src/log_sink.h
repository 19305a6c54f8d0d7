// Where the receive thread reports what it dropped or refused: the application's optional
// callback. Nothing is formatted while no callback is set, so a flood costs no text.
#pragma once

#include <atomic>
#include <mutex>

#include "libPladex.h"

namespace pladex {

class LogSink {
public:
    void set(LibPladex_LogCallback callback, void* user);
    bool enabled() const { return enabled_.load(std::memory_order_relaxed); }
    // printf-style; the message is cut at 255 characters.
    void write(const char* format, ...) __attribute__((format(printf, 2, 3)));

private:
    // Held while the callback runs, so that once set() returns the old callback is done.
    std::mutex mutex_;
    std::atomic<bool> enabled_{false};
    LibPladex_LogCallback callback_ = nullptr;
    void* user_ = nullptr;
};

}  // namespace pladex
