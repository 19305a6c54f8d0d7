#include "monitor_options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace monitor {

ParsedMonitorOptions parseMonitorOptions(int argc, const char* const* argv) {
    ParsedMonitorOptions result;
    MonitorOptions& o = result.options;
    for (int i = 1; i < argc && result.error.empty(); ++i) {
        const std::string name = argv[i];
        if (name == "--help" || name == "-h") {
            result.helpRequested = true;
            return result;
        }
        if (name == "--json") {
            o.json = true;
            continue;
        }
        if (name != "--port" && name != "--seconds" && name != "--dump-frame" &&
            name != "--serial") {
            result.error = "unknown option " + name;
            break;
        }
        if (i + 1 >= argc) {
            result.error = name + " needs a value";
            break;
        }
        const std::string value = argv[++i];
        char* end = nullptr;
        errno = 0;
        if (name == "--port") {
            const long port = std::strtol(value.c_str(), &end, 10);
            if (value.empty() || errno != 0 || *end != '\0' || port < 1 || port > 65535) {
                result.error = "bad value \"" + value + "\" for --port: expected 1 to 65535";
            }
            o.port = static_cast<int>(port);
        } else if (name == "--seconds") {
            o.seconds = std::strtod(value.c_str(), &end);
            if (value.empty() || errno != 0 || *end != '\0' || !std::isfinite(o.seconds) ||
                o.seconds <= 0.0 || o.seconds > 1e7) {
                result.error =
                    "bad value \"" + value + "\" for --seconds: expected a positive number";
            }
        } else if (name == "--dump-frame") {
            o.dumpFramePath = value;
            if (value.empty()) result.error = "--dump-frame needs a file name";
        } else {
            o.serial = value;
            if (value.empty()) result.error = "--serial needs a serial text";
        }
    }
    return result;
}

std::string monitorUsage() {
    return "usage: pladex-monitor [--port N] [--seconds S] [--json] [--dump-frame FILE]\n"
           "                      [--serial S]\n"
           "Listens for pressure plates (default port 10001) and shows every second each\n"
           "plate's serial, address, port, frame rate and reception counters.\n"
           "  --seconds S       stop after S seconds (default: at SIGINT/SIGTERM)\n"
           "  --json            at the end, one JSON object per plate and {\"malformed\": N}\n"
           "  --dump-frame FILE at the end, write the last frame of one plate as 50 lines\n"
           "                    of 50 comma-separated readings\n"
           "  --serial S        the plate to dump (default: the first one listed)\n";
}

}  // namespace monitor
