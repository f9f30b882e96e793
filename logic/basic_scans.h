// The scans that the direct techniques share with their plain forms: a
// direct form reports the hidden single its eliminations would leave.
#pragma once

#include "logic/house_scan.h"
#include "logic/logic_grid.h"
#include "logic/step.h"

// Pointing and claiming (intersections.cpp) but in the unchanged digits;
// direct, the hidden single that follows in a third house.
bool findLockedCandidates(const HousePositions& table, int unchanged, Step& step, bool direct);
// Hidden sets of size digits (subsets.cpp) but in houses of unchanged
// cells alone; direct, the hidden single that follows in the same house.
bool findHiddenSet(const LogicGrid& grid, const HousePositions& table, CellSet unchanged,
                   Step& step, int size, bool direct);
