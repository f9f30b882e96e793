// The nested levels' rule: when a dynamic run of level 2 and above stalls
// and no basic technique depends on what it removed, a whole chain search
// runs on its working grid, and every step proved there that depends on it
// joins the run as off nodes.
#include <algorithm>
#include <cassert>
#include <cstring>

#include "logic/chain_passes.h"
#include "logic/chain_peers.h"
#include "logic/chain_search.h"
#include "logic/loop_links.h"
#include "logic/techniques.h"

namespace {

struct InnerFamily {
  ChainSources sources;
  double base;
  ChainKind clashKind;
  // Level 2 runs the static producer's whole search: X, Y and XY passes,
  // cycles and forcing chains, rather than the engine's runs.
  bool chainsAndCycles;
};

// The static forcing chains of level 2 (a clash from an assumption is a
// forcing chain to its negation), the static multiple chains level 3 adds,
// and the dynamic searches of level 0 to 3 nested in levels 4 to 7.
enum class InnerKind : std::uint8_t {
  kForcingChains,
  kMultipleChains,
  kDynamic0,
  kDynamic1,
  kDynamic2,
  kDynamic3
};

constexpr InnerFamily innerFamily(InnerKind kind) {
  switch (kind) {
    case InnerKind::kForcingChains:
      return {.sources = kStaticForcingSources,
              .base = techniqueRating(Technique::kForcingChain),
              .clashKind = ChainKind::kForcing,
              .chainsAndCycles = true};
    case InnerKind::kMultipleChains:
      return {.sources = kMultipleSources,
              .base = techniqueRating(Technique::kCellForcingChain),
              .clashKind = ChainKind::kForcing,
              .chainsAndCycles = false};
    default: {
      const int level = int(kind) - int(InnerKind::kDynamic0);
      return {.sources = dynamicSources(level),
              .base = techniqueRating(Technique::kDynamicContradictionForcingChain) + 0.5 * level,
              .clashKind = ChainKind::kContradiction,
              .chainsAndCycles = false};
    }
  }
}

// What each dynamic level tries, in turn, when a run stalls.
struct LevelFamilies {
  int count;
  InnerKind families[2];
};
constexpr LevelFamilies kLevelFamilies[kDynamicLevels] = {
    {0, {}},
    {0, {}},
    {1, {InnerKind::kForcingChains}},
    {2, {InnerKind::kForcingChains, InnerKind::kMultipleChains}},
    {1, {InnerKind::kDynamic0}},
    {1, {InnerKind::kDynamic1}},
    {1, {InnerKind::kDynamic2}},
    {1, {InnerKind::kDynamic3}},
};

const LevelFamilies& levelFamilies(int level) {
  assert(level >= 0 && level < kDynamicLevels);
  return kLevelFamilies[level];
}

struct InnerSearch {
  LogicContext& context;
  // The stalled run's workspace, whose removals the inner steps must use.
  const ChainWorkspace& outer;
  NestedWorkspace& nested;
  const InnerFamily& family;
};

void nextMark(ChainWorkspace& chains) {
  if (++chains.visitMark == 0) {
    std::memset(chains.visited, 0, sizeof chains.visited);
    chains.visitMark = 1;
  }
}

void mixKey(NestedHint& hint, unsigned value) {
  hint.key = (hint.key ^ value) * 0x100000001B3u;
}

bool beginHint(InnerSearch& search) {
  NestedWorkspace& nested = search.nested;
  if (nested.hintCount >= kMaxNestedHints) {
    reachLimit(search.context, RatingLimit::kNestedHints);
    return false;
  }
  // Room for the most a step can add: a cell's eliminations and its parents.
  if (nested.nodesUsed + 9 + kMaxNestedParents > kNestedNodePool) {
    reachLimit(search.context, RatingLimit::kNestedNodes);
    return false;
  }
  NestedHint& hint = nested.hints[nested.hintCount];
  hint.firstElimination = nested.nodesUsed;
  hint.eliminationCount = 0;
  hint.parentCount = 0;
  hint.firstPathNode = nested.pathsUsed;
  hint.pathNodeCount = 0;
  hint.key = 0xCBF29CE484222325u;
  std::memset(&nested.parentSeen, 0, sizeof nested.parentSeen);
  return true;
}

// Keeps the chain from the run's start to node, a branch of the step begun,
// to explain it; a chain the pool cannot hold is marked as not kept.
void recordInnerPath(NestedWorkspace& nested, const std::uint16_t* path, int count, bool branch) {
  NestedHint& hint = nested.hints[nested.hintCount];
  for (int i = 0; i < count; ++i) mixKey(hint, path[i] | (branch && i == 0 ? kBranchStartBit : 0));
  if (hint.pathNodeCount == kPathNotKept) return;
  if (nested.pathsUsed + count > kNestedPathPool) {
    hint.pathNodeCount = kPathNotKept;
    nested.pathsUsed = hint.firstPathNode;
    return;
  }
  for (int i = 0; i < count; ++i)
    nested.paths[nested.pathsUsed++] =
        std::uint16_t(path[i] | (branch && i == 0 ? kBranchStartBit : 0));
  hint.pathNodeCount += count;
}

void recordBranch(NestedWorkspace& nested, const ChainRun& run, int node, bool branch) {
  std::uint16_t path[kNodeSlots];
  recordInnerPath(nested, path, chainPath(run, node, path, kNodeSlots), branch);
}

void addOuterParent(InnerSearch& search, int node) {
  NestedWorkspace& nested = search.nested;
  NestedHint& hint = nested.hints[nested.hintCount];
  std::uint64_t& word = nested.parentSeen.word[node >> 6];
  const std::uint64_t bit = std::uint64_t(1) << (node & 63);
  if ((word & bit) != 0) return;
  if (hint.parentCount >= kMaxNestedParents) {
    reachLimit(search.context, RatingLimit::kNestedParents);
    return;
  }
  word |= bit;
  nested.nodes[nested.nodesUsed++] = std::uint16_t(node);
  ++hint.parentCount;
}

// The candidates the outer run removed from cell, or from digit's places in
// house: what a bivalue or conjugate link of the inner grid rests on.
void addCellParents(InnerSearch& search, int cell) {
  for (int lost = search.outer.source[cell] & ~search.outer.working[cell]; lost != 0;
       lost &= lost - 1)
    addOuterParent(search, chainNode(cell, firstDigit(lost), false));
}

void addHouseParents(InnerSearch& search, int house, int digit) {
  const CellSet lost = (kHouses.houseSets[house] & search.outer.sourceDigits[digit - 1]) -
                       search.outer.workingDigits[digit - 1];
  forEachCell(lost, [&](CellIndex cell) { addOuterParent(search, chainNode(cell, digit, false)); });
}

// The house whose conjugate gave an on node of cell from its first parent's
// cell: the engine tries box, row, column, and one the run had lost places
// in names them as hidden parents; else the two were its only places.
int linkHouse(const ChainWorkspace& chains, const std::uint16_t* parents, int parentCount, int cell,
              int from, int digit) {
  for (int type = 0; type < 3; ++type) {
    const int house = kHouses.houses[cell][type];
    if (house != kHouses.houses[from][type]) continue;
    bool holds = true;
    for (int i = 1; i < parentCount; ++i)
      holds = holds && kHouses.houseSets[house].contains(nodeCell(parents[i]));
    if (parentCount > 1 ? holds
                        : hasTwoCells(kHouses.houseSets[house] & chains.sourceDigits[digit - 1]))
      return house;
  }
  return -1;
}

// Every on node among the ancestors of the starts that a bivalue or
// conjugate link gave adds what the outer run removed there.
void addBranchParents(InnerSearch& search, const ChainRun& run, const std::uint16_t* starts,
                      int count) {
  ChainWorkspace& chains = search.nested.chains;
  nextMark(chains);
  int top = 0;
  for (int i = 0; i < count; ++i) {
    if (chains.visited[starts[i]] == chains.visitMark) continue;
    chains.visited[starts[i]] = chains.visitMark;
    chains.stack[top++] = starts[i];
  }
  while (top > 0) {
    const int node = chains.stack[--top];
    const std::uint16_t* parents = run.parents + run.parentStart[node];
    const int parentCount = run.parentCount[node];
    if (nodeOn(node) && parentCount > 0 && !nodeOn(parents[0])) {
      const int cell = nodeCell(node);
      const int from = nodeCell(parents[0]);
      if (from == cell) {
        addCellParents(search, cell);
      } else {
        const int digit = nodeDigit(node);
        const int house = linkHouse(chains, parents, parentCount, cell, from, digit);
        if (house >= 0) addHouseParents(search, house, digit);
      }
    }
    for (int i = 0; i < parentCount; ++i) {
      if (chains.visited[parents[i]] == chains.visitMark) continue;
      chains.visited[parents[i]] = chains.visitMark;
      chains.stack[top++] = parents[i];
    }
  }
}

// What proving node removes from the outer grid: the candidate itself, or
// the cell's other candidates when node places a digit.
void addTargetEliminations(InnerSearch& search, int node) {
  NestedWorkspace& nested = search.nested;
  NestedHint& hint = nested.hints[nested.hintCount];
  mixKey(hint, unsigned(node));
  if (!nodeOn(node)) {
    nested.nodes[nested.nodesUsed++] = std::uint16_t(node);
    hint.eliminationCount = 1;
    return;
  }
  const int cell = nodeCell(node);
  for (int others = nested.chains.source[cell] & ~digitBit(nodeDigit(node)); others != 0;
       others &= others - 1) {
    nested.nodes[nested.nodesUsed++] = std::uint16_t(chainNode(cell, firstDigit(others), false));
    ++hint.eliminationCount;
  }
}

// Keeps the step begun when it removes something and rests on the outer
// run's removals; otherwise it was there before the run and is of no use.
void endHint(InnerSearch& search, int complexity, ChainKind kind, double base) {
  NestedWorkspace& nested = search.nested;
  NestedHint& hint = nested.hints[nested.hintCount];
  if (hint.eliminationCount == 0 || hint.parentCount == 0) {
    nested.nodesUsed = hint.firstElimination;
    nested.pathsUsed = hint.firstPathNode;
    return;
  }
  hint.firstParent = hint.firstElimination + hint.eliminationCount;
  hint.complexity = complexity;
  hint.rating = chainRating(base, complexity);
  hint.kind = kind;
  mixKey(hint, unsigned(kind));
  ++nested.hintCount;
}

void addClash(InnerSearch& search, const ChainRun& run) {
  if (!beginHint(search)) return;
  addTargetEliminations(search, oppositeNode(run.start));
  const std::uint16_t reachedSide = std::uint16_t(oppositeNode(run.clashNode));
  addBranchParents(search, run, &reachedSide, 1);
  addBranchParents(search, run, run.parents + run.clashStart, run.clashCount);
  recordBranch(search.nested, run, reachedSide, false);
  std::uint16_t path[kNodeSlots];
  recordInnerPath(search.nested, path, clashPath(run, path, kNodeSlots), true);
  endHint(search, clashComplexity(search.nested.chains, run), search.family.clashKind,
          search.family.base);
}

// A node all runs reached; the source of a cell or region chain rests on
// its cell or house as a bivalue or conjugate link would.
void addTarget(InnerSearch& search, const ChainPattern& pattern, const ChainRun* const* runs,
               int runCount, int node) {
  if (!beginHint(search)) return;
  addTargetEliminations(search, node);
  if (pattern.kind == ChainKind::kCell) addCellParents(search, pattern.cell);
  if (pattern.kind == ChainKind::kRegion) addHouseParents(search, pattern.house, pattern.digit);
  int complexity = 0;
  const std::uint16_t target = std::uint16_t(node);
  beginComplexity(search.nested.chains);
  for (int r = 0; r < runCount; ++r) {
    addBranchParents(search, *runs[r], &target, 1);
    complexity += ancestorCount(search.nested.chains, *runs[r], node);
    recordBranch(search.nested, *runs[r], node, r > 0);
  }
  endHint(search, complexity, pattern.kind, search.family.base);
}

// Static links have their contrapositives, so a static run from a node
// reaches the tail of a link the outer removals made (a bivalue cell or a
// digit's two places in a house that had more) exactly when the link's head
// reaches the node's opposite. One walk from every such head, on every link,
// marks the starts whose runs can rest on the removals; no other run can
// give a step the outer run may use.
// Calls visit(x, y) for the two on nodes of each such link: the two digits
// of the bivalue cell, or the digit's two places.
template <typename Visit>
void forEachRemovalLink(const InnerSearch& search, Visit visit) {
  const ChainWorkspace& chains = search.nested.chains;
  const ChainWorkspace& outer = search.outer;
  for (int cell = 0; cell < kCellCount; ++cell) {
    const int digits = chains.source[cell];
    if (!hasTwoDigits(digits) || (outer.source[cell] & ~outer.working[cell]) == 0) continue;
    const int low = firstDigit(digits);
    visit(chainNode(cell, low, true), chainNode(cell, firstDigit(digits & ~digitBit(low)), true));
  }
  for (int house = 0; house < kHouseCount; ++house) {
    for (int digit = 1; digit <= 9; ++digit) {
      CellSet places = kHouses.houseSets[house] & chains.sourceDigits[digit - 1];
      if (!hasTwoCells(places) ||
          (kHouses.houseSets[house] & outer.sourceDigits[digit - 1]) == places)
        continue;
      const int first = places.first();
      places.remove(first);
      visit(chainNode(first, digit, true), chainNode(places.first(), digit, true));
    }
  }
}

// Marks in reach every node the static links lead to from the nodes
// already marked there, queued in queue; count of them.
void walkStatic(InnerSearch& search, NodeBits& reach, std::uint16_t* queue, int count) {
  const ChainWorkspace& chains = search.nested.chains;
  const auto push = [&](int node) {
    std::uint64_t& word = reach.word[node >> 6];
    const std::uint64_t bit = std::uint64_t(1) << (node & 63);
    if ((word & bit) != 0) return;
    word |= bit;
    queue[count++] = std::uint16_t(node);
  };
  for (int head = 0; head < count; ++head) {
    // Each node walked costs about what a run's node does.
    --search.context.workLeft;
    const int node = queue[head];
    const int cell = nodeCell(node);
    const int digit = nodeDigit(node);
    if (nodeOn(node)) {
      for (int others = chains.source[cell] & ~digitBit(digit); others != 0; others &= others - 1)
        push(chainNode(cell, firstDigit(others), false));
      CellSet peers = kHouses.peers[cell] & chains.sourceDigits[digit - 1];
      forEachCell(peers, [&](CellIndex peer) { push(chainNode(peer, digit, false)); });
      continue;
    }
    if (hasTwoDigits(chains.source[cell]))
      push(chainNode(cell, firstDigit(chains.source[cell] & ~digitBit(digit)), true));
    for (int type = 0; type < 3; ++type) {
      const int partner = onlyOtherPlace(chains.sourcePositions, cell, type, digit);
      if (partner >= 0) push(chainNode(partner, digit, true));
    }
  }
}

void markNode(NodeBits& bits, std::uint16_t* queue, int& count, int node) {
  std::uint64_t& word = bits.word[node >> 6];
  const std::uint64_t bit = std::uint64_t(1) << (node & 63);
  if ((word & bit) != 0) return;
  word |= bit;
  queue[count++] = std::uint16_t(node);
}

// Static links have their contrapositives, so a static run from a node
// reaches the tail of a link the outer removals made (a bivalue cell or a
// digit's two places in a house that had more) exactly when the link's
// head reaches the node's opposite. One walk from every such head marks
// the starts whose runs can rest on the removals; no other run can give a
// step the outer run may use.
void markRemovalReach(InnerSearch& search, NodeBits& reach) {
  std::memset(&reach, 0, sizeof reach);
  std::uint16_t queue[kNodeSlots];
  int count = 0;
  forEachRemovalLink(search, [&](int x, int y) {
    markNode(reach, queue, count, x);
    markNode(reach, queue, count, y);
  });
  walkStatic(search, reach, queue, count);
}

// A static run from a start ends at the start's opposite through such a
// link x-off to y-on only when the start's opposite follows from x-on and
// from y-on both: the starts whose forcing chains can rest on the removals.
// With loops, also marks there the on nodes a loop from them may close
// through such a link: x-on reaches its opposite and y-on reaches it, or
// the other way round.
void markRemovalClashes(InnerSearch& search, NodeBits& clashes, NodeBits* loops = nullptr) {
  std::memset(&clashes, 0, sizeof clashes);
  if (loops != nullptr) std::memset(loops, 0, sizeof *loops);
  constexpr std::uint64_t kOn = 0xAAAAAAAAAAAAAAAAu;
  NestedWorkspace& nested = search.nested;
  if (++nested.onReachMark == 0) {
    std::memset(nested.onReachKnown, 0, sizeof nested.onReachKnown);
    nested.onReachMark = 1;
  }
  std::uint16_t queue[kNodeSlots];
  // One on node ends several such links: its walk is made once.
  const auto walkFrom = [&](int on) -> const NodeBits& {
    NodeBits& bits = nested.onReach[on / 2];
    if (nested.onReachKnown[on / 2] == nested.onReachMark) return bits;
    nested.onReachKnown[on / 2] = nested.onReachMark;
    std::memset(&bits, 0, sizeof bits);
    int count = 0;
    markNode(bits, queue, count, on);
    walkStatic(search, bits, queue, count);
    return bits;
  };
  forEachRemovalLink(search, [&](int x, int y) {
    const NodeBits& fromX = walkFrom(x);
    const NodeBits& fromY = walkFrom(y);
    for (int w = 0; w < kNodeWords; ++w) {
      clashes.word[w] |= fromX.word[w] & fromY.word[w];
      if (loops == nullptr) continue;
      // A candidate's off node is the bit below its on node's.
      loops->word[w] |=
          (fromY.word[w] & kOn & fromX.word[w] << 1) | (fromX.word[w] & kOn & fromY.word[w] << 1);
    }
  });
}

bool reaches(const NodeBits& reach, int node) {
  return (reach.word[node >> 6] >> (node & 63) & 1) != 0;
}

bool cellMayRest(const InnerSearch& search, const NodeBits& reach, int cell) {
  if ((search.outer.source[cell] & ~search.outer.working[cell]) != 0) return true;
  for (int rest = search.nested.chains.source[cell]; rest != 0; rest &= rest - 1) {
    if (reaches(reach, chainNode(cell, firstDigit(rest), false))) return true;
  }
  return false;
}

bool regionMayRest(const InnerSearch& search, const NodeBits& reach, int house, int digit) {
  const CellSet places = kHouses.houseSets[house] & search.nested.chains.sourceDigits[digit - 1];
  if (!((kHouses.houseSets[house] & search.outer.sourceDigits[digit - 1]) == places)) return true;
  bool any = false;
  forEachCell(places,
              [&](CellIndex cell) { any = any || reaches(reach, chainNode(cell, digit, false)); });
  return any;
}

// Whether any step of cell's runs can rest on the outer removals.
bool sourceMayRest(const InnerSearch& search, const NodeBits& reach, int cell) {
  if (cellMayRest(search, reach, cell)) return true;
  for (int rest = search.nested.chains.source[cell]; rest != 0; rest &= rest - 1) {
    const int digit = firstDigit(rest);
    for (int type = 0; type < 3; ++type) {
      if (regionMayRest(search, reach, kHouses.houses[cell][type], digit)) return true;
    }
  }
  return false;
}

int appendLoopNode(LoopWorkspace& loops, int node, int parent) {
  assert(loops.count < kLoopTreeSize);
  loops.node[loops.count] = std::uint16_t(node);
  loops.parent[loops.count] = parent;
  return loops.count++;
}

bool isLoopAncestor(const LoopWorkspace& loops, int node, int index) {
  for (; index >= 0; index = loops.parent[index]) {
    if (loops.node[index] == node) return true;
  }
  return false;
}

// The nodes from the root to index, then end unless it is -1; the count.
int loopPath(const LoopWorkspace& loops, int index, int end, std::uint16_t* path) {
  int count = 0;
  for (; index >= 0; index = loops.parent[index]) path[count++] = loops.node[index];
  for (int i = 0, j = count - 1; i < j; ++i, --j) {
    const std::uint16_t swap = path[i];
    path[i] = path[j];
    path[j] = swap;
  }
  if (end >= 0) path[count++] = std::uint16_t(end);
  return count;
}

// Each on node of the path that a bivalue cell or a conjugate gave rests on
// what the outer run removed in that cell or house: the first house, in
// box, row, column order, where the digit's two places make the link.
void addPathParents(InnerSearch& search, const std::uint16_t* path, int count) {
  const ChainWorkspace& chains = search.nested.chains;
  for (int i = 1; i < count; ++i) {
    const int node = path[i];
    if (!nodeOn(node)) continue;
    const int cell = nodeCell(node);
    const int from = nodeCell(path[i - 1]);
    if (from == cell) {
      addCellParents(search, cell);
      continue;
    }
    const int digit = nodeDigit(node);
    for (int type = 0; type < 3; ++type) {
      const int house = kHouses.houses[from][type];
      if (house != kHouses.houses[cell][type] ||
          !hasTwoCells(kHouses.houseSets[house] & chains.sourceDigits[digit - 1]))
        continue;
      addHouseParents(search, house, digit);
      break;
    }
  }
}

// Keeps a loop or forcing chain of the path that removes the nodes given,
// when it rests on the outer removals.
void addLoopHint(InnerSearch& search, const std::uint16_t* path, int count,
                 const std::uint16_t* removals, int removalCount, int complexity, double base,
                 ChainKind kind) {
  NestedWorkspace& nested = search.nested;
  if (!beginHint(search)) return;
  if (nested.nodesUsed + removalCount + kMaxNestedParents > kNestedNodePool) {
    reachLimit(search.context, RatingLimit::kNestedNodes);
    return;
  }
  NestedHint& hint = nested.hints[nested.hintCount];
  for (int i = 0; i < removalCount; ++i) {
    nested.nodes[nested.nodesUsed++] = removals[i];
    mixKey(hint, removals[i]);
  }
  hint.eliminationCount = removalCount;
  addPathParents(search, path, count);
  recordInnerPath(nested, path, count, false);
  endHint(search, complexity, kind, base);
}

// What the loop closed by the off node at index removes: every candidate
// outside its cells that sees an on and an off node of its digit on it,
// digit by digit; the count.
int loopRemovals(const InnerSearch& search, int index, std::uint16_t* removals) {
  const LoopWorkspace& loops = search.nested.loops;
  CellSet loopCells{};
  CellSet seesOn[9] = {};
  CellSet seesOff[9] = {};
  for (; index >= 0; index = loops.parent[index]) {
    const int node = loops.node[index];
    loopCells.add(nodeCell(node));
    CellSet& sees = nodeOn(node) ? seesOn[nodeDigit(node) - 1] : seesOff[nodeDigit(node) - 1];
    sees = sees | kHouses.peers[nodeCell(node)];
  }
  int count = 0;
  for (int d = 0; d < 9; ++d) {
    const CellSet removed =
        (seesOn[d] & seesOff[d] & search.nested.chains.sourceDigits[d]) - loopCells;
    forEachCell(removed, [&](CellIndex cell) {
      removals[count++] = std::uint16_t(chainNode(cell, d + 1, false));
    });
  }
  return count;
}

// Breadth first from a candidate assumed on, on nodes reached once each and
// off nodes once, but for the copies that close a loop back to it: each
// loop of four links or more, as found, then the chain to its opposite.
void searchLoopsFromOn(InnerSearch& search, const ChainPass& pass, int start, bool cycles,
                       bool chain) {
  LoopWorkspace& loops = search.nested.loops;
  const std::uint32_t generation = ++loops.generation;
  const int target = oppositeNode(start);
  // The off nodes that give the start back: its strong partners.
  int closing[4];
  int closingCount = 0;
  const LinkRange back = passLinks(loops.links, pass, target);
  for (int k = back.first; k < back.last; ++k)
    closing[closingCount++] = oppositeNode(loops.links.links[k]);
  const auto closes = [&](int off) {
    for (int c = 0; c < closingCount; ++c) {
      if (closing[c] == off) return true;
    }
    return false;
  };
  loops.count = 0;
  appendLoopNode(loops, start, -1);
  loops.seen[1][start / 2] = generation;
  int chainEnd = -1;
  int chainLength = 0;
  std::uint16_t path[kLoopTreeSize];
  std::uint16_t removals[kCandidateSlots];
  int onBegin = 0;
  int onEnd = 1;
  int charged = 0;
  for (int depth = 1; onBegin < onEnd && (cycles || chainEnd < 0); depth += 2) {
    const int offBegin = loops.count;
    for (int i = onBegin; i < onEnd; ++i) {
      forEachPassLink(loops.links, pass, loops.node[i], [&](int off) {
        if (loops.seen[0][off / 2] != generation) {
          loops.seen[0][off / 2] = generation;
          const int index = appendLoopNode(loops, off, i);
          if (off == target && chainEnd < 0) {
            chainEnd = index;
            chainLength = depth + 1;
          }
        } else if (cycles && closes(off) && !isLoopAncestor(loops, off, i)) {
          appendLoopNode(loops, off, i);
        }
      });
    }
    const int offEnd = loops.count;
    for (int i = offBegin; i < offEnd; ++i) {
      forEachPassLink(loops.links, pass, loops.node[i], [&](int on) {
        if (on == start) {
          if (!cycles || depth + 1 < 4) return;
          const int removalCount = loopRemovals(search, i, removals);
          if (removalCount == 0) return;
          const int count = loopPath(loops, i, start, path);
          addLoopHint(search, path, count, removals, removalCount, depth + 1, pass.cycleBase,
                      pass.kind);
          return;
        }
        if (loops.seen[1][on / 2] == generation) return;
        loops.seen[1][on / 2] = generation;
        appendLoopNode(loops, on, i);
      });
    }
    // Each node of the tree costs about what a run's node does.
    search.context.workLeft -= loops.count - charged;
    charged = loops.count;
    onBegin = offEnd;
    onEnd = loops.count;
  }
  if (!chain || chainEnd < 0) return;
  const int count = loopPath(loops, chainEnd, -1, path);
  removals[0] = std::uint16_t(target);
  addLoopHint(search, path, count, removals, 1, chainLength, pass.chainBase, pass.kind);
}

// Breadth first from a candidate assumed off to the same candidate on,
// every node reached once: the digit is placed.
void searchChainFromOff(InnerSearch& search, const ChainPass& pass, int start) {
  LoopWorkspace& loops = search.nested.loops;
  const ChainWorkspace& chains = search.nested.chains;
  const std::uint32_t generation = ++loops.generation;
  const int target = oppositeNode(start);
  loops.count = 0;
  appendLoopNode(loops, start, -1);
  loops.seen[0][start / 2] = generation;
  int begin = 0;
  int end = 1;
  for (int depth = 1; begin < end; depth += 2) {
    for (int i = begin; i < end; ++i) {
      const LinkRange links = passLinks(loops.links, pass, loops.node[i]);
      for (int k = links.first; k < links.last; ++k) {
        const int on = loops.links.links[k];
        if (on == target) {
          std::uint16_t path[kLoopTreeSize];
          const int count = loopPath(loops, i, target, path);
          std::uint16_t removals[9];
          int removalCount = 0;
          const int cell = nodeCell(target);
          for (int others = chains.source[cell] & ~digitBit(nodeDigit(target)); others != 0;
               others &= others - 1)
            removals[removalCount++] = std::uint16_t(chainNode(cell, firstDigit(others), false));
          search.context.workLeft -= loops.count;
          addLoopHint(search, path, count, removals, removalCount, depth + 1, pass.chainBase,
                      pass.kind);
          return;
        }
        if (loops.seen[1][on / 2] == generation) continue;
        loops.seen[1][on / 2] = generation;
        appendLoopNode(loops, on, i);
      }
    }
    const int onBegin = end;
    const int onEnd = loops.count;
    for (int i = onBegin; i < onEnd; ++i) {
      forEachPassLink(loops.links, pass, loops.node[i], [&](int off) {
        if (loops.seen[0][off / 2] == generation) return;
        loops.seen[0][off / 2] = generation;
        appendLoopNode(loops, off, i);
      });
    }
    begin = onEnd;
    end = loops.count;
  }
  search.context.workLeft -= loops.count;
}

// The static producer's search on the inner grid, every step of it kept in
// the order found; only starts whose steps may rest on the outer removals
// are searched from. False when the work ran out.
bool collectChainsAndCycles(InnerSearch& search) {
  NestedWorkspace& nested = search.nested;
  markRemovalClashes(search, nested.reach, &nested.loopReach);
  std::memset(nested.loops.seen, 0, sizeof nested.loops.seen);
  nested.loops.generation = 0;
  const ChainWorkspace& chains = nested.chains;
  buildLoopLinks(nested.loops.links, chains.source, chains.sourceDigits, chains.sourcePositions);
  for (const ChainPass& pass : kChainPasses) {
    for (CellIndex cell = 0; cell < kCellCount; ++cell) {
      const int count = candidateCount(chains.source[cell]);
      if (count < 2 || (pass.bivalueStartsOnly && count != 2)) continue;
      for (int rest = chains.source[cell]; rest != 0; rest &= rest - 1) {
        const int on = chainNode(cell, firstDigit(rest), true);
        const bool cycles = reaches(nested.loopReach, on);
        const bool chain = pass.forcingChains && reaches(nested.reach, oppositeNode(on));
        if (cycles || chain) searchLoopsFromOn(search, pass, on, cycles, chain);
        if (pass.forcingChains && reaches(nested.reach, on))
          searchChainFromOff(search, pass, oppositeNode(on));
        if (search.context.workLeft <= 0) return false;
      }
    }
  }
  return true;
}

// Collects every step; with a filter, the static runs that cannot rest on
// the outer removals are left out.
struct InnerSink {
  InnerSearch& search;
  const NodeBits* filter;

  void clash(const ChainRun& run) { addClash(search, run); }
  void target(const ChainPattern& pattern, const ChainRun* const* runs, int runCount, int node) {
    addTarget(search, pattern, runs, runCount, node);
  }
  // A static forcing chain from on ends at its opposite.
  bool onMayRest(int on) const {
    return filter == nullptr || search.family.sources.cellAndRegion ||
           reaches(*filter, oppositeNode(on));
  }
  bool offMayRest(int on) const { return filter == nullptr || reaches(*filter, on); }
  bool sourceMayRest(int cell) const {
    return filter == nullptr || !search.family.sources.cellAndRegion ||
           ::sourceMayRest(search, *filter, cell);
  }
  bool cellMayRest(int cell) const {
    return filter == nullptr || ::cellMayRest(search, *filter, cell);
  }
  bool regionMayRest(int house, int digit) const {
    return filter == nullptr || ::regionMayRest(search, *filter, house, digit);
  }
};

// The static multiple chains: a candidate's run is the same whichever
// cell or house asks for it, so each is made once for its stored bits, and
// again only to report what every branch of a cell or region reached.
bool collectMultiple(InnerSearch& search) {
  ChainWorkspace& chains = search.nested.chains;
  const ChainSources& sources = search.family.sources;
  NodeBits& reach = search.nested.reach;
  markRemovalReach(search, reach);
  InnerSink sink{search, &reach};
  for (CellIndex cell = 0; cell < kCellCount; ++cell) {
    const int digits = chains.source[cell];
    if (candidateCount(digits) < sources.sourceCandidates || !sink.sourceMayRest(cell)) continue;
    NodeBits common;
    std::memset(&common, 0xFF, sizeof common);
    for (int rest = digits; rest != 0; rest &= rest - 1) {
      const int digit = firstDigit(rest);
      const int on = chainNode(cell, digit, true);
      if (!knowOnRun(search.context, chains, chains.houseRuns[0], on, sources.mode)) return false;
      for (int w = 0; w < kNodeWords; ++w) common.word[w] &= chains.onReached[on / 2].word[w];
      if (!searchRegions(search.context, chains, sources, sink, nullptr, cell, digit)) return false;
    }
    bool any = false;
    for (const std::uint64_t word : common.word) any = any || word != 0;
    if (!any || !sink.cellMayRest(cell)) continue;
    const ChainRun* digitRuns[9];
    int runCount = 0;
    for (int rest = digits; rest != 0; rest &= rest - 1) {
      ChainRun& run = chains.digitRuns[runCount];
      digitRuns[runCount++] = &run;
      if (!runChainIn(search.context, chains, run, chainNode(cell, firstDigit(rest), true),
                      sources.mode))
        return false;
    }
    reportCommon(sink, ChainPattern{ChainKind::kCell, cell, -1, 0}, digitRuns, runCount);
  }
  return true;
}

// Every step of the family on the inner grid; false when the work ran out.
bool collectHints(InnerSearch& search) {
  if (search.family.chainsAndCycles) return collectChainsAndCycles(search);
  const ChainSources& sources = search.family.sources;
  if (sources.cellAndRegion && !sources.mode.dynamic) return collectMultiple(search);
  NodeBits& reach = search.nested.reach;
  const NodeBits* filter = nullptr;
  if (!sources.mode.dynamic) {
    if (sources.cellAndRegion)
      markRemovalReach(search, reach);
    else
      markRemovalClashes(search, reach);
    filter = &reach;
  }
  InnerSink sink{search, filter};
  return searchChainSources(search.context, search.nested.chains, sources, sink);
}

bool isBefore(const NestedHint& a, const NestedHint& b) {
  if (a.rating != b.rating) return a.rating < b.rating;
  if (a.complexity != b.complexity) return a.complexity < b.complexity;
  return a.kind < b.kind;
}

// The steps in the scale's sorted order, each new elimination an off node
// whose parents are the step's rule parents; a step whose eliminations are
// all known adds nothing, as a step with the same eliminations would not.
// Copies a step's chain into the run that takes it in, which outlives the
// inner search's store.
void keepInnerPath(const NestedWorkspace& nested, const NestedHint& hint, ChainRun& run, int id) {
  const bool fits = hint.pathNodeCount != kPathNotKept &&
                    run.nestedPathsUsed + hint.pathNodeCount <= kRunNestedPathPool;
  run.nestedPathStart[id] = std::uint16_t(run.nestedPathsUsed);
  run.nestedPathCount[id] = fits ? std::uint16_t(hint.pathNodeCount) : kPathNotKept;
  if (!fits) return;
  std::memcpy(run.nestedPaths + run.nestedPathsUsed, nested.paths + hint.firstPathNode,
              sizeof nested.paths[0] * std::size_t(hint.pathNodeCount));
  run.nestedPathsUsed += hint.pathNodeCount;
}

int appendHints(LogicContext& context, NestedWorkspace& nested, ChainRun& run) {
  const int count = nested.hintCount;
  for (int i = 0; i < count; ++i) nested.order[i] = std::uint16_t(i);
  std::stable_sort(nested.order, nested.order + count,
                   [&nested](int a, int b) { return isBefore(nested.hints[a], nested.hints[b]); });
  int added = 0;
  for (int i = 0; i < count; ++i) {
    const NestedHint& hint = nested.hints[nested.order[i]];
    int id = 0;
    for (int e = 0; e < hint.eliminationCount; ++e) {
      const int node = nested.nodes[hint.firstElimination + e];
      if (run.reached[node]) continue;
      if (id == 0) {
        // Each step a run takes in keeps its own complexity, added once.
        if (run.nestedCount == kMaxRunNestedSteps) {
          reachLimit(context, RatingLimit::kNestedHints);
          return 0;
        }
        id = ++run.nestedCount;
        run.nestedWeight[id] = hint.complexity;
        run.nestedKey[id] = hint.key;
        keepInnerPath(nested, hint, run, id);
      }
      addChainRunNode(run, node, nested.nodes + hint.firstParent, hint.parentCount);
      run.nestedHint[node] = std::uint16_t(id);
      ++added;
    }
  }
  return added;
}

}  // namespace

int addNestedRuleNodes(LogicContext& context, ChainWorkspace& chains, ChainRun& run, ChainMode mode,
                       int firstFamily) {
  const int depth = &chains == &context.chains             ? 0
                    : &chains == &context.nested[0].chains ? 1
                                                           : kNestedDepth;
  if (depth >= kNestedDepth) return -1;
  NestedWorkspace& nested = context.nested[depth];
  LogicGrid grid;
  std::memcpy(grid.value, chains.value, sizeof grid.value);
  std::memcpy(grid.candidates, chains.working, sizeof grid.candidates);
  beginChains(nested.chains, grid);
  const LevelFamilies& level = levelFamilies(mode.level);
  for (int f = firstFamily; f < level.count; ++f) {
    nested.hintCount = 0;
    nested.nodesUsed = 0;
    nested.pathsUsed = 0;
    const InnerFamily family = innerFamily(level.families[f]);
    InnerSearch search{context, chains, nested, family};
    if (!collectHints(search)) return 0;
    if (nested.hintCount > 0) return appendHints(context, nested, run);
  }
  return -1;
}

int sharedInnerFamilies(int lower, int level) {
  const LevelFamilies& below = levelFamilies(lower);
  const LevelFamilies& above = levelFamilies(level);
  if (below.count > above.count) return -1;
  for (int f = 0; f < below.count; ++f) {
    if (below.families[f] != above.families[f]) return -1;
  }
  return below.count;
}
