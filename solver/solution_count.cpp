// The counting search behind vantric-solve --count.
#include "solver/solution_count.h"

#include <bit>

#include "solver/propagation.h"

namespace {

// Adds the solutions below the frame in slot depth, just written, to count.
void countBelow(GameState& state, int depth, bool consistent, int& count) {
  SolverFrame& frame = state.frameStack[depth];
  if (!consistent || !propagateFrame(frame)) return;
  // A full frame is a solution: propagateFrame refuses one that repeats a digit.
  if (frame.emptyCount == 0) {
    ++count;
    return;
  }
  const CellIndex cell = chooseBranchCell(frame);
  if (cell == kNoCell) return;
  // Each digit of the branch cell leads to other grids, so no solution is
  // counted twice.
  for (unsigned mask = unsigned(cellCandidates(frame, cell));
       mask != 0 && count < kSolutionCountLimit; mask &= mask - 1) {
    const int digit = std::countr_zero(mask) + 1;
    SolverFrame& child = state.frameStack[depth + 1];
    const bool childConsistent = branchFrame(child, frame, cell, digit);
    countBelow(state, depth + 1, childConsistent, count);
  }
}

}  // namespace

int countSolutions(GameState& state) {
  SolverFrame& root = state.frameStack[0];
  for (CellIndex c = 0; c < kCellCount; ++c) root.values[c] = state.board[c];
  if (!prepareFrame(root)) return 0;
  int count = 0;
  countBelow(state, 0, true, count);
  return count;
}
