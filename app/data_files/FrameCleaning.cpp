#include "FrameCleaning.h"

void cleanFrame(PressureMatrix& m) {
    constexpr int last = PressureMatrix::kRows - 1;
    for (int j = 0; j <= last; ++j) {
        for (int k = 0; k <= last; ++k) {
            std::uint16_t& cell = m.at(j, k);
            if (cell < 2 || j == 0 || j == last || k == 0 || k == last) {
                cell = 0;
                continue;
            }
            const bool isolatedBesideAndBelow = m.at(j - 1, k - 1) == 0 && m.at(j, k - 1) == 0 &&
                                                m.at(j, k + 1) == 0 && m.at(j + 1, k - 1) == 0 &&
                                                m.at(j + 1, k) == 0 && m.at(j + 1, k + 1) == 0;
            if (isolatedBesideAndBelow && (m.at(j - 1, k) == 0 || m.at(j - 1, k + 1) == 0))
                cell = 0;
        }
    }
}
