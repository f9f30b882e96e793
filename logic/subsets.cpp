#include "logic/basic_scans.h"
#include "logic/house_scan.h"
#include "logic/producers.h"
#include "logic/techniques.h"

namespace {

constexpr Technique kNakedSets[5] = {Technique::kCount, Technique::kCount, Technique::kNakedPair,
                                     Technique::kNakedTriplet, Technique::kNakedQuad};
constexpr Technique kHiddenSets[5] = {Technique::kCount, Technique::kCount, Technique::kHiddenPair,
                                      Technique::kHiddenTriplet, Technique::kHiddenQuad};

// The set a naked or hidden set step names: its digits, its house and its
// cells, at positions in the house.
void recordSet(Step& step, int house, int digits, int positions) {
  step.digits = digits;
  addStepHouse(step, house);
  for (; positions != 0; positions &= positions - 1)
    addStepCell(step, kHouses.cells[house][std::countr_zero(unsigned(positions))]);
}

// Houses of unchanged cells alone are passed over.
bool findNakedSet(const LogicGrid& grid, CellSet unchanged, Step& step, int size) {
  for (const int house : kScanHouses) {
    if ((kHouses.houseSets[house] - unchanged).empty()) continue;
    int empty = 0;
    int eligible = 0;
    int masks[9];
    for (int p = 0; p < 9; ++p) {
      const int cell = kHouses.cells[house][p];
      masks[p] = grid.candidates[cell];
      empty += grid.value[cell] == 0;
      if (bitCount(masks[p]) >= 2) eligible |= 1 << p;
    }
    if (empty < 2 * size) continue;
    auto report = [&](int set, int digits) {
      if (bitCount(digits) != size) return false;
      int removable = 0;
      for (int p = 0; p < 9; ++p) {
        if (!(set >> p & 1)) removable |= masks[p] & digits;
      }
      if (removable == 0) return false;
      startStep(step, kNakedSets[size], techniqueRating(kNakedSets[size]));
      for (int p = 0; p < 9; ++p) {
        if (!(set >> p & 1))
          step.eliminations[kHouses.cells[house][p]] = std::uint16_t(masks[p] & digits);
      }
      recordSet(step, house, digits, set);
      return true;
    };
    if (visitSubsets(masks, eligible, size, size, report)) return true;
  }
  return false;
}

// The digit that the hidden set of digits at positions leaves with one
// place in the house, or 0.
int directDigit(const HousePositions& table, int house, int digits, int positions) {
  for (int digit = 1; digit <= 9; ++digit) {
    const int places = table.positions[house][digit - 1];
    if (digits & digitBit(digit) || bitCount(places) < 2) continue;
    if (bitCount(places & ~positions) == 1) return digit;
  }
  return 0;
}

}  // namespace

bool findHiddenSet(const LogicGrid& grid, const HousePositions& table, CellSet unchanged,
                   Step& step, int size, bool direct) {
  for (const int house : kScanHouses) {
    if ((kHouses.houseSets[house] - unchanged).empty()) continue;
    if (bitCount(table.empty[house]) <= (direct ? size : 2 * size)) continue;
    int eligible = 0;
    int masks[9];
    // A digit in more places than the set has cells is never part of it.
    for (int d = 0; d < 9; ++d) {
      masks[d] = table.positions[house][d];
      const int places = bitCount(masks[d]);
      if (places >= 2 && places <= size) eligible |= 1 << d;
    }
    if (bitCount(eligible) < size) continue;
    auto report = [&](int digits, int positions) {
      if (bitCount(positions) != size) return false;
      if (direct) {
        const int digit = directDigit(table, house, digits, positions);
        if (digit == 0) return false;
        const Technique technique =
            size == 2 ? Technique::kDirectHiddenPair : Technique::kDirectHiddenTriplet;
        startStep(step, technique, techniqueRating(technique));
        const int place = table.positions[house][digit - 1] & ~positions;
        step.placedCell = kHouses.cells[house][std::countr_zero(unsigned(place))];
        step.placedDigit = digit;
      } else {
        int removable = 0;
        for (int bits = positions; bits != 0; bits &= bits - 1)
          removable |= grid.candidates[kHouses.cells[house][std::countr_zero(unsigned(bits))]];
        if ((removable & ~digits) == 0) return false;
        startStep(step, kHiddenSets[size], techniqueRating(kHiddenSets[size]));
        for (int bits = positions; bits != 0; bits &= bits - 1) {
          const int cell = kHouses.cells[house][std::countr_zero(unsigned(bits))];
          step.eliminations[cell] = std::uint16_t(grid.candidates[cell] & ~digits);
        }
      }
      recordSet(step, house, digits, positions);
      return true;
    };
    if (visitSubsets(masks, eligible, size, size, report)) return true;
  }
  return false;
}

bool findNakedPair(LogicContext& context, const LogicGrid& grid, Step& step) {
  return findNakedSet(grid, context.unchangedCells, step, 2);
}

bool findHiddenPair(LogicContext& context, const LogicGrid& grid, Step& step) {
  return findHiddenSet(grid, housePositionsOf(context.basics, grid), context.unchangedCells, step,
                       2, false);
}

bool findNakedTriplet(LogicContext& context, const LogicGrid& grid, Step& step) {
  return findNakedSet(grid, context.unchangedCells, step, 3);
}

bool findHiddenTriplet(LogicContext& context, const LogicGrid& grid, Step& step) {
  return findHiddenSet(grid, housePositionsOf(context.basics, grid), context.unchangedCells, step,
                       3, false);
}

bool findNakedQuad(LogicContext& context, const LogicGrid& grid, Step& step) {
  return findNakedSet(grid, context.unchangedCells, step, 4);
}

bool findHiddenQuad(LogicContext& context, const LogicGrid& grid, Step& step) {
  return findHiddenSet(grid, housePositionsOf(context.basics, grid), context.unchangedCells, step,
                       4, false);
}
