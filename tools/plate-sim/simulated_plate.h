// One emulated plate: its own UDP socket, its frame schedule, its faults and its commands.
#pragma once

#include <netinet/in.h>

#include <chrono>
#include <cstdint>
#include <string>

#include "fault_plan.h"
#include "sim_options.h"
#include "sim_summary.h"

namespace platesim {

using SimClock = std::chrono::steady_clock;

class SimulatedPlate {
public:
    // Opens the plate's socket on an ephemeral port; throws std::runtime_error when it cannot.
    // The plate streams from `start` on; `end` (if not max()) and options.frames bound the run.
    SimulatedPlate(int plateIndex, const SimOptions& options, const sockaddr_in& destination,
                   SimClock::time_point start, SimClock::time_point end);
    ~SimulatedPlate();
    SimulatedPlate(const SimulatedPlate&) = delete;
    SimulatedPlate& operator=(const SimulatedPlate&) = delete;

    int socketHandle() const { return socket_; }
    bool finished() const;
    SimClock::time_point nextDue() const { return dueTime(framesSinceEpoch_); }

    // Sends the frame that is due now, with its planned faults (none on the last frame).
    void sendDueFrame();

    // Reads and applies every command datagram waiting on the socket.
    void handleCommands(SimClock::time_point now);

    PlateReport report() const { return {serial_, sourcePort_, tally_}; }
    const std::string& serial() const { return serial_; }
    std::uint16_t sourcePort() const { return sourcePort_; }

private:
    SimClock::time_point dueTime(std::int64_t frameInEpoch) const;
    bool isLastFrame() const;
    bool send(const void* data, std::size_t size);
    void applyCommand(const std::string& text, SimClock::time_point now);

    const int plateIndex_;
    const std::uint32_t deviceId_;
    const std::string serial_;
    const FaultRates faults_;
    const std::int64_t frameLimit_;
    const SimClock::time_point end_;
    sockaddr_in destination_;
    int socket_ = -1;
    std::uint16_t sourcePort_ = 0;
    FaultRandom random_;

    // The schedule restarts at every "restart" command: frame k of an epoch is due at
    // epoch + k / rate, so pacing never drifts.
    SimClock::time_point epoch_;
    std::int64_t framesSinceEpoch_ = 0;
    double subjectSecondsAtEpoch_ = 0.0;
    int rate_;
    int nextRate_;

    std::uint32_t frameNumber_;
    PlateTally tally_;
    bool sendErrorReported_ = false;
};

}  // namespace platesim
