#include "ProcessExit.h"

#include <unistd.h>

#include <cstdio>

#include "DeviceManagement.h"
#include "GlobalState.h"

void endProcessNow() {
    if (DeviceManagement* panel = globalState().deviceManagement) panel->stopRecording();
    std::fflush(stdout);
    std::fflush(stderr);
    ::_exit(0);
}
