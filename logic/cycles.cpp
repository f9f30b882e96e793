// Forcing chains and bidirectional cycles on the grid as it stands: X links
// (one digit, house conjugates), Y links (bivalue cells) and both together.
#include <bit>
#include <cstring>

#include "logic/chain_engine.h"
#include "logic/chain_kind.h"
#include "logic/chain_passes.h"
#include "logic/chain_peers.h"
#include "logic/producers.h"
#include "logic/techniques.h"

namespace {

// What a hint is sorted by: rating, then length, then kind.
struct HintKey {
  double rating;
  int complexity;
  ChainKind kind;
};

bool isBefore(const HintKey& a, const HintKey& b) {
  if (a.rating != b.rating) return a.rating < b.rating;
  if (a.complexity != b.complexity) return a.complexity < b.complexity;
  return a.kind < b.kind;
}

struct Search {
  CycleWorkspace& work;
  const LogicGrid& grid;
  const ChainPass* pass;
  int passIndex;
  // The best hint so far, already written to step; found is false until one is.
  Step& step;
  HintKey best;
  bool found;
};

// Single bits by arithmetic: the portable build has no popcount instruction.
bool hasOneBit(unsigned mask) {
  return mask != 0 && (mask & (mask - 1)) == 0;
}
bool hasTwoBits(unsigned mask) {
  return mask != 0 && hasOneBit(mask & (mask - 1));
}

void appendNode(CycleWorkspace& work, int node, int parent) {
  if (work.nodeCount == kMaxCycleNodes) return;
  work.node[work.nodeCount] = std::uint16_t(node);
  work.parent[work.nodeCount] = parent;
  ++work.nodeCount;
}

// An off node that leads nowhere is not kept: of the target, the one such
// node that matters, the search keeps the node before it.
bool leadsOn(const Search& s, int off) {
  return leadsOn(s.work.links, *s.pass, off);
}

// The candidates strongly linked to a node's: the other digit of a bivalue
// cell (Y links), then the one other place of the digit in its box, row,
// column (X links). An off node implies them on, and an on node is implied
// by them off.
template <typename Visit>
void visitStrongPartners(const Search& s, int node, bool on, Visit visit) {
  const int cell = nodeCell(node);
  const int digit = nodeDigit(node);
  if (s.pass->yLinks && hasTwoBits(s.grid.candidates[cell]))
    visit(chainNode(cell, firstDigit(s.grid.candidates[cell] & ~digitBit(digit)), on));
  if (s.pass->xLinks) {
    for (int type = 0; type < 3; ++type) {
      const int partner = onlyOtherPlace(s.work.positions, cell, type, digit);
      if (partner >= 0) visit(chainNode(partner, digit, on));
    }
  }
}

bool isAncestor(const CycleWorkspace& work, int node, int index) {
  for (; index >= 0; index = work.parent[index]) {
    if (work.node[index] == node) return true;
  }
  return false;
}

HintKey keyOf(const Search& s, double base, int complexity) {
  return {chainRating(base, complexity), complexity, s.pass->kind};
}

// The chain that ends at index, from its assumption on.
int chainNodes(const CycleWorkspace& work, int index, int nodes[]) {
  int count = 0;
  for (; index >= 0; index = work.parent[index]) nodes[count++] = work.node[index];
  for (int i = 0; i < count / 2; ++i) {
    const int swap = nodes[i];
    nodes[i] = nodes[count - 1 - i];
    nodes[count - 1 - i] = swap;
  }
  return count;
}

void recordChain(Step& step, const int nodes[], int count) {
  for (int i = 0; i < count; ++i) {
    const int node = nodes[i];
    step.digits |= digitBit(nodeDigit(node));
    bool known = false;
    for (int c = 0; c < step.cellCount; ++c) known = known || step.cells[c] == nodeCell(node);
    if (!known) addStepCell(step, nodeCell(node));
    addChainNode(step, nodeCell(node), nodeDigit(node), nodeOn(node));
  }
}

// What a loop closed by the off node at index removes: every candidate
// outside it that sees both an on and an off node of its digit. False when
// it removes nothing.
bool cycleEliminations(const Search& s, int index, CellSet removed[9]) {
  CellSet loopCells{};
  CellSet seesOn[9] = {};
  CellSet seesOff[9] = {};
  for (; index >= 0; index = s.work.parent[index]) {
    const int node = s.work.node[index];
    loopCells.add(nodeCell(node));
    CellSet& sees = nodeOn(node) ? seesOn[nodeDigit(node) - 1] : seesOff[nodeDigit(node) - 1];
    sees = sees | kHouses.peers[nodeCell(node)];
  }
  bool any = false;
  for (int d = 0; d < 9; ++d) {
    removed[d] = (seesOn[d] & seesOff[d] & s.work.digitCells[d]) - loopCells;
    any = any || !removed[d].empty();
  }
  return any;
}

void reportCycle(Search& s, int index, int complexity, const CellSet removed[9]) {
  int nodes[kCandidateSlots * 2 + 1];
  const int count = chainNodes(s.work, index, nodes);
  int cellCount = 0;
  for (int i = 0; i < count; ++i) {
    bool repeated = false;
    for (int j = 0; j < i; ++j) repeated = repeated || nodeCell(nodes[j]) == nodeCell(nodes[i]);
    cellCount += !repeated;
  }
  const ChainPass& pass = *s.pass;
  const Technique technique =
      pass.kind == ChainKind::kXLinks
          ? (cellCount == 4 ? Technique::kGeneralizedXWing : Technique::kXCycle)
      : pass.kind == ChainKind::kYLinks ? Technique::kYCycle
                                        : Technique::kBidirectionalCycle;
  const HintKey key = keyOf(s, pass.cycleBase, complexity);
  startStep(s.step, technique, key.rating);
  for (int d = 0; d < 9; ++d)
    forEachCell(removed[d], [&](CellIndex cell) { addElimination(s.step, cell, d + 1); });
  recordChain(s.step, nodes, count);
  addChainNode(s.step, nodeCell(nodes[0]), nodeDigit(nodes[0]), true);
  s.step.complexity = complexity;
  s.best = key;
  s.found = true;
}

// The chain from start to its opposite, reached from the node at index.
void reportForcingChain(Search& s, int start, int index, int complexity) {
  int nodes[kCandidateSlots * 2 + 1];
  const int count = chainNodes(s.work, index, nodes);
  const ChainPass& pass = *s.pass;
  const Technique technique = pass.kind == ChainKind::kForcing ? Technique::kForcingChain
                              : complexity == 6                ? Technique::kTurbotFish
                                                               : Technique::kForcingXChain;
  const HintKey key = keyOf(s, pass.chainBase, complexity);
  startStep(s.step, technique, key.rating);
  const int cell = nodeCell(start);
  const int digit = nodeDigit(start);
  if (nodeOn(start)) {
    addElimination(s.step, cell, digit);
  } else {
    s.step.placedCell = cell;
    s.step.placedDigit = digit;
    for (unsigned others = s.grid.candidates[cell] & ~digitBit(digit); others != 0;
         others &= others - 1)
      addElimination(s.step, cell, std::countr_zero(others) + 1);
  }
  recordChain(s.step, nodes, count);
  addChainNode(s.step, cell, digit, !nodeOn(start));
  s.step.complexity = complexity;
  s.best = key;
  s.found = true;
}

// The off nodes that derive an on node.
int feedersOf(const Search& s, int on, int feeders[4]) {
  int count = 0;
  visitStrongPartners(s, on, false, [&](int feeder) { feeders[count++] = feeder; });
  return count;
}

// Whether on derives off: the cell's other digits, or the digit's peers.
bool derives(const Search& s, int on, int off) {
  const int cell = nodeCell(on);
  const int other = nodeCell(off);
  if (other == cell) return s.pass->yLinks && off != (on ^ 1);
  return nodeDigit(off) == nodeDigit(on) && kHouses.peers[cell].contains(other);
}

// Where off comes among the off nodes that on derives, or -1 when it is not
// one of them: the cell's digits first, then the box, the row, the column.
int derivationRank(const Search& s, int on, int off) {
  if (!derives(s, on, off)) return -1;
  const int cell = nodeCell(on);
  const int other = nodeCell(off);
  if (other == cell) return nodeDigit(off);
  for (int type = 0; type < 3; ++type) {
    if (kChainPeers.parts[cell][type].contains(other)) return 10 + type * kCellCount + other;
  }
  return -1;
}

// The nodes of wanted that on derives, in the order it derives them.
int derivedAmong(const Search& s, int on, const int wanted[], int wantedCount, int out[]) {
  int ranks[5];
  int count = 0;
  for (int w = 0; w < wantedCount; ++w) {
    const int rank = derivationRank(s, on, wanted[w]);
    if (rank < 0) continue;
    int at = count++;
    for (; at > 0 && ranks[at - 1] > rank; --at) {
      ranks[at] = ranks[at - 1];
      out[at] = out[at - 1];
    }
    ranks[at] = rank;
    out[at] = wanted[w];
  }
  return count;
}

// Breadth first from a candidate assumed on, for the loops back to it (four
// links or more) and, with forcing chains, the chain to the candidate off.
// The loops' search reaches each on node once but an off node each time it
// follows from a node it is not an ancestor of; only the copies that can
// close a loop derive anything new, so only those are kept. Its first copies
// make the same tree as the chains' search, which reaches every node once.
void searchFromOn(Search& s, int start) {
  CycleWorkspace& work = s.work;
  const ChainPass& pass = *s.pass;
  const std::uint32_t generation = ++work.generation;
  const int target = start ^ 1;
  int closing[4];
  const int closingCount = feedersOf(s, start, closing);
  for (int c = 0; c < closingCount; ++c) work.closing[closing[c] / 2] = generation;
  work.nodeCount = 0;
  appendNode(work, start, -1);
  work.seen[1][start / 2] = generation;
  // The loop and the chain found: the index of the node before each ends.
  int cycleEnd = -1;
  HintKey cycleKey{};
  CellSet removed[9];
  int chainEnd = -1;
  HintKey chainKey{};
  bool loops = closingCount > 0;
  bool chains = pass.forcingChains;
  // A loop closes on an even level, of that length; the chain reaches the
  // candidate off on an odd one, one node longer. Either must come before
  // the best so far; the loop, reported first, need only tie the chain, and
  // the chain must come strictly before the loop.
  const auto loopsMatter = [&](int level) {
    const HintKey key = keyOf(s, pass.cycleBase, level + 1 < 4 ? 4 : level + 1);
    return (!s.found || isBefore(key, s.best)) && (chainEnd < 0 || !isBefore(chainKey, key));
  };
  const auto chainsMatter = [&](int level) {
    const HintKey key = keyOf(s, pass.chainBase, level + 1);
    return (!s.found || isBefore(key, s.best)) && (cycleEnd < 0 || isBefore(key, cycleKey));
  };
  // An off node first reached, or another copy of one that closes a loop.
  const auto closesLoop = [&](int off) { return work.closing[off / 2] == generation; };
  const auto reachOff = [&](int off, int from, int level) {
    if (work.seen[0][off / 2] != generation) {
      work.seen[0][off / 2] = generation;
      if (off == target && chains) {
        chainEnd = from;
        chainKey = keyOf(s, pass.chainBase, level + 1);
        chains = false;
      }
      if (leadsOn(s, off)) appendNode(work, off, from);
    } else if (loops && closesLoop(off) && !isAncestor(work, off, from)) {
      appendNode(work, off, from);
    }
  };
  int onBegin = 0;
  int onEnd = 1;
  for (int level = 1; onBegin < onEnd; level += 2) {
    loops = loops && loopsMatter(level);
    chains = chains && chainsMatter(level);
    if (!loops && !chains) break;
    // In the last round that can matter only the target and the nodes that
    // close a loop are worth deriving.
    const bool last = !(loops && loopsMatter(level + 2)) && !(chains && chainsMatter(level + 2));
    const int offBegin = work.nodeCount;
    if (last) {
      int wanted[5];
      int wantedCount = 0;
      if (chains) wanted[wantedCount++] = target;
      if (loops) {
        for (int c = 0; c < closingCount; ++c) wanted[wantedCount++] = closing[c];
      }
      for (int i = onBegin; i < onEnd; ++i) {
        int derived[5];
        const int count = derivedAmong(s, work.node[i], wanted, wantedCount, derived);
        for (int d = 0; d < count; ++d) reachOff(derived[d], i, level);
      }
    } else {
      // The target may lead nowhere, and so not be among the live links.
      const bool deadTarget = chains && !leadsOn(s, target);
      for (int i = onBegin; i < onEnd; ++i) {
        if (deadTarget && derives(s, work.node[i], target)) reachOff(target, i, level);
        forEachLiveLink(work.links, s.passIndex, work.node[i],
                        [&](int off) { reachOff(off, i, level); });
      }
    }
    const int offEnd = work.nodeCount;
    for (int i = offBegin; i < offEnd; ++i) {
      if (last && !closesLoop(work.node[i])) continue;
      forEachPassLink(work.links, *s.pass, work.node[i], [&](int on) {
        if (on == start) {
          if (loops && cycleEnd < 0 && level + 1 >= 4 && cycleEliminations(s, i, removed)) {
            cycleEnd = i;
            cycleKey = keyOf(s, pass.cycleBase, level + 1);
          }
          return;
        }
        if (last || work.seen[1][on / 2] == generation) return;
        work.seen[1][on / 2] = generation;
        appendNode(work, on, i);
      });
    }
    if (last) break;
    // Later loops of this search are as long or longer.
    if (cycleEnd >= 0) loops = false;
    onBegin = offEnd;
    onEnd = work.nodeCount;
  }
  if (cycleEnd >= 0 && (!s.found || isBefore(cycleKey, s.best)))
    reportCycle(s, cycleEnd, cycleKey.complexity, removed);
  if (chainEnd >= 0 && (!s.found || isBefore(chainKey, s.best)))
    reportForcingChain(s, start, chainEnd, chainKey.complexity);
}

// Breadth first from a candidate assumed off to the same candidate on, every
// node reached once; the first chain to get there counts.
void searchFromOff(Search& s, int start) {
  CycleWorkspace& work = s.work;
  const std::uint32_t generation = ++work.generation;
  const int target = start ^ 1;
  // The off nodes one step before the target.
  int feeders[4];
  const int feederCount = feedersOf(s, target, feeders);
  if (feederCount == 0) return;
  work.nodeCount = 0;
  appendNode(work, start, -1);
  work.seen[0][start / 2] = generation;
  const auto matters = [&](int level) {
    return !s.found || isBefore(keyOf(s, s.pass->chainBase, level + 1), s.best);
  };
  int begin = 0;
  int end = 1;
  // Odd levels derive on nodes, among them the target; even ones off nodes.
  for (int level = 1; begin < end; level += 2) {
    if (!matters(level)) return;
    int reached = -1;
    for (int i = begin; i < end && reached < 0; ++i) {
      forEachPassLink(work.links, *s.pass, work.node[i], [&](int on) {
        if (reached >= 0) return;
        if (on == target) {
          reached = i;
          return;
        }
        if (work.seen[1][on / 2] == generation) return;
        work.seen[1][on / 2] = generation;
        appendNode(work, on, i);
      });
    }
    if (reached >= 0) {
      reportForcingChain(s, start, reached, level + 1);
      return;
    }
    if (!matters(level + 2)) return;
    // Before the last level that can matter only the target's feeders count.
    const bool last = !matters(level + 4);
    const int onBegin = end;
    const int onEnd = work.nodeCount;
    for (int i = onBegin; i < onEnd; ++i) {
      if (last) {
        int derived[4];
        const int count = derivedAmong(s, work.node[i], feeders, feederCount, derived);
        for (int d = 0; d < count; ++d) {
          if (work.seen[0][derived[d] / 2] == generation) continue;
          work.seen[0][derived[d] / 2] = generation;
          appendNode(work, derived[d], i);
        }
        continue;
      }
      forEachLiveLink(work.links, s.passIndex, work.node[i], [&](int off) {
        if (work.seen[0][off / 2] == generation) return;
        work.seen[0][off / 2] = generation;
        appendNode(work, off, i);
      });
    }
    begin = onEnd;
    end = work.nodeCount;
  }
}

void prepareWorkspace(CycleWorkspace& work, const LogicGrid& grid) {
  std::memset(work.seen, 0, sizeof work.seen);
  std::memset(work.closing, 0, sizeof work.closing);
  work.generation = 0;
  std::memset(work.positions, 0, sizeof work.positions);
  for (int house = 0; house < kHouseCount; ++house) {
    for (int p = 0; p < 9; ++p) {
      for (unsigned digits = grid.candidates[kHouses.cells[house][p]]; digits != 0;
           digits &= digits - 1)
        work.positions[house][std::countr_zero(digits)] |= std::uint16_t(1 << p);
    }
  }
  findDigitCells(grid, work.digitCells);
}

}  // namespace

static_assert(kChainPasses[0].kind == ChainKind::kXLinks, "the one-digit pass comes first");

bool findChainsAndCycles(LogicContext& context, const LogicGrid& grid, Step& step) {
  CycleWorkspace& work = context.cycles;
  prepareWorkspace(work, grid);
  Search search{work, grid, nullptr, 0, step, {}, false};
  // Each search stops at the length where it could no longer come before
  // the best hint so far, which is all the scale's sort asks.
  buildLoopLinks(work.links, grid.candidates, work.digitCells, work.positions);
  addLiveLinks(work.links, grid.candidates);
  for (const ChainPass& pass : kChainPasses) {
    search.pass = &pass;
    search.passIndex = int(&pass - kChainPasses);
    const bool oneDigit = pass.kind == ChainKind::kXLinks;
    const unsigned searched =
        oneDigit ? kAllCandidates & ~unsigned(unchangedDigits(work.xPassMemo, work.digitCells))
                 : unsigned(kAllCandidates);
    for (CellIndex cell = 0; cell < kCellCount; ++cell) {
      const int count = candidateCount(grid.candidates[cell]);
      if (count < 2 || (pass.bivalueStartsOnly && count != 2)) continue;
      for (unsigned digits = grid.candidates[cell] & searched; digits != 0; digits &= digits - 1) {
        const int digit = std::countr_zero(digits) + 1;
        searchFromOn(search, chainNode(cell, digit, true));
        if (pass.forcingChains) searchFromOff(search, chainNode(cell, digit, false));
      }
    }
    // Finding nothing in the first pass, no bound cut its searches short.
    if (oneDigit) rememberDigits(work.xPassMemo, search.found, work.digitCells);
  }
  return search.found;
}
