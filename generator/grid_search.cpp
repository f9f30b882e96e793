#include "generator/grid_search.h"

#include <bit>

#include "solver/propagation.h"

namespace {

// Fills the frame at depth, just prepared or branched, trying digits in a
// random order; false at a dead end.
bool fillBelow(SearchFrames& frames, int depth, Random& random) {
  SolverFrame& frame = frames.level[depth];
  if (!propagateFrame(frame)) return false;
  if (frame.emptyCount == 0) return true;
  const CellIndex cell = chooseBranchCell(frame);
  if (cell == kNoCell) return false;
  int digits[9];
  int count = 0;
  for (unsigned mask = unsigned(cellCandidates(frame, cell)); mask != 0; mask &= mask - 1)
    digits[count++] = std::countr_zero(mask) + 1;
  shuffleItems(random, digits, count);
  for (int i = 0; i < count; ++i) {
    SolverFrame& child = frames.level[depth + 1];
    if (branchFrame(child, frame, cell, digits[i]) && fillBelow(frames, depth + 1, random)) {
      // The solution sits in the deepest frame; carry it up to the root.
      for (CellIndex c = 0; c < kCellCount; ++c) frame.values[c] = child.values[c];
      return true;
    }
  }
  return false;
}

// True when the frame at depth, just prepared or branched, leads to a
// solution.
bool solvableBelow(SearchFrames& frames, int depth) {
  SolverFrame& frame = frames.level[depth];
  if (!propagateFrame(frame)) return false;
  if (frame.emptyCount == 0) return true;
  const CellIndex cell = chooseBranchCell(frame);
  if (cell == kNoCell) return false;
  for (unsigned mask = unsigned(cellCandidates(frame, cell)); mask != 0; mask &= mask - 1) {
    SolverFrame& child = frames.level[depth + 1];
    if (branchFrame(child, frame, cell, std::countr_zero(mask) + 1) &&
        solvableBelow(frames, depth + 1))
      return true;
  }
  return false;
}

// A random order of 0-8 that keeps each group of three together: bands,
// stacks, and the rows and columns within them.
void shuffleLines(Random& random, int order[9]) {
  int groups[3] = {0, 1, 2};
  shuffleItems(random, groups, 3);
  for (int g = 0; g < 3; ++g) {
    int lines[3] = {0, 1, 2};
    shuffleItems(random, lines, 3);
    for (int i = 0; i < 3; ++i) order[g * 3 + i] = groups[g] * 3 + lines[i];
  }
}

}  // namespace

void makeSolvedGrid(SearchFrames& frames, Random& random, int grid[kCellCount]) {
  SolverFrame& root = frames.level[0];
  for (CellIndex c = 0; c < kCellCount; ++c) root.values[c] = 0;
  prepareFrame(root);
  // The empty grid always has a solution, so the search ends with one.
  fillBelow(frames, 0, random);

  int digits[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
  shuffleItems(random, digits, 9);
  int rows[9];
  int columns[9];
  shuffleLines(random, rows);
  shuffleLines(random, columns);
  const bool transpose = randomBelow(random, 2) == 1;
  for (int r = 0; r < 9; ++r) {
    for (int c = 0; c < 9; ++c) {
      const CellIndex from = transpose ? columns[c] * 9 + rows[r] : rows[r] * 9 + columns[c];
      grid[r * 9 + c] = digits[root.values[from] - 1];
    }
  }
}

bool hasOtherSolution(SearchFrames& frames, const int board[kCellCount], const int grid[kCellCount],
                      const CellIndex* cells, int count) {
  SolverFrame& root = frames.level[0];
  for (CellIndex c = 0; c < kCellCount; ++c) root.values[c] = board[c];
  // Every other solution has a first listed cell where it leaves grid: the
  // cells before it keep grid's digits, that one takes another.
  for (int k = 0; k < count; ++k) {
    const CellIndex cell = cells[k];
    if (!prepareFrame(root)) return false;
    for (unsigned mask = unsigned(cellCandidates(root, cell)); mask != 0; mask &= mask - 1) {
      const int digit = std::countr_zero(mask) + 1;
      if (digit == grid[cell]) continue;
      if (branchFrame(frames.level[1], root, cell, digit) && solvableBelow(frames, 1)) return true;
    }
    root.values[cell] = grid[cell];
  }
  return false;
}

bool solvedBySingles(SearchFrames& frames, const int board[kCellCount]) {
  SolverFrame& root = frames.level[0];
  for (CellIndex c = 0; c < kCellCount; ++c) root.values[c] = board[c];
  return prepareFrame(root) && propagateFrame(root) && root.emptyCount == 0;
}
