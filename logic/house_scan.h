// What the basic techniques share: the order they visit houses in, subsets
// in increasing binary order, and each house's positions of each digit.
#pragma once

#include <bit>
#include <cstdint>

#include "logic/logic_grid.h"

// Boxes, then columns, then rows: the order the singles and the sets scan.
inline constexpr std::uint8_t kScanHouses[kHouseCount] = {0,  1,  2,  3,  4,  5,  6,  7,  8,
                                                          18, 19, 20, 21, 22, 23, 24, 25, 26,
                                                          9,  10, 11, 12, 13, 14, 15, 16, 17};

// The next larger mask with as many bits as mask, so that starting from the
// smallest one the subsets come in increasing binary (colex) order.
constexpr int nextSubset(int mask) {
  const int lowest = mask & -mask;
  const int ripple = mask + lowest;
  return ripple | (((mask ^ ripple) >> 2) / lowest);
}
constexpr int smallestSubset(int size) {
  return (1 << size) - 1;
}
constexpr int bitCount(int mask) {
  return std::popcount(unsigned(mask));
}

struct HousePositions {
  // Bit p of positions[house][digit - 1] set while digit may go at position p.
  std::uint16_t positions[kHouseCount][9];
  // Bit p of empty[house] set while the cell at position p is empty.
  std::uint16_t empty[kHouseCount];
};

void findHousePositions(const LogicGrid& grid, HousePositions& out);
