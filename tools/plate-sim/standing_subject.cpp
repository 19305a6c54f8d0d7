#include "standing_subject.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "PladexGrid.h"

namespace platesim {
namespace {

constexpr int kSide = plate::kGridSide;
constexpr double kPi = 3.14159265358979323846;
// Readings below this are not contact: they stay 0, as on the real sensor mat.
constexpr double kContactThreshold = 40.0;

// Parts of a foot whose loads shift against each other while the subject sways.
enum Region { kRearfoot, kMidfoot, kForefoot, kRegionCount };
enum Foot { kLeftFoot, kRightFoot, kFootCount };

// A load peak on the caller's grid: row from the toes (0) down, column offset from the foot's
// axis towards the body's midline (medial positive).
struct Peak {
    Region region;
    double row;
    double medialOffset;
    double sigmaRow;
    double sigmaColumn;
    double height;
};

constexpr Peak kFootPeaks[] = {
    {kRearfoot, 37.5, 0.0, 2.6, 2.7, 2600.0},  // heel
    {kMidfoot, 29.0, -3.5, 4.5, 1.6, 520.0},   // lateral band of the arch
    {kForefoot, 17.0, 4.0, 1.8, 1.3, 1650.0},  // first metatarsal head
    {kForefoot, 16.5, 1.5, 1.8, 1.3, 1550.0},
    {kForefoot, 17.0, -0.8, 1.8, 1.3, 1350.0},
    {kForefoot, 17.5, -3.0, 1.8, 1.3, 1100.0},
    {kForefoot, 18.5, -4.8, 1.8, 1.3, 900.0},  // fifth metatarsal head
    {kForefoot, 9.5, 3.8, 1.4, 1.4, 800.0},    // hallux
    {kForefoot, 10.5, 1.2, 0.9, 0.9, 450.0},
    {kForefoot, 11.0, -0.9, 0.9, 0.9, 380.0},
    {kForefoot, 11.8, -2.8, 0.9, 0.9, 320.0},
    {kForefoot, 12.8, -4.4, 0.9, 0.9, 260.0},
};

struct FootPlacement {
    double axisColumn;
    double medialDirection;  // +1: the midline lies towards larger columns
};
constexpr FootPlacement kPlacements[kFootCount] = {{12.0, +1.0}, {37.0, -1.0}};

// The unmodulated load of one region of one foot, per cell in the plate's own order.
using RegionMap = std::array<float, plate::kCellsPerFrame>;
using FootMaps = std::array<std::array<RegionMap, kRegionCount>, kFootCount>;

FootMaps buildFootMaps() {
    FootMaps maps{};
    for (int foot = 0; foot < kFootCount; ++foot) {
        const FootPlacement& place = kPlacements[foot];
        for (const Peak& peak : kFootPeaks) {
            const double centreColumn =
                place.axisColumn + place.medialDirection * peak.medialOffset;
            for (int row = 0; row < kSide; ++row) {
                for (int column = 0; column < kSide; ++column) {
                    const double dr = (row - peak.row) / peak.sigmaRow;
                    const double dc = (column - centreColumn) / peak.sigmaColumn;
                    maps[foot][peak.region][pladex::plateIndexOfCallerCell(row, column)] +=
                        static_cast<float>(peak.height * std::exp(-0.5 * (dr * dr + dc * dc)));
                }
            }
        }
    }
    // The contact area is fixed: what is below the threshold at rest is no contact at all.
    for (auto& foot : maps) {
        for (int cell = 0; cell < plate::kCellsPerFrame; ++cell) {
            double total = 0.0;
            for (const RegionMap& region : foot) total += region[cell];
            if (total >= kContactThreshold) continue;
            for (RegionMap& region : foot) region[cell] = 0.0f;
        }
    }
    return maps;
}

const FootMaps& footMaps() {
    static const FootMaps maps = buildFootMaps();
    return maps;
}

double wave(double frequencyHz, double timeSeconds, double phase) {
    return std::sin(2.0 * kPi * frequencyHz * timeSeconds + phase);
}

}  // namespace

plate::SourceFrame standingSubjectFrame(double timeSeconds, int plateIndex, double swayScale) {
    const double phase = 1.3 * plateIndex;
    const double weight = 1.0 + 0.01 * ((plateIndex * 37) % 7 - 3);
    // Forward lean moves load from the heels to the forefeet; sideways sway between the feet.
    const double forward =
        swayScale * (0.03 * wave(0.3, timeSeconds, phase) + 0.015 * wave(0.11, timeSeconds, 0.0));
    const double sideways = swayScale * 0.04 * wave(0.23, timeSeconds, 2.0 * phase);
    const double footLoad[kFootCount] = {weight * (1.0 + sideways), weight * (1.0 - sideways)};
    const double regionLoad[kRegionCount] = {1.0 - forward, 1.0, 1.0 + forward};

    const FootMaps& maps = footMaps();
    plate::SourceFrame frame{};
    for (int cell = 0; cell < plate::kCellsPerFrame; ++cell) {
        double value = 0.0;
        for (int foot = 0; foot < kFootCount; ++foot) {
            for (int region = 0; region < kRegionCount; ++region) {
                value += footLoad[foot] * regionLoad[region] * maps[foot][region][cell];
            }
        }
        // A cell in contact never reads 0, so the contact outline stays steady.
        frame[cell] =
            value > 0.0 ? static_cast<std::uint16_t>(std::max(1.0, std::round(value))) : 0;
    }
    return frame;
}

}  // namespace platesim
