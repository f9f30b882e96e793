#include "solver/propagation.h"

#include <bit>

namespace {

struct Geometry {
  unsigned char peers[kCellCount][20];
  unsigned char units[kUnitCount][9];
  unsigned char rowOf[kCellCount];
  unsigned char columnOf[kCellCount];
  unsigned char boxOf[kCellCount];
  unsigned char bitCount[512];
};

constexpr Geometry makeGeometry() {
  Geometry g{};
  for (int c = 0; c < kCellCount; ++c) {
    g.rowOf[c] = static_cast<unsigned char>(c / 9);
    g.columnOf[c] = static_cast<unsigned char>(c % 9);
    g.boxOf[c] = static_cast<unsigned char>(c / 27 * 3 + c % 9 / 3);
  }
  for (int c = 0; c < kCellCount; ++c) {
    int n = 0;
    for (int p = 0; p < kCellCount; ++p) {
      if (p == c) continue;
      if (g.rowOf[p] == g.rowOf[c] || g.columnOf[p] == g.columnOf[c] || g.boxOf[p] == g.boxOf[c])
        g.peers[c][n++] = static_cast<unsigned char>(p);
    }
  }
  for (int i = 0; i < 9; ++i) {
    for (int j = 0; j < 9; ++j) {
      g.units[i][j] = static_cast<unsigned char>(i * 9 + j);
      g.units[9 + i][j] = static_cast<unsigned char>(j * 9 + i);
      g.units[18 + i][j] = static_cast<unsigned char>(i / 3 * 27 + i % 3 * 3 + j / 3 * 9 + j % 3);
    }
  }
  for (int m = 0; m < 512; ++m) {
    int count = 0;
    for (int rest = m; rest != 0; rest &= rest - 1) ++count;
    g.bitCount[m] = static_cast<unsigned char>(count);
  }
  return g;
}

constexpr Geometry kGeometry = makeGeometry();

inline int unitDigits(const SolverFrame& frame, CellIndex cell) {
  return frame.rowDigits[kGeometry.rowOf[cell]] | frame.columnDigits[kGeometry.columnOf[cell]] |
         frame.boxDigits[kGeometry.boxOf[cell]];
}

}  // namespace

bool prepareFrame(SolverFrame& frame, SingleQueue& queue) {
  queue.count = 0;
  for (int i = 0; i < 9; ++i) frame.rowDigits[i] = frame.columnDigits[i] = frame.boxDigits[i] = 0;
  int empty = 0;
  for (CellIndex c = 0; c < kCellCount; ++c) {
    const int value = frame.values[c];
    if (value == 0) {
      ++empty;
      continue;
    }
    const int bit = 1 << (value - 1);
    frame.rowDigits[kGeometry.rowOf[c]] |= bit;
    frame.columnDigits[kGeometry.columnOf[c]] |= bit;
    frame.boxDigits[kGeometry.boxOf[c]] |= bit;
  }
  frame.emptyCount = empty;
  frame.contradiction = false;
  bool consistent = true;
  for (CellIndex c = 0; c < kCellCount; ++c) {
    int mask = 0;
    if (frame.values[c] == 0) {
      mask = ~unitDigits(frame, c) & kAllCandidates;
      if (mask == 0) consistent = false;
      if ((mask & (mask - 1)) == 0 && mask != 0) queue.cells[queue.count++] = c;
    }
    frame.candidates[c] = mask;
  }
  return consistent;
}

bool placeDigit(SolverFrame& frame, CellIndex cell, int digit, SingleQueue& queue) {
  const int bit = 1 << (digit - 1);
  frame.values[cell] = digit;
  frame.candidates[cell] = 0;
  --frame.emptyCount;
  frame.rowDigits[kGeometry.rowOf[cell]] |= bit;
  frame.columnDigits[kGeometry.columnOf[cell]] |= bit;
  frame.boxDigits[kGeometry.boxOf[cell]] |= bit;
  const unsigned char* peers = kGeometry.peers[cell];
  for (int i = 0; i < 20; ++i) {
    const int peer = peers[i];
    const int mask = frame.candidates[peer];
    if ((mask & bit) == 0) continue;
    const int rest = mask ^ bit;
    frame.candidates[peer] = rest;
    if ((rest & (rest - 1)) == 0) {
      if (rest == 0) return false;
      queue.cells[queue.count++] = peer;
    }
  }
  return true;
}

bool fillNakedSingles(SolverFrame& frame, SingleQueue& queue) {
  while (queue.count > 0) {
    const CellIndex cell = queue.cells[--queue.count];
    // A hidden single of the same pass may have filled it meanwhile.
    if (frame.values[cell] != 0) continue;
    const int digit = std::countr_zero(unsigned(frame.candidates[cell])) + 1;
    if (!placeDigit(frame, cell, digit, queue)) return false;
  }
  return true;
}

bool fillHiddenSingles(SolverFrame& frame, SingleQueue& queue) {
  // Every deduction is drawn from the same masks, so they are all gathered
  // before the first digit is placed.
  unsigned char cells[kUnitCount * 9];
  unsigned char digits[kUnitCount * 9];
  int count = 0;
  for (int u = 0; u < kUnitCount; ++u) {
    const unsigned char* unit = kGeometry.units[u];
    int once = 0;
    int twice = 0;
    for (int i = 0; i < 9; ++i) {
      const int mask = frame.candidates[unit[i]];
      twice |= once & mask;
      once |= mask;
    }
    int singles = once & ~twice;
    while (singles != 0) {
      const int bit = singles & -singles;
      singles ^= bit;
      int i = 0;
      while ((frame.candidates[unit[i]] & bit) == 0) ++i;
      cells[count] = unit[i];
      digits[count] = static_cast<unsigned char>(std::countr_zero(unsigned(bit)) + 1);
      ++count;
    }
  }
  for (int w = 0; w < count; ++w) {
    const CellIndex cell = cells[w];
    const int digit = digits[w];
    if (frame.values[cell] != 0) {
      if (frame.values[cell] != digit) return false;
      continue;
    }
    // The digit has gone from the mask only if another write of this pass
    // put it into one of the cell's units.
    if ((frame.candidates[cell] & (1 << (digit - 1))) == 0) return false;
    if (!placeDigit(frame, cell, digit, queue)) return false;
  }
  return true;
}

bool propagateFrame(SolverFrame& frame, SingleQueue& queue) {
  if (!fillNakedSingles(frame, queue)) return false;
  for (;;) {
    const int beforeHidden = frame.emptyCount;
    if (!fillHiddenSingles(frame, queue)) return false;
    if (frame.emptyCount == beforeHidden) return true;
    const int afterHidden = frame.emptyCount;
    if (!fillNakedSingles(frame, queue)) return false;
    // The hidden digits left no naked single: the search branches now, even
    // if they made new hidden singles.
    if (frame.emptyCount == afterHidden) return true;
  }
}

CellIndex chooseBranchCell(const SolverFrame& frame) {
  CellIndex best = kNoCell;
  int bestCount = 10;
  for (CellIndex c = 0; c < kCellCount; ++c) {
    const int mask = frame.candidates[c];
    if (mask == 0) continue;
    const int count = kGeometry.bitCount[mask];
    if (count < bestCount) {
      best = c;
      bestCount = count;
      if (count == 2) break;
    }
  }
  return best;
}

bool repeatsDigit(const int values[kCellCount]) {
  for (int u = 0; u < kUnitCount; ++u) {
    int seen = 0;
    for (int i = 0; i < 9; ++i) {
      const int value = values[kGeometry.units[u][i]];
      if (value == 0) continue;
      const int bit = 1 << (value - 1);
      if (seen & bit) return true;
      seen |= bit;
    }
  }
  return false;
}
