#include "logic/chain_engine.h"

#include <bit>
#include <cassert>
#include <cstring>

#include "logic/chain_peers.h"

namespace {

constexpr int kRuleScanWork = 48;

// A node an off node implies, with its parents, before it is checked.
struct Implied {
  int node;
  int parentCount;
  std::uint16_t parents[kMaxImpliedParents];
};

void resetRun(ChainRun& run) {
  for (int i = 0; i < run.onCount; ++i) run.reached[run.onNodes[i]] = 0;
  for (int i = 0; i < run.offCount; ++i) run.reached[run.offNodes[i]] = 0;
  run.onCount = run.onHead = run.offCount = run.offHead = 0;
  run.parentsUsed = 0;
  run.clash = false;
  run.aborted = false;
  run.parentsFull = false;
  run.stalledEmpty = false;
  run.nestedCount = 0;
  run.nestedPathsUsed = 0;
}

void removeWorking(ChainWorkspace& chains, int cell, int digit) {
  chains.working[cell] = std::uint16_t(chains.working[cell] & ~digitBit(digit));
  chains.workingDigits[digit - 1].remove(cell);
  for (int type = 0; type < 3; ++type) {
    std::uint16_t& places = chains.workingPositions[kHouses.houses[cell][type]][digit - 1];
    places = std::uint16_t(places & ~(1 << kHouses.positions[cell][type]));
  }
}

void restoreWorking(ChainWorkspace& chains) {
  std::memcpy(chains.working, chains.source, sizeof chains.working);
  std::memcpy(chains.workingDigits, chains.sourceDigits, sizeof chains.workingDigits);
  std::memcpy(chains.workingPositions, chains.sourcePositions, sizeof chains.workingPositions);
}

// Records the clash of node with its opposite, already reached.
void recordClash(ChainRun& run, int node, const std::uint16_t* parents, int parentCount) {
  run.clash = true;
  run.clashNode = std::uint16_t(node);
  run.clashStart = std::uint16_t(run.parentsUsed);
  run.clashCount = std::uint8_t(parentCount);
  // The pool keeps room past its limit for these few.
  for (int i = 0; i < parentCount; ++i) run.parents[run.parentsUsed++] = parents[i];
}

// False on a clash, which ends the run.
bool offerNode(ChainRun& run, int node, const std::uint16_t* parents, int parentCount) {
  if (run.reached[oppositeNode(node)]) {
    recordClash(run, node, parents, parentCount);
    return false;
  }
  if (!run.reached[node]) addChainRunNode(run, node, parents, parentCount);
  return true;
}

bool processOn(ChainWorkspace& chains, ChainRun& run, int node, ChainMode mode) {
  const int cell = nodeCell(node);
  const int digit = nodeDigit(node);
  const std::uint16_t* grid = mode.dynamic ? chains.working : chains.source;
  const std::uint16_t parent = std::uint16_t(node);
  if (mode.cellLinks) {
    for (int others = grid[cell] & ~digitBit(digit); others != 0; others &= others - 1) {
      if (!offerNode(run, chainNode(cell, firstDigit(others), false), &parent, 1)) return false;
    }
  }
  const CellSet digitCells = (mode.dynamic ? chains.workingDigits : chains.sourceDigits)[digit - 1];
  for (const CellSet part : kChainPeers.parts[cell]) {
    const CellSet peers = part & digitCells;
    for (int w = 0; w < 2; ++w) {
      for (std::uint64_t bits = peers.word[w]; bits != 0; bits &= bits - 1) {
        const int peer = w * 64 + std::countr_zero(bits);
        if (!offerNode(run, chainNode(peer, digit, false), &parent, 1)) return false;
      }
    }
  }
  return true;
}

// The off nodes of the candidates of cells that the source had and the
// working grid has lost, as hidden parents.
void addHiddenParents(Implied& implied, int cell, int removed) {
  for (; removed != 0; removed &= removed - 1) {
    assert(implied.parentCount < kMaxImpliedParents);
    implied.parents[implied.parentCount++] =
        std::uint16_t(chainNode(cell, firstDigit(removed), false));
  }
}

bool processOff(ChainWorkspace& chains, ChainRun& run, int node, ChainMode mode) {
  const int cell = nodeCell(node);
  const int digit = nodeDigit(node);
  const std::uint16_t* grid = mode.dynamic ? chains.working : chains.source;
  Implied implied[4];
  int count = 0;
  if (mode.cellLinks && hasTwoDigits(grid[cell])) {
    Implied& next = implied[count++];
    next.node = chainNode(cell, firstDigit(grid[cell] & ~digitBit(digit)), true);
    next.parents[0] = std::uint16_t(node);
    next.parentCount = 1;
    if (mode.dynamic) addHiddenParents(next, cell, chains.source[cell] & ~grid[cell]);
  }
  // A house's places of the digit as nine bits, in the order of its cells.
  const std::uint16_t(*places)[kHouseCount][9] =
      mode.dynamic ? &chains.workingPositions : &chains.sourcePositions;
  for (int type = 0; type < 3; ++type) {
    const int partner = onlyOtherPlace(*places, cell, type, digit);
    if (partner < 0) continue;
    const int house = kHouses.houses[cell][type];
    Implied& next = implied[count++];
    next.node = chainNode(partner, digit, true);
    next.parents[0] = std::uint16_t(node);
    next.parentCount = 1;
    if (!mode.dynamic) continue;
    for (int lost = chains.sourcePositions[house][digit - 1] & ~(*places)[house][digit - 1];
         lost != 0; lost &= lost - 1) {
      assert(next.parentCount < kMaxImpliedParents);
      next.parents[next.parentCount++] = std::uint16_t(
          chainNode(kHouses.cells[house][std::countr_zero(unsigned(lost))], digit, false));
    }
  }
  if (mode.dynamic) removeWorking(chains, cell, digit);
  for (int i = 0; i < count; ++i) {
    if (!offerNode(run, implied[i].node, implied[i].parents, implied[i].parentCount)) return false;
  }
  return true;
}

// True the first time the step being counted meets the nested step of key,
// in whichever of its branches.
bool countNestedOnce(ChainWorkspace& chains, std::uint64_t key) {
  for (std::size_t slot = std::size_t(key ^ key >> 29) & (kNestedKeySlots - 1);;
       slot = (slot + 1) & (kNestedKeySlots - 1)) {
    if (chains.nestedKeyMark[slot] != chains.complexityMark) {
      chains.nestedKeyMark[slot] = chains.complexityMark;
      chains.nestedKeys[slot] = key;
      return true;
    }
    if (chains.nestedKeys[slot] == key) return false;
  }
}

int countFrom(ChainWorkspace& chains, const ChainRun& run, const std::uint16_t* parents,
              int parentCount) {
  int count = 0;
  int top = 0;
  for (int i = 0; i < parentCount; ++i) {
    if (chains.visited[parents[i]] == chains.visitMark) continue;
    chains.visited[parents[i]] = chains.visitMark;
    chains.stack[top++] = parents[i];
  }
  while (top > 0) {
    const int node = chains.stack[--top];
    ++count;
    const int nested = run.nestedHint[node];
    if (nested != 0 && countNestedOnce(chains, run.nestedKey[nested]))
      count += run.nestedWeight[nested];
    const std::uint16_t* next = run.parents + run.parentStart[node];
    for (int i = 0; i < run.parentCount[node]; ++i) {
      if (chains.visited[next[i]] == chains.visitMark) continue;
      chains.visited[next[i]] = chains.visitMark;
      chains.stack[top++] = next[i];
    }
  }
  return count;
}

void nextVisitMark(ChainWorkspace& chains) {
  if (++chains.visitMark == 0) {
    std::memset(chains.visited, 0, sizeof chains.visited);
    chains.visitMark = 1;
  }
}

}  // namespace

void beginChains(ChainWorkspace& chains, const LogicGrid& grid) {
  std::memcpy(chains.value, grid.value, sizeof chains.value);
  std::memcpy(chains.source, grid.candidates, sizeof chains.source);
  findDigitCells(grid, chains.sourceDigits);
  std::memset(chains.sourcePositions, 0, sizeof chains.sourcePositions);
  for (int house = 0; house < kHouseCount; ++house) {
    for (int p = 0; p < 9; ++p) {
      for (int digits = grid.candidates[kHouses.cells[house][p]]; digits != 0; digits &= digits - 1)
        chains.sourcePositions[house][firstDigit(digits) - 1] |= std::uint16_t(1 << p);
    }
  }
  restoreWorking(chains);
  std::memset(chains.onReachedKnown, 0, sizeof chains.onReachedKnown);
}

void storeOnRun(ChainWorkspace& chains, const ChainRun& run) {
  const int candidate = run.start / 2;
  NodeBits& bits = chains.onReached[candidate];
  std::memset(&bits, 0, sizeof bits);
  for (int i = 0; i < run.onCount; ++i)
    bits.word[run.onNodes[i] >> 6] |= std::uint64_t(1) << (run.onNodes[i] & 63);
  for (int i = 0; i < run.offCount; ++i)
    bits.word[run.offNodes[i] >> 6] |= std::uint64_t(1) << (run.offNodes[i] & 63);
  chains.onReachedKnown[candidate] = 1;
}

void addChainRunNode(ChainRun& run, int node, const std::uint16_t* parents, int parentCount) {
  run.reached[node] = 1;
  run.nestedHint[node] = 0;
  if (nodeOn(node))
    run.onNodes[run.onCount++] = std::uint16_t(node);
  else
    run.offNodes[run.offCount++] = std::uint16_t(node);
  // A node rests only on nodes the run reached before it.
  for (int i = 0; i < parentCount; ++i) assert(run.reached[parents[i]]);
  if (run.parentsUsed + parentCount > kParentPoolSize) {
    run.parentsFull = true;
    run.aborted = true;
    parentCount = 0;
  }
  run.parentStart[node] = std::uint16_t(run.parentsUsed);
  run.parentCount[node] = std::uint8_t(parentCount);
  for (int i = 0; i < parentCount; ++i) run.parents[run.parentsUsed++] = parents[i];
}

bool runChain(LogicContext& context, ChainRun& run, int start, ChainMode mode) {
  return runChainIn(context, context.chains, run, start, mode);
}

namespace {

// The kept run a run at level can go on from: the level's own, or the
// highest below whose inner rules the level tries first; -1 for none.
int resumableLevel(const KeptRuns& kept, int start, int level) {
  if (hasKeptRun(kept, start, level)) return level;
  for (int lower = level - 1; lower >= 1; --lower) {
    if (hasKeptRun(kept, start, lower) && sharedInnerFamilies(lower, level) >= 0) return lower;
  }
  return -1;
}

// Rebuilds the working grid of a run that stalled: every off node it
// reached was processed, and removed there.
void removeReachedOff(ChainWorkspace& chains, const ChainRun& run) {
  for (int i = 0; i < run.offCount; ++i)
    removeWorking(chains, nodeCell(run.offNodes[i]), nodeDigit(run.offNodes[i]));
}

}  // namespace

bool runChainIn(LogicContext& context, ChainWorkspace& chains, ChainRun& run, int start,
                ChainMode mode) {
  // The outer search's runs from the grid, at the levels with rules.
  const bool keeps =
      !context.remakeRuns && &chains == &context.chains && mode.dynamic && mode.level >= 1;
  // The inner rules the run's first stall has tried already, or -1.
  int triedFamilies = -1;
  const int kept = keeps ? resumableLevel(context.keptRuns, start, mode.level) : -1;
  if (kept >= 0) {
    restoreRun(context.keptRuns, run, start, kept);
    ++context.keptRuns.resumed;
    if (kept == mode.level || run.clash || !run.stalledEmpty) return true;
    triedFamilies = sharedInnerFamilies(kept, mode.level);
    removeReachedOff(chains, run);
  } else {
    resetRun(run);
    run.start = std::uint16_t(start);
    addChainRunNode(run, start, nullptr, 0);
  }
  bool going = true;
  while (going && !run.aborted) {
    if (--context.workLeft < 0) {
      run.aborted = true;
      break;
    }
    if (run.onHead < run.onCount) {
      going = processOn(chains, run, run.onNodes[run.onHead++], mode);
    } else if (run.offHead < run.offCount) {
      going = processOff(chains, run, run.offNodes[run.offHead++], mode);
    } else {
      if (mode.level == 0 || !mode.dynamic) break;
      int added = -1;
      if (triedFamilies < 0) {
        // The basic techniques over the whole grid cost about as much as
        // this many nodes, and the bound is one of time.
        context.workLeft -= kRuleScanWork;
        added = addRuleNodes(chains, run);
      }
      if (added < 0 && mode.level >= 2)
        added =
            addNestedRuleNodes(context, chains, run, mode, triedFamilies < 0 ? 0 : triedFamilies);
      triedFamilies = -1;
      run.stalledEmpty = added < 0;
      // A nested search that ran out of work ends the run unfinished.
      going = added > 0 || context.workLeft <= 0;
    }
  }
  if (mode.dynamic) restoreWorking(chains);
  if (run.parentsFull) reachLimit(context, RatingLimit::kChainParents);
  if (keeps && !run.aborted) keepRun(context.keptRuns, run, mode.level);
  return !run.aborted;
}

void beginComplexity(ChainWorkspace& chains) {
  if (++chains.complexityMark == 0) {
    std::memset(chains.nestedKeyMark, 0, sizeof chains.nestedKeyMark);
    chains.complexityMark = 1;
  }
}

int ancestorCount(ChainWorkspace& chains, const ChainRun& run, int node) {
  nextVisitMark(chains);
  const std::uint16_t start = std::uint16_t(node);
  return countFrom(chains, run, &start, 1);
}

int clashComplexity(ChainWorkspace& chains, const ChainRun& run) {
  beginComplexity(chains);
  const int reachedSide = ancestorCount(chains, run, oppositeNode(run.clashNode));
  nextVisitMark(chains);
  chains.visited[run.clashNode] = chains.visitMark;
  return reachedSide + 1 + countFrom(chains, run, run.parents + run.clashStart, run.clashCount);
}

namespace {

// What a chain's length adds to its rating: a tenth past 4 links, then past
// each threshold half as long again and a third as long again in turn.
constexpr double lengthAddition(int complexity) {
  double added = 0.0;
  const int length = complexity - 2;
  int threshold = 4;
  for (bool half = true; length > threshold; half = !half) {
    added += 0.1;
    threshold = half ? threshold * 3 / 2 : threshold * 4 / 3;
  }
  return added;
}

// The searches ask for the ratings of short chains over and over.
constexpr int kAdditionTableSize = 256;
struct AdditionTable {
  double added[kAdditionTableSize];
};
constexpr AdditionTable makeAdditionTable() {
  AdditionTable table{};
  for (int c = 0; c < kAdditionTableSize; ++c) table.added[c] = lengthAddition(c);
  return table;
}
constexpr AdditionTable kLengthAdditions = makeAdditionTable();

}  // namespace

double chainRating(double base, int complexity) {
  const bool tabled = complexity >= 0 && complexity < kAdditionTableSize;
  return base + (tabled ? kLengthAdditions.added[complexity] : lengthAddition(complexity));
}

int chainPath(const ChainRun& run, int node, std::uint16_t* path, int capacity) {
  // Walked from the end, then turned round so that the start comes first.
  int count = 0;
  for (;;) {
    if (count < capacity) path[count++] = std::uint16_t(node);
    if (run.parentCount[node] == 0) break;
    node = run.parents[run.parentStart[node]];
  }
  for (int i = 0, j = count - 1; i < j; ++i, --j) {
    const std::uint16_t swap = path[i];
    path[i] = path[j];
    path[j] = swap;
  }
  return count;
}

int clashPath(const ChainRun& run, std::uint16_t* path, int capacity) {
  const int count = chainPath(run, run.parents[run.clashStart], path, capacity - 1);
  path[count] = run.clashNode;
  return count + 1;
}
