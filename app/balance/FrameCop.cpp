#include "FrameCop.h"

#include <cstdint>

CopPoint frameCop(const PressureMatrix& frame) {
    // Column sums stay below 50 * 65535 and row sums likewise, so 32 bits hold them; the
    // moments and the total (up to 2500 * 65535 * 50) need 64. Summing columns across rows
    // keeps the inner loop free of per-cell multiplications.
    std::uint32_t columnSums[PressureMatrix::kColumns] = {};
    std::uint64_t rowMoment = 0;
    for (int row = 0; row < PressureMatrix::kRows; ++row) {
        const std::uint16_t* cells = &frame.values[PressureMatrix::kColumns * row];
        std::uint32_t rowSum = 0;
        for (int column = 0; column < PressureMatrix::kColumns; ++column) {
            columnSums[column] += cells[column];
            rowSum += cells[column];
        }
        rowMoment += static_cast<std::uint64_t>(rowSum) * static_cast<std::uint64_t>(row + 1);
    }
    std::uint64_t total = 0;
    std::uint64_t columnMoment = 0;
    for (int column = 0; column < PressureMatrix::kColumns; ++column) {
        total += columnSums[column];
        columnMoment +=
            static_cast<std::uint64_t>(columnSums[column]) * static_cast<std::uint64_t>(column + 1);
    }
    if (total == 0) return {};
    return {static_cast<double>(columnMoment) / static_cast<double>(total),
            static_cast<double>(rowMoment) / static_cast<double>(total)};
}
