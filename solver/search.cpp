#include "solver/search.h"

#include "solver/clock.h"
#include "solver/message_pump.h"
#include "solver/propagation.h"
#include "state/platform.h"

namespace {

// Every kNodesPerProgressStep nodes: the run time, a status-line redraw at
// most every kStatusRedrawInterval, and the window's queued messages. False
// when the run is to be given up because a newer puzzle is waiting.
bool runProgressStep() {
  game.solveSeconds = elapsedSeconds() - game.solveStartTime;
  if (game.solveSeconds > game.nextStatusRedraw) {
    invalidateStatusLine();
    game.nextStatusRedraw = game.solveSeconds + kStatusRedrawInterval;
  }
  pumpMessages(false);
  if (game.pendingSolve) {
    // The board no longer holds this run's puzzle; its verdict would
    // describe something the player cannot see.
    game.solveAbandoned = true;
    return false;
  }
  return true;
}

bool isRunOver() {
  return game.solverIdle || game.solveAbandoned;
}

void searchPreparedFrame(SolverFrame& frame, bool consistent) {
  ++game.nodeCount;
  if ((game.nodeCount & (kNodesPerProgressStep - 1)) == 0 && !runProgressStep()) return;

  if (!consistent || !propagateFrame(frame)) {
    frame.contradiction = true;
    return;
  }
  if (frame.emptyCount == 0) {
    if (repeatsDigit(frame.values)) return;
    for (CellIndex c = 0; c < kCellCount; ++c) game.solution[c] = frame.values[c];
    game.solutionFound = true;
    game.solverIdle = true;
    return;
  }

  frame.branchCount = 0;
  const CellIndex cell = chooseBranchCell(frame);
  if (cell == kNoCell) return;
  // Children never touch their parent, so the mask stays as it is now.
  int mask = cellCandidates(frame, cell);
  for (int digit = 1; mask != 0; ++digit, mask >>= 1) {
    if ((mask & 1) == 0) continue;
    ++frame.branchCount;
    ++game.searchDepth;
    if (game.searchDepth > game.deepestSlot) game.deepestSlot = game.searchDepth;
    SolverFrame& child = game.frameStack[game.searchDepth];
    copyFrame(child, frame);
    const bool childConsistent = placeDigit(child, cell, digit);
    searchPreparedFrame(child, childConsistent);
    --game.searchDepth;
    if (isRunOver()) return;
  }
}

}  // namespace

void searchFrame(SolverFrame& frame) {
  prepareFrame(frame);
  searchPreparedFrame(frame, true);
}

void runSolve() {
  game.solveAbandoned = false;
  game.solverIdle = false;
  game.solveStartTime = elapsedSeconds();
  SolverFrame& root = game.frameStack[0];
  for (CellIndex c = 0; c < kCellCount; ++c) root.values[c] = game.board[c];
  game.nextStatusRedraw = kStatusRedrawInterval;
  game.searchDepth = 0;
  game.deepestSlot = 0;
  game.nodeCount = 0;
  game.solutionFound = false;
  // A board that already repeats a digit has no solution; searching it would
  // only fill the cells around the repeat.
  if (!repeatsDigit(root.values)) searchFrame(root);
  const double now = elapsedSeconds();
  game.solverIdle = true;
  game.solveSeconds = now - game.solveStartTime;
  // On x87 builds one reading may keep extra precision and the other not,
  // which turns a zero run time into a tiny negative one.
  if (game.solveSeconds < 0.0) game.solveSeconds = 0.0;
}

void startSolve() {
  if (!game.solverIdle) {
    beep(kBeepDefault);
    return;
  }
  runSolve();
  if (!game.solveAbandoned) repaintWindow();
}
