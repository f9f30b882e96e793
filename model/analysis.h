// The analysis of the live position: candidates, forced cells, conflicts and colours.
#pragma once

#include "state/grid.h"

// The live analysis of board: candidates, conflicts, forced cells, colours.
// Always computeCandidates first, then computeCellColours.
void computeCandidates();
bool isCellInError(CellIndex cell);
void markHiddenSingles();
void computeCellColours();
// Both steps, in their order.
void analysePosition();
