// The one process-wide record that every layer reads and writes.
#pragma once

#include <cstdint>

#include "state/grid.h"
#include "state/layout_metrics.h"
#include "state/move.h"
#include "state/solver_frame.h"

constexpr int kStatusTextSize = 1000;
constexpr int kMovesTextSize = 19000;

// The one process-wide record. Every subsystem reads and writes its fields
// directly; there is one thread, so nothing is locked. Window-system handles
// live with the Win32 front end, which is the only code that can use them.
struct GameState {
  int board[kCellCount];
  int givens[kCellCount];

  int candidates[kCellCount];
  Colour cellColour[kCellCount];
  int hiddenSingleDigit[kCellCount];

  SolverFrame frameStack[kCellCount];
  int solution[kCellCount];
  bool solutionFound;
  bool solverIdle;
  bool pendingSolve;
  // Set when a run is given up because a newer puzzle asked to be solved.
  bool solveAbandoned;
  int nodeCount;
  int searchDepth;
  // Deepest FrameStack slot the current or last run reached.
  int deepestSlot;
  double solveSeconds;
  double solveStartTime;
  double nextStatusRedraw;
  std::int64_t clockStart;
  double clockFrequency;
  char statusText[kStatusTextSize];

  Move moveHistory[kMaxMoves];
  int moveCount;
  int redoCount;
  char movesText[kMovesTextSize];

  int entryMode;
  bool positionSyncBusy;

  LayoutMetrics layout;

  CellIndex hoverCell;
  int showLegalMoves;
  int showColors;
  int failedClickCount;
};

extern GameState game;

// Puts every field back to its value at process start (tests start from it).
void resetGameState();
