#pragma once

#include "state/game_state.h"

// Prepares a frame whose values were just written: the digit masks of its
// rows, columns and boxes.
void loadFrameDigits(SolverFrame& frame);
// One naked-single pass; true when it filled a cell and met no contradiction.
bool applyNakedSingles(SolverFrame& frame);
// One hidden-single pass; true when it wrote a digit.
bool applyHiddenSingles(SolverFrame& frame);
