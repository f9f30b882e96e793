// What the solver tests share: boards, a literal search, random boards.
#include "tests/solver/solver_support.h"

#include <algorithm>

#include "model/tables.h"
#include "solver/passes.h"
#include "solver/search.h"
#include "state/bit_count.h"
#include "state/game_state.h"
#include "tests/fake/fake_platform.h"

void setUpBoard(const char* text) {
  startFresh(text);
  // Nobody here asks for another solve while one runs.
  game.pendingSolve = false;
}

namespace {

SolverFrame referenceFrames[kCellCount];
int referenceDepth;

void referenceSearch(SolverFrame& frame, SearchResult& result) {
  ++result.nodes;
  for (;;) {
    while (applyNakedSingles(frame)) {
    }
    if (frame.contradiction) break;
    if (!applyHiddenSingles(frame)) break;
    if (!applyNakedSingles(frame)) break;
  }
  if (frame.contradiction) return;
  if (frame.emptyCount == 0) {
    if (repeatsInUnit(frame.values)) return;
    for (int c = 0; c < kCellCount; ++c) result.grid[c] = frame.values[c];
    result.found = true;
    return;
  }
  int cell = -1;
  for (int k = 2; k <= 9 && cell < 0; ++k)
    for (int c = 0; c < kCellCount && cell < 0; ++c)
      if (bitCount(frame.candidates[c]) == k) cell = c;
  if (cell < 0) return;
  for (int d = 0; d < 9; ++d) {
    if ((frame.candidates[cell] & (1 << d)) == 0) continue;
    ++referenceDepth;
    if (referenceDepth > result.deepestSlot) result.deepestSlot = referenceDepth;
    SolverFrame& child = referenceFrames[referenceDepth];
    for (int c = 0; c < kCellCount; ++c) child.values[c] = frame.values[c];
    child.values[cell] = d + 1;
    referenceSearch(child, result);
    --referenceDepth;
    if (result.found) return;
  }
}

}  // namespace

void referenceSolve(const int board[kCellCount], SearchResult& result) {
  result = SearchResult{};
  if (repeatsInUnit(board)) return;
  referenceDepth = 0;
  for (int c = 0; c < kCellCount; ++c) referenceFrames[0].values[c] = board[c];
  referenceSearch(referenceFrames[0], result);
}

void programSolve(const int board[kCellCount], SearchResult& result) {
  for (int c = 0; c < kCellCount; ++c) game.board[c] = board[c];
  runSolve();
  result.nodes = game.nodeCount;
  result.deepestSlot = game.deepestSlot;
  result.found = game.solutionFound;
  for (int c = 0; c < kCellCount; ++c) result.grid[c] = game.solutionFound ? game.solution[c] : 0;
}

void makeRandomGrid(int grid[kCellCount], std::mt19937& random) {
  int known[kCellCount];
  readCells(kSolvedGrid, known);
  int digits[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  std::shuffle(digits + 1, digits + 10, random);
  int rows[9];
  int columns[9];
  for (int* lines : {rows, columns}) {
    int bands[3] = {0, 1, 2};
    std::shuffle(bands, bands + 3, random);
    for (int b = 0; b < 3; ++b) {
      int within[3] = {0, 1, 2};
      std::shuffle(within, within + 3, random);
      for (int i = 0; i < 3; ++i) lines[b * 3 + i] = bands[b] * 3 + within[i];
    }
  }
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 9; ++c) grid[r * 9 + c] = digits[known[rows[r] * 9 + columns[c]]];
}

void makeRandomBoard(int board[kCellCount], int kind, std::mt19937& random) {
  int grid[kCellCount];
  makeRandomGrid(grid, random);
  const int clues = 18 + int(random() % 28);
  int order[kCellCount];
  for (int c = 0; c < kCellCount; ++c) order[c] = c;
  std::shuffle(order, order + kCellCount, random);
  for (int c = 0; c < kCellCount; ++c) board[c] = 0;
  for (int i = 0; i < clues; ++i) board[order[i]] = grid[order[i]];
  if (kind == 2) {
    const int cell = order[clues];
    for (int d = 1; d <= 9; ++d) {
      board[cell] = d;
      if (d != grid[cell] && !repeatsInUnit(board)) break;
      board[cell] = 0;
    }
  } else if (kind == 3) {
    const int cell = order[0];
    const int other = cell / 9 * 9 + (cell % 9 + 1 + int(random() % 8)) % 9;
    board[other] = board[cell];
  }
}
