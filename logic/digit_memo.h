// What a search saw when it last found nothing: each digit's cells then.
// From them come the digits whose cells are the same since, for a search of
// one digit's patterns, and the cells whose candidates are, for a search of
// patterns resting on their own cells: there it finds nothing again.
#pragma once

#include <cstdint>
#include <cstring>

#include "logic/cell_set.h"
#include "state/grid.h"

struct DigitMemo {
  bool valid;
  CellSet digitCells[9];
};

// The digits whose cells are as they were when the search last found
// nothing, as bits: none when it has not looked yet or found something.
inline std::uint16_t unchangedDigits(const DigitMemo& memo, const CellSet digitCells[9]) {
  if (!memo.valid) return 0;
  std::uint16_t same = 0;
  for (int d = 0; d < 9; ++d) {
    if (memo.digitCells[d] == digitCells[d]) same |= std::uint16_t(1 << d);
  }
  return same;
}

// The cells whose candidates are as they were then; none likewise.
inline CellSet unchangedCells(const DigitMemo& memo, const CellSet digitCells[9]) {
  if (!memo.valid) return {};
  CellSet changed{};
  for (int d = 0; d < 9; ++d)
    changed = changed | (memo.digitCells[d] - digitCells[d]) | (digitCells[d] - memo.digitCells[d]);
  return kEveryCell - changed;
}

// After a search: what it saw when it found nothing, or forgotten.
inline void rememberDigits(DigitMemo& memo, bool found, const CellSet digitCells[9]) {
  memo.valid = !found;
  if (!found) std::memcpy(memo.digitCells, digitCells, sizeof memo.digitCells);
}
