// The backtracking search and the solve run that the timer starts.
#include "solver/search.h"

#include <bit>

#include "solver/clock.h"
#include "solver/message_pump.h"
#include "solver/propagation.h"
#include "state/platform.h"

namespace {

// Every kNodesPerProgressStep nodes: the run time, a status-line redraw at
// most every kStatusRedrawInterval, and the window's queued messages. False
// when the run is to be given up because a newer puzzle is waiting.
bool runProgressStep(GameState& state) {
  state.solveSeconds = elapsedSeconds() - state.solveStartTime;
  if (state.solveSeconds > state.nextStatusRedraw) {
    invalidateStatusLine();
    state.nextStatusRedraw = state.solveSeconds + kStatusRedrawInterval;
  }
  pumpMessages(false);
  if (state.pendingSolve) {
    // The board no longer holds this run's puzzle; its verdict would
    // describe something the player cannot see.
    state.solveAbandoned = true;
    return false;
  }
  return true;
}

bool isRunOver(const GameState& state) {
  return state.solverIdle || state.solveAbandoned;
}

void searchPreparedFrame(GameState& state, SolverFrame& frame, bool consistent) {
  ++state.nodeCount;
  if ((state.nodeCount & (kNodesPerProgressStep - 1)) == 0 && !runProgressStep(state)) return;

  if (!consistent || !propagateFrame(frame)) {
    frame.contradiction = true;
    return;
  }
  // A full frame is a solution: propagateFrame refuses one that repeats a digit.
  if (frame.emptyCount == 0) {
    for (CellIndex c = 0; c < kCellCount; ++c) state.solution[c] = frame.values[c];
    state.solutionFound = true;
    state.solverIdle = true;
    return;
  }

  const CellIndex cell = chooseBranchCell(frame);
  if (cell == kNoCell) return;
  // Children never touch their parent, so the mask stays as it is now.
  for (unsigned mask = unsigned(cellCandidates(frame, cell)); mask != 0; mask &= mask - 1) {
    const int digit = std::countr_zero(mask) + 1;
    ++state.searchDepth;
    if (state.searchDepth > state.deepestSlot) state.deepestSlot = state.searchDepth;
    SolverFrame& child = state.frameStack[state.searchDepth];
    const bool childConsistent = branchFrame(child, frame, cell, digit);
    searchPreparedFrame(state, child, childConsistent);
    --state.searchDepth;
    if (isRunOver(state)) return;
  }
}

}  // namespace

void searchFrame(GameState& state, SolverFrame& frame) {
  // A board that already repeats a digit has no solution; searching it would
  // only fill the cells around the repeat.
  if (prepareFrame(frame)) searchPreparedFrame(state, frame, true);
}

void runSolve(GameState& state) {
  state.solveAbandoned = false;
  state.solverIdle = false;
  state.solveStartTime = elapsedSeconds();
  SolverFrame& root = state.frameStack[0];
  for (CellIndex c = 0; c < kCellCount; ++c) root.values[c] = state.board[c];
  state.nextStatusRedraw = kStatusRedrawInterval;
  state.searchDepth = 0;
  state.deepestSlot = 0;
  state.nodeCount = 0;
  state.solutionFound = false;
  searchFrame(state, root);
  const double now = elapsedSeconds();
  state.solverIdle = true;
  state.solveSeconds = now - state.solveStartTime;
  // On x87 builds one reading may keep extra precision and the other not,
  // which turns a zero run time into a tiny negative one.
  if (state.solveSeconds < 0.0) state.solveSeconds = 0.0;
}

void runSolve() {
  runSolve(game);
}

void startSolve() {
  if (!game.solverIdle) {
    beep(kBeepDefault);
    return;
  }
  runSolve();
  if (!game.solveAbandoned) repaintWindow();
}
