// The two propagation passes written out cell by cell, as the reference for the fast search.
#include "solver/passes.h"

#include <bit>

#include "model/tables.h"
#include "state/bit_count.h"

bool applyNakedSingles(SolverFrame& frame) {
  frame.emptyCount = 0;
  frame.contradiction = false;
  bool changed = false;
  // Digits present in each unit, bit d-1 for digit d. They follow the cells
  // filled during the pass, so a later cell sees an earlier cell's new digit
  // exactly as if its 27 unit entries were read one by one.
  int present[kUnitCount] = {};
  for (int c = 0; c < kCellCount; ++c) {
    const int value = frame.values[c];
    if (value == 0) continue;
    for (int slot = 0; slot < 3; ++slot) present[cellUnitMap[c][slot]] |= 1 << (value - 1);
  }
  for (int c = 0; c < kCellCount; ++c) {
    frame.candidates[c] = 0;
    if (frame.values[c] != 0) continue;
    ++frame.emptyCount;
    const int* units = cellUnitMap[c];
    const int mask = ~(present[units[0]] | present[units[1]] | present[units[2]]) & kAllCandidates;
    frame.candidates[c] = mask;
    if (mask == 0) {
      frame.contradiction = true;
      return false;
    }
    if (bitCount(mask) == 1) {
      frame.values[c] = std::countr_zero(unsigned(mask)) + 1;
      for (int slot = 0; slot < 3; ++slot) present[units[slot]] |= mask;
      changed = true;
    }
  }
  return changed;
}

bool applyHiddenSingles(SolverFrame& frame) {
  bool changed = false;
  // What this pass has written so far: the digit per cell and the digits per
  // unit. The masks are exact when the pass starts, so a write can only clash
  // with another write of the same pass.
  int written[kCellCount] = {};
  int writtenInUnit[kUnitCount] = {};
  for (int u = 0; u < kUnitCount; ++u) {
    const int* unit = kUnitTable[u];
    int counts[9] = {};
    for (int i = 0; i < 9; ++i)
      for (int d = 0; d < 9; ++d) counts[d] += (frame.candidates[unit[i]] >> d) & 1;
    for (int d = 0; d < 9; ++d) {
      if (counts[d] != 1) continue;
      int i = 0;
      while ((frame.candidates[unit[i]] & (1 << d)) == 0) ++i;
      const int cell = unit[i];
      const int* units = cellUnitMap[cell];
      const int bit = 1 << d;
      changed = true;
      if (written[cell] == d + 1) continue;
      if (written[cell] != 0 ||
          ((writtenInUnit[units[0]] | writtenInUnit[units[1]] | writtenInUnit[units[2]]) & bit)) {
        frame.contradiction = true;
        return false;
      }
      written[cell] = d + 1;
      for (int slot = 0; slot < 3; ++slot) writtenInUnit[units[slot]] |= bit;
      frame.values[cell] = d + 1;
    }
  }
  return changed;
}
