// The static analysis of one recording: grids, feet, zones and every figure of both feet.
#pragma once

#include <array>
#include <vector>

#include "FootLocation.h"
#include "FootRecord.h"
#include "PressureMatrix.h"
#include "StaticGrids.h"

// The front-half and rear-half shares of both feet together.
struct BothFeetShares {
    int front = 0;
    int rear = 0;
};

struct StaticAnalysis {
    StaticGrids grids;               // meanGrid as cleaned by locateFeet
    std::array<FootRecord, 2> feet;  // indexed by FootSide
    BothFeetShares bothFeet;
};

// Each foot's share of the load of both feet, from the totals: left = integer part of
// left / (left + right) * 100, right = 100 - left; a foot with total 0 gets 0.
void setFootShares(std::array<FootRecord, 2>& feet);

// Front-half loads of both feet as a percentage of both totals, and the rest; both 0 when
// the front halves carry nothing.
BothFeetShares bothFeetShares(const std::array<FootRecord, 2>& feet);

// Analyses frames (file order): grids, locateFeet on the mean grid with kFootMinCells, zone
// loads with kFigureSubdivision and all figures of both feet. Draws nothing.
// Throws std::invalid_argument when frames is empty.
StaticAnalysis analyzeStatic(const std::vector<PressureMatrix>& frames);
