// What the chain engine keeps between its runs: node tables, queues, parents.
#pragma once

#include <cstdint>

#include "logic/cell_set.h"
#include "state/grid.h"

// A node is a candidate assumed or proved on (in its cell) or off: the
// candidate's index times two, plus one when on.
constexpr int kCandidateSlots = kCellCount * 9;
constexpr int kNodeSlots = 2 * kCandidateSlots;
// Room for every node's parents: one parent and up to seven hidden ones each
// in the worst case, more for the few the basic rules add.
constexpr int kParentPoolSize = 16 * kCandidateSlots;
// A derived node has its parent and at most eight hidden ones: the other
// candidates of its cell, or the other places of its digit in a house.
constexpr int kMaxImpliedParents = 9;
// The nested steps one run can take in, numbered from 1.
constexpr int kMaxRunNestedSteps = 2047;
// The chains of the nested steps a run took in, kept to explain its steps;
// a chain the store cannot hold is left out of the explanation, which says so.
constexpr int kRunNestedPathPool = 8192;
// In a stored chain, the first node of each branch after the first.
constexpr std::uint16_t kBranchStartBit = 0x8000;
// What a nested step's chain count says when the store had no room for it.
constexpr std::uint16_t kPathNotKept = 0xFFFF;

constexpr int chainNode(int cell, int digit, bool on) {
  return (cell * 9 + digit - 1) * 2 + int(on);
}
constexpr int nodeCell(int node) {
  return node / 18;
}
constexpr int nodeDigit(int node) {
  return node / 2 % 9 + 1;
}
constexpr bool nodeOn(int node) {
  return (node & 1) != 0;
}
constexpr int oppositeNode(int node) {
  return node ^ 1;
}

// Everything one run of the engine reached from its assumption.
struct ChainRun {
  // On and off nodes apart, in the order they were reached; those from each
  // head on still wait to be processed.
  std::uint16_t onNodes[kCandidateSlots];
  std::uint16_t offNodes[kCandidateSlots];
  int onCount;
  int onHead;
  int offCount;
  int offHead;
  std::uint8_t reached[kNodeSlots];
  // Each reached node's parents: the node it was derived from first, then
  // the hidden and rule parents, at parentStart in the pool.
  std::uint16_t parentStart[kNodeSlots];
  std::uint8_t parentCount[kNodeSlots];
  std::uint16_t parents[kParentPoolSize + kMaxImpliedParents];
  int parentsUsed;
  // The node derived last when the run stopped on a clash (its opposite had
  // been reached), and its parents in the pool.
  bool clash;
  bool aborted;
  // The parent pool filled up: the run stops, and so does the rating.
  bool parentsFull;
  // The run's last stall found no rule that depends on it: a level with
  // more rules would go on from there.
  bool stalledEmpty;
  std::uint16_t clashNode;
  std::uint16_t clashStart;
  std::uint8_t clashCount;
  std::uint16_t start;
  // At the nested levels, the chain step (1 and up) each rule node came
  // from, 0 for none, and each such step's own complexity, which a node
  // that depends on it adds once.
  std::uint16_t nestedHint[kNodeSlots];
  int nestedWeight[kMaxRunNestedSteps + 1];
  // Each such step's chain and removals hashed: one step a step's branches
  // all took in adds its complexity once, which the scale asks.
  std::uint64_t nestedKey[kMaxRunNestedSteps + 1];
  int nestedCount;
  // Each such step's chain: where it starts in the store and its nodes.
  std::uint16_t nestedPathStart[kMaxRunNestedSteps + 1];
  std::uint16_t nestedPathCount[kMaxRunNestedSteps + 1];
  std::uint16_t nestedPaths[kRunNestedPathPool];
  int nestedPathsUsed;
};

// Room for the distinct nested steps behind one step: its branches' all.
constexpr int kNestedKeySlots = 1 << 15;
static_assert(kNestedKeySlots > 9 * kMaxRunNestedSteps, "a step's nested steps all fit");

// The nodes one run reached, a bit each.
constexpr int kNodeWords = (kNodeSlots + 63) / 64;
struct NodeBits {
  std::uint64_t word[kNodeWords];
};

// The runs one chain producer keeps while it looks at a cell: one per
// candidate of the cell assumed on, the cell's candidate assumed off, and
// one per other place of a digit in a house.
struct ChainWorkspace {
  // The grid the producer was asked about and the copy a dynamic run
  // removes candidates from, with each digit's cells in both.
  std::uint8_t value[kCellCount];
  std::uint16_t source[kCellCount];
  std::uint16_t working[kCellCount];
  CellSet sourceDigits[9];
  CellSet workingDigits[9];
  // Bit p of positions[house][digit - 1] set while the grid has digit at
  // position p of house.
  std::uint16_t sourcePositions[27][9];
  std::uint16_t workingPositions[27][9];
  ChainRun digitRuns[9];
  ChainRun offRun;
  ChainRun houseRuns[9];
  // What the run from each candidate assumed on reached, kept for the
  // producer's whole search once known: a region's other places are the
  // sources of other cells too.
  NodeBits onReached[kCandidateSlots];
  std::uint8_t onReachedKnown[kCandidateSlots];
  // Marks for counting a node's ancestors once each, and the walk's stack.
  std::uint32_t visited[kNodeSlots];
  std::uint32_t visitMark;
  std::uint16_t stack[kNodeSlots];
  // The nested steps a step's complexity has counted so far, by key, each
  // slot current while its mark is the step's.
  std::uint64_t nestedKeys[kNestedKeySlots];
  std::uint32_t nestedKeyMark[kNestedKeySlots];
  std::uint32_t complexityMark;
};
