// The houses as the rating scale scans them: boxes, then rows, then columns.
#pragma once

#include <cstdint>

#include "logic/cell_set.h"
#include "state/grid.h"

// A house's type; house h is of type h / 9 and index h % 9.
enum HouseType { kBoxHouse = 0, kRowHouse = 1, kColumnHouse = 2 };
constexpr int kHouseCount = 27;
constexpr int kPeerCount = 20;

struct HouseTables {
  // The cells of each house by position: a box in reading order, a row left
  // to right, a column top to bottom.
  std::uint8_t cells[kHouseCount][9];
  // The box, row and column house of each cell, and its position in each.
  std::uint8_t houses[kCellCount][3];
  std::uint8_t positions[kCellCount][3];
  std::uint8_t peerList[kCellCount][kPeerCount];
  CellSet peers[kCellCount];
  CellSet houseSets[kHouseCount];
};

constexpr HouseTables makeHouseTables() {
  HouseTables t{};
  for (int i = 0; i < 9; ++i) {
    for (int p = 0; p < 9; ++p) {
      const int boxCell = (i / 3 * 3 + p / 3) * 9 + i % 3 * 3 + p % 3;
      const int members[3] = {boxCell, i * 9 + p, p * 9 + i};
      for (int type = 0; type < 3; ++type) {
        const int house = type * 9 + i;
        const int cell = members[type];
        t.cells[house][p] = std::uint8_t(cell);
        t.houses[cell][type] = std::uint8_t(house);
        t.positions[cell][type] = std::uint8_t(p);
        t.houseSets[house].add(cell);
      }
    }
  }
  for (int cell = 0; cell < kCellCount; ++cell) {
    for (int type = 0; type < 3; ++type)
      t.peers[cell] = t.peers[cell] | t.houseSets[t.houses[cell][type]];
    t.peers[cell].remove(cell);
    int n = 0;
    for (int other = 0; other < kCellCount; ++other) {
      if (t.peers[cell].contains(other)) t.peerList[cell][n++] = std::uint8_t(other);
    }
  }
  return t;
}

inline constexpr HouseTables kHouses = makeHouseTables();

// A cell's box, row and column, one bit each by house index.
constexpr std::uint32_t houseBitsOf(CellIndex cell) {
  const std::uint8_t* houses = kHouses.houses[cell];
  return std::uint32_t(1) << houses[0] | std::uint32_t(1) << houses[1] |
         std::uint32_t(1) << houses[2];
}

constexpr HouseType houseTypeOf(int house) {
  return HouseType(house / 9);
}
constexpr bool sees(CellIndex a, CellIndex b) {
  return kHouses.peers[a].contains(b);
}
