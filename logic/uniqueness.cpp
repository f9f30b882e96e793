// Unique rectangles and loops: cells holding the same two digits, two in
// each house they touch, would let the two digits swap and the puzzle have
// two solutions; so the cells that hold more must keep one of their extras.
#include <bit>
#include <cstring>
#include <initializer_list>

#include "logic/producers.h"
#include "logic/techniques.h"

namespace {

struct LoopSearch {
  const LogicGrid* grid;
  int pair;
  int low;
  int high;
  CellIndex start;
  CellIndex path[kCellCount];
  int length;
  // The cells a path may go on to: those holding both digits, less the
  // path's own and those whose loops were walked from an earlier start.
  CellSet open;
  // The houses of the path's cells at even and at odd places, one bit each.
  std::uint32_t touched[2];
  bool found;
  double bestRating;
  int bestType;
  Step* step;
};

double loopRating(int length) {
  if (length == 4) return techniqueRating(Technique::kUniqueRectangle);
  return techniqueRating(Technique::kUniqueLoop, length == 6 ? 0 : length == 8 ? 1 : 2);
}

// Starts the step of a hint of the current loop when it beats the best so
// far; false when it does not.
bool startLoopHint(LoopSearch& search, int type, double rating) {
  if (search.found &&
      (rating > search.bestRating || (rating == search.bestRating && type >= search.bestType)))
    return false;
  search.found = true;
  search.bestRating = rating;
  search.bestType = type;
  Step& step = *search.step;
  startStep(step, search.length == 4 ? Technique::kUniqueRectangle : Technique::kUniqueLoop,
            rating);
  step.digits = search.pair;
  step.patternCellCount = search.length;
  step.patternType = type;
  for (int i = 0; i < search.length; ++i) addStepCell(step, search.path[i]);
  return true;
}

// Each house the loop touches holds two of its cells, one at an even place
// and one at an odd place along it: the walk lets no house hold two at
// places of one parity, so both parities touch the same houses.
bool isDeadlyLoop(const LoopSearch& search) {
  return search.touched[0] == search.touched[1];
}

// The extra digit leaves every cell that sees all the cells holding it.
void addTypeTwo(LoopSearch& search, const CellIndex extras[], int count, int digit) {
  CellSet cells = digitCells(*search.grid, digit);
  for (int i = 0; i < count; ++i) cells = cells & kHouses.peers[extras[i]];
  if (cells.empty() || !startLoopHint(search, 2, loopRating(search.length))) return;
  forEachCell(cells, [&](CellIndex cell) { addElimination(*search.step, cell, digit); });
}

int sharedHouses(CellIndex a, CellIndex b, int houses[3]) {
  int count = 0;
  for (int type = 0; type < 3; ++type) {
    if (kHouses.houses[a][type] == kHouses.houses[b][type])
      houses[count++] = kHouses.houses[a][type];
  }
  return count;
}

// One loop digit held by the two extra cells alone in a house they share
// makes one of them; the other then takes an extra, so neither is the
// other loop digit.
void addTypeFour(LoopSearch& search, CellIndex c1, CellIndex c2) {
  int houses[3];
  const int count = sharedHouses(c1, c2, houses);
  CellSet both{};
  both.add(c1);
  both.add(c2);
  for (const int locked : {search.low, search.high}) {
    for (int i = 0; i < count; ++i) {
      if (!(digitCells(*search.grid, houses[i], locked) - both).empty()) continue;
      const int removed = locked == search.low ? search.high : search.low;
      if (!startLoopHint(search, 4, loopRating(search.length))) return;
      addStepHouse(*search.step, houses[i]);
      addElimination(*search.step, c1, removed);
      addElimination(*search.step, c2, removed);
      return;
    }
  }
}

// Calls visit(subset) for each subset of mask, in increasing order.
template <typename Visit>
void forEachSubset(int mask, Visit visit) {
  for (int subset = 0;; subset = (subset - mask) & mask) {
    visit(subset);
    if (subset == mask) return;
  }
}

int houseCandidates(const LogicGrid& grid, int house, int positions) {
  int digits = 0;
  for (int bits = positions; bits != 0; bits &= bits - 1)
    digits |= grid.candidates[kHouses.cells[house][std::countr_zero(unsigned(bits))]];
  return digits;
}

// The extra cells, one of which takes an extra digit, act as one cell
// holding those digits: with n-1 cells of a house they share they may make
// a naked set of n digits, or, with the loop digits, a hidden set.
void addTypeThree(LoopSearch& search, CellIndex c1, CellIndex c2) {
  const LogicGrid& grid = *search.grid;
  const int extra1 = grid.candidates[c1] & ~search.pair;
  const int extra2 = grid.candidates[c2] & ~search.pair;
  const int extras = extra1 | extra2;
  const int common = extra1 & extra2;
  int houses[3];
  const int houseCount = sharedHouses(c1, c2, houses);
  const double base = loopRating(search.length);
  for (int n = 2; n <= 7; ++n) {
    for (int h = 0; h < houseCount; ++h) {
      const int house = houses[h];
      const int empty = emptyCellCount(grid, house);
      const int p1 = kHouses.positions[c1][houseTypeOf(house)];
      const int p2 = kHouses.positions[c2][houseTypeOf(house)];
      if (n >= candidateCount(extras) && empty >= 2 * n) {
        // The sets holding p1 and not p2, in increasing order.
        forEachSubset(0777 & ~(1 << p1) & ~(1 << p2), [&](int others) {
          const int chosen = others | 1 << p1;
          if (bitCount(chosen) != n) return;
          bool wide = true;
          for (int bits = others; bits != 0; bits &= bits - 1) {
            const CellIndex cell = kHouses.cells[house][std::countr_zero(unsigned(bits))];
            wide = wide && candidateCount(grid.candidates[cell]) >= 2;
          }
          if (!wide) return;
          const int otherDigits = houseCandidates(grid, house, others);
          const int digits = extras | otherDigits;
          if (candidateCount(digits) != n || candidateCount(common | otherDigits) != n) return;
          const int outside = 0777 & ~chosen & ~(1 << p2);
          bool any = false;
          for (int bits = outside; bits != 0; bits &= bits - 1)
            any = any || (grid.candidates[kHouses.cells[house][std::countr_zero(unsigned(bits))]] &
                          digits) != 0;
          if (!any || !startLoopHint(search, 3, base + 0.1 * (n - 1))) return;
          Step& step = *search.step;
          addStepHouse(step, house);
          step.setDigits = digits;
          for (int bits = others; bits != 0; bits &= bits - 1)
            addStepCell(step, kHouses.cells[house][std::countr_zero(unsigned(bits))]);
          for (int bits = outside; bits != 0; bits &= bits - 1) {
            const CellIndex cell = kHouses.cells[house][std::countr_zero(unsigned(bits))];
            step.eliminations[cell] = std::uint16_t(grid.candidates[cell] & digits);
          }
        });
      }
      if (empty > 2 * n) {
        const int free = 0777 & ~((search.pair | extras));
        forEachSubset(free, [&](int chosen) {
          if (bitCount(chosen) != n - 2) return;
          const int digits = chosen | search.pair;
          int cover = 0;
          bool everyDigit = true;
          for (int rest = digits; rest != 0; rest &= rest - 1) {
            const int positions = housePositions(grid, house, firstDigit(rest)) & ~(1 << p2);
            everyDigit = everyDigit && positions != 0;
            cover |= positions;
          }
          if (!everyDigit || bitCount(cover) != n || !(cover >> p1 & 1)) return;
          const int inside = cover & ~(1 << p1);
          bool any = false;
          for (int bits = inside; bits != 0; bits &= bits - 1)
            any = any || (grid.candidates[kHouses.cells[house][std::countr_zero(unsigned(bits))]] &
                          ~digits) != 0;
          if (!any || !startLoopHint(search, 3, base + 0.1 * (n - 2))) return;
          Step& step = *search.step;
          addStepHouse(step, house);
          step.setDigits = digits;
          step.setHidden = true;
          for (int bits = inside; bits != 0; bits &= bits - 1) {
            const CellIndex cell = kHouses.cells[house][std::countr_zero(unsigned(bits))];
            addStepCell(step, cell);
            step.eliminations[cell] = std::uint16_t(grid.candidates[cell] & ~digits);
          }
        });
      }
    }
  }
}

void closeLoop(LoopSearch& search) {
  if (!isDeadlyLoop(search)) return;
  const LogicGrid& grid = *search.grid;
  CellIndex extras[kCellCount];
  int count = 0;
  int extraDigits = 0;
  for (int i = 0; i < search.length; ++i) {
    const int digits = grid.candidates[search.path[i]];
    if (digits == search.pair) continue;
    extras[count++] = search.path[i];
    extraDigits |= digits & ~search.pair;
  }
  if (count == 0) return;
  if (count == 1) {
    if (!startLoopHint(search, 1, loopRating(search.length))) return;
    addElimination(*search.step, extras[0], search.low);
    addElimination(*search.step, extras[0], search.high);
    return;
  }
  const bool oneExtra = candidateCount(extraDigits) == 1;
  if (oneExtra) addTypeTwo(search, extras, count, firstDigit(extraDigits));
  if (count != 2) return;
  if (!oneExtra) addTypeThree(search, extras[0], extras[1]);
  addTypeFour(search, extras[0], extras[1]);
}

// Walks on through cells holding both loop digits, never through two houses
// of one type in a row; at most two cells hold other digits, unless all of
// them hold the same single one.
void extendLoop(LoopSearch& search, int previousType, int extraDigits, int extraCells) {
  const LogicGrid& grid = *search.grid;
  const CellIndex current = search.path[search.length - 1];
  for (int type = 0; type < 3; ++type) {
    if (type == previousType) continue;
    const CellSet house = kHouses.houseSets[kHouses.houses[current][type]];
    CellSet ahead = house & search.open;
    const bool closes = house.contains(search.start);
    if (closes) ahead.add(search.start);
    forEachCell(ahead, [&](CellIndex next) {
      if (next == search.start) {
        if (search.length >= 4) closeLoop(search);
        return;
      }
      const int extra = grid.candidates[next] & ~search.pair;
      if (extra != 0 && extraCells >= 2 && candidateCount(extraDigits | extra) != 1) return;
      // A house holding two cells at places of one parity never becomes
      // part of a deadly loop.
      const std::uint32_t houses = houseBitsOf(next);
      std::uint32_t& touched = search.touched[search.length % 2];
      if ((touched & houses) != 0) return;
      search.open.remove(next);
      // Nor does one where the cell would stay alone, no cell left to join it.
      const std::uint32_t joined = search.touched[1 - search.length % 2];
      bool joinable = true;
      for (const std::uint8_t shared : kHouses.houses[next]) {
        joinable = joinable && ((joined >> shared & 1) != 0 ||
                                !(kHouses.houseSets[shared] & search.open).empty());
      }
      if (!joinable) {
        search.open.add(next);
        return;
      }
      search.path[search.length++] = next;
      touched |= houses;
      extendLoop(search, type, extraDigits | extra, extraCells + (extra != 0));
      touched &= ~houses;
      search.open.add(next);
      --search.length;
    });
  }
}

}  // namespace

bool findUniqueLoop(LogicContext&, const LogicGrid& grid, Step& step) {
  LoopSearch search;
  search.grid = &grid;
  search.found = false;
  search.step = &step;
  CellSet cellsOf[9];
  findDigitCells(grid, cellsOf);
  CellSet pairedBefore[9][9] = {};
  for (CellIndex start = 0; start < kCellCount; ++start) {
    const int digits = grid.candidates[start];
    if (candidateCount(digits) != 2) continue;
    search.pair = digits;
    search.low = firstDigit(digits);
    search.high = firstDigit(digits & ~digitBit(search.low));
    search.start = start;
    search.path[0] = start;
    search.length = 1;
    // A loop through an earlier cell holding the pair alone was walked,
    // and its hints found first, from that cell.
    CellSet& before = pairedBefore[search.low - 1][search.high - 1];
    search.open = (cellsOf[search.low - 1] & cellsOf[search.high - 1]) - before;
    before.add(start);
    search.open.remove(start);
    search.touched[0] = houseBitsOf(start);
    search.touched[1] = 0;
    extendLoop(search, -1, 0, 0);
  }
  return search.found;
}
