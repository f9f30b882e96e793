// Forcing chains and bidirectional cycles on the grid as it stands: X links
// (one digit, house conjugates), Y links (bivalue cells) and both together.
#include <bit>
#include <cstring>

#include "logic/producers.h"

namespace {

// The peers an on node turns off, in the order the rating scale takes them:
// the box in box order, then the row outside the box, then the column.
struct ChainPeerTable {
  std::uint8_t peers[kCellCount][kPeerCount];
};

constexpr ChainPeerTable makeChainPeers() {
  ChainPeerTable t{};
  for (int cell = 0; cell < kCellCount; ++cell) {
    int n = 0;
    for (int type = 0; type < 3; ++type) {
      for (const std::uint8_t other : kHouses.cells[kHouses.houses[cell][type]]) {
        if (other == cell) continue;
        if (type > 0 && kHouses.houses[other][0] == kHouses.houses[cell][0]) continue;
        t.peers[cell][n++] = other;
      }
    }
  }
  return t;
}

inline constexpr ChainPeerTable kChainPeers = makeChainPeers();

struct Pass {
  bool xLinks;
  bool yLinks;
  bool bivalueStartsOnly;
  bool forcingChains;
  double cycleBase;
  double chainBase;
  // The scale's tie-break between equal ratings and lengths.
  int kind;
};

constexpr Pass kPasses[] = {
    {true, false, false, true, 6.5, 6.6, 2},
    {false, true, true, false, 6.5, 0.0, 3},
    {true, true, false, true, 7.0, 7.0, 4},
};

// What a hint is sorted by: rating, then length, then kind.
struct HintKey {
  double rating;
  int complexity;
  int kind;
};

bool isBefore(const HintKey& a, const HintKey& b) {
  if (a.rating != b.rating) return a.rating < b.rating;
  if (a.complexity != b.complexity) return a.complexity < b.complexity;
  return a.kind < b.kind;
}

struct Search {
  CycleWorkspace& work;
  const LogicGrid& grid;
  const Pass* pass;
  // The best hint so far, already written to step; found is false until one is.
  Step& step;
  HintKey best;
  bool found;
  long long spent;
};

int nodeOf(int cell, int digit, bool on) {
  return (cell * 9 + digit - 1) * 2 + (on ? 1 : 0);
}
int nodeCell(int node) {
  return node / 18;
}
int nodeDigit(int node) {
  return node / 2 % 9 + 1;
}
bool nodeOn(int node) {
  return (node & 1) != 0;
}

int appendNode(CycleWorkspace& work, int node, int parent) {
  if (work.nodeCount == kMaxCycleNodes) return -1;
  work.node[work.nodeCount] = std::uint16_t(node);
  work.parent[work.nodeCount] = parent;
  return work.nodeCount++;
}

// The off nodes an on node implies, in order: the cell's other digits (Y
// links), then the digit in the peers.
template <typename Visit>
void visitOffNodes(const Search& s, int node, Visit visit) {
  const int cell = nodeCell(node);
  const int digit = nodeDigit(node);
  if (s.pass->yLinks) {
    for (unsigned others = s.grid.candidates[cell] & ~digitBit(digit); others != 0;
         others &= others - 1)
      visit(nodeOf(cell, std::countr_zero(others) + 1, false));
  }
  for (const std::uint8_t peer : kChainPeers.peers[cell]) {
    if (s.grid.candidates[peer] & digitBit(digit)) visit(nodeOf(peer, digit, false));
  }
}

// The on nodes an off node implies: the other digit of a bivalue cell (Y
// links), then the one other place of the digit in its box, row, column.
template <typename Visit>
void visitOnNodes(const Search& s, int node, Visit visit) {
  const int cell = nodeCell(node);
  const int digit = nodeDigit(node);
  if (s.pass->yLinks && candidateCount(s.grid.candidates[cell]) == 2)
    visit(nodeOf(cell, firstDigit(s.grid.candidates[cell] & ~digitBit(digit)), true));
  if (s.pass->xLinks) {
    for (int type = 0; type < 3; ++type) {
      const int house = kHouses.houses[cell][type];
      const unsigned others =
          s.work.positions[house][digit - 1] & ~(1u << kHouses.positions[cell][type]);
      if (std::popcount(others) == 1)
        visit(nodeOf(kHouses.cells[house][std::countr_zero(others)], digit, true));
    }
  }
}

bool isAncestor(const CycleWorkspace& work, int node, int index) {
  for (; index >= 0; index = work.parent[index]) {
    if (work.node[index] == node) return true;
  }
  return false;
}

// The length modifier: 0.1 for each threshold 4, 6, 8, 12, 16, 24, ... that
// the length less two exceeds, added up in doubles as the scale does.
double chainRating(double base, int complexity) {
  double added = 0.0;
  long long threshold = 4;
  bool half = true;
  while (complexity - 2 > threshold) {
    added += 0.1;
    threshold = half ? threshold * 3 / 2 : threshold * 4 / 3;
    half = !half;
  }
  return base + added;
}

// True while a hint of this length could still come before the best one.
bool canImprove(const Search& s, double base, int complexity) {
  return !s.found || isBefore({chainRating(base, complexity), complexity, s.pass->kind}, s.best);
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

// A loop closed by the off node at index: every candidate outside it that
// sees both an on and an off node of its digit goes. False when none does.
bool reportCycle(Search& s, int index, int complexity) {
  int nodes[kCandidateCount * 2 + 1];
  const int count = chainNodes(s.work, index, nodes);
  CellSet loopCells{};
  CellSet seesOn[9] = {};
  CellSet seesOff[9] = {};
  for (int i = 0; i < count; ++i) {
    const int cell = nodeCell(nodes[i]);
    loopCells.add(cell);
    CellSet& sees =
        nodeOn(nodes[i]) ? seesOn[nodeDigit(nodes[i]) - 1] : seesOff[nodeDigit(nodes[i]) - 1];
    sees = sees | kHouses.peers[cell];
  }
  CellSet removed[9];
  bool any = false;
  for (int d = 0; d < 9; ++d) {
    removed[d] = (seesOn[d] & seesOff[d] & s.work.digitCells[d]) - loopCells;
    any = any || !removed[d].empty();
  }
  if (!any) return false;
  int cellCount = 0;
  for (int i = 0; i < count; ++i) {
    bool repeated = false;
    for (int j = 0; j < i; ++j) repeated = repeated || nodeCell(nodes[j]) == nodeCell(nodes[i]);
    cellCount += !repeated;
  }
  const Pass& pass = *s.pass;
  const Technique technique =
      pass.kind == 2   ? (cellCount == 4 ? Technique::kGeneralizedXWing : Technique::kXCycle)
      : pass.kind == 3 ? Technique::kYCycle
                       : Technique::kBidirectionalCycle;
  const double rating = chainRating(pass.cycleBase, complexity);
  startStep(s.step, technique, rating);
  for (int d = 0; d < 9; ++d)
    forEachCell(removed[d], [&](CellIndex cell) { addElimination(s.step, cell, d + 1); });
  recordChain(s.step, nodes, count);
  addChainNode(s.step, nodeCell(nodes[0]), nodeDigit(nodes[0]), true);
  s.step.complexity = complexity;
  s.step.size = complexity;
  s.best = {rating, complexity, pass.kind};
  s.found = true;
  return true;
}

// Breadth first from the candidate on, back to it by a loop of four links or
// more; on nodes are reached once, off nodes each time, bar the chain's own.
void searchCycles(Search& s, int start) {
  CycleWorkspace& work = s.work;
  const std::uint32_t generation = ++work.generation;
  work.nodeCount = 0;
  appendNode(work, start, -1);
  work.seen[1][start / 2] = generation;
  int onBegin = 0;
  int onEnd = 1;
  for (int counter = 1; onBegin < onEnd; counter += 2) {
    if (!canImprove(s, s.pass->cycleBase, counter + 1 < 4 ? 4 : counter + 1)) return;
    const int offBegin = work.nodeCount;
    for (int i = onBegin; i < onEnd; ++i) {
      visitOffNodes(s, work.node[i], [&](int off) {
        if (!isAncestor(work, off, i)) appendNode(work, off, i);
      });
    }
    const int offEnd = work.nodeCount;
    s.spent += offEnd - onBegin;
    const int level = counter + 1;
    bool closed = false;
    for (int i = offBegin; i < offEnd && !closed; ++i) {
      visitOnNodes(s, work.node[i], [&](int on) {
        if (closed) return;
        if (on == start) {
          if (level >= 4 && reportCycle(s, i, level)) closed = true;
          return;
        }
        if (work.seen[1][on / 2] == generation) return;
        work.seen[1][on / 2] = generation;
        appendNode(work, on, i);
      });
    }
    // Later loops of this search are as long or longer.
    if (closed) return;
    onBegin = offEnd;
    onEnd = work.nodeCount;
  }
}

// Breadth first from the candidate assumed on (or off) to the same candidate
// off (or on), every node reached once; the first chain to get there counts.
void searchForcingChain(Search& s, int start) {
  CycleWorkspace& work = s.work;
  const std::uint32_t generation = ++work.generation;
  const int target = start ^ 1;
  work.nodeCount = 0;
  appendNode(work, start, -1);
  work.seen[start & 1][start / 2] = generation;
  int begin = 0;
  int end = 1;
  for (int level = 1; begin < end; ++level) {
    // The target is of the other state, reached on odd levels only.
    if ((level & 1) != 0 && !canImprove(s, s.pass->chainBase, level + 1)) return;
    int reached = -1;
    for (int i = begin; i < end && reached < 0; ++i) {
      const auto visit = [&](int next) {
        if (reached >= 0) return;
        if (next == target) {
          reached = i;
          return;
        }
        if (work.seen[next & 1][next / 2] == generation) return;
        work.seen[next & 1][next / 2] = generation;
        appendNode(work, next, i);
      };
      if (nodeOn(work.node[i])) {
        visitOffNodes(s, work.node[i], visit);
      } else {
        visitOnNodes(s, work.node[i], visit);
      }
    }
    s.spent += end - begin;
    if (reached >= 0) {
      int nodes[kCandidateCount * 2 + 1];
      const int count = chainNodes(work, reached, nodes);
      const int complexity = count + 1;
      const Pass& pass = *s.pass;
      const Technique technique = pass.kind == 4    ? Technique::kForcingChain
                                  : complexity == 6 ? Technique::kTurbotFish
                                                    : Technique::kForcingXChain;
      const double rating = chainRating(pass.chainBase, complexity);
      startStep(s.step, technique, rating);
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
      s.step.size = complexity;
      s.best = {rating, complexity, pass.kind};
      s.found = true;
      return;
    }
    begin = end;
    end = work.nodeCount;
  }
}

void prepareWorkspace(CycleWorkspace& work, const LogicGrid& grid) {
  std::memset(work.seen, 0, sizeof work.seen);
  work.generation = 0;
  for (int house = 0; house < kHouseCount; ++house) {
    for (int d = 0; d < 9; ++d) work.positions[house][d] = 0;
    for (int p = 0; p < 9; ++p) {
      for (unsigned digits = grid.candidates[kHouses.cells[house][p]]; digits != 0;
           digits &= digits - 1)
        work.positions[house][std::countr_zero(digits)] |= std::uint16_t(1 << p);
    }
  }
  for (int d = 0; d < 9; ++d) work.digitCells[d] = digitCells(grid, d + 1);
}

}  // namespace

bool findChainsAndCycles(LogicContext& context, const LogicGrid& grid, Step& step) {
  CycleWorkspace& work = context.cycles;
  prepareWorkspace(work, grid);
  Search search{work, grid, nullptr, step, {}, false, 0};
  for (const Pass& pass : kPasses) {
    search.pass = &pass;
    for (CellIndex cell = 0; cell < kCellCount; ++cell) {
      const int count = candidateCount(grid.candidates[cell]);
      if (count < 2 || (pass.bivalueStartsOnly && count != 2)) continue;
      for (unsigned digits = grid.candidates[cell]; digits != 0; digits &= digits - 1) {
        const int digit = std::countr_zero(digits) + 1;
        searchCycles(search, nodeOf(cell, digit, true));
        if (!pass.forcingChains) continue;
        searchForcingChain(search, nodeOf(cell, digit, true));
        searchForcingChain(search, nodeOf(cell, digit, false));
      }
    }
  }
  context.workLeft -= search.spent;
  return search.found;
}
