#include "FootFigures.h"

#include <algorithm>
#include <cmath>

QString footTypeForArchIndex(int archIndex) {
    if (archIndex < 5) {
        return QStringLiteral("高足弓");
    }
    if (archIndex <= 9) {
        return QStringLiteral("轻微高足弓");
    }
    if (archIndex <= 19) {
        return QStringLiteral("正常足");
    }
    if (archIndex <= 27) {
        return QStringLiteral("轻微扁平足");
    }
    return QStringLiteral("扁平足");
}

void setLoadFigures(FootRecord& record, const ZoneLoadMap& loads) {
    record.zones.clear();
    record.zoneSum = 0.0;
    record.total = record.front = record.middle = record.rear = 0;
    record.footType = defaultFootType();
    record.frontHalfLoad = record.frontHalfShare = record.rearHalfShare = 0;
    for (int zone = 1; zone <= kZoneCount; ++zone) {
        const auto found = loads.find(zoneLoadKey(zone));
        if (found == loads.end()) {
            record.zones.clear();  // not a zone map: the foot counts as carrying no load
            record.zoneSum = 0.0;
            return;
        }
        record.zones.push_back(found->second);
        record.zoneSum += found->second;
    }
    record.total = static_cast<int>(std::ceil(record.zoneSum));
    if (record.zoneSum <= 0.0) {
        return;  // nothing to divide by: zero shares and the default foot type
    }
    const std::vector<double>& z = record.zones;
    const double front = z[0] + z[1] + z[2] + z[3] + z[4];
    const double middle = z[5];
    record.front = static_cast<int>(front * 100 / record.zoneSum);
    record.middle = static_cast<int>(middle * 100 / record.zoneSum);
    // The rear takes the remainder, truncation of the other two included.
    record.rear = 100 - record.middle - record.front;
    record.footType = footTypeForArchIndex(record.middle);
    record.frontHalfLoad = static_cast<int>(std::ceil(middle * 0.5 + front));
    record.frontHalfShare = static_cast<int>(static_cast<unsigned>(record.frontHalfLoad) * 100u /
                                             static_cast<unsigned>(record.total));
    record.rearHalfShare = record.total == record.frontHalfLoad ? 0 : 100 - record.frontHalfShare;
}

void setContactFigures(FootRecord& record, const PressureMatrix& cleanedGrid, FootSide side) {
    int loadedCells = 0;
    std::uint16_t highest = 0;
    const int begin = firstColumnOf(side);
    for (int r = 0; r < PressureMatrix::kRows; ++r) {
        for (int c = begin; c < begin + kHalfColumns; ++c) {
            const std::uint16_t v = cleanedGrid.at(r, c);
            loadedCells += v != 0;
            highest = std::max(highest, v);
        }
    }
    record.contactArea = loadedCells * kCellAreaMm2;
    record.maxPressure = highest;
    record.averagePressure = record.zoneSum > 0.0 && loadedCells > 0
                                 ? static_cast<int>(record.zoneSum / loadedCells * 10) / 10.0
                                 : 0.0;
}

QString contactAreaText(int areaMm2) {
    return QStringLiteral("%1mm%2").arg(static_cast<unsigned>(areaMm2)).arg(QChar(0x00B2));
}
