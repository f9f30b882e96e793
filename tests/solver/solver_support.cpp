// What the solver tests share: boards, a literal search, a completion counter.
#include "tests/solver/solver_support.h"

#include <algorithm>

#include "model/tables.h"
#include "solver/passes.h"
#include "solver/search.h"
#include "state/game_state.h"
#include "tests/fake/fake_platform.h"

void setUpBoard(const char* text) {
  startFresh(text);
  // Nobody here asks for another solve while one runs.
  game.pendingSolve = false;
}

bool isCompletionOf(const int grid[kCellCount], const int board[kCellCount]) {
  for (int c = 0; c < kCellCount; ++c) {
    if (grid[c] < 1 || grid[c] > 9) return false;
    if (board[c] != 0 && board[c] != grid[c]) return false;
  }
  for (int u = 0; u < kUnitCount; ++u) {
    int seen = 0;
    for (int i = 0; i < 9; ++i) seen |= 1 << grid[kUnitTable[u][i]];
    if (seen != 0x3FE) return false;
  }
  return true;
}

namespace {

SolverFrame referenceFrames[kCellCount];
int referenceDepth;

bool repeatsInUnit(const int values[kCellCount]) {
  for (int u = 0; u < kUnitCount; ++u) {
    int seen = 0;
    for (int i = 0; i < 9; ++i) {
      const int value = values[kUnitTable[u][i]];
      if (value == 0) continue;
      if (seen & (1 << value)) return true;
      seen |= 1 << value;
    }
  }
  return false;
}

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
      if (bitCountTable[frame.candidates[c]] == k) cell = c;
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

namespace {

struct BruteForce {
  int grid[kCellCount];
  int rowUsed[9];
  int columnUsed[9];
  int boxUsed[9];
  int limit;
  int count;
};

int boxIndex(int cell) {
  return cell / 27 * 3 + cell % 9 / 3;
}

int freeDigits(const BruteForce& b, int cell) {
  return ~(b.rowUsed[cell / 9] | b.columnUsed[cell % 9] | b.boxUsed[boxIndex(cell)]) & 0x3FE;
}

void setDigit(BruteForce& b, int cell, int digit, bool on) {
  const int bit = 1 << digit;
  b.grid[cell] = on ? digit : 0;
  b.rowUsed[cell / 9] ^= bit;
  b.columnUsed[cell % 9] ^= bit;
  b.boxUsed[boxIndex(cell)] ^= bit;
}

void countFrom(BruteForce& b) {
  int bestCell = -1;
  int bestOptions = 10;
  for (int c = 0; c < kCellCount && bestOptions > 1; ++c) {
    if (b.grid[c] != 0) continue;
    int options = 0;
    for (int rest = freeDigits(b, c); rest != 0; rest &= rest - 1) ++options;
    if (options < bestOptions) {
      bestOptions = options;
      bestCell = c;
    }
  }
  if (bestCell < 0) {
    ++b.count;
    return;
  }
  const int options = freeDigits(b, bestCell);
  for (int d = 1; d <= 9 && b.count < b.limit; ++d) {
    if ((options & (1 << d)) == 0) continue;
    setDigit(b, bestCell, d, true);
    countFrom(b);
    setDigit(b, bestCell, d, false);
  }
}

}  // namespace

int countCompletions(const int board[kCellCount], int limit) {
  BruteForce b{};
  b.limit = limit;
  for (int c = 0; c < kCellCount; ++c) {
    if (board[c] == 0) continue;
    if ((freeDigits(b, c) & (1 << board[c])) == 0) return 0;
    setDigit(b, c, board[c], true);
  }
  countFrom(b);
  return b.count;
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
