// Every candidate's links on a grid, for the searches of chains and cycles
// that walk them breadth first many times over: built once, each pass takes
// the part of each node's links it follows.
#pragma once

#include <cstdint>

#include "logic/cell_set.h"
#include "logic/chain_passes.h"
#include "logic/chain_workspace.h"
#include "logic/houses.h"

// A candidate's off node links to at most four on nodes (its cell's other
// candidate and a place in each house), its on node to eight candidates of
// its cell and twenty peers.
constexpr int kLoopLinkSize = 32 * kCandidateSlots;
// Besides, for the static search, an on node's links in each of the three
// passes to the off nodes that lead on in it.
constexpr int kPassCount = int(sizeof kChainPasses / sizeof kChainPasses[0]);
constexpr int kLiveLinkSize = kPassCount * 28 * kCandidateSlots;

// For the grid's candidates only: where each node's links begin, its house
// links begin and they end. The cell's links come first: an on node's other
// candidates, an off node's bivalue partner; then an on node's peers in
// box, row and column, an off node's conjugates in box, row and column.
struct LoopLinks {
  int cellLinks[kNodeSlots];
  int houseLinks[kNodeSlots];
  int linkEnd[kNodeSlots];
  std::uint16_t links[kLoopLinkSize];
  // By pass and candidate, where its on node's live links begin and end.
  int liveBegin[kPassCount][kCandidateSlots];
  int liveEnd[kPassCount][kCandidateSlots];
  std::uint16_t live[kLiveLinkSize];
};

// From the grid's candidates, each digit's cells and, by house and digit,
// the places as nine bits in the order of the house's cells.
void buildLoopLinks(LoopLinks& links, const std::uint16_t candidates[kCellCount],
                    const CellSet digitCells[9], const std::uint16_t (&positions)[kHouseCount][9]);

// Adds the live links to links built from the same candidates.
void addLiveLinks(LoopLinks& links, const std::uint16_t candidates[kCellCount]);

// The links of node a pass follows: an on node's in its houses always, and
// its cell's with bivalue links; an off node's bivalue partner with those,
// its conjugates with a digit's links.
struct LinkRange {
  int first;
  int last;
};
inline LinkRange passLinks(const LoopLinks& links, const ChainPass& pass, int node) {
  return {pass.yLinks ? links.cellLinks[node] : links.houseLinks[node],
          pass.xLinks || (node & 1) != 0 ? links.linkEnd[node] : links.houseLinks[node]};
}
// Calls visit(next) for each of those links in order.
template <typename Visit>
void forEachPassLink(const LoopLinks& links, const ChainPass& pass, int node, Visit visit) {
  const LinkRange range = passLinks(links, pass, node);
  for (int k = range.first; k < range.last; ++k) visit(int(links.links[k]));
}

// Whether an off node derives anything in a pass: one without a strong link
// leads nowhere.
inline bool leadsOn(const LoopLinks& links, const ChainPass& pass, int off) {
  const LinkRange range = passLinks(links, pass, off);
  return range.first != range.last;
}

// Calls visit(off) for the off nodes an on node derives in the pass numbered
// pass that lead on, in the order of its links.
template <typename Visit>
void forEachLiveLink(const LoopLinks& links, int pass, int on, Visit visit) {
  const int candidate = on / 2;
  for (int k = links.liveBegin[pass][candidate]; k < links.liveEnd[pass][candidate]; ++k)
    visit(int(links.live[k]));
}
