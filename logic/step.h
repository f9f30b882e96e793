// One step of a human-style solution: what it found, what it changes and why.
#pragma once

#include <cstdint>

#include "logic/logic_grid.h"

// Every technique the rater knows, in the order the rating scale lists them
// from the easiest; the one-word names are in technique_names.cpp.
enum class Technique : std::uint8_t {
  kHiddenSingle,
  kDirectPointing,
  kDirectClaiming,
  kDirectHiddenPair,
  kNakedSingle,
  kDirectHiddenTriplet,
  kPointing,
  kClaiming,
  kNakedPair,
  kXWing,
  kHiddenPair,
  kNakedTriplet,
  kSwordfish,
  kHiddenTriplet,
  kSkyscraper,
  kTwoStringKite,
  kTurbotCrane,
  kGroupedSkyscraper,
  kGroupedTwoStringKite,
  kGroupedTurbotCrane,
  kXYWing,
  kXYZWing,
  kUniqueRectangle,
  kUniqueLoop,
  kNakedQuad,
  kJellyfish,
  kHiddenQuad,
  kThreeSkyscrapers,
  kThreeStringKite,
  kThreeStrongLinks,
  kGroupedThreeStrongLinks,
  kWXYZWing,
  kBivalueUniversalGrave,
  kVWXYZWing,
  kAlignedPairExclusion,
  kGeneralizedXWing,
  kXCycle,
  kYCycle,
  kBidirectionalCycle,
  kTurbotFish,
  kForcingXChain,
  kForcingChain,
  kAlignedTripletExclusion,
  kNishioForcingChain,
  kCellForcingChain,
  kRegionForcingChain,
  kDynamicContradictionForcingChain,
  kDynamicDoubleForcingChain,
  kDynamicCellForcingChain,
  kDynamicRegionForcingChain,
  kCount
};

// One node of a chain: a candidate assumed or proved on (in the cell) or off.
struct ChainNode {
  std::uint8_t cell;
  std::uint8_t digit;
  bool on;
  // Set on the first node of each branch after the first, where a step
  // follows several chains (both sides of a contradiction, each candidate of
  // a cell).
  bool branchStart;
  // At the nested levels, the inner chain an off node rests on: its nodes
  // among the step's inner nodes, none when innerCount is 0.
  std::uint16_t innerStart;
  std::uint16_t innerCount;
};

// A step names each cell of the grid once at most, and no pattern has more
// houses than a jellyfish's four base and four cover lines. A chain longer
// than kMaxChainNodes keeps its start, and the step says it was cut.
constexpr int kMaxStepCells = kCellCount;
constexpr int kMaxStepHouses = 8;
constexpr int kMaxChainNodes = 160;
// The nodes of the inner chains a nested step's off nodes rest on; those
// that do not fit are left out, and the step says so.
constexpr int kMaxInnerNodes = 1024;

struct Step {
  Technique technique;
  // Chains built on other techniques: 0 for plain ones, 1 for dynamic chains
  // with the basic techniques (+), 2-4 for the nested levels.
  std::uint8_t level;
  double rating;
  // The digit the step proves, or kNoCell.
  CellIndex placedCell;
  int placedDigit;
  // The candidates the step removes, by cell.
  std::uint16_t eliminations[kCellCount];

  // What justifies it: the pattern's digits as a mask, its cells, houses
  // and chain nodes below, and what some families add to them.
  int digits;
  // Fish: the base lines, which lead houses, and as many cover lines after.
  int lineCount;
  // Strong-link patterns: the links, whose houses lead houses, and how
  // many of them are grouped.
  int linkCount;
  int groupedLinkCount;
  // ALS wings: the set's cells, which lead cells, then the bivalue cell;
  // whether both of its digits link it to the set.
  int alsCellCount;
  bool doublyLinked;
  // Unique loops and graves: the type, 1 to 4, and how many of cells are
  // the pattern's own, before the cells of a type 3's set.
  int patternType;
  int patternCellCount;
  // The digits of a naked or hidden set a pattern forms with other cells
  // (unique loop and BUG type 3), as a mask, and whether the set is hidden.
  int setDigits;
  bool setHidden;
  // A chain's node count as the rating counts it.
  int complexity;
  int cellCount;
  std::uint8_t cells[kMaxStepCells];
  int houseCount;
  std::uint8_t houses[kMaxStepHouses];
  int nodeCount;
  ChainNode nodes[kMaxChainNodes];
  // The chain nodes left out past kMaxChainNodes.
  int nodesCut;
  // The inner chains' nodes, an on node of a branch after the first marked
  // as ChainNode::branchStart is; and the inner chains left out.
  ChainNode innerNodes[kMaxInnerNodes];
  int innerNodeCount;
  int innerChainsCut;
};

// An empty step of a technique and rating: nothing placed or removed, no pattern.
void startStep(Step& step, Technique technique, double rating);
void addElimination(Step& step, CellIndex cell, int digit);
void addStepCell(Step& step, CellIndex cell);
void addStepHouse(Step& step, int house);
// Appends a chain node while there is room; a longer chain keeps its start.
void addChainNode(Step& step, CellIndex cell, int digit, bool on, bool branchStart = false);
// Gives the last chain node the inner chain it rests on, stored as
// kBranchStartBit marks its branches; none when it does not fit.
void addInnerChain(Step& step, const std::uint16_t* path, int count);
int eliminationCount(const Step& step);
// True when the step places a digit or removes a candidate still in grid.
bool changesGrid(const Step& step, const LogicGrid& grid);
// True when every candidate the step removes is one of grid's.
bool eliminatesCandidatesOnly(const Step& step, const LogicGrid& grid);
// Removes the step's candidates, then writes its digit and takes it from the
// cell's peers; nothing else follows by itself.
void applyStep(LogicGrid& grid, const Step& step);
