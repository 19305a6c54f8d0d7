#include "StaticAnalysis.h"

#include "FootFigures.h"
#include "ZoneLoads.h"

void setFootShares(std::array<FootRecord, 2>& feet) {
    FootRecord& left = feet[kLeftFoot];
    FootRecord& right = feet[kRightFoot];
    const int both = left.total + right.total;
    left.share = both == 0 ? 0 : static_cast<int>(static_cast<double>(left.total) / both * 100);
    right.share = right.total == 0 ? 0 : 100 - left.share;
}

BothFeetShares bothFeetShares(const std::array<FootRecord, 2>& feet) {
    const FootRecord& left = feet[kLeftFoot];
    const FootRecord& right = feet[kRightFoot];
    const int frontHalves = left.frontHalfLoad + right.frontHalfLoad;
    if (frontHalves <= 0) {
        return {};
    }
    BothFeetShares shares;
    shares.front =
        static_cast<int>(static_cast<double>(frontHalves) / (left.total + right.total) * 100);
    shares.rear = 100 - shares.front;
    return shares;
}

StaticAnalysis analyzeStatic(const std::vector<PressureMatrix>& frames) {
    StaticAnalysis analysis;
    analysis.grids = computeStaticGrids(frames);
    PressureMatrix& grid = analysis.grids.meanGrid;
    const FeetRects rects = locateFeet(grid, kFootMinCells);
    for (const FootSide side : kFootSides) {
        FootRecord& foot = analysis.feet[side];
        foot.rect = rects[side];
        setLoadFigures(foot, computeZoneLoads(grid, side, foot.rect, kFigureSubdivision));
        setContactFigures(foot, grid, side);
    }
    setFootShares(analysis.feet);
    analysis.bothFeet = bothFeetShares(analysis.feet);
    return analysis;
}
