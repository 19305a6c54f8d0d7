#include "ProcessExit.h"

#include <unistd.h>

#include <cstdio>

#include "DeviceManagement.h"
#include "GlobalState.h"
#include "dataAnalysis.h"

void endProcessNow() {
    if (DeviceManagement* panel = globalState().deviceManagement) panel->stopRecording();
    if (dataAnalysis* balance = globalState().balanceAnalysisView) balance->stopFrameImageWorker();
    std::fflush(stdout);
    std::fflush(stderr);
    ::_exit(0);
}
