#include "ZoneLoads.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

struct ZoneColumns {
    int zone;
    int startPercent;
    int endPercent;
};

struct ZoneBand {
    int topPercent;
    int bottomPercent;
    std::vector<ZoneColumns> zones;  // left to right
};

const std::vector<ZoneBand>& layoutOf(FootSide side) {
    static const std::vector<ZoneBand> right{
        {0, 20, {{1, 0, 33}, {2, 33, 100}}},
        {20, 40, {{3, 0, 33}, {4, 33, 76}, {5, 76, 100}}},
        {40, 70, {{6, 0, 100}}},
        {70, 100, {{7, 0, 50}, {8, 50, 100}}},
    };
    static const std::vector<ZoneBand> left{
        {0, 20, {{2, 0, 67}, {1, 67, 100}}},
        {20, 40, {{5, 0, 24}, {4, 24, 67}, {3, 67, 100}}},
        {40, 70, {{6, 0, 100}}},
        {70, 100, {{8, 0, 50}, {7, 50, 100}}},
    };
    return side == kLeftFoot ? left : right;
}

int latticeEdge(int origin, int percent, int extent) {
    return static_cast<int>(origin + static_cast<double>(percent) * extent / 100.0);
}

bool accepted(const QRect& rect, int s) {
    if (s < 1) {
        return false;
    }
    const int x0 = rect.x();
    const int y0 = rect.y();
    const int x1 = rect.x() + rect.width() + 1;
    const int y1 = rect.y() + rect.height() + 1;
    if (s * x0 <= 2 || s * y0 <= 2 || s * x1 <= 2 || s * y1 <= 2) {
        return false;
    }
    // Callers other than locateFeet may hand in anything; never read outside the grid.
    return std::max(x0, x1) <= PressureMatrix::kColumns &&
           std::max(y0, y1) <= PressureMatrix::kRows;
}

}  // namespace

std::string zoneLoadKey(int zone) { return "section_" + std::to_string(zone) + "_key"; }

std::vector<ZoneArea> zoneAreas(FootSide side, const QRect& rect, int s) {
    std::vector<ZoneArea> areas;
    if (!accepted(rect, s)) {
        return areas;
    }
    const int x0 = std::min(s * rect.x(), s * (rect.x() + rect.width() + 1));
    const int y0 = std::min(s * rect.y(), s * (rect.y() + rect.height() + 1));
    const int width = std::abs(s * (rect.width() + 1));
    const int height = std::abs(s * (rect.height() + 1));
    for (const ZoneBand& band : layoutOf(side)) {
        const int top = latticeEdge(y0, band.topPercent, height);
        const int bottom = latticeEdge(y0, band.bottomPercent, height);
        for (const ZoneColumns& zone : band.zones) {
            areas.push_back({zone.zone, latticeEdge(x0, zone.startPercent, width),
                             latticeEdge(x0, zone.endPercent, width), top, bottom});
        }
    }
    return areas;
}

ZoneLoadMap computeZoneLoads(const PressureMatrix& grid, FootSide side, const QRect& rect, int s) {
    ZoneLoadMap loads;
    for (const ZoneArea& area : zoneAreas(side, rect, s)) {
        double sum = 0.0;
        for (int x = area.left; x < area.right; ++x) {
            for (int y = area.top; y < area.bottom; ++y) {
                sum += static_cast<double>(grid.at(y / s, x / s)) / s / s;
            }
        }
        loads[zoneLoadKey(area.zone)] = std::trunc(sum * 100.0) / 100.0;
    }
    return loads;
}
