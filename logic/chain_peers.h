// The peers an on node turns off, in the order the rating scale takes them:
// the box, then the row outside the box, then the column outside it; each
// part in increasing cell index, which is its house order.
#pragma once

#include "logic/houses.h"

struct ChainPeerTable {
  CellSet parts[kCellCount][3];
};

constexpr ChainPeerTable makeChainPeers() {
  ChainPeerTable t{};
  for (int cell = 0; cell < kCellCount; ++cell) {
    const CellSet box = kHouses.houseSets[kHouses.houses[cell][kBoxHouse]];
    for (int type = 0; type < 3; ++type) {
      CellSet part = kHouses.houseSets[kHouses.houses[cell][type]];
      if (type != kBoxHouse) part = part - box;
      part.remove(cell);
      t.parts[cell][type] = part;
    }
  }
  return t;
}

inline constexpr ChainPeerTable kChainPeers = makeChainPeers();
