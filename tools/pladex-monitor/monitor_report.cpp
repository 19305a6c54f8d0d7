#include "monitor_report.h"

#include <cstdio>

namespace monitor {
namespace {

unsigned long long asUnsigned(std::uint64_t value) {
    return static_cast<unsigned long long>(value);
}

}  // namespace

std::string deviceTable(const std::vector<DeviceSnapshot>& devices, double elapsedSeconds,
                        int receiveBufferBytes, std::int64_t malformed) {
    char line[256];
    std::snprintf(
        line, sizeof line, "[%7.1f s] %zu device(s), receive buffer %d bytes, malformed %lld\n",
        elapsedSeconds, devices.size(), receiveBufferBytes, static_cast<long long>(malformed));
    std::string table = line;
    if (devices.empty()) return table;
    table +=
        "  serial    address          port   rate     frames  datagrams  dropped  refused"
        "   missed  overflow  foreign\n";
    for (const DeviceSnapshot& d : devices) {
        std::snprintf(line, sizeof line,
                      "  %-8s  %-15s  %5d  %5d  %9llu  %9llu  %7llu  %7llu  %7llu  %8llu  %7llu\n",
                      d.serial.c_str(), d.address.c_str(), d.port, d.rate,
                      asUnsigned(d.stats.frames), asUnsigned(d.stats.datagrams),
                      asUnsigned(d.stats.dropped), asUnsigned(d.stats.refused),
                      asUnsigned(d.reception.missed), asUnsigned(d.reception.overflow),
                      asUnsigned(d.reception.foreign));
        table += line;
    }
    return table;
}

std::string deviceJson(const DeviceSnapshot& d) {
    // Serial and address texts come from the library: hexadecimal digits and dotted numbers,
    // nothing that needs escaping.
    char line[400];
    std::snprintf(line, sizeof line,
                  "{\"serial\":\"%s\",\"address\":\"%s\",\"port\":%d,\"rate\":%d,"
                  "\"frames\":%llu,\"datagrams\":%llu,\"dropped\":%llu,\"refused\":%llu,"
                  "\"missed\":%llu,\"overflow\":%llu,\"foreign\":%llu}",
                  d.serial.c_str(), d.address.c_str(), d.port, d.rate, asUnsigned(d.stats.frames),
                  asUnsigned(d.stats.datagrams), asUnsigned(d.stats.dropped),
                  asUnsigned(d.stats.refused), asUnsigned(d.reception.missed),
                  asUnsigned(d.reception.overflow), asUnsigned(d.reception.foreign));
    return line;
}

std::string malformedJson(std::int64_t malformed) {
    return "{\"malformed\": " + std::to_string(malformed) + "}";
}

std::string frameCsv(const std::vector<PressureCell>& frame) {
    std::string csv;
    csv.reserve(frame.size() * 5);
    for (int row = 0; row < LIBPLADEX_ROWS; ++row) {
        for (int column = 0; column < LIBPLADEX_COLUMNS; ++column) {
            if (column > 0) csv += ',';
            csv += std::to_string(frame[row * LIBPLADEX_COLUMNS + column].value);
        }
        csv += '\n';
    }
    return csv;
}

}  // namespace monitor
