// The chain engine: every consequence of one assumed candidate, breadth first.
#pragma once

#include "logic/chain_workspace.h"
#include "logic/houses.h"
#include "logic/logic_context.h"
#include "logic/logic_grid.h"

// Without a population-count instruction in the targets' base sets a count
// is a library call; the engine asks only whether one or two are left.
constexpr bool hasTwoDigits(int mask) {
  const int rest = mask & (mask - 1);
  return rest != 0 && (rest & (rest - 1)) == 0;
}
constexpr bool hasOneCell(CellSet set) {
  return (set.word[0] == 0) != (set.word[1] == 0) &&
         ((set.word[0] & (set.word[0] - 1)) | (set.word[1] & (set.word[1] - 1))) == 0;
}
constexpr bool hasTwoCells(CellSet set) {
  CellSet rest = set;
  if (!rest.empty()) rest.remove(rest.first());
  return hasOneCell(rest);
}
constexpr bool hasSeveralCells(CellSet set) {
  return !set.empty() && !hasOneCell(set);
}

// The one other place of digit in cell's house of the type, from a house's
// places as nine bits in the order of its cells; -1 for none or several.
inline int onlyOtherPlace(const std::uint16_t (&places)[kHouseCount][9], int cell, int type,
                          int digit) {
  const int house = kHouses.houses[cell][type];
  const int others = places[house][digit - 1] & ~(1 << kHouses.positions[cell][type]);
  if (others == 0 || (others & (others - 1)) != 0) return -1;
  return kHouses.cells[house][std::countr_zero(unsigned(others))];
}

struct ChainMode {
  // A dynamic run removes each candidate it proves off from its working grid
  // and reasons on what is left; a static one keeps the grid as it is.
  bool dynamic;
  // With cell links, an on node takes the other digits of its cell and a
  // cell down to two digits gives the other; without, a digit's houses only.
  bool cellLinks;
  // Above 0, the basic techniques run on the working grid whenever the links
  // give nothing more (pointing, pairs and X-wings at level 1).
  int level;
};

// Takes the producer's grid as every run's source.
void beginChains(ChainWorkspace& chains, const LogicGrid& grid);
// Derives every node that follows from start until nothing new follows or
// an on and an off node of one candidate meet. False when the work bound ran
// out, and then the run is unfinished.
bool runChain(LogicContext& context, ChainRun& run, int start, ChainMode mode);
// The same in another workspace than the context's own: a nested search's.
bool runChainIn(LogicContext& context, ChainWorkspace& chains, ChainRun& run, int start,
                ChainMode mode);
inline bool reachedNode(const ChainRun& run, int node) {
  return run.reached[node] != 0;
}
// Starts counting a step's complexity: each nested step behind its
// branches counts once, however many of them took it in.
void beginComplexity(ChainWorkspace& chains);
// The number of distinct nodes node was derived from through all its
// parents, node included, plus the complexity of each nested step among
// them not yet counted since beginComplexity; node must have been reached.
int ancestorCount(ChainWorkspace& chains, const ChainRun& run, int node);
// Both sides of a run's clash counted that way, added, from a new count.
int clashComplexity(ChainWorkspace& chains, const ChainRun& run);
// A chain's rating: base, plus 0.1 for each length threshold its complexity
// passes, added as the rating scale adds them.
double chainRating(double base, int complexity);
// The nodes from the run's start to node along first parents, written into
// path, which has room for capacity (a run's node count is enough); the count.
int chainPath(const ChainRun& run, int node, std::uint16_t* path, int capacity);
// The same for the clash's last node, which the run did not keep.
int clashPath(const ChainRun& run, std::uint16_t* path, int capacity);

// Keeps what run, from a candidate's on node, reached in the producer's store.
void storeOnRun(ChainWorkspace& chains, const ChainRun& run);

// Appends the eliminations of the first basic technique that depends on what
// the run removed, as new off nodes of run; the number appended, -1 when no
// technique depends on it.
int addRuleNodes(ChainWorkspace& chains, ChainRun& run);
// At level 2 and above, the same for the chain search of the level, run on
// chains' working grid (nested_chains.cpp).
// The level's inner rules are tried in turn from firstFamily on.
int addNestedRuleNodes(LogicContext& context, ChainWorkspace& chains, ChainRun& run, ChainMode mode,
                       int firstFamily);
// How many of level's inner rules lower tries, the same ones first; -1 when
// lower's are not where level's begin, and a run of lower cannot go on at
// level.
int sharedInnerFamilies(int lower, int level);
// Appends node to run with the parents given; the node must be new.
void addChainRunNode(ChainRun& run, int node, const std::uint16_t* parents, int parentCount);
