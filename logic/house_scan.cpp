#include "logic/house_scan.h"

#include <cstring>

void findHousePositions(const LogicGrid& grid, HousePositions& out) {
  for (int house = 0; house < kHouseCount; ++house) {
    int empty = 0;
    int byDigit[9] = {};
    for (int p = 0; p < 9; ++p) {
      const int cell = kHouses.cells[house][p];
      if (grid.value[cell] == 0) empty |= 1 << p;
      for (int bits = grid.candidates[cell]; bits != 0; bits &= bits - 1)
        byDigit[std::countr_zero(unsigned(bits))] |= 1 << p;
    }
    out.empty[house] = std::uint16_t(empty);
    for (int d = 0; d < 9; ++d) out.positions[house][d] = std::uint16_t(byDigit[d]);
  }
  findDigitCells(grid, out.digitCells);
}

const HousePositions& housePositionsOf(BasicWorkspace& work, const LogicGrid& grid) {
  // The arrays one by one: the padding between them may differ.
  if (!work.valid || std::memcmp(work.grid.value, grid.value, sizeof grid.value) != 0 ||
      std::memcmp(work.grid.candidates, grid.candidates, sizeof grid.candidates) != 0) {
    work.grid = grid;
    findHousePositions(grid, work.table);
    work.valid = true;
  }
  return work.table;
}
