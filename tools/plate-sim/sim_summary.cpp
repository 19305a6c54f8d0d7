#include "sim_summary.h"

#include <cstdio>
#include <utility>
#include <vector>

namespace platesim {
namespace {

using Figures = std::vector<std::pair<const char*, long long>>;

// The figures after the frame count, in the order both forms print them.
Figures tallyFigures(const PlateTally& t) {
    return {{"complete", t.complete}, {"touched", t.touched}, {"datagrams", t.datagrams},
            {"refused", t.refused},   {"json", t.json},       {"short", t.truncated}};
}

}  // namespace

std::string serialText(std::uint32_t deviceId) {
    char text[16];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(deviceId));
    return text;
}

std::string readableSummaryLine(const PlateReport& report) {
    std::string line =
        "plate " + report.serial + ": sent " + std::to_string(report.tally.frames) + " frames (";
    const char* separator = "";
    for (const auto& [name, value] : tallyFigures(report.tally)) {
        line += separator + std::string(name) + " " + std::to_string(value);
        separator = ", ";
    }
    return line + ") from port " + std::to_string(report.sourcePort);
}

std::string jsonSummaryLine(const PlateReport& report) {
    std::string line = "{\"serial\":\"" + report.serial +
                       "\",\"port\":" + std::to_string(report.sourcePort) +
                       ",\"frames\":" + std::to_string(report.tally.frames);
    for (const auto& [name, value] : tallyFigures(report.tally)) {
        line += ",\"" + std::string(name) + "\":" + std::to_string(value);
    }
    return line + "}";
}

}  // namespace platesim
