// What the library knows about every plate, read through its exported functions only.
#pragma once

#include <string>
#include <vector>

#include "libPladex.h"

namespace monitor {

struct DeviceSnapshot {
    std::string serial;
    std::string address;  // the first sender of the last frame: the plate's bound sender
    int port = 0;
    int rate = 0;
    LibPladex_DeviceStats stats{};
    LibPladex_ReceptionStats reception{};
};

class DeviceLister {
public:
    DeviceLister();

    std::vector<DeviceSnapshot> listDevices();

    // The last frame of `serial` in the caller's orientation; false when it is not known.
    bool lastFrame(const std::string& serial, std::vector<PressureCell>& frame);

private:
    void drainQueue(const char* serial);

    std::vector<PressureCell> frame_;  // the 40000 bytes that reading a frame rate needs
};

// The first entry of a comma-separated list.
std::string firstListEntry(const char* list);

}  // namespace monitor
