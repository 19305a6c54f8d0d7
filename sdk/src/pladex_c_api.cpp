// The exported C interface: thin shims over the library's C++ core. No exception crosses it.
#include <arpa/inet.h>
#include <netinet/in.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <exception>
#include <optional>

#include "PladexGrid.h"
#include "libPladex.h"
#include "library.h"
#include "serial_text.h"

namespace pladex {

Library& library() {
    static Library* const instance = new Library;
    return *instance;
}

namespace {

constexpr int kVersion = 0x90500;

// Runs `body`, mapping any exception to `failure`.
template <class Result, class Body>
Result guarded(Result failure, Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return failure;
    }
}

// Runs `visit` on the record named by a serial text; false when not found.
template <class Visit>
bool withDevice(const char* serial, Visit&& visit) {
    const std::optional<std::uint32_t> id = parseSerialText(serial);
    return id && library().devices.withRecord(*id, visit);
}

void writeDimensions(const DeviceRecord& record, int* columns, int* rows) {
    if (columns) *columns = record.columns;
    if (rows) *rows = record.rows;
}

// Into the caller's grid (PladexGrid.h); each cell keeps the plate's indices.
template <class PlateCell>
void turnIntoCallersGrid(PlateCell&& plateCell, PressureCell* frame) {
    static_assert(kFrameSide == kGridSide);
    for (int i = 0; i < kGridSide; ++i)
        for (int j = 0; j < kGridSide; ++j)
            frame[kGridSide * i + j] = plateCell(plateIndexOfCallerCell(i, j));
}

// Delivers a frame taken from a queue: 1, or the table's 0 (empty) and -1 (not found).
int deliverQueued(int taken, const QueuedFrame& queued, PressureCell* frame,
                  LibPladex_FrameInfo* info) {
    if (taken != 1) return taken;
    turnIntoCallersGrid(
        [&](int k) {
            return PressureCell{k / kFrameSide, k % kFrameSide, queued.readings[k], 0.0f};
        },
        frame);
    if (info) {
        info->frameNumber = queued.frameNumber;
        info->frameRate = queued.frameRate;
        info->receivedNs = std::llround(queued.receivedMs * 1e6);
    }
    return 1;
}

}  // namespace
}  // namespace pladex

using pladex::guarded;
using pladex::library;

extern "C" {

int LibPladex_ListenUDPPort(int port) {
    return guarded(-1, [&] { return library().receiver.listen(htonl(INADDR_ANY), port); });
}

int LibPladex_ListenUDPAddress(const char* address, int port) {
    return guarded(-1, [&] {
        in_addr local{};
        local.s_addr = htonl(INADDR_ANY);
        if (address && *address && inet_pton(AF_INET, address, &local) != 1) return -3;
        return library().receiver.listen(local.s_addr, port);
    });
}

int LibPladex_CloseUDPPort(void) {
    return guarded(-1, [] { return library().receiver.close(); });
}

int LibPladex_StopReceiving(void) {
    return guarded(-1, [] { return library().receiver.stop(); });
}

int LibPladex_getDevices(void) {
    return guarded(0, [] { return library().devices.deviceCount(); });
}

int LibPladex_getDeviceInfoByIndex(int index, char serial[64], int* columns, int* rows,
                                   char addresses[128], char ports[128]) {
    return guarded(0, [&] {
        library().devices.withRecordAt(index, [&](const pladex::DeviceRecord& record) {
            if (serial) std::memcpy(serial, record.serial, sizeof record.serial);
            pladex::writeDimensions(record, columns, rows);
            if (addresses) std::memcpy(addresses, record.addresses, sizeof record.addresses);
            if (ports) std::memcpy(ports, record.ports, sizeof record.ports);
        });
        return 0;
    });
}

int LibPladex_getDeviceInfoBySN(const char* serial, int* columns, int* rows) {
    return guarded(-1, [&] {
        return pladex::withDevice(serial,
                                  [&](const pladex::DeviceRecord& record) {
                                      pladex::writeDimensions(record, columns, rows);
                                  })
                   ? 0
                   : -1;
    });
}

int LibPladex_isNewFramePending(const char* serial) {
    return guarded(0, [&] {
        int pending = 0;
        pladex::withDevice(
            serial, [&](const pladex::DeviceRecord& record) { pending = record.newFramePending; });
        return pending;
    });
}

int LibPladex_resetNewFramePending(const char* serial) {
    return guarded(0, [&] {
        return pladex::withDevice(serial,
                                  [](pladex::DeviceRecord& record) { record.newFramePending = 0; })
                   ? 1
                   : 0;
    });
}

int LibPladex_GetFrame(const char* serial, PressureCell frame[2500], int* frameRate) {
    if (!frame) return -1;
    return guarded(-1, [&] {
        const bool found = pladex::withDevice(serial, [&](const pladex::DeviceRecord& record) {
            pladex::turnIntoCallersGrid([&](int k) { return record.cells[k]; }, frame);
            if (frameRate) *frameRate = record.frameRate;
        });
        return found ? 0 : -1;
    });
}

void* LibPladexNewFrameCB_Regist(void* callback) {
    return guarded<void*>(nullptr, [&] {
        library().newFrameCallback.store(callback);
        return callback;
    });
}

int LibPladex_getVersion(void) { return pladex::kVersion; }

int LibPladex_getStats(const char* serial, LibPladex_DeviceStats* stats) {
    if (!stats) return -2;
    return guarded(-1, [&] {
        const std::optional<std::uint32_t> id = pladex::parseSerialText(serial);
        return id && library().devices.stats(*id, *stats) ? 0 : -1;
    });
}

int64_t LibPladex_getMalformedCount(void) {
    return guarded<int64_t>(-1, [] { return library().processor.malformedCount(); });
}

int LibPladex_getReceiveBufferSize(void) {
    return guarded(-1, [] { return library().receiver.receiveBufferSize(); });
}

int LibPladex_readQueuedFrameBySN(const char* serial, PressureCell frame[2500],
                                  LibPladex_FrameInfo* info) {
    if (!frame) return -2;
    return guarded(-1, [&] {
        const std::optional<std::uint32_t> id = pladex::parseSerialText(serial);
        if (!id) return -1;
        pladex::QueuedFrame queued;
        return pladex::deliverQueued(library().devices.takeQueued(*id, queued), queued, frame,
                                     info);
    });
}

int LibPladex_readQueuedFrameByIndex(int index, PressureCell frame[2500],
                                     LibPladex_FrameInfo* info) {
    if (!frame) return -2;
    return guarded(-1, [&] {
        pladex::QueuedFrame queued;
        return pladex::deliverQueued(library().devices.takeQueuedAt(index, queued), queued, frame,
                                     info);
    });
}

int LibPladex_waitForQueuedFrame(int timeoutMs) {
    return guarded(-1, [&] {
        const int bounded = timeoutMs < 0 ? 0 : timeoutMs;
        return library().devices.waitForQueued(std::chrono::milliseconds(bounded)) ? 1 : 0;
    });
}

int LibPladex_getReceptionStats(const char* serial, LibPladex_ReceptionStats* stats) {
    if (!stats) return -2;
    return guarded(-1, [&] {
        const std::optional<std::uint32_t> id = pladex::parseSerialText(serial);
        return id && library().devices.receptionStats(*id, *stats) ? 0 : -1;
    });
}

int LibPladex_getLibraryStats(LibPladex_LibraryStats* stats) {
    if (!stats) return -2;
    return guarded(-1, [&] {
        library().processor.libraryStats(*stats);
        return 0;
    });
}

void LibPladex_setLogCallback(LibPladex_LogCallback callback, void* user) {
    guarded(0, [&] {
        library().processor.log().set(callback, user);
        return 0;
    });
}

}  // extern "C"
