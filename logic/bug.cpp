// Bivalue universal grave: were a few digits gone from a few cells, every
// empty cell would hold two digits and every digit two places in each house,
// a grave with no single solution; so one of those cells keeps one of them.
#include <bit>

#include "logic/producers.h"
#include "logic/techniques.h"

namespace {

struct Grave {
  // The digits each cell must keep one of, and the cells that have some.
  int bugDigits[kCellCount];
  CellSet cells;
  int digits;
  CellIndex list[kCellCount];
  int count;
};

CellSet widerCells(const LogicGrid& grid) {
  CellSet wide{};
  for (CellIndex cell = 0; cell < kCellCount; ++cell) {
    if (candidateCount(grid.candidates[cell]) >= 3) wide.add(cell);
  }
  return wide;
}

CellSet seenByAll(CellSet cells) {
  CellSet seen{{~std::uint64_t(0), ~std::uint64_t(0)}};
  forEachCell(cells, [&](CellIndex cell) { seen = seen & kHouses.peers[cell]; });
  return seen;
}

// A house where a digit has a place count other than none or two, with
// just one of those places in a cell of three or more digits, names that
// cell and digit.
bool findGraveCells(const LogicGrid& grid, Grave& grave) {
  const CellSet wide = widerCells(grid);
  CellSet oddWide{};
  int oddDigits = 0;
  for (CellIndex cell = 0; cell < kCellCount; ++cell) grave.bugDigits[cell] = 0;
  grave.cells = {};
  grave.digits = 0;
  for (int house = 0; house < kHouseCount; ++house) {
    for (int digit = 1; digit <= 9; ++digit) {
      const CellSet places = digitCells(grid, house, digit);
      const int count = places.count();
      if (count == 0 || count == 2) continue;
      const CellSet wider = places & wide;
      if (wider.empty()) return false;
      oddDigits |= digitBit(digit);
      oddWide = oddWide | wider;
      if (wider.count() != 1) continue;
      const CellIndex cell = wider.first();
      grave.bugDigits[cell] |= digitBit(digit);
      grave.cells.add(cell);
      grave.digits |= digitBit(digit);
    }
  }
  if (candidateCount(oddDigits) == 1) {
    // One digit alone is out of place: every wider cell it has there counts.
    forEachCell(oddWide, [&](CellIndex cell) {
      grave.bugDigits[cell] |= oddDigits;
      grave.cells.add(cell);
    });
    grave.digits |= oddDigits;
  }
  if (grave.cells.empty()) return false;
  if (grave.cells.count() >= 2 && candidateCount(grave.digits) >= 2 &&
      (seenByAll(grave.cells) - grave.cells).empty())
    return false;
  // Without those digits the grid must be a grave.
  std::uint16_t rest[kCellCount];
  for (CellIndex cell = 0; cell < kCellCount; ++cell) {
    rest[cell] = std::uint16_t(grid.candidates[cell] & ~grave.bugDigits[cell]);
    if (grid.value[cell] == 0 && candidateCount(rest[cell]) != 2) return false;
  }
  for (int house = 0; house < kHouseCount; ++house) {
    int once = 0;
    int twice = 0;
    int more = 0;
    for (const std::uint8_t cell : kHouses.cells[house]) {
      more |= twice & rest[cell];
      twice |= once & rest[cell];
      once |= rest[cell];
    }
    if ((once & ~twice) != 0 || more != 0) return false;
  }
  grave.count = 0;
  forEachCell(grave.cells, [&](CellIndex cell) { grave.list[grave.count++] = cell; });
  return true;
}

// Type 1 has the grave's own rating, the others its variant's; type 3 adds
// a modifier for the size of its set.
void startGraveStep(Step& step, const Grave& grave, int type, double modifier = 0.0) {
  const double base = techniqueRating(Technique::kBivalueUniversalGrave, type == 1 ? 0 : 1);
  startStep(step, Technique::kBivalueUniversalGrave, base + modifier);
  step.digits = grave.digits;
  step.patternType = type;
  step.patternCellCount = grave.count;
  for (int i = 0; i < grave.count; ++i) addStepCell(step, grave.list[i]);
}

// Two grave cells in one house with one other digit in common: that digit
// has only them in the house, so one takes it and the other its grave digit.
bool findTypeFour(const LogicGrid& grid, const Grave& grave, Step& step) {
  if (grave.count != 2) return false;
  const CellIndex a = grave.list[0];
  const CellIndex b = grave.list[1];
  const int otherA = grid.candidates[a] & ~grave.bugDigits[a];
  const int otherB = grid.candidates[b] & ~grave.bugDigits[b];
  const int common = otherA & otherB;
  if (candidateCount(common) != 1) return false;
  for (int type = 0; type < 3; ++type) {
    if (kHouses.houses[a][type] != kHouses.houses[b][type]) continue;
    startGraveStep(step, grave, 4);
    addStepHouse(step, kHouses.houses[a][type]);
    step.eliminations[a] = std::uint16_t(otherA & ~common);
    step.eliminations[b] = std::uint16_t(otherB & ~common);
    return true;
  }
  return false;
}

// The grave cells, all in one house, act as one cell holding the grave
// digits: with n-1 other cells there holding n digits in all, a naked set.
bool findTypeThree(const LogicGrid& grid, const Grave& grave, Step& step) {
  for (int n = 2; n <= 6; ++n) {
    for (int type = 0; type < 3; ++type) {
      const int house = kHouses.houses[grave.list[0]][type];
      bool shared = true;
      for (int i = 1; i < grave.count; ++i)
        shared = shared && kHouses.houses[grave.list[i]][type] == house;
      if (!shared) continue;
      CellIndex common[9];
      int count = 0;
      for (const std::uint8_t cell : kHouses.cells[house]) {
        if (!grave.cells.contains(cell)) common[count++] = cell;
      }
      if (count < n) continue;
      for (int chosen = 0; chosen < 1 << count; ++chosen) {
        if (bitCount(chosen) != n - 1) continue;
        int digits = 0;
        bool wide = true;
        for (int i = 0; i < count; ++i) {
          if (!(chosen >> i & 1)) continue;
          wide = wide && candidateCount(grid.candidates[common[i]]) >= 2;
          digits |= grid.candidates[common[i]];
        }
        if (!wide || candidateCount(digits) != n || (grave.digits & ~digits) != 0) continue;
        bool any = false;
        for (int i = 0; i < count; ++i)
          any = any || (!(chosen >> i & 1) && (grid.candidates[common[i]] & digits) != 0);
        if (!any) continue;
        startGraveStep(step, grave, 3, 0.1 * (n - 1));
        addStepHouse(step, house);
        step.setDigits = digits;
        for (int i = 0; i < count; ++i) {
          if (chosen >> i & 1)
            addStepCell(step, common[i]);
          else
            step.eliminations[common[i]] = std::uint16_t(grid.candidates[common[i]] & digits);
        }
        return true;
      }
    }
  }
  return false;
}

}  // namespace

bool findBivalueUniversalGrave(LogicContext&, const LogicGrid& grid, Step& step) {
  Grave grave;
  if (!findGraveCells(grid, grave)) return false;
  if (grave.count == 1) {
    const CellIndex cell = grave.list[0];
    startGraveStep(step, grave, 1);
    step.eliminations[cell] = std::uint16_t(grid.candidates[cell] & ~grave.bugDigits[cell]);
    return true;
  }
  const CellSet common = seenByAll(grave.cells) - grave.cells;
  if (candidateCount(grave.digits) == 1) {
    const CellSet removed = common & digitCells(grid, firstDigit(grave.digits));
    if (!removed.empty()) {
      startGraveStep(step, grave, 2);
      forEachCell(removed,
                  [&](CellIndex cell) { addElimination(step, cell, firstDigit(grave.digits)); });
      return true;
    }
    return findTypeFour(grid, grave, step);
  }
  if (common.empty()) return false;
  return findTypeFour(grid, grave, step) || findTypeThree(grid, grave, step);
}
