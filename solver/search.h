#pragma once

#include "state/game_state.h"

constexpr int kNodesPerProgressStep = 1024;
constexpr double kStatusRedrawInterval = 0.25;

// One solve run of board, from the timer tick.
void startSolve();
// One search node.
void searchFrame(SolverFrame& frame);
// Seconds since the first reading of the clock.
double elapsedSeconds();
// Rebuilds statusText.
void formatStatusLine();
// Dispatches window messages from inside a search.
void pumpMessages(bool blocking);
