// A plausible standing pair of feet on the plate, for tests and benchmarks that need a
// realistic frame: heels, lateral midfoot bands, forefoot pads and toes, front toward row 0,
// left foot in columns 0..24 and right foot in columns 25..49, outer ring of cells zero.
#pragma once

#include <algorithm>

#include "PressureMatrix.h"

inline PressureMatrix footLikeMatrix() {
    PressureMatrix matrix;
    // A pad whose pressure falls from peak at its centre to 0 at the edge of its ellipse.
    auto pad = [&matrix](double row, double column, double rowRadius, double columnRadius,
                         double peak) {
        for (int r = 1; r < PressureMatrix::kRows - 1; ++r) {
            for (int c = 1; c < PressureMatrix::kColumns - 1; ++c) {
                const double dr = (r - row) / rowRadius;
                const double dc = (c - column) / columnRadius;
                const double d = dr * dr + dc * dc;
                if (d < 1.0) {
                    const auto value = static_cast<std::uint16_t>(peak * (1.0 - d));
                    matrix.at(r, c) = std::max(matrix.at(r, c), value);
                }
            }
        }
    };
    for (const int side : {-1, 1}) {  // -1: left foot, 1: right foot
        const double centre = 24.5 + side * 10.0;
        const double lateral = side * 2.5;    // outer edge, away from the middle of the plate
        pad(40.0, centre, 5.0, 4.0, 3300.0);  // heel
        pad(28.5, centre + lateral, 9.5, 2.6, 1000.0);       // lateral midfoot
        pad(17.0, centre, 4.0, 6.0, 2600.0);                 // forefoot
        pad(15.5, centre - lateral, 2.5, 3.0, 3600.0);       // first metatarsal head
        pad(8.0, centre - 1.6 * lateral, 2.5, 2.0, 2100.0);  // big toe
        for (int toe = 0; toe < 4; ++toe) {  // the small toes, shorter towards the outside
            pad(9.5 + 0.8 * toe, centre + (0.2 + 0.9 * toe) * lateral, 1.6, 1.2, 1100.0);
        }
    }
    return matrix;
}
