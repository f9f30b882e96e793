#include "logic/basic_scans.h"
#include "logic/house_scan.h"
#include "logic/producers.h"
#include "logic/techniques.h"

namespace {

void reportSingle(Step& step, int house, int position, int digit, double rating) {
  const int cell = kHouses.cells[house][position];
  startStep(step, Technique::kHiddenSingle, rating);
  step.placedCell = cell;
  step.placedDigit = digit;
  step.digits = digitBit(digit);
  addStepHouse(step, house);
  addStepCell(step, cell);
}

}  // namespace

bool findHiddenSingle(LogicContext& context, const LogicGrid& grid, Step& step) {
  const HousePositions& table = housePositionsOf(context.basics, grid);
  // The last empty cell of a house first, then any single place of a digit;
  // a house whose cells are as they were when none was found has none.
  for (int pass = 0; pass < 2; ++pass) {
    for (const int house : kScanHouses) {
      if ((kHouses.houseSets[house] - context.unchangedCells).empty()) continue;
      const int empty = bitCount(table.empty[house]);
      if (empty == 0 || (empty == 1) != (pass == 0)) continue;
      for (int digit = 1; digit <= 9; ++digit) {
        const int positions = table.positions[house][digit - 1];
        if (bitCount(positions) != 1) continue;
        const int variant = pass == 0 ? 0 : houseTypeOf(house) == kBoxHouse ? 1 : 2;
        const double rating = techniqueRating(Technique::kHiddenSingle, variant);
        reportSingle(step, house, std::countr_zero(unsigned(positions)), digit, rating);
        return true;
      }
    }
  }
  return false;
}

bool findDirectPointing(LogicContext& context, const LogicGrid& grid, Step& step) {
  return findLockedCandidates(housePositionsOf(context.basics, grid), context.unchangedDigits, step,
                              true);
}

bool findDirectHiddenPair(LogicContext& context, const LogicGrid& grid, Step& step) {
  return findHiddenSet(grid, housePositionsOf(context.basics, grid), context.unchangedCells, step,
                       2, true);
}

bool findNakedSingle(LogicContext&, const LogicGrid& grid, Step& step) {
  for (CellIndex cell = 0; cell < kCellCount; ++cell) {
    if (grid.value[cell] != 0 || bitCount(grid.candidates[cell]) != 1) continue;
    startStep(step, Technique::kNakedSingle, techniqueRating(Technique::kNakedSingle));
    step.placedCell = cell;
    step.placedDigit = firstDigit(grid.candidates[cell]);
    step.digits = grid.candidates[cell];
    addStepCell(step, cell);
    return true;
  }
  return false;
}

bool findDirectHiddenTriplet(LogicContext& context, const LogicGrid& grid, Step& step) {
  return findHiddenSet(grid, housePositionsOf(context.basics, grid), context.unchangedCells, step,
                       3, true);
}
