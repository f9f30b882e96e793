#include "logic/logic_grid.h"

#include <bit>

void initLogicGrid(LogicGrid& grid, const int board[kCellCount]) {
  for (CellIndex cell = 0; cell < kCellCount; ++cell) {
    grid.value[cell] = std::uint8_t(board[cell]);
    grid.candidates[cell] = board[cell] == 0 ? std::uint16_t(kAllCandidates) : 0;
  }
  for (CellIndex cell = 0; cell < kCellCount; ++cell) {
    if (board[cell] == 0) continue;
    for (const std::uint8_t peer : kHouses.peerList[cell])
      grid.candidates[peer] = std::uint16_t(grid.candidates[peer] & ~digitBit(board[cell]));
  }
}

void placeDigit(LogicGrid& grid, CellIndex cell, int digit) {
  grid.value[cell] = std::uint8_t(digit);
  grid.candidates[cell] = 0;
  for (const std::uint8_t peer : kHouses.peerList[cell])
    grid.candidates[peer] = std::uint16_t(grid.candidates[peer] & ~digitBit(digit));
}

int housePositions(const LogicGrid& grid, int house, int digit) {
  int positions = 0;
  for (int p = 0; p < 9; ++p) {
    if (grid.candidates[kHouses.cells[house][p]] & digitBit(digit)) positions |= 1 << p;
  }
  return positions;
}

CellSet digitCells(const LogicGrid& grid, int house, int digit) {
  CellSet cells{};
  for (const std::uint8_t cell : kHouses.cells[house]) {
    if (grid.candidates[cell] & digitBit(digit)) cells.add(cell);
  }
  return cells;
}

void findDigitCells(const LogicGrid& grid, CellSet cells[9]) {
  for (int d = 0; d < 9; ++d) cells[d] = {};
  for (CellIndex cell = 0; cell < kCellCount; ++cell) {
    for (int digits = grid.candidates[cell]; digits != 0; digits &= digits - 1)
      cells[std::countr_zero(unsigned(digits))].add(cell);
  }
}

CellSet digitCells(const LogicGrid& grid, int digit) {
  CellSet cells{};
  for (CellIndex cell = 0; cell < kCellCount; ++cell) {
    if (grid.candidates[cell] & digitBit(digit)) cells.add(cell);
  }
  return cells;
}

int emptyCellCount(const LogicGrid& grid, int house) {
  int count = 0;
  for (const std::uint8_t cell : kHouses.cells[house]) count += grid.value[cell] == 0;
  return count;
}

int placedCount(const LogicGrid& grid, int digit) {
  int count = 0;
  for (CellIndex cell = 0; cell < kCellCount; ++cell) count += grid.value[cell] == digit;
  return count;
}

bool isSolved(const LogicGrid& grid) {
  for (CellIndex cell = 0; cell < kCellCount; ++cell) {
    if (grid.value[cell] == 0) return false;
  }
  return true;
}
