// What the nested chain levels keep while a run of an outer search stalls:
// a workspace for the inner search and the steps it proves.
#pragma once

#include <cstdint>

#include "logic/chain_kind.h"
#include "logic/chain_workspace.h"
#include "logic/loop_links.h"

// An inner search of the fourth level runs dynamic chains of level 3, whose
// own stalls run a static search: two workspaces deep.
constexpr int kNestedDepth = 2;
// The steps one inner search can keep, and their eliminations and parents.
// No bound is proven; the largest stall met, in the nested-chain puzzles of
// forum_hardest_1106, keeps 6,446 steps with 125 K nodes and 180 K chain
// nodes, and a full pool ends the rating unfinished. Pages never touched
// cost no memory in the zeroed contexts the programs allocate.
constexpr int kMaxNestedHints = 16383;
constexpr int kNestedNodePool = 1 << 18;
constexpr int kMaxNestedParents = 64;
// The steps' chains, kept to explain the outer step that takes one in.
constexpr int kNestedPathPool = 1 << 18;
static_assert(kMaxNestedHints <= 0xFFFF, "a step's place in the sorted order is 16 bits");

// One step of an inner search: where its eliminations and rule parents lie
// in the pools, and what it is sorted by.
struct NestedHint {
  double rating;
  int complexity;
  ChainKind kind;
  int firstElimination;
  int eliminationCount;
  int firstParent;
  int parentCount;
  // Its chain's nodes in the path pool, kPathNotKept when they did not fit.
  int firstPathNode;
  int pathNodeCount;
  // Its kind, removals and chain hashed, whether the chain was kept or not.
  std::uint64_t key;
};

// The chains-and-cycles search's links and its breadth-first tree: every
// on and off node once, and the copies of the few off nodes that close a
// loop, each once per on node that derives it.
constexpr int kLoopTreeSize = 6 * kCandidateSlots + 1;
struct LoopWorkspace {
  LoopLinks links;
  std::uint16_t node[kLoopTreeSize];
  int parent[kLoopTreeSize];
  int count;
  // The generation each candidate's off and on node was last reached in.
  std::uint32_t seen[2][kCandidateSlots];
  std::uint32_t generation;
};

struct NestedWorkspace {
  ChainWorkspace chains;
  NestedHint hints[kMaxNestedHints];
  int hintCount;
  std::uint16_t nodes[kNestedNodePool];
  int nodesUsed;
  std::uint16_t order[kMaxNestedHints];
  std::uint16_t paths[kNestedPathPool];
  int pathsUsed;
  // The outer run's nodes already among a step's rule parents.
  NodeBits parentSeen;
  // The nodes a static inner run may start from and rest on those removals.
  NodeBits reach;
  // What the static links lead to from each on node, known where its mark
  // is the current one.
  NodeBits onReach[kCandidateSlots];
  std::uint32_t onReachKnown[kCandidateSlots];
  std::uint32_t onReachMark;
  // The on nodes whose loops may pass through a link those removals made.
  NodeBits loopReach;
  LoopWorkspace loops;
};
