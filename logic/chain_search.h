// The forcing-chain search over every source cell, shared by the chain
// producers and the nested levels' inner rule: the loop walks the runs and
// hands what they prove to a sink, which keeps the best step or every one.
#pragma once

#include "logic/chain_engine.h"
#include "logic/chain_kind.h"

// Which steps a search looks for from each source cell.
struct ChainSources {
  ChainMode mode;
  // The least number of candidates a source cell needs.
  int sourceCandidates;
  bool contradictions;
  bool doubles;
  bool cellAndRegion;
};

// The searches of the scale's chain producers. Nishio chains assume a
// candidate and look for a clash, with a digit's links only; the static
// forcing chains nested at level 2 look for clashes from any cell with both
// kinds of link; multiple chains follow every candidate of a cell or place
// of a digit; dynamic ones do all three on a working grid.
constexpr ChainSources kNishioSources = {.mode = {.dynamic = true, .cellLinks = false, .level = 0},
                                         .sourceCandidates = 2,
                                         .contradictions = true,
                                         .doubles = false,
                                         .cellAndRegion = false};
constexpr ChainSources kStaticForcingSources = {
    .mode = {.dynamic = false, .cellLinks = true, .level = 0},
    .sourceCandidates = 2,
    .contradictions = true,
    .doubles = false,
    .cellAndRegion = false};
constexpr ChainSources kMultipleSources = {
    .mode = {.dynamic = false, .cellLinks = true, .level = 0},
    .sourceCandidates = 3,
    .contradictions = false,
    .doubles = false,
    .cellAndRegion = true};
constexpr ChainSources dynamicSources(int level) {
  return {.mode = {.dynamic = true, .cellLinks = true, .level = level},
          .sourceCandidates = 2,
          .contradictions = true,
          .doubles = true,
          .cellAndRegion = true};
}

// What a step of several branches is about: a cell's candidates, a digit's
// places in a house, or one candidate assumed on and off.
struct ChainPattern {
  ChainKind kind;
  int cell;
  int house;
  int digit;
};

// A sink answers, besides clash(run) and target(pattern, runs, count, node):
// onMayRest(on), offMayRest(on), sourceMayRest(cell), cellMayRest(cell) and
// regionMayRest(house, digit), whether those runs can give it a step.

// Every node the first run reached and all the others too, on nodes first,
// each in the first run's order.
template <typename Sink>
void reportCommon(Sink& sink, const ChainPattern& pattern, const ChainRun* const* runs,
                  int runCount) {
  const ChainRun& first = *runs[0];
  for (int side = 0; side < 2; ++side) {
    const std::uint16_t* nodes = side == 0 ? first.onNodes : first.offNodes;
    const int count = side == 0 ? first.onCount : first.offCount;
    for (int i = 0; i < count; ++i) {
      const int node = nodes[i];
      bool everywhere = true;
      for (int r = 1; r < runCount && everywhere; ++r) everywhere = reachedNode(*runs[r], node);
      if (everywhere) sink.target(pattern, runs, runCount, node);
    }
  }
}

// What the run from the on node reached, run in scratch and stored unless
// known. False when the work bound ran out.
inline bool knowOnRun(LogicContext& context, ChainWorkspace& chains, ChainRun& scratch, int node,
                      ChainMode mode) {
  if (chains.onReachedKnown[node / 2]) return true;
  if (!runChainIn(context, chains, scratch, node, mode)) return false;
  storeOnRun(chains, scratch);
  return true;
}

// Region chains of the digit run of cell: each house where cell is the
// digit's first place, every other place assumed in turn. Most houses prove
// nothing, so what every place reached is checked on the stored bits first
// and the runs are made again only for a node left; without cellRun, the
// cell's own run is made again in the spare off run. False when the work
// bound ran out.
template <typename Sink>
bool searchRegions(LogicContext& context, ChainWorkspace& chains, const ChainSources& sources,
                   Sink& sink, const ChainRun* cellRun, int cell, int digit) {
  for (int type = 0; type < 3; ++type) {
    const int house = kHouses.houses[cell][type];
    const CellSet places = kHouses.houseSets[house] & chains.sourceDigits[digit - 1];
    if (!hasSeveralCells(places) || places.first() != cell) continue;
    if (!sink.regionMayRest(house, digit)) continue;
    NodeBits common = chains.onReached[chainNode(cell, digit, true) / 2];
    bool finished = true;
    forEachCell(places, [&](CellIndex other) {
      if (other == cell || !finished) return;
      const int node = chainNode(other, digit, true);
      finished = knowOnRun(context, chains, chains.houseRuns[0], node, sources.mode);
      if (!finished) return;
      for (int w = 0; w < kNodeWords; ++w) common.word[w] &= chains.onReached[node / 2].word[w];
    });
    if (!finished) return false;
    bool any = false;
    for (const std::uint64_t word : common.word) any = any || word != 0;
    if (!any) continue;
    if (cellRun == nullptr) {
      if (!runChainIn(context, chains, chains.offRun, chainNode(cell, digit, true), sources.mode))
        return false;
      cellRun = &chains.offRun;
    }
    const ChainRun* runs[9] = {cellRun};
    int runCount = 1;
    forEachCell(places, [&](CellIndex other) {
      if (other == cell || !finished) return;
      ChainRun& run = chains.houseRuns[runCount - 1];
      finished = runChainIn(context, chains, run, chainNode(other, digit, true), sources.mode);
      runs[runCount++] = &run;
    });
    if (!finished) return false;
    reportCommon(sink, ChainPattern{ChainKind::kRegion, kNoCell, house, digit}, runs, runCount);
  }
  return true;
}

// Each source cell's digits assumed on, and off where the sources ask for
// it, in the scale's order; false when the work bound ran out.
template <typename Sink>
bool searchChainSources(LogicContext& context, ChainWorkspace& chains, const ChainSources& sources,
                        Sink& sink) {
  for (CellIndex cell = 0; cell < kCellCount; ++cell) {
    const int digits = chains.source[cell];
    const int count = candidateCount(digits);
    if (count < sources.sourceCandidates || !sink.sourceMayRest(cell)) continue;
    const ChainRun* digitRuns[9];
    int runCount = 0;
    for (int rest = digits; rest != 0; rest &= rest - 1) {
      const int digit = firstDigit(rest);
      const int on = chainNode(cell, digit, true);
      ChainRun& onRun = chains.digitRuns[runCount];
      digitRuns[runCount++] = &onRun;
      const bool onRuns = sink.onMayRest(on);
      if (onRuns) {
        if (!runChainIn(context, chains, onRun, on, sources.mode)) return false;
        storeOnRun(chains, onRun);
        if (sources.contradictions && onRun.clash) sink.clash(onRun);
      }
      if ((sources.contradictions || sources.doubles) && sink.offMayRest(on)) {
        ChainRun& offRun = chains.offRun;
        if (!runChainIn(context, chains, offRun, oppositeNode(on), sources.mode)) return false;
        if (sources.contradictions && offRun.clash) sink.clash(offRun);
        if (sources.doubles && onRuns && count >= 3) {
          const ChainRun* runs[2] = {&onRun, &offRun};
          reportCommon(sink, ChainPattern{ChainKind::kDouble, cell, -1, digit}, runs, 2);
        }
      }
      if (onRuns && sources.cellAndRegion &&
          !searchRegions(context, chains, sources, sink, &onRun, cell, digit))
        return false;
    }
    if (sources.cellAndRegion && sink.cellMayRest(cell))
      reportCommon(sink, ChainPattern{ChainKind::kCell, cell, -1, 0}, digitRuns, runCount);
  }
  return true;
}
