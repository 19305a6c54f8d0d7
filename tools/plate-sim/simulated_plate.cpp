#include "simulated_plate.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "plate_command.h"
#include "plate_datagram.h"
#include "standing_subject.h"

namespace platesim {
namespace {

// Long enough to be seen, far too short for a data datagram.
constexpr std::size_t kTruncatedSize = 600;
constexpr char kJsonDatagram[] = "{\"fsreply\":\"ok\"}";
constexpr auto kRestartPause = std::chrono::milliseconds(100);

std::runtime_error socketError(const char* what) {
    return std::runtime_error(std::string(what) + ": " + std::strerror(errno));
}

}  // namespace

SimulatedPlate::SimulatedPlate(int plateIndex, const SimOptions& options,
                               const sockaddr_in& destination, SimClock::time_point start,
                               SimClock::time_point end)
    : plateIndex_(plateIndex),
      deviceId_(plateDeviceId(options, plateIndex)),
      serial_(serialText(deviceId_)),
      faults_(options.faults),
      frameLimit_(options.frames),
      end_(end),
      destination_(destination),
      epoch_(start),
      rate_(options.rate),
      nextRate_(options.rate),
      frameNumber_(options.firstFrame) {
    // Each plate draws its own faults, independent of how many plates run beside it.
    std::seed_seq seed{static_cast<std::uint32_t>(options.seed),
                       static_cast<std::uint32_t>(options.seed >> 32),
                       static_cast<std::uint32_t>(plateIndex)};
    random_.seed(seed);

    socket_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (socket_ < 0) throw socketError("cannot create a UDP socket");
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    local.sin_port = 0;
    socklen_t length = sizeof local;
    if (::bind(socket_, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0 ||
        ::getsockname(socket_, reinterpret_cast<sockaddr*>(&local), &length) != 0) {
        const auto error = socketError("cannot bind a UDP socket");
        ::close(socket_);
        throw error;
    }
    sourcePort_ = ntohs(local.sin_port);
}

SimulatedPlate::~SimulatedPlate() {
    if (socket_ >= 0) ::close(socket_);
}

SimClock::time_point SimulatedPlate::dueTime(std::int64_t frameInEpoch) const {
    return epoch_ + std::chrono::nanoseconds(frameInEpoch * 1'000'000'000LL / rate_);
}

bool SimulatedPlate::finished() const {
    if (frameLimit_ > 0 && tally_.frames >= frameLimit_) return true;
    return nextDue() >= end_;
}

bool SimulatedPlate::isLastFrame() const {
    if (frameLimit_ > 0 && tally_.frames + 1 >= frameLimit_) return true;
    return dueTime(framesSinceEpoch_ + 1) >= end_;
}

bool SimulatedPlate::send(const void* data, std::size_t size) {
    const ssize_t sent =
        ::sendto(socket_, data, size, 0, reinterpret_cast<const sockaddr*>(&destination_),
                 sizeof destination_);
    if (sent == static_cast<ssize_t>(size)) return true;
    if (!sendErrorReported_) {
        std::fprintf(stderr, "plate %s: send failed: %s (further failures not reported)\n",
                     serial_.c_str(), std::strerror(errno));
        sendErrorReported_ = true;
    }
    return false;
}

void SimulatedPlate::sendDueFrame() {
    const double subjectSeconds =
        subjectSecondsAtEpoch_ + static_cast<double>(framesSinceEpoch_) / rate_;
    const plate::SourceFrame frame = standingSubjectFrame(subjectSeconds, plateIndex_);
    const FramePlan plan = planFrame(faults_, random_, isLastFrame());

    // Only what really left the socket counts, so the summary predicts the receiver exactly.
    FramePlan sent;
    for (int i = 0; i < plan.count; ++i) {
        const PlannedDatagram& planned = plan.datagrams[i];
        const plate::Datagram datagram =
            plate::encodeDataDatagram(planned.packetIndex, deviceId_, frameNumber_, frame);
        if (send(datagram.data(), planned.truncated ? kTruncatedSize : datagram.size())) {
            sent.append(planned);
        }
    }
    tally_.addFrame(frameOutcome(sent));
    if (faults_.jsonEvery > 0 && tally_.frames % faults_.jsonEvery == 0 &&
        send(kJsonDatagram, sizeof kJsonDatagram - 1)) {
        ++tally_.json;
    }
    ++framesSinceEpoch_;
    ++frameNumber_;
}

void SimulatedPlate::handleCommands(SimClock::time_point now) {
    char buffer[2048];
    for (;;) {
        const ssize_t size = ::recv(socket_, buffer, sizeof buffer, MSG_DONTWAIT);
        if (size < 0) return;  // nothing more waiting (or an error that a retry will not cure)
        const auto text = commandText(std::string_view(buffer, static_cast<std::size_t>(size)));
        if (!text) {
            std::fprintf(stderr, "plate %s: ignored a datagram of %zd bytes that is no command\n",
                         serial_.c_str(), size);
            continue;
        }
        applyCommand(*text, now);
    }
}

void SimulatedPlate::applyCommand(const std::string& text, SimClock::time_point now) {
    std::fprintf(stderr, "plate %s: command \"%s\"\n", serial_.c_str(), text.c_str());
    const PlateCommand command = interpretCommand(text);
    switch (command.kind) {
        case PlateCommand::Kind::SetRate:
            nextRate_ = command.rate;
            break;
        case PlateCommand::Kind::Configure:
            break;
        case PlateCommand::Kind::Restart:
            // The subject keeps standing while the plate restarts; frame numbers continue.
            subjectSecondsAtEpoch_ += static_cast<double>(framesSinceEpoch_) / rate_;
            rate_ = nextRate_;
            epoch_ = now + kRestartPause;
            framesSinceEpoch_ = 0;
            std::fprintf(stderr, "plate %s: restarting at %d Hz\n", serial_.c_str(), rate_);
            break;
        case PlateCommand::Kind::Invalid:
            std::fprintf(stderr, "plate %s: ignored: %s\n", serial_.c_str(),
                         command.problem.c_str());
            break;
        case PlateCommand::Kind::Unknown:
            std::fprintf(stderr, "plate %s: ignored: unknown command\n", serial_.c_str());
            break;
    }
}

}  // namespace platesim
