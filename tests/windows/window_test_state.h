// What the Windows test program recorded of its start-up.
#pragma once

#include <string>

#include "state/game_state.h"

// What main saw while opening the window, before any test ran.
struct StartState {
  int startUpResult;
  double firstPaintSeconds;
  double firstPaintSinceProcessStart;
  int loadedBoard[kCellCount];
  bool solvedByFirstTick;
  bool solutionFoundAfterFirstTick;
  std::string statusAfterFirstTick;
};

extern StartState startState;
