// plate-sim: emulates pressure plates streaming frames over UDP, for use without hardware.
#include <sys/prctl.h>

#include <csignal>
#include <cstdio>
#include <stdexcept>

#include "plate_stream.h"
#include "raw_recording.h"
#include "sim_options.h"
#include "sim_summary.h"
#include "stop_request.h"

int main(int argc, char** argv) {
    // An emulator whose starter died (a crashed test, a closed terminal) must not go on
    // streaming into whatever listens next; SIGTERM ends it with its summary.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    const platesim::ParsedSimOptions parsed = platesim::parseSimOptions(argc, argv);
    if (parsed.helpRequested) {
        std::fputs(platesim::simUsage().c_str(), stdout);
        return 0;
    }
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "plate-sim: %s\n%s", parsed.error.c_str(),
                     platesim::simUsage().c_str());
        return 2;
    }
    if (!parsed.options.writeRawPath.empty()) {
        const std::string failure = platesim::writeRawRecording(parsed.options);
        if (failure.empty()) return 0;
        std::fprintf(stderr, "plate-sim: %s\n", failure.c_str());
        return 1;
    }
    tools::installStopRequestHandlers();
    try {
        auto plates = platesim::createPlates(parsed.options);
        for (const auto& plate : plates) {
            std::fprintf(stderr, "plate %s: streaming from port %u to %s:%u at %d Hz\n",
                         plate->serial().c_str(), plate->sourcePort(), parsed.options.host.c_str(),
                         parsed.options.port, parsed.options.rate);
        }
        platesim::streamPlates(plates, tools::stopRequested);
        for (const auto& plate : plates) {
            const platesim::PlateReport report = plate->report();
            const std::string line = parsed.options.json ? platesim::jsonSummaryLine(report)
                                                         : platesim::readableSummaryLine(report);
            std::printf("%s\n", line.c_str());
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "plate-sim: %s\n", error.what());
        return 1;
    }
    return 0;
}
