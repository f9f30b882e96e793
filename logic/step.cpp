#include "logic/step.h"

#include "logic/chain_workspace.h"

#include <cassert>
#include <cstring>

void startStep(Step& step, Technique technique, double rating) {
  step.technique = technique;
  step.level = 0;
  step.rating = rating;
  step.placedCell = kNoCell;
  step.placedDigit = 0;
  std::memset(step.eliminations, 0, sizeof step.eliminations);
  step.digits = 0;
  step.lineCount = 0;
  step.linkCount = 0;
  step.groupedLinkCount = 0;
  step.alsCellCount = 0;
  step.doublyLinked = false;
  step.patternType = 0;
  step.patternCellCount = 0;
  step.setDigits = 0;
  step.setHidden = false;
  step.complexity = 0;
  step.cellCount = 0;
  step.houseCount = 0;
  step.nodeCount = 0;
  step.nodesCut = 0;
  step.innerNodeCount = 0;
  step.innerChainsCut = 0;
}

void addElimination(Step& step, CellIndex cell, int digit) {
  step.eliminations[cell] = std::uint16_t(step.eliminations[cell] | digitBit(digit));
}

void addStepCell(Step& step, CellIndex cell) {
  for (int i = 0; i < step.cellCount; ++i) assert(step.cells[i] != cell);
  assert(step.cellCount < kMaxStepCells);
  step.cells[step.cellCount++] = std::uint8_t(cell);
}

void addStepHouse(Step& step, int house) {
  assert(step.houseCount < kMaxStepHouses);
  step.houses[step.houseCount++] = std::uint8_t(house);
}

void addChainNode(Step& step, CellIndex cell, int digit, bool on, bool branchStart) {
  if (step.nodeCount == kMaxChainNodes) {
    ++step.nodesCut;
    return;
  }
  step.nodes[step.nodeCount++] = {std::uint8_t(cell), std::uint8_t(digit), on, branchStart, 0, 0};
}

void addInnerChain(Step& step, const std::uint16_t* path, int count) {
  if (step.nodeCount == 0 || step.nodesCut > 0) return;
  if (step.innerNodeCount + count > kMaxInnerNodes) {
    ++step.innerChainsCut;
    return;
  }
  ChainNode& outer = step.nodes[step.nodeCount - 1];
  outer.innerStart = std::uint16_t(step.innerNodeCount);
  outer.innerCount = std::uint16_t(count);
  for (int i = 0; i < count; ++i) {
    const int node = path[i] & ~kBranchStartBit;
    step.innerNodes[step.innerNodeCount++] = {std::uint8_t(nodeCell(node)),
                                              std::uint8_t(nodeDigit(node)),
                                              nodeOn(node),
                                              (path[i] & kBranchStartBit) != 0,
                                              0,
                                              0};
  }
}

bool eliminatesCandidatesOnly(const Step& step, const LogicGrid& grid) {
  for (CellIndex cell = 0; cell < kCellCount; ++cell) {
    if ((step.eliminations[cell] & ~grid.candidates[cell]) != 0) return false;
  }
  return true;
}

int eliminationCount(const Step& step) {
  int count = 0;
  for (const std::uint16_t mask : step.eliminations) count += candidateCount(mask);
  return count;
}

bool changesGrid(const Step& step, const LogicGrid& grid) {
  if (step.placedCell != kNoCell) return grid.value[step.placedCell] == 0;
  for (CellIndex cell = 0; cell < kCellCount; ++cell) {
    if (step.eliminations[cell] & grid.candidates[cell]) return true;
  }
  return false;
}

void applyStep(LogicGrid& grid, const Step& step) {
  for (CellIndex cell = 0; cell < kCellCount; ++cell)
    grid.candidates[cell] = std::uint16_t(grid.candidates[cell] & ~step.eliminations[cell]);
  if (step.placedCell != kNoCell) placeDigit(grid, step.placedCell, step.placedDigit);
}
