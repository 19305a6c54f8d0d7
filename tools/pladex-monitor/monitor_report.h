// The monitor's output: a table every second, JSON lines at the end, a frame as CSV.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "device_listing.h"

namespace monitor {

std::string deviceTable(const std::vector<DeviceSnapshot>& devices, double elapsedSeconds,
                        int receiveBufferBytes, std::int64_t malformed);

// {"serial":"1A2B3C3E","address":"127.0.0.1","port":54321,"rate":100,"frames":F,
//  "datagrams":D,"dropped":X,"refused":R,"missed":M,"overflow":O,"foreign":G}
std::string deviceJson(const DeviceSnapshot& device);

// {"malformed": N}
std::string malformedJson(std::int64_t malformed);

// 50 lines of 50 comma-separated readings, line i = row i of the caller's grid.
std::string frameCsv(const std::vector<PressureCell>& frame);

}  // namespace monitor
