// One level of the search: the position and its working sets of cells.
#pragma once

#include <cstdint>

#include "state/grid.h"

struct SolverFrame {
  // The search's working sets of cells, 81 cells in two 64-bit words (rows
  // 0-5, then rows 6-8, ten bits a row): for each digit the cells that allow
  // it (an empty cell) or hold it (a filled one), the empty cells, and each
  // empty cell's number of candidates as four bit planes. They come first so
  // that a child's copy reads a few whole cache lines.
  std::uint64_t digitCells[9][2];
  std::uint64_t emptyCells[2];
  std::uint64_t candidateCount[4][2];
  int emptyCount;
  bool contradiction;
  // The grid: the search writes it at the root and when a frame is full.
  int values[kCellCount];
  int candidates[kCellCount];
};
