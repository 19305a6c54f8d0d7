#include "plate_stream.h"

#include <arpa/inet.h>
#include <poll.h>

#include <algorithm>

namespace platesim {

std::vector<std::unique_ptr<SimulatedPlate>> createPlates(const SimOptions& options) {
    sockaddr_in destination{};
    destination.sin_family = AF_INET;
    destination.sin_port = htons(options.port);
    inet_pton(AF_INET, options.host.c_str(), &destination.sin_addr);

    const SimClock::time_point start = SimClock::now();
    const SimClock::time_point end =
        options.durationSeconds > 0.0
            ? start + std::chrono::duration_cast<SimClock::duration>(
                          std::chrono::duration<double>(options.durationSeconds))
            : SimClock::time_point::max();
    std::vector<std::unique_ptr<SimulatedPlate>> plates;
    for (int k = 0; k < options.plates; ++k) {
        plates.push_back(std::make_unique<SimulatedPlate>(k, options, destination, start, end));
    }
    return plates;
}

void streamPlates(std::vector<std::unique_ptr<SimulatedPlate>>& plates,
                  const std::atomic<bool>& stop) {
    std::vector<pollfd> sockets;
    for (const auto& plate : plates) sockets.push_back({plate->socketHandle(), POLLIN, 0});

    while (!stop.load()) {
        const SimClock::time_point now = SimClock::now();
        bool anyRunning = false;
        SimClock::time_point earliest = SimClock::time_point::max();
        for (const auto& plate : plates) {
            if (plate->finished()) continue;
            if (plate->nextDue() <= now) plate->sendDueFrame();
            if (plate->finished()) continue;
            anyRunning = true;
            earliest = std::min(earliest, plate->nextDue());
        }
        if (!anyRunning) return;

        // Wait for the next frame, serving commands as they come; a signal ends the wait.
        const auto wait = std::max(SimClock::duration::zero(), earliest - SimClock::now());
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(wait);
        const timespec timeout{static_cast<time_t>(seconds.count()),
                               static_cast<long>((wait - seconds).count())};
        const int ready = ::ppoll(sockets.data(), sockets.size(), &timeout, nullptr);
        if (ready <= 0) continue;
        const SimClock::time_point arrival = SimClock::now();
        for (std::size_t i = 0; i < sockets.size(); ++i) {
            if (sockets[i].revents != 0) plates[i]->handleCommands(arrival);
        }
    }
}

}  // namespace platesim
