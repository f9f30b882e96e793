// The grid a person works on: the digits placed and each empty cell's pencil marks.
#pragma once

#include <bit>
#include <cstdint>

#include "logic/houses.h"
#include "state/bit_count.h"
#include "state/grid.h"

struct LogicGrid {
  // 1-9, or 0 for an empty cell.
  std::uint8_t value[kCellCount];
  // Bit d-1 set while digit d may still go in the cell; 0 once it is filled.
  std::uint16_t candidates[kCellCount];
};

constexpr int digitBit(int digit) {
  return 1 << (digit - 1);
}
constexpr int candidateCount(int mask) {
  return bitCount(mask);
}
// The lowest digit of a mask that is not empty.
constexpr int firstDigit(int mask) {
  return std::countr_zero(unsigned(mask)) + 1;
}

// The clues of board (0 for empty) and, in every empty cell, every digit that
// no peer holds; nothing more is deduced.
void initLogicGrid(LogicGrid& grid, const int board[kCellCount]);
// Writes digit in cell and takes it from the cell's peers.
void placeDigit(LogicGrid& grid, CellIndex cell, int digit);
// The positions (bit p for position p) where digit may still go in house.
int housePositions(const LogicGrid& grid, int house, int digit);
// The cells of house where digit may still go.
CellSet digitCells(const LogicGrid& grid, int house, int digit);
// Every cell of the grid where digit may still go.
CellSet digitCells(const LogicGrid& grid, int digit);
// The same for every digit at once, digit d's at d - 1.
void findDigitCells(const LogicGrid& grid, CellSet cells[9]);
int emptyCellCount(const LogicGrid& grid, int house);
// Cells that hold digit already.
int placedCount(const LogicGrid& grid, int digit);
bool isSolved(const LogicGrid& grid);
