// Command-line options of plate-sim.
#pragma once

#include <cstdint>
#include <string>

namespace platesim {

// Probabilities of the faults that a real network or a misbehaving plate would produce.
struct FaultRates {
    double loss = 0.0;       // per packet: not sent at all
    double reorder = 0.0;    // per frame: the four packets shuffled
    double duplicate = 0.0;  // per frame: one packet sent twice
    double truncate = 0.0;   // per packet: replaced by a short, malformed datagram
    int jsonEvery = 0;       // one JSON text datagram after every N-th frame (0: never)
};

struct SimOptions {
    std::string host = "127.0.0.1";
    std::uint16_t port = 10001;
    int rate = 100;
    int plates = 1;
    double durationSeconds = 0.0;  // 0: not limited by time
    std::int64_t frames = 0;       // 0: not limited by count
    FaultRates faults;
    std::uint64_t seed = 20240611;
    std::uint32_t firstFrame = 0;
    std::uint32_t idBase = 0x1A2B3C3E;
    bool json = false;
    // --write-raw: write a recorded data file of recordSeconds instead of streaming.
    std::string writeRawPath;
    double recordSeconds = 10.0;
    bool eyesClosed = false;  // --mode closed: header mode 1 and more sway
};

constexpr int kMaxRate = 500;
constexpr int kMaxPlates = 512;

struct ParsedSimOptions {
    SimOptions options;
    bool helpRequested = false;
    std::string error;  // empty when the command line was valid
};

ParsedSimOptions parseSimOptions(int argc, const char* const* argv);

std::string simUsage();

// Device id of plate `plateIndex` (0-based): the base with the plate index in bits 8 and up.
std::uint32_t plateDeviceId(const SimOptions& options, int plateIndex);

}  // namespace platesim
