// The strong links of one digit in one house that the strong-link patterns
// chain together: two cells, or two groups of cells lined up in a segment.
#pragma once

#include <cstdint>

#include "logic/cell_set.h"
#include "logic/logic_grid.h"

// One side of a strong link: its main cell first, then the cells grouped with it.
struct LinkEnd {
  std::uint8_t cells[3];
  int count;
  // Bit h for every house h that holds all of the end's cells.
  std::uint32_t houses;
  // The cells that see every cell of the end.
  CellSet seenByAll;
};

// The digit is in one of the two ends.
struct StrongLink {
  LinkEnd ends[2];
  bool grouped;
  // The houses that hold either end: a link joins only links it shares one
  // with.
  std::uint32_t reach;
};

// The two families read a box differently: the turbot family takes a box
// only as its second link and only around a heart cell; the three-link
// fishes also take two parallel box segments, and leave out a box whose two
// cells share a line.
enum class LinkRules { kTurbot, kThreeLinks };

// Writes the links a digit with the positions given gives in house under
// rules (0, 1 or 2 of them) and returns their number.
int findHouseLinks(int house, int positions, LinkRules rules, StrongLink links[2]);

// The house holding all the cells of two ends, looked for among the columns,
// then the rows, then the boxes; -1 when there is none.
int joiningHouse(const LinkEnd& a, const LinkEnd& b);
