// The grid's geometry tables: units and each cell's units; and the cell helpers.
#pragma once

#include "state/grid.h"

// Units 0-8 are the rows, 9-17 the columns, 18-26 the boxes in reading
// order; the cells of each unit are listed in reading order too.
extern const int kUnitTable[kUnitCount][9];
// For each cell: its row unit, its column unit and its box unit.
extern int cellUnitMap[kCellCount][3];

// Builds the tables and copies givens to board.
void initTables();

// Where a cell lies: its row, column and box, each 0..8.
constexpr int rowOf(CellIndex cell) {
  return cell / 9;
}
constexpr int columnOf(CellIndex cell) {
  return cell % 9;
}
constexpr int boxOf(CellIndex cell) {
  return (cell / 9) / 3 * 3 + (cell % 9) / 3;
}
