// The process-wide state behind the exported functions.
#pragma once

#include <atomic>

#include "datagram_processor.h"
#include "device_table.h"
#include "udp_receiver.h"

namespace pladex {

struct Library {
    DeviceTable devices;
    DatagramProcessor processor{devices};
    UdpReceiver receiver{processor};
    std::atomic<void*> newFrameCallback{nullptr};
};

// Created on first use and never destroyed: LibPladex_StopReceiving ends the receive thread.
Library& library();

}  // namespace pladex
