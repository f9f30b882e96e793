// What the static chain and cycle search keeps while it runs: the nodes it
// has reached, their parents and the grid's tables it reads them from.
#pragma once

#include <cstdint>

#include "logic/cell_set.h"
#include "state/grid.h"

constexpr int kCandidateCount = kCellCount * 9;
// Every on node is reached once, and each derives at most 8 + 20 off nodes,
// which the cycle search does not merge.
constexpr int kMaxCycleNodes = kCandidateCount * 29 + 1;

struct CycleWorkspace {
  // A node is its candidate (cell * 9 + digit - 1) times two, plus one when on.
  std::uint16_t node[kMaxCycleNodes];
  // The node it was derived from, or -1 for the assumption.
  std::int32_t parent[kMaxCycleNodes];
  int nodeCount;
  // Nodes reached in the current search carry its generation.
  std::uint32_t seen[2][kCandidateCount];
  std::uint32_t generation;
  // The grid's candidates as the search reads them: positions of each digit
  // in each house, and the cells of each digit.
  std::uint16_t positions[27][9];
  CellSet digitCells[9];
};
