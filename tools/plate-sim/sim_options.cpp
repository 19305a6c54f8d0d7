#include "sim_options.h"

#include <arpa/inet.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>

namespace platesim {
namespace {

bool parseInteger(const std::string& text, int base, long long minimum, long long maximum,
                  long long& out) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, base);
    if (errno != 0 || *end != '\0' || value < minimum || value > maximum) return false;
    out = value;
    return true;
}

bool parseUnsigned64(const std::string& text, std::uint64_t& out) {
    if (text.empty() || text[0] == '-') return false;
    errno = 0;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0') return false;
    out = value;
    return true;
}

bool parseReal(const std::string& text, double minimum, double maximum, double& out) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(value) || value < minimum || value > maximum) {
        return false;
    }
    out = value;
    return true;
}

// Each option that takes a value: how to store it, and what a valid value looks like.
struct ValueOption {
    const char* expected;
    std::function<bool(const std::string&, SimOptions&)> apply;
};

using Store = void (*)(SimOptions&, long long);

// An integer option from `minimum` to `maximum`, written in `base`.
ValueOption integer(const char* expected, int base, long long minimum, long long maximum,
                    Store store) {
    return {expected, [=](const std::string& v, SimOptions& o) {
                long long n = 0;
                if (!parseInteger(v, base, minimum, maximum, n)) return false;
                store(o, n);
                return true;
            }};
}

ValueOption probability(double FaultRates::*field) {
    return {"a probability from 0 to 1", [field](const std::string& v, SimOptions& o) {
                return parseReal(v, 0.0, 1.0, o.faults.*field);
            }};
}

std::map<std::string, ValueOption> valueOptions() {
    return {
        {"--host",
         {"an IPv4 address such as 127.0.0.1",
          [](const std::string& v, SimOptions& o) {
              in_addr address{};
              if (inet_pton(AF_INET, v.c_str(), &address) != 1) return false;
              o.host = v;
              return true;
          }}},
        {"--port",
         integer("a port from 1 to 65535", 10, 1, 65535,
                 [](SimOptions& o, long long n) { o.port = static_cast<std::uint16_t>(n); })},
        {"--rate", integer("frames per second from 1 to 500", 10, 1, kMaxRate,
                           [](SimOptions& o, long long n) { o.rate = static_cast<int>(n); })},
        {"--plates", integer("a number of plates from 1 to 512", 10, 1, kMaxPlates,
                             [](SimOptions& o, long long n) { o.plates = static_cast<int>(n); })},
        {"--duration",
         {"a positive number of seconds",
          [](const std::string& v, SimOptions& o) {
              return parseReal(v, 1e-3, 1e7, o.durationSeconds);
          }}},
        {"--frames", integer("a positive number of frames", 10, 1, 1LL << 40,
                             [](SimOptions& o, long long n) { o.frames = n; })},
        {"--loss", probability(&FaultRates::loss)},
        {"--reorder", probability(&FaultRates::reorder)},
        {"--duplicate", probability(&FaultRates::duplicate)},
        {"--short", probability(&FaultRates::truncate)},
        {"--json-every",
         integer("a number of frames from 0 (never) up", 10, 0, 1 << 30,
                 [](SimOptions& o, long long n) { o.faults.jsonEvery = static_cast<int>(n); })},
        {"--seed",
         {"a non-negative integer",
          [](const std::string& v, SimOptions& o) { return parseUnsigned64(v, o.seed); }}},
        {"--first-frame",
         integer("a frame number from 0 to 4294967295", 10, 0, 0xFFFFFFFFLL,
                 [](SimOptions& o, long long n) { o.firstFrame = static_cast<std::uint32_t>(n); })},
        {"--write-raw",
         {"the path of the recording to write",
          [](const std::string& v, SimOptions& o) {
              o.writeRawPath = v;
              return !v.empty();
          }}},
        {"--seconds",
         {"a recording length from 0.001 to 3600 seconds",
          [](const std::string& v, SimOptions& o) {
              return parseReal(v, 1e-3, 3600.0, o.recordSeconds);
          }}},
        {"--mode",
         {"open or closed (eyes)",
          [](const std::string& v, SimOptions& o) {
              if (v != "open" && v != "closed") return false;
              o.eyesClosed = v == "closed";
              return true;
          }}},
        {"--id-base",
         {"a hexadecimal device id ending in 3E, such as 1A2B3C3E",
          [](const std::string& v, SimOptions& o) {
              long long n = 0;
              if (!parseInteger(v, 16, 0, 0xFFFFFFFFLL, n) || (n & 0xFF) != 0x3E) return false;
              o.idBase = static_cast<std::uint32_t>(n);
              return true;
          }}},
    };
}

}  // namespace

ParsedSimOptions parseSimOptions(int argc, const char* const* argv) {
    ParsedSimOptions result;
    const auto options = valueOptions();
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--help" || name == "-h") {
            result.helpRequested = true;
            return result;
        }
        if (name == "--json") {
            result.options.json = true;
            continue;
        }
        const auto option = options.find(name);
        if (option == options.end()) {
            result.error = "unknown option " + name;
            return result;
        }
        if (i + 1 >= argc) {
            result.error = name + " needs a value: " + option->second.expected;
            return result;
        }
        const std::string value = argv[++i];
        if (!option->second.apply(value, result.options)) {
            result.error =
                "bad value \"" + value + "\" for " + name + ": expected " + option->second.expected;
            return result;
        }
    }
    const SimOptions& o = result.options;
    if (o.frames > 0 && o.durationSeconds > 0.0) {
        result.error = "--duration and --frames exclude each other";
    } else if (o.idBase + (static_cast<std::uint64_t>(o.plates - 1) << 8) > 0xFFFFFFFFULL) {
        result.error = "--id-base too large for " + std::to_string(o.plates) + " plates";
    }
    return result;
}

std::string simUsage() {
    return "usage: plate-sim [--host ADDR] [--port N] [--rate HZ] [--plates N]\n"
           "                 [--duration SECONDS | --frames N]\n"
           "                 [--loss P] [--reorder P] [--duplicate P] [--short P]\n"
           "                 [--json-every N] [--seed N] [--first-frame N] [--id-base HEX]\n"
           "                 [--json]\n"
           "       plate-sim --write-raw FILE [--seconds S] [--mode open|closed] [--rate HZ]\n"
           "                 [--plates N]\n"
           "Streams the frames of standing subjects as one or more pressure plates would.\n"
           "With --write-raw, writes those frames (S seconds, default 10) to a recorded data\n"
           "file instead, as the program records them; --mode closed: eyes-closed subject.\n"
           "Defaults: 127.0.0.1:10001, 100 Hz, 1 plate, until SIGINT/SIGTERM, no faults,\n"
           "id base 1A2B3C3E (plate k has id base + k*0x100).\n";
}

std::uint32_t plateDeviceId(const SimOptions& options, int plateIndex) {
    return options.idBase + (static_cast<std::uint32_t>(plateIndex) << 8);
}

}  // namespace platesim
