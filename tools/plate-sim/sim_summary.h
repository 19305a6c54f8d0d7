// The report that plate-sim prints at the end of a run, one line per plate.
#pragma once

#include <cstdint>
#include <string>

#include "fault_plan.h"

namespace platesim {

struct PlateReport {
    std::string serial;
    std::uint16_t sourcePort = 0;
    PlateTally tally;
};

// "plate 1A2B3C3E: sent 1000 frames (complete 998, ...) from port 54321"
std::string readableSummaryLine(const PlateReport& report);

// {"serial":"1A2B3C3E","port":54321,"frames":F,"complete":C,"touched":T,"datagrams":D,
//  "refused":R,"json":J,"short":S}
std::string jsonSummaryLine(const PlateReport& report);

std::string serialText(std::uint32_t deviceId);

}  // namespace platesim
