#include "logic/house_scan.h"
#include "logic/producers.h"
#include "logic/techniques.h"

namespace {

constexpr Technique kFish[5] = {Technique::kCount, Technique::kCount, Technique::kXWing,
                                Technique::kSwordfish, Technique::kJellyfish};
constexpr HouseType kBaseTypes[2] = {kColumnHouse, kRowHouse};

// A basic fish of size lines: columns as base lines first, then rows.
// The cells of cover lines outside the base lines that lose the digit.
int fishRemovals(const HousePositions& table, int coverType, int lines, int covers, int digit) {
  int any = 0;
  for (int bits = covers; bits != 0; bits &= bits - 1)
    any |= table.positions[coverType * 9 + std::countr_zero(unsigned(bits))][digit - 1] & ~lines;
  return any;
}

// A basic fish of size lines: columns as base lines first, then rows. In
// each pass the line sets come in increasing binary order and the digits
// within each set, so the first fish is the digit whose first fish has the
// smallest set.
bool findFish(const LogicGrid& grid, const HousePositions& table, int unchanged, Step& step,
              int size) {
  int placed[9] = {};
  for (CellIndex cell = 0; cell < kCellCount; ++cell) {
    if (grid.value[cell] != 0) ++placed[grid.value[cell] - 1];
  }
  for (const int baseType : kBaseTypes) {
    const int coverType = baseType == kColumnHouse ? kRowHouse : kColumnHouse;
    int bestLines = 512;
    int bestCovers = 0;
    int bestDigit = 0;
    for (int digit = 1; digit <= 9; ++digit) {
      if ((unchanged & digitBit(digit)) || placed[digit - 1] + 2 * size > 9) continue;
      int masks[9];
      int eligible = 0;
      for (int line = 0; line < 9; ++line) {
        masks[line] = table.positions[baseType * 9 + line][digit - 1];
        if (bitCount(masks[line]) >= 2) eligible |= 1 << line;
      }
      auto found = [&](int lines, int covers) {
        // Sets come in increasing order: none after a digit's best beats it.
        if (lines >= bestLines) return true;
        if (bitCount(covers) != size || fishRemovals(table, coverType, lines, covers, digit) == 0)
          return false;
        bestLines = lines;
        bestCovers = covers;
        bestDigit = digit;
        return true;
      };
      visitSubsets(masks, eligible, size, size, found);
    }
    if (bestDigit == 0) continue;
    startStep(step, kFish[size], techniqueRating(kFish[size]));
    for (int bits = bestCovers; bits != 0; bits &= bits - 1) {
      const int cover = coverType * 9 + std::countr_zero(unsigned(bits));
      const int outside = table.positions[cover][bestDigit - 1] & ~bestLines;
      for (int rest = outside; rest != 0; rest &= rest - 1)
        addElimination(step, kHouses.cells[cover][std::countr_zero(unsigned(rest))], bestDigit);
    }
    step.digits = digitBit(bestDigit);
    step.lineCount = size;
    for (int bits = bestLines; bits != 0; bits &= bits - 1)
      addStepHouse(step, baseType * 9 + std::countr_zero(unsigned(bits)));
    for (int bits = bestCovers; bits != 0; bits &= bits - 1)
      addStepHouse(step, coverType * 9 + std::countr_zero(unsigned(bits)));
    for (CellIndex cell = 0; cell < kCellCount; ++cell) {
      const int line = baseType == kColumnHouse ? cell % 9 : cell / 9;
      if (bestLines >> line & 1 && grid.candidates[cell] & digitBit(bestDigit))
        addStepCell(step, cell);
    }
    return true;
  }
  return false;
}

}  // namespace

bool findXWing(LogicContext& context, const LogicGrid& grid, Step& step) {
  return findFish(grid, housePositionsOf(context.basics, grid), context.unchangedDigits, step, 2);
}

bool findSwordfish(LogicContext& context, const LogicGrid& grid, Step& step) {
  return findFish(grid, housePositionsOf(context.basics, grid), context.unchangedDigits, step, 3);
}

bool findJellyfish(LogicContext& context, const LogicGrid& grid, Step& step) {
  return findFish(grid, housePositionsOf(context.basics, grid), context.unchangedDigits, step, 4);
}
