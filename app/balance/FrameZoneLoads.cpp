#include "FrameZoneLoads.h"

#include "ZoneLoads.h"

double zoneLoadKilograms(double rawLoad) { return rawLoad / 12.5 * 0.00122070312; }

std::array<FootZoneKilograms, 2> frameZoneKilograms(const PressureMatrix& frame) {
    PressureMatrix cleaned = frame;
    const FeetRects feet = locateFeet(cleaned, kFootMinCells);
    std::array<FootZoneKilograms, 2> result{};
    for (FootSide side : kFootSides) {
        const ZoneLoadMap loads = computeZoneLoads(cleaned, side, feet[side], kFigureSubdivision);
        double sum = 0;
        for (int zone = 1; zone <= kZoneCount; ++zone) {
            const auto found = loads.find(zoneLoadKey(zone));
            const double load = found == loads.end() ? 0.0 : found->second;
            sum += load;
            result[side][zone] = zoneLoadKilograms(load);
        }
        result[side][0] = zoneLoadKilograms(sum);
    }
    return result;
}
