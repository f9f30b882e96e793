#include "logic/loop_links.h"

#include <cassert>

#include "logic/chain_engine.h"
#include "logic/chain_peers.h"

void buildLoopLinks(LoopLinks& links, const std::uint16_t candidates[kCellCount],
                    const CellSet digitCells[9], const std::uint16_t (&positions)[kHouseCount][9]) {
  int count = 0;
  for (int cell = 0; cell < kCellCount; ++cell) {
    const int digits = candidates[cell];
    for (int rest = digits; rest != 0; rest &= rest - 1) {
      const int digit = firstDigit(rest);
      const int others = digits & ~digitBit(digit);
      const int off = chainNode(cell, digit, false);
      links.cellLinks[off] = count;
      if (hasTwoDigits(digits))
        links.links[count++] = std::uint16_t(chainNode(cell, firstDigit(others), true));
      links.houseLinks[off] = count;
      for (int type = 0; type < 3; ++type) {
        const int partner = onlyOtherPlace(positions, cell, type, digit);
        if (partner >= 0) links.links[count++] = std::uint16_t(chainNode(partner, digit, true));
      }
      links.linkEnd[off] = count;
      const int on = off + 1;
      links.cellLinks[on] = count;
      for (int other = others; other != 0; other &= other - 1)
        links.links[count++] = std::uint16_t(chainNode(cell, firstDigit(other), false));
      links.houseLinks[on] = count;
      for (const CellSet part : kChainPeers.parts[cell]) {
        forEachCell(part & digitCells[digit - 1], [&](CellIndex peer) {
          links.links[count++] = std::uint16_t(chainNode(peer, digit, false));
        });
      }
      links.linkEnd[on] = count;
    }
  }
  assert(count <= kLoopLinkSize);
}

void addLiveLinks(LoopLinks& links, const std::uint16_t candidates[kCellCount]) {
  int count = 0;
  for (int cell = 0; cell < kCellCount; ++cell) {
    for (int rest = candidates[cell]; rest != 0; rest &= rest - 1) {
      const int on = chainNode(cell, firstDigit(rest), true);
      for (int p = 0; p < kPassCount; ++p) {
        const ChainPass& pass = kChainPasses[p];
        links.liveBegin[p][on / 2] = count;
        forEachPassLink(links, pass, on, [&](int off) {
          if (leadsOn(links, pass, off)) links.live[count++] = std::uint16_t(off);
        });
        links.liveEnd[p][on / 2] = count;
      }
    }
  }
  assert(count <= kLiveLinkSize);
}
