#include "log_sink.h"

#include <cstdarg>
#include <cstdio>

namespace pladex {

void LogSink::set(LibPladex_LogCallback callback, void* user) {
    std::lock_guard<std::mutex> lock(mutex_);
    callback_ = callback;
    user_ = user;
    enabled_.store(callback != nullptr, std::memory_order_relaxed);
}

void LogSink::write(const char* format, ...) {
    if (!enabled()) return;
    char message[256];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(message, sizeof message, format, arguments);
    va_end(arguments);
    std::lock_guard<std::mutex> lock(mutex_);
    if (callback_) callback_(message, user_);
}

}  // namespace pladex
