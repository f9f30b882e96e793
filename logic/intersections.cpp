#include "logic/basic_scans.h"
#include "logic/house_scan.h"
#include "logic/producers.h"
#include "logic/techniques.h"

namespace {

// The house-type pairs (first, second) in the order they are scanned: a box
// locked in a line, then a line locked in a box.
constexpr HouseType kLockPairs[4][2] = {{kBoxHouse, kColumnHouse},
                                        {kBoxHouse, kRowHouse},
                                        {kColumnHouse, kBoxHouse},
                                        {kRowHouse, kBoxHouse}};

CellSet cellsAt(int house, int positions) {
  CellSet cells{};
  for (; positions != 0; positions &= positions - 1)
    cells.add(kHouses.cells[house][std::countr_zero(unsigned(positions))]);
  return cells;
}

bool intersects(int a, int b) {
  return !(kHouses.houseSets[a] & kHouses.houseSets[b]).empty();
}

// Bit k set when positions meet the k-th of three groups: a box's rows or a
// line's segments (group 7 shifted by 3k), or a box's columns (0x49 by k).
int groupsMet(int positions, int group, int shift) {
  int met = 0;
  for (int k = 0; k < 3; ++k) {
    if (positions & group << k * shift) met |= 1 << k;
  }
  return met;
}

// The house of type second that holds all the positions in first, or -1;
// two positions or more lie in one such house at most.
int lockingHouse(int first, int positions, HouseType second) {
  const int index = first % 9;
  if (houseTypeOf(first) == kBoxHouse) {
    const bool inRow = second == kRowHouse;
    const int met = inRow ? groupsMet(positions, 7, 3) : groupsMet(positions, 0x49, 1);
    if (bitCount(met) != 1) return -1;
    const int part = std::countr_zero(unsigned(met));
    return inRow ? 9 + index / 3 * 3 + part : 18 + index % 3 * 3 + part;
  }
  const int met = groupsMet(positions, 7, 3);
  if (bitCount(met) != 1) return -1;
  const int part = std::countr_zero(unsigned(met));
  return houseTypeOf(first) == kRowHouse ? index / 3 * 3 + part : part * 3 + index / 3;
}

void startLocked(Step& step, Technique technique, int digit, CellSet locked, int first,
                 int second) {
  startStep(step, technique, techniqueRating(technique));
  step.digits = digitBit(digit);
  addStepHouse(step, first);
  addStepHouse(step, second);
  forEachCell(locked, [&](CellIndex cell) { addStepCell(step, cell); });
}

// The cell of the direct form: a house of the first one's type crossing
// second, where the digit has several places and only one outside second;
// that house goes in third.
int directSingle(const HousePositions& table, int first, int second, int digit, int& third) {
  const int type = houseTypeOf(first);
  for (int other = type * 9; other < type * 9 + 9; ++other) {
    if (other == first || !intersects(other, second)) continue;
    const int positions = table.positions[other][digit - 1];
    if (bitCount(positions) < 2) continue;
    const CellSet outside = cellsAt(other, positions) - kHouses.houseSets[second];
    third = other;
    if (outside.empty()) continue;
    CellSet rest = outside;
    rest.remove(outside.first());
    if (rest.empty()) return outside.first();
  }
  return kNoCell;
}

}  // namespace

bool findLockedCandidates(const HousePositions& table, int unchanged, Step& step, bool direct) {
  for (const auto& pair : kLockPairs) {
    const bool fromBox = pair[0] == kBoxHouse;
    for (int digit = 1; digit <= 9; ++digit) {
      if (unchanged & digitBit(digit)) continue;
      for (int first = pair[0] * 9; first < pair[0] * 9 + 9; ++first) {
        const int positions = table.positions[first][digit - 1];
        if (bitCount(positions) < 2) continue;
        const int second = lockingHouse(first, positions, pair[1]);
        if (second < 0) continue;
        if (direct) {
          int third = 0;
          const int cell = directSingle(table, first, second, digit, third);
          if (cell == kNoCell) continue;
          startLocked(step, fromBox ? Technique::kDirectPointing : Technique::kDirectClaiming,
                      digit, cellsAt(first, positions), first, second);
          addStepHouse(step, third);
          step.placedCell = cell;
          step.placedDigit = digit;
          return true;
        }
        const CellSet removed =
            (table.digitCells[digit - 1] & kHouses.houseSets[second]) - kHouses.houseSets[first];
        if (removed.empty()) continue;
        startLocked(step, fromBox ? Technique::kPointing : Technique::kClaiming, digit,
                    cellsAt(first, positions), first, second);
        forEachCell(removed, [&](CellIndex cell) { addElimination(step, cell, digit); });
        return true;
      }
    }
  }
  return false;
}

bool findPointing(LogicContext& context, const LogicGrid& grid, Step& step) {
  return findLockedCandidates(housePositionsOf(context.basics, grid), context.unchangedDigits, step,
                              false);
}
