// What the static chain and cycle search keeps while it runs: the nodes it
// has reached, their parents and the grid's tables it reads them from.
#pragma once

#include <cstdint>

#include "logic/cell_set.h"
#include "logic/chain_workspace.h"
#include "logic/digit_memo.h"
#include "logic/loop_links.h"
#include "state/grid.h"

// Every on node and off node is kept once, and besides each on node may
// derive up to four copies of the off nodes that close a loop.
constexpr int kMaxCycleNodes = kCandidateSlots * 6 + 1;

struct CycleWorkspace {
  // Nodes numbered as the chain engine numbers them.
  std::uint16_t node[kMaxCycleNodes];
  // The node it was derived from, or -1 for the assumption.
  std::int32_t parent[kMaxCycleNodes];
  int nodeCount;
  // Nodes reached in the current search carry its generation.
  std::uint32_t seen[2][kCandidateSlots];
  std::uint32_t generation;
  // The off nodes that close a loop back to the search's start, likewise.
  std::uint32_t closing[kCandidateSlots];
  // The grid's candidates as the search reads them: positions of each digit
  // in each house, and the cells of each digit.
  std::uint16_t positions[27][9];
  CellSet digitCells[9];
  LoopLinks links;
  // The X pass finds loops and chains of one digit; what it saw when it
  // last found nothing. The rater forgets it when a rating begins.
  DigitMemo xPassMemo;
};
