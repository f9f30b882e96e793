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

namespace {

// Moves one cell of the table from what the cell held to what it holds.
void updateCell(HousePositions& table, CellIndex cell, const LogicGrid& before,
                const LogicGrid& after) {
  const int gone = before.candidates[cell] & ~after.candidates[cell];
  const int come = after.candidates[cell] & ~before.candidates[cell];
  for (int type = 0; type < 3; ++type) {
    const int house = kHouses.houses[cell][type];
    const auto bit = std::uint16_t(1 << kHouses.positions[cell][type]);
    for (int bits = gone; bits != 0; bits &= bits - 1)
      table.positions[house][std::countr_zero(unsigned(bits))] &= std::uint16_t(~bit);
    for (int bits = come; bits != 0; bits &= bits - 1)
      table.positions[house][std::countr_zero(unsigned(bits))] |= bit;
    if (after.value[cell] == 0)
      table.empty[house] |= bit;
    else
      table.empty[house] &= std::uint16_t(~bit);
  }
  for (int bits = gone; bits != 0; bits &= bits - 1)
    table.digitCells[std::countr_zero(unsigned(bits))].remove(cell);
  for (int bits = come; bits != 0; bits &= bits - 1)
    table.digitCells[std::countr_zero(unsigned(bits))].add(cell);
}

}  // namespace

const HousePositions& housePositionsOf(BasicWorkspace& work, const LogicGrid& grid) {
  if (!work.valid) {
    work.grid = grid;
    findHousePositions(grid, work.table);
    work.valid = true;
    return work.table;
  }
  // The arrays one by one: the padding between them may differ.
  if (std::memcmp(work.grid.value, grid.value, sizeof grid.value) == 0 &&
      std::memcmp(work.grid.candidates, grid.candidates, sizeof grid.candidates) == 0)
    return work.table;
  // A step changes a few cells, and the table follows them.
  for (CellIndex cell = 0; cell < kCellCount; ++cell) {
    if (work.grid.candidates[cell] == grid.candidates[cell] &&
        work.grid.value[cell] == grid.value[cell])
      continue;
    updateCell(work.table, cell, work.grid, grid);
    work.grid.candidates[cell] = grid.candidates[cell];
    work.grid.value[cell] = grid.value[cell];
  }
  return work.table;
}
