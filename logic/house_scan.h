// What the basic techniques share: the order they visit houses in, subsets
// in increasing binary order, and each house's positions of each digit.
#pragma once

#include <bit>
#include <cstdint>

#include "logic/logic_grid.h"
#include "state/bit_count.h"

// Boxes, then columns, then rows: the order the singles and the sets scan.
inline constexpr std::uint8_t kScanHouses[kHouseCount] = {0,  1,  2,  3,  4,  5,  6,  7,  8,
                                                          18, 19, 20, 21, 22, 23, 24, 25, 26,
                                                          9,  10, 11, 12, 13, 14, 15, 16, 17};

// Calls visit(items, covered) for the subsets of size items among the
// eligible ones (bits of 0..8), in increasing binary order, whose masks
// together cover at most limit bits, until visit returns true; the largest
// item is chosen first so that a subset already covering too much is cut
// with every subset that extends it.
template <typename Visit>
bool visitSubsets(const int masks[9], int eligible, int size, int limit, Visit& visit,
                  int chosen = 0, int covered = 0, int below = 9) {
  if (size == 0) return visit(chosen, covered);
  for (int item = size - 1; item < below; ++item) {
    if (!(eligible >> item & 1)) continue;
    const int next = covered | masks[item];
    if (bitCount(next) > limit) continue;
    if (visitSubsets(masks, eligible, size - 1, limit, visit, chosen | 1 << item, next, item))
      return true;
  }
  return false;
}

struct HousePositions {
  // Bit p of positions[house][digit - 1] set while digit may go at position p.
  std::uint16_t positions[kHouseCount][9];
  // Bit p of empty[house] set while the cell at position p is empty.
  std::uint16_t empty[kHouseCount];
  // The cells where each digit may go, digit d's at d - 1.
  CellSet digitCells[9];
};

// The positions of the last grid asked about, which the basic techniques
// share while a step is sought: they all see the same grid.
struct BasicWorkspace {
  // False until a grid is read, also in a context allocated without zeroing.
  bool valid = false;
  LogicGrid grid;
  HousePositions table;
};

void findHousePositions(const LogicGrid& grid, HousePositions& out);
const HousePositions& housePositionsOf(BasicWorkspace& work, const LogicGrid& grid);
