// Nishio, multiple and dynamic forcing chains: each collects every step its
// chains prove and reports the one the rating scale sorts first.
#include "logic/chain_search.h"
#include "logic/producers.h"
#include "logic/techniques.h"

namespace {

struct ChainFamily {
  ChainSources sources;
  double base;
  Technique contradiction;
  Technique cell;
  Technique region;
};

// Keeps the step the rating scale sorts first among all the search proves.
struct BestChainSink {
  LogicContext& context;
  Step& step;
  const ChainFamily& family;
  bool found;
  double rating;
  int complexity;
  ChainKind kind;

  bool isBetter(double newRating, int newComplexity, ChainKind newKind) const {
    if (!found) return true;
    if (newRating != rating) return newRating < rating;
    if (newComplexity != complexity) return newComplexity < complexity;
    return newKind < kind;
  }

  // Starts the step of a new best and keeps its order keys; false when the
  // step sorts after the best so far.
  bool startBest(Technique technique, int newComplexity, ChainKind newKind) {
    const int level = family.sources.mode.level < 4 ? family.sources.mode.level : 4;
    const double newRating = chainRating(family.base + 0.5 * level, newComplexity);
    if (!isBetter(newRating, newComplexity, newKind)) return false;
    found = true;
    rating = newRating;
    complexity = newComplexity;
    kind = newKind;
    startStep(step, technique, newRating);
    step.level = std::uint8_t(level);
    step.complexity = newComplexity;
    return true;
  }

  void clash(const ChainRun& run) {
    ChainWorkspace& chains = context.chains;
    if (!startBest(family.contradiction, clashComplexity(chains, run), ChainKind::kContradiction))
      return;
    // The assumption is false: an assumed on node is removed, an off one placed.
    concludeNode(oppositeNode(run.start));
    step.digits = digitBit(nodeDigit(run.start));
    addStepCell(step, nodeCell(run.start));
    std::uint16_t* path = chains.stack;
    addPath(run, path, chainPath(run, oppositeNode(run.clashNode), path, kNodeSlots), false);
    addPath(run, path, clashPath(run, path, kNodeSlots), true);
  }

  // A node reached by every branch: proved whichever branch holds.
  void target(const ChainPattern& pattern, const ChainRun* const* runs, int runCount, int node) {
    ChainWorkspace& chains = context.chains;
    int newComplexity = 0;
    beginComplexity(chains);
    for (int i = 0; i < runCount; ++i) newComplexity += ancestorCount(chains, *runs[i], node);
    const Technique technique = pattern.kind == ChainKind::kDouble
                                    ? Technique::kDynamicDoubleForcingChain
                                : pattern.kind == ChainKind::kCell ? family.cell
                                                                   : family.region;
    if (!startBest(technique, newComplexity, pattern.kind)) return;
    concludeNode(node);
    if (pattern.cell != kNoCell) addStepCell(step, pattern.cell);
    if (pattern.house >= 0) addStepHouse(step, pattern.house);
    if (pattern.digit != 0) step.digits = digitBit(pattern.digit);
    std::uint16_t* path = chains.stack;
    for (int i = 0; i < runCount; ++i)
      addPath(*runs[i], path, chainPath(*runs[i], node, path, kNodeSlots), i > 0);
  }

  void concludeNode(int node) {
    if (nodeOn(node)) {
      step.placedCell = nodeCell(node);
      step.placedDigit = nodeDigit(node);
    } else {
      addElimination(step, nodeCell(node), nodeDigit(node));
    }
  }

  // The nodes of a branch, each that a nested step gave with that step's chain.
  void addPath(const ChainRun& run, const std::uint16_t* path, int count, bool branchStart) {
    for (int i = 0; i < count; ++i) {
      addChainNode(step, nodeCell(path[i]), nodeDigit(path[i]), nodeOn(path[i]),
                   branchStart && i == 0);
      // The clash's last node is not the run's own, and has no step behind it.
      const int id = reachedNode(run, path[i]) ? run.nestedHint[path[i]] : 0;
      if (id == 0) continue;
      if (run.nestedPathCount[id] == kPathNotKept) {
        ++step.innerChainsCut;
        continue;
      }
      addInnerChain(step, run.nestedPaths + run.nestedPathStart[id], run.nestedPathCount[id]);
    }
  }

  // Every run of the grid as it stands can give a step.
  bool onMayRest(int) const { return true; }
  bool offMayRest(int) const { return true; }
  bool sourceMayRest(int) const { return true; }
  bool cellMayRest(int) const { return true; }
  bool regionMayRest(int, int) const { return true; }
};

bool searchChains(LogicContext& context, const LogicGrid& grid, Step& step,
                  const ChainFamily& family) {
  if (context.workLeft <= 0) return false;
  beginChains(context.chains, grid);
  beginKeptRuns(context.keptRuns, context.chains);
  BestChainSink sink{.context = context,
                     .step = step,
                     .family = family,
                     .found = false,
                     .rating = 0.0,
                     .complexity = 0,
                     .kind = ChainKind::kDouble};
  if (!searchChainSources(context, context.chains, family.sources, sink)) return false;
  return sink.found;
}

constexpr ChainFamily kNishio = {.sources = kNishioSources,
                                 .base = techniqueRating(Technique::kNishioForcingChain),
                                 .contradiction = Technique::kNishioForcingChain,
                                 .cell = Technique::kNishioForcingChain,
                                 .region = Technique::kNishioForcingChain};

constexpr ChainFamily kMultiple = {.sources = kMultipleSources,
                                   .base = techniqueRating(Technique::kCellForcingChain),
                                   .contradiction = Technique::kCellForcingChain,
                                   .cell = Technique::kCellForcingChain,
                                   .region = Technique::kRegionForcingChain};

constexpr ChainFamily dynamicFamily(int level) {
  return {.sources = dynamicSources(level),
          .base = techniqueRating(Technique::kDynamicContradictionForcingChain),
          .contradiction = Technique::kDynamicContradictionForcingChain,
          .cell = Technique::kDynamicCellForcingChain,
          .region = Technique::kDynamicRegionForcingChain};
}

}  // namespace

bool findNishioChains(LogicContext& context, const LogicGrid& grid, Step& step) {
  return searchChains(context, grid, step, kNishio);
}

bool findMultipleChains(LogicContext& context, const LogicGrid& grid, Step& step) {
  return searchChains(context, grid, step, kMultiple);
}

bool findDynamicChainsOfLevel(int level, LogicContext& context, const LogicGrid& grid, Step& step) {
  return searchChains(context, grid, step, dynamicFamily(level));
}
