#pragma once

#include "state/game_state.h"

constexpr int kNodesPerProgressStep = 1024;
constexpr double kStatusRedrawInterval = 0.25;

// One solve run of board, from the timer tick: refused with a beep while a
// run is in progress, and ended by a full repaint showing the verdict.
void startSolve();
// The run itself, without the refusal and the repaint; vantric-solve and the
// benchmarks call it directly. A board that repeats a digit in a unit is not
// searched: the run ends with 0 nodes and no solution.
void runSolve();
// One search node on a frame whose values were just written.
void searchFrame(SolverFrame& frame);
