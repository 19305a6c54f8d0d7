// SIGINT and SIGTERM as a request to finish cleanly, for the command-line tools: the signal
// only raises a flag, and the tool prints its figures before it exits.
#pragma once

#include <signal.h>

#include <atomic>

namespace tools {

inline std::atomic<bool> stopRequested{false};

inline void raiseStopRequest(int) { stopRequested.store(true); }

// Without SA_RESTART, so that a wait in progress (poll, sleep) returns at once.
inline void installStopRequestHandlers() {
    struct sigaction action {};
    action.sa_handler = raiseStopRequest;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

}  // namespace tools
