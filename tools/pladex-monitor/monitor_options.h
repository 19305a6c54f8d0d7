// Command-line options of pladex-monitor.
#pragma once

#include <string>

namespace monitor {

struct MonitorOptions {
    int port = 10001;
    double seconds = 0.0;  // 0: until SIGINT/SIGTERM
    bool json = false;
    std::string dumpFramePath;  // empty: no dump
    std::string serial;         // device to dump; empty: the first one listed
};

struct ParsedMonitorOptions {
    MonitorOptions options;
    bool helpRequested = false;
    std::string error;  // empty when the command line was valid
};

ParsedMonitorOptions parseMonitorOptions(int argc, const char* const* argv);

std::string monitorUsage();

}  // namespace monitor
