// The figures of one foot, as the static view, the report and the command line read them.
#pragma once

#include <QRect>
#include <QString>
#include <cstdint>
#include <vector>

// Shown while a foot carries no load. A function, so that no static initialisation order
// stands between it and records defined at namespace scope.
inline QString defaultFootType() { return QStringLiteral("正常足"); }

struct FootRecord {
    // The foot rectangle on the mean grid (FeetRects convention; -1 edges when not found).
    QRect rect{0, 0, 0, 0};
    // Zone loads in zone order 1..8 (raw units); empty when the zones could not be computed.
    std::vector<double> zones;
    // Sum of the zone loads as added in zone order, and its ceiling.
    double zoneSum = 0.0;
    int total = 0;
    // Percentage of the load of both feet.
    int share = 0;
    // Percentages of the foot's load on zones 1-5, zone 6 (the arch index) and zones 7-8.
    int front = 0;
    int middle = 0;
    int rear = 0;
    // Foot type from the arch index, one of "高足弓", "轻微高足弓", "正常足", "轻微扁平足",
    // "扁平足".
    QString footType = defaultFootType();
    // Ceiling of zone 6 / 2 + zones 1-5, its percentage of the total and the rest.
    int frontHalfLoad = 0;
    int frontHalfShare = 0;
    int rearHalfShare = 0;
    // Loaded cells of the foot's half of the plate times 49 mm².
    int contactArea = 0;
    // Zone sum per loaded cell, truncated to one decimal; 0 without load.
    double averagePressure = 0.0;
    // Largest cell of the foot's half of the mean grid.
    std::uint16_t maxPressure = 0;
};
