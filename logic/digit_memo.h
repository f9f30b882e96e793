// What a search saw when it last found nothing: each digit's cells then.
// From them come the digits whose cells changed since, for a search of one
// digit's patterns, and the cells whose candidates changed, for a search of
// patterns resting on their own cells; elsewhere it finds nothing again.
#pragma once

#include <cstdint>
#include <cstring>

#include "logic/cell_set.h"
#include "state/grid.h"

struct DigitMemo {
  bool valid;
  CellSet digitCells[9];
};

// The digits whose cells changed since the search last found nothing, as
// bits; every digit when it has not looked yet or found something.
inline std::uint16_t changedDigits(const DigitMemo& memo, const CellSet digitCells[9]) {
  if (!memo.valid) return kAllCandidates;
  std::uint16_t changed = 0;
  for (int d = 0; d < 9; ++d) {
    if (!(memo.digitCells[d] == digitCells[d])) changed |= std::uint16_t(1 << d);
  }
  return changed;
}

// The cells whose candidates changed since the search last found nothing;
// every cell when it has not looked yet or found something.
inline CellSet changedCells(const DigitMemo& memo, const CellSet digitCells[9]) {
  if (!memo.valid) return kEveryCell;
  CellSet changed{};
  for (int d = 0; d < 9; ++d)
    changed = changed | (memo.digitCells[d] - digitCells[d]) | (digitCells[d] - memo.digitCells[d]);
  return changed;
}

// After a search: what it saw when it found nothing, or forgotten.
inline void rememberDigits(DigitMemo& memo, bool found, const CellSet digitCells[9]) {
  memo.valid = !found;
  if (!found) std::memcpy(memo.digitCells, digitCells, sizeof memo.digitCells);
}
