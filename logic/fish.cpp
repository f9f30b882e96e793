#include "logic/house_scan.h"
#include "logic/producers.h"

namespace {

constexpr Technique kFish[5] = {Technique::kCount, Technique::kCount, Technique::kXWing,
                                Technique::kSwordfish, Technique::kJellyfish};
constexpr double kFishRatings[5] = {0, 0, 3.2, 3.8, 5.2};
constexpr HouseType kBaseTypes[2] = {kColumnHouse, kRowHouse};

// A basic fish of size lines: columns as base lines first, then rows.
bool findFish(const LogicGrid& grid, Step& step, int size) {
  HousePositions table;
  findHousePositions(grid, table);
  int placed[9] = {};
  for (CellIndex cell = 0; cell < kCellCount; ++cell) {
    if (grid.value[cell] != 0) ++placed[grid.value[cell] - 1];
  }
  for (const int baseType : kBaseTypes) {
    const int coverType = baseType == kColumnHouse ? kRowHouse : kColumnHouse;
    for (int lines = smallestSubset(size); lines < 512; lines = nextSubset(lines)) {
      for (int digit = 1; digit <= 9; ++digit) {
        if (placed[digit - 1] + 2 * size > 9) continue;
        int covers = 0;
        bool eachTwice = true;
        for (int bits = lines; bits != 0; bits &= bits - 1) {
          const int positions =
              table.positions[baseType * 9 + std::countr_zero(unsigned(bits))][digit - 1];
          eachTwice = eachTwice && bitCount(positions) >= 2;
          covers |= positions;
        }
        if (!eachTwice || bitCount(covers) != size) continue;
        startStep(step, kFish[size], kFishRatings[size]);
        for (int bits = covers; bits != 0; bits &= bits - 1) {
          const int cover = coverType * 9 + std::countr_zero(unsigned(bits));
          const int outside = table.positions[cover][digit - 1] & ~lines;
          for (int rest = outside; rest != 0; rest &= rest - 1)
            addElimination(step, kHouses.cells[cover][std::countr_zero(unsigned(rest))], digit);
        }
        if (eliminationCount(step) == 0) continue;
        step.digits = digitBit(digit);
        step.size = size;
        for (int bits = lines; bits != 0; bits &= bits - 1)
          addStepHouse(step, baseType * 9 + std::countr_zero(unsigned(bits)));
        for (int bits = covers; bits != 0; bits &= bits - 1)
          addStepHouse(step, coverType * 9 + std::countr_zero(unsigned(bits)));
        for (CellIndex cell = 0; cell < kCellCount; ++cell) {
          const int line = baseType == kColumnHouse ? cell % 9 : cell / 9;
          if (lines >> line & 1 && grid.candidates[cell] & digitBit(digit)) addStepCell(step, cell);
        }
        return true;
      }
    }
  }
  return false;
}

}  // namespace

bool findXWing(LogicContext&, const LogicGrid& grid, Step& step) {
  return findFish(grid, step, 2);
}

bool findSwordfish(LogicContext&, const LogicGrid& grid, Step& step) {
  return findFish(grid, step, 3);
}

bool findJellyfish(LogicContext&, const LogicGrid& grid, Step& step) {
  return findFish(grid, step, 4);
}
