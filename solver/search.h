// The backtracking search and the solve run that the timer starts.
#pragma once

#include "state/game_state.h"

constexpr int kNodesPerProgressStep = 1024;
constexpr double kStatusRedrawInterval = 0.25;

// One solve run of board, from the timer tick: refused with a beep while a
// run is in progress, and ended by a full repaint showing the verdict.
void startSolve();
// The run itself, without the refusal and the repaint, on the game; the
// benchmarks call it directly. A board that repeats a digit in a unit is not
// searched: the run ends with 0 nodes and no solution.
void runSolve();
// The same run on a state of its own: its board, frame stack and results.
// Runs on different states may go on at once in different threads when the
// window-system calls are no-ops and the clock has been read once before.
void runSolve(GameState& state);
// One search node of a run on state, on a frame whose values were just
// written; nothing when they repeat a digit in a unit.
void searchFrame(GameState& state, SolverFrame& frame);
