#include "FootLocation.h"

namespace {

constexpr int kUnknown = -1;
constexpr int kLastRow = PressureMatrix::kRows - 1;
constexpr int kLastColumn = PressureMatrix::kColumns - 1;
// The bottom-row search never looks above this row.
constexpr int kBottomSearchEnd = PressureMatrix::kRows / 2;

struct Edges {
    int top = kUnknown;
    int bottom = kUnknown;
    int first = kUnknown;
    int last = kUnknown;
};

FootSide sideOfColumn(int column) { return column < kHalfColumns ? kLeftFoot : kRightFoot; }

// Takes row as the edge of the half when it holds enough foot, or wipes the half's part of it.
void settleRowEdge(PressureMatrix& grid, int row, FootSide side, int minCells, int& edge) {
    const int begin = firstColumnOf(side);
    int count = 0;
    for (int c = begin; c < begin + kHalfColumns; ++c) {
        count += grid.at(row, c) != 0;
    }
    if (count < minCells) {
        for (int c = begin; c < begin + kHalfColumns; ++c) {
            grid.at(row, c) = 0;
        }
    } else {
        edge = row;
    }
}

// The same for a whole column, which always lies in one half.
void settleColumnEdge(PressureMatrix& grid, int column, int minCells, int& edge) {
    int count = 0;
    for (int r = 0; r < PressureMatrix::kRows; ++r) {
        count += grid.at(r, column) != 0;
    }
    if (count < minCells) {
        for (int r = 0; r < PressureMatrix::kRows; ++r) {
            grid.at(r, column) = 0;
        }
    } else {
        edge = column;
    }
}

// Scans rows from `from` toward `to` (inclusive) until both halves have their edge.
void findRowEdges(PressureMatrix& grid, int from, int to, int minCells, std::array<Edges, 2>& edges,
                  int Edges::*edge) {
    const int step = from <= to ? 1 : -1;
    for (int r = from; r != to + step; r += step) {
        for (const FootSide side : kFootSides) {
            if (edges[side].*edge == kUnknown) {
                settleRowEdge(grid, r, side, minCells, edges[side].*edge);
            }
        }
        if (edges[kLeftFoot].*edge != kUnknown && edges[kRightFoot].*edge != kUnknown) {
            return;
        }
    }
}

void findColumnEdges(PressureMatrix& grid, int from, int to, int minCells,
                     std::array<Edges, 2>& edges, int Edges::*edge) {
    const int step = from <= to ? 1 : -1;
    for (int k = from; k != to + step; k += step) {
        int& sideEdge = edges[sideOfColumn(k)].*edge;
        if (sideEdge == kUnknown) {
            settleColumnEdge(grid, k, minCells, sideEdge);
        }
    }
}

}  // namespace

FeetRects locateFeet(PressureMatrix& grid, int minCells) {
    std::array<Edges, 2> edges;
    findRowEdges(grid, 0, kLastRow, minCells, edges, &Edges::top);
    findRowEdges(grid, kLastRow, kBottomSearchEnd, minCells, edges, &Edges::bottom);
    findColumnEdges(grid, 0, kLastColumn, minCells, edges, &Edges::first);
    findColumnEdges(grid, kLastColumn, 0, minCells, edges, &Edges::last);
    FeetRects rects;
    for (const FootSide side : kFootSides) {
        const Edges& e = edges[side];
        rects[side] = QRect(e.first, e.top, e.last - e.first, e.bottom - e.top);
    }
    return rects;
}
