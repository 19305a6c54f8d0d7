#include "forcePlateWriteReadThread.h"

#include <cstring>

forcePlateWriteReadThread::forcePlateWriteReadThread(QObject* parent) : QThread(parent) {
    registerForcePlateFrameMetaType();
}

forcePlateWriteReadThread::~forcePlateWriteReadThread() {
    requestInterruption();
    running_.store(false);
    quit();
    wait();
}

void forcePlateWriteReadThread::appendDevice(const char* serial, int length) {
    DeviceEntry entry;
    const std::size_t copied = serial ? strnlen(serial, 64) : 0;
    std::memcpy(entry.serial, serial, copied);
    entry.length = length;
    std::lock_guard<std::mutex> lock(devicesMutex_);
    devices_.push_back(entry);
}

bool forcePlateWriteReadThread::deviceAt(std::size_t index, DeviceEntry& entry) {
    std::lock_guard<std::mutex> lock(devicesMutex_);
    if (index >= devices_.size()) return false;
    entry = devices_[index];
    return true;
}

void forcePlateWriteReadThread::pollOnce(const DeviceEntry& device,
                                         ForcePlateFrame_TypeDef& frame) {
    if (LibPladex_isNewFramePending(device.serial) == 0) return;
    int frameRate = 0;
    std::memset(&frame, 0, sizeof frame);
    LibPladex_GetFrame(device.serial, frame.cells, &frameRate);
    LibPladex_resetNewFramePending(device.serial);
    emit sigNewForcePlateFrame(QString::fromLatin1(device.serial), frame,
                               static_cast<unsigned int>(frameRate));
}

void forcePlateWriteReadThread::run() {
    ForcePlateFrame_TypeDef frame;
    DeviceEntry device;
    while (running_.load() && !isInterruptionRequested()) {
        if (!deviceAt(0, device)) {
            msleep(100);
            continue;
        }
        // The count is read again after every entry, so plates appended meanwhile are
        // reached in the same pass.
        for (std::size_t i = 0; deviceAt(i, device); ++i) pollOnce(device, frame);
        usleep(static_cast<unsigned long>(passPause_.load()));
    }
}
