#include "device_listing.h"

#include <cstdlib>
#include <cstring>

namespace monitor {

std::string firstListEntry(const char* list) {
    const char* comma = std::strchr(list, ',');
    return comma ? std::string(list, comma) : std::string(list);
}

DeviceLister::DeviceLister() : frame_(LIBPLADEX_CELLS) {}

std::vector<DeviceSnapshot> DeviceLister::listDevices() {
    std::vector<DeviceSnapshot> devices;
    const int count = LibPladex_getDevices();
    for (int index = 0; index < count; ++index) {
        char serial[64] = {};
        char addresses[128] = {};
        char ports[128] = {};
        int columns = 0;
        int rows = 0;
        LibPladex_getDeviceInfoByIndex(index, serial, &columns, &rows, addresses, ports);
        serial[sizeof serial - 1] = '\0';
        addresses[sizeof addresses - 1] = '\0';
        ports[sizeof ports - 1] = '\0';
        if (serial[0] == '\0') continue;  // forgotten since it was counted

        DeviceSnapshot device;
        device.serial = serial;
        device.address = firstListEntry(addresses);
        device.port = std::atoi(firstListEntry(ports).c_str());
        LibPladex_GetFrame(serial, frame_.data(), &device.rate);
        LibPladex_getStats(serial, &device.stats);
        LibPladex_getReceptionStats(serial, &device.reception);
        drainQueue(serial);
        devices.push_back(device);
    }
    return devices;
}

// The monitor shows figures, not frames, but it takes the queued frames all the same: then its
// overflow column means what it would mean to a program that reads every frame.
void DeviceLister::drainQueue(const char* serial) {
    while (LibPladex_readQueuedFrameBySN(serial, frame_.data(), nullptr) == 1) {
    }
}

bool DeviceLister::lastFrame(const std::string& serial, std::vector<PressureCell>& frame) {
    frame.resize(LIBPLADEX_CELLS);
    int rate = 0;
    return LibPladex_GetFrame(serial.c_str(), frame.data(), &rate) == 0;
}

}  // namespace monitor
