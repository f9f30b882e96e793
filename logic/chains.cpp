// Nishio, multiple and dynamic forcing chains: each collects every step its
// chains prove and reports the one the rating scale sorts first.
#include "logic/chain_engine.h"
#include "logic/producers.h"

namespace {

// The rating scale's order among steps of equal rating and complexity.
enum ChainKind { kDoubleKind = 1, kCellKind = 5, kRegionKind = 6, kContradictionKind = 7 };

struct ChainFamily {
  ChainMode mode;
  double base;
  // The least number of candidates a source cell needs.
  int sourceCandidates;
  bool contradictions;
  bool doubles;
  bool cellAndRegion;
  Technique contradiction;
  Technique cell;
  Technique region;
};

struct ChainSearch {
  LogicContext& context;
  Step& step;
  const ChainFamily& family;
  bool found;
  double rating;
  int complexity;
  int kind;
};

bool isBetter(const ChainSearch& search, double rating, int complexity, int kind) {
  if (!search.found) return true;
  if (rating != search.rating) return rating < search.rating;
  if (complexity != search.complexity) return complexity < search.complexity;
  return kind < search.kind;
}

// Starts the step of a new best and keeps its order keys; false when the
// step sorts after the best so far.
bool startBest(ChainSearch& search, Technique technique, int complexity, int kind) {
  const int level = search.family.mode.level < 4 ? search.family.mode.level : 4;
  const double rating = chainRating(search.family.base + 0.5 * level, complexity);
  if (!isBetter(search, rating, complexity, kind)) return false;
  search.found = true;
  search.rating = rating;
  search.complexity = complexity;
  search.kind = kind;
  startStep(search.step, technique, rating);
  search.step.level = std::uint8_t(level);
  search.step.complexity = complexity;
  search.step.variant = kind;
  return true;
}

void concludeNode(Step& step, int node) {
  if (nodeOn(node)) {
    step.placedCell = nodeCell(node);
    step.placedDigit = nodeDigit(node);
  } else {
    addElimination(step, nodeCell(node), nodeDigit(node));
  }
}

void addPath(Step& step, const std::uint16_t* path, int count, bool branchStart) {
  for (int i = 0; i < count; ++i)
    addChainNode(step, nodeCell(path[i]), nodeDigit(path[i]), nodeOn(path[i]),
                 branchStart && i == 0);
}

void reportClash(ChainSearch& search, const ChainRun& run) {
  ChainWorkspace& chains = search.context.chains;
  const int complexity = clashComplexity(chains, run);
  if (!startBest(search, search.family.contradiction, complexity, kContradictionKind)) return;
  Step& step = search.step;
  // The assumption is false: an assumed on node is removed, an off one placed.
  concludeNode(step, oppositeNode(run.start));
  step.digits = digitBit(nodeDigit(run.start));
  addStepCell(step, nodeCell(run.start));
  std::uint16_t* path = chains.stack;
  addPath(step, path, chainPath(run, oppositeNode(run.clashNode), path, kNodeSlots), false);
  addPath(step, path, clashPath(run, path, kNodeSlots), true);
}

// What a step of several branches is about: a cell's candidates, a digit's
// places in a house, or one candidate assumed on and off.
struct ChainPattern {
  Technique technique;
  int kind;
  int cell;
  int house;
  int digit;
};

// A node reached by every branch: proved whichever branch holds.
void reportTarget(ChainSearch& search, const ChainPattern& pattern, const ChainRun* const* runs,
                  int runCount, int target) {
  ChainWorkspace& chains = search.context.chains;
  int complexity = 0;
  for (int i = 0; i < runCount; ++i) complexity += ancestorCount(chains, *runs[i], target);
  if (!startBest(search, pattern.technique, complexity, pattern.kind)) return;
  Step& step = search.step;
  concludeNode(step, target);
  if (pattern.cell != kNoCell) addStepCell(step, pattern.cell);
  if (pattern.house >= 0) addStepHouse(step, pattern.house);
  if (pattern.digit != 0) step.digits = digitBit(pattern.digit);
  std::uint16_t* path = chains.stack;
  for (int i = 0; i < runCount; ++i)
    addPath(step, path, chainPath(*runs[i], target, path, kNodeSlots), i > 0);
}

// Reports every node the first run reached and all the others too, on
// nodes first, each in the first run's order.
void reportCommon(ChainSearch& search, const ChainPattern& pattern, const ChainRun* const* runs,
                  int runCount) {
  const ChainRun& first = *runs[0];
  for (int side = 0; side < 2; ++side) {
    const std::uint16_t* nodes = side == 0 ? first.onNodes : first.offNodes;
    const int count = side == 0 ? first.onCount : first.offCount;
    for (int i = 0; i < count; ++i) {
      const int node = nodes[i];
      bool everywhere = true;
      for (int r = 1; r < runCount && everywhere; ++r) everywhere = reachedNode(*runs[r], node);
      if (everywhere) reportTarget(search, pattern, runs, runCount, node);
    }
  }
}

// Region chains of the digit run of cell: each house where cell is the
// digit's first place, every other place assumed in turn. False when the
// work bound ran out.
bool searchRegions(ChainSearch& search, const ChainRun& cellRun, int cell, int digit) {
  ChainWorkspace& chains = search.context.chains;
  for (int type = 0; type < 3; ++type) {
    const int house = kHouses.houses[cell][type];
    const CellSet places = kHouses.houseSets[house] & chains.sourceDigits[digit - 1];
    if (!hasSeveralCells(places) || places.first() != cell) continue;
    // Most houses prove nothing: what every place reached is checked on the
    // stored bits first, and the runs are made again only for a node left.
    NodeBits common = chains.onReached[chainNode(cell, digit, true) / 2];
    bool finished = true;
    forEachCell(places, [&](CellIndex other) {
      const NodeBits* reached = nullptr;
      if (other == cell || !finished) return;
      finished = onRunReached(search.context, chains.houseRuns[0], other, digit, search.family.mode,
                              &reached);
      if (!finished) return;
      for (int w = 0; w < kNodeWords; ++w) common.word[w] &= reached->word[w];
    });
    if (!finished) return false;
    bool any = false;
    for (const std::uint64_t word : common.word) any = any || word != 0;
    if (!any) continue;
    const ChainRun* runs[9] = {&cellRun};
    int runCount = 1;
    forEachCell(places, [&](CellIndex other) {
      if (other == cell || !finished) return;
      ChainRun& run = chains.houseRuns[runCount - 1];
      finished = runChain(search.context, run, chainNode(other, digit, true), search.family.mode);
      runs[runCount++] = &run;
    });
    if (!finished) return false;
    const ChainPattern pattern{search.family.region, kRegionKind, kNoCell, house, digit};
    reportCommon(search, pattern, runs, runCount);
  }
  return true;
}

bool searchChains(LogicContext& context, const LogicGrid& grid, Step& step,
                  const ChainFamily& family) {
  if (context.workLeft <= 0) return false;
  ChainWorkspace& chains = context.chains;
  beginChains(chains, grid);
  ChainSearch search{context, step, family, false, 0.0, 0, 0};
  for (CellIndex cell = 0; cell < kCellCount; ++cell) {
    const int digits = chains.source[cell];
    const int count = candidateCount(digits);
    if (count < family.sourceCandidates) continue;
    const ChainRun* digitRuns[9];
    int runCount = 0;
    for (int rest = digits; rest != 0; rest &= rest - 1) {
      const int digit = firstDigit(rest);
      ChainRun& onRun = chains.digitRuns[runCount];
      digitRuns[runCount++] = &onRun;
      if (!runChain(context, onRun, chainNode(cell, digit, true), family.mode)) return false;
      storeOnRun(chains, onRun);
      if (family.contradictions && onRun.clash) reportClash(search, onRun);
      if (family.contradictions || family.doubles) {
        ChainRun& offRun = chains.offRun;
        if (!runChain(context, offRun, chainNode(cell, digit, false), family.mode)) return false;
        if (family.contradictions && offRun.clash) reportClash(search, offRun);
        if (family.doubles && count >= 3) {
          const ChainRun* runs[2] = {&onRun, &offRun};
          const ChainPattern pattern{Technique::kDynamicDoubleForcingChain, kDoubleKind, cell, -1,
                                     digit};
          reportCommon(search, pattern, runs, 2);
        }
      }
      if (family.cellAndRegion && !searchRegions(search, onRun, cell, digit)) return false;
    }
    if (family.cellAndRegion) {
      const ChainPattern pattern{family.cell, kCellKind, cell, -1, 0};
      reportCommon(search, pattern, digitRuns, runCount);
    }
  }
  return search.found;
}

constexpr ChainFamily kNishio = {
    {true, false, 0},
    7.5,
    2,
    true,
    false,
    false,
    Technique::kNishioForcingChain,
    Technique::kNishioForcingChain,
    Technique::kNishioForcingChain,
};

constexpr ChainFamily kMultiple = {
    {false, true, 0},
    8.0,
    3,
    false,
    false,
    true,
    Technique::kCellForcingChain,
    Technique::kCellForcingChain,
    Technique::kRegionForcingChain,
};

constexpr ChainFamily dynamicFamily(int level) {
  return {
      {true, true, level},
      8.5,
      2,
      true,
      true,
      true,
      Technique::kDynamicContradictionForcingChain,
      Technique::kDynamicCellForcingChain,
      Technique::kDynamicRegionForcingChain,
  };
}

}  // namespace

bool findNishioChains(LogicContext& context, const LogicGrid& grid, Step& step) {
  return searchChains(context, grid, step, kNishio);
}

bool findMultipleChains(LogicContext& context, const LogicGrid& grid, Step& step) {
  return searchChains(context, grid, step, kMultiple);
}

bool findDynamicChains(LogicContext& context, const LogicGrid& grid, Step& step) {
  return searchChains(context, grid, step, dynamicFamily(0));
}

bool findDynamicChainsPlus(LogicContext& context, const LogicGrid& grid, Step& step) {
  return searchChains(context, grid, step, dynamicFamily(1));
}

// The nested levels: level 2 nests the static forcing chains, level 3 the
// multiple forcing chains too, and the four producers of level 4 a dynamic
// search of level 0 to 3, which their modes carry as level 4 to 7.
bool findNestedChains(LogicContext& context, const LogicGrid& grid, Step& step) {
  return searchChains(context, grid, step, dynamicFamily(2));
}

bool findNestedMultipleChains(LogicContext& context, const LogicGrid& grid, Step& step) {
  return searchChains(context, grid, step, dynamicFamily(3));
}

bool findNestedDynamicChains0(LogicContext& context, const LogicGrid& grid, Step& step) {
  return searchChains(context, grid, step, dynamicFamily(4));
}

bool findNestedDynamicChains1(LogicContext& context, const LogicGrid& grid, Step& step) {
  return searchChains(context, grid, step, dynamicFamily(5));
}

bool findNestedDynamicChains2(LogicContext& context, const LogicGrid& grid, Step& step) {
  return searchChains(context, grid, step, dynamicFamily(6));
}

bool findNestedDynamicChains3(LogicContext& context, const LogicGrid& grid, Step& step) {
  return searchChains(context, grid, step, dynamicFamily(7));
}
