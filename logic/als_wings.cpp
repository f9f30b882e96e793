// WXYZ- and VWXYZ-wings: an almost locked set of three (four) mutually seeing
// cells holding four (five) digits, and a bivalue cell whose digits it holds.
// A digit of the bivalue cell that every set cell holding it sees is
// restricted: it cannot be in both, so the other digit is in one of them.
#include <cstring>

#include "logic/house_scan.h"
#include "logic/producers.h"
#include "logic/techniques.h"

namespace {

constexpr int kMaxAlsCells = 4;

struct AlsSearch {
  const LogicGrid* grid;
  const CellSet* digitCells;
  // Cells tried on what they hold: a wing needs a cell outside them.
  CellSet unchanged;
  // The cells that may join a set: two digits or more, and not too many.
  CellSet usable;
  // The bivalue cells by their higher digit, then their lower one.
  CellSet bivalue[9][9];
  // The bivalue cells whose two digits a set of digits holds, by the set,
  // worked out the first time a set asks (and only then written).
  CellSet* bivalueWithin;
  bool withinKnown[512];
  int cellCount;
  double baseRating;
  int ratingPeak;
  Technique technique;
  bool found;
  double bestRating;
  int bestEliminations;
  char bestSuffix[12];
  Step* step;
};

// The cells that see every cell of the set holding digit.
CellSet seenByHolders(const LogicGrid& grid, const int cells[], int count, int digit) {
  CellSet seen{{~std::uint64_t(0), ~std::uint64_t(0)}};
  for (int i = 0; i < count; ++i) {
    if (grid.candidates[cells[i]] & digitBit(digit)) seen = seen & kHouses.peers[cells[i]];
  }
  return seen;
}

bool isRestricted(const LogicGrid& grid, const int cells[], int count, int digit, CellIndex y) {
  for (int i = 0; i < count; ++i) {
    if ((grid.candidates[cells[i]] & digitBit(digit)) && !sees(cells[i], y)) return false;
  }
  return true;
}

// "1310": single or double link, the largest candidate count, the total.
void writeSuffix(char* suffix, int links, int largest, int total) {
  int n = 0;
  suffix[n++] = char('0' + links);
  suffix[n++] = char('0' + largest);
  if (total >= 10) suffix[n++] = char('0' + total / 10);
  suffix[n++] = char('0' + total % 10);
  suffix[n] = '\0';
}

void tryBivalueCell(AlsSearch& search, const int cells[], int alsDigits, CellIndex y) {
  const LogicGrid& grid = *search.grid;
  const int count = search.cellCount;
  const int yDigits = grid.candidates[y];
  const int x = firstDigit(yDigits);
  const int z = firstDigit(yDigits & ~digitBit(x));
  const bool xRestricted = isRestricted(grid, cells, count, x, y);
  const bool zRestricted = isRestricted(grid, cells, count, z, y);
  if (!xRestricted && !zRestricted) return;
  CellSet pattern{};
  for (int i = 0; i < count; ++i) pattern.add(cells[i]);
  pattern.add(y);
  // Per digit, the cells it leaves.
  CellSet removed[9] = {};
  auto removeCommon = [&](int digit) {
    removed[digit - 1] =
        search.digitCells[digit - 1] & seenByHolders(grid, cells, count, digit) & kHouses.peers[y];
  };
  if (xRestricted && zRestricted) {
    removeCommon(x);
    removeCommon(z);
    for (int rest = alsDigits & ~yDigits; rest != 0; rest &= rest - 1) {
      const int digit = firstDigit(rest);
      removed[digit - 1] = search.digitCells[digit - 1] & seenByHolders(grid, cells, count, digit);
    }
  } else {
    removeCommon(xRestricted ? z : x);
  }
  int eliminations = 0;
  for (CellSet& cellsLeft : removed) {
    cellsLeft = cellsLeft - pattern;
    eliminations += cellsLeft.count();
  }
  if (eliminations == 0) return;
  int largest = 0;
  int total = 0;
  for (int i = 0; i < count; ++i) {
    const int n = candidateCount(grid.candidates[cells[i]]);
    largest = n > largest ? n : largest;
    total += n;
  }
  const int away = largest > 3 ? largest - 3 : 3 - largest;
  const double rating = search.baseRating + 0.1 * (search.ratingPeak - away);
  const int links = xRestricted && zRestricted ? 2 : 1;
  char suffix[12];
  writeSuffix(suffix, links, largest, total);
  if (search.found) {
    if (rating > search.bestRating) return;
    if (rating == search.bestRating) {
      if (eliminations < search.bestEliminations) return;
      if (eliminations == search.bestEliminations && std::strcmp(suffix, search.bestSuffix) <= 0)
        return;
    }
  }
  search.found = true;
  search.bestRating = rating;
  search.bestEliminations = eliminations;
  std::memcpy(search.bestSuffix, suffix, sizeof suffix);
  Step& step = *search.step;
  startStep(step, search.technique, rating);
  step.digits = alsDigits;
  step.alsCellCount = count;
  step.doublyLinked = links == 2;
  for (int i = 0; i < count; ++i) addStepCell(step, cells[i]);
  addStepCell(step, y);
  for (int digit = 1; digit <= 9; ++digit)
    forEachCell(removed[digit - 1], [&](CellIndex cell) { addElimination(step, cell, digit); });
}

// Every bivalue cell that sees the set and holds two of its digits.
const CellSet& bivalueWithin(AlsSearch& search, int digits) {
  CellSet& within = search.bivalueWithin[digits];
  if (search.withinKnown[digits]) return within;
  search.withinKnown[digits] = true;
  within = {};
  for (int high = digits & (digits - 1); high != 0; high &= high - 1) {
    const int z = firstDigit(high);
    for (int low = digits & (digitBit(z) - 1); low != 0; low &= low - 1)
      within = within | search.bivalue[z - 1][firstDigit(low) - 1];
  }
  return within;
}

void tryAls(AlsSearch& search, const int cells[], int alsDigits, bool touched) {
  CellSet within = bivalueWithin(search, alsDigits);
  if (!touched) within = within - search.unchanged;
  if (within.empty()) return;
  CellSet around{};
  for (int i = 0; i < search.cellCount; ++i) around = around | kHouses.peers[cells[i]];
  for (int i = 0; i < search.cellCount; ++i) around.remove(cells[i]);
  forEachCell(around & within, [&](CellIndex y) { tryBivalueCell(search, cells, alsDigits, y); });
}

// The cells after one, in index order.
CellSet cellsAfter(CellIndex cell) {
  const int next = cell + 1;
  if (next >= 64) return {{0, ~std::uint64_t(0) << (next - 64)}};
  return {{~std::uint64_t(0) << next, ~std::uint64_t(0)}};
}

// Extends the set by later cells that see all its cells, keeping at most
// cellCount + 1 digits; a full set holds exactly that many.
void extendAls(AlsSearch& search, int cells[], int size, int digits, CellSet common, bool touched) {
  const LogicGrid& grid = *search.grid;
  const int limit = search.cellCount + 1;
  const CellIndex last = cells[size - 1];
  forEachCell(common & search.usable & cellsAfter(last), [&](CellIndex next) {
    const int nextDigits = grid.candidates[next];
    const int united = digits | nextDigits;
    const int n = candidateCount(united);
    if (n > limit) return;
    cells[size] = next;
    const bool nowTouched = touched || !search.unchanged.contains(next);
    if (size + 1 == search.cellCount) {
      if (n == limit) tryAls(search, cells, united, nowTouched);
      return;
    }
    extendAls(search, cells, size + 1, united, common & kHouses.peers[next], nowTouched);
  });
}

bool findAlsWing(const LogicGrid& grid, const CellSet digitCells[9], CellSet unchanged, Step& step,
                 int cellCount, Technique technique, int ratingPeak) {
  CellSet within[512];
  AlsSearch search{.grid = &grid,
                   .digitCells = digitCells,
                   .unchanged = unchanged,
                   .usable = {},
                   .bivalue = {},
                   .bivalueWithin = within,
                   .withinKnown = {},
                   .cellCount = cellCount,
                   .baseRating = techniqueRating(technique),
                   .ratingPeak = ratingPeak,
                   .technique = technique,
                   .found = false,
                   .bestRating = 0.0,
                   .bestEliminations = 0,
                   .bestSuffix = {},
                   .step = &step};
  for (CellIndex cell = 0; cell < kCellCount; ++cell) {
    const int digits = grid.candidates[cell];
    const int n = candidateCount(digits);
    if (n >= 2 && n <= cellCount + 1) search.usable.add(cell);
    if (n != 2) continue;
    const int low = firstDigit(digits);
    search.bivalue[firstDigit(digits & ~digitBit(low)) - 1][low - 1].add(cell);
  }
  int cells[kMaxAlsCells];
  for (CellIndex first = 0; first < kCellCount; ++first) {
    if (!search.usable.contains(first)) continue;
    cells[0] = first;
    extendAls(search, cells, 1, grid.candidates[first], kHouses.peers[first],
              !search.unchanged.contains(first));
  }
  return search.found;
}

}  // namespace

bool findWXYZWing(LogicContext& context, const LogicGrid& grid, Step& step) {
  return findAlsWing(grid, housePositionsOf(context.basics, grid).digitCells,
                     context.unchangedCells, step, 3, Technique::kWXYZWing, 1);
}

bool findVWXYZWing(LogicContext& context, const LogicGrid& grid, Step& step) {
  return findAlsWing(grid, housePositionsOf(context.basics, grid).digitCells,
                     context.unchangedCells, step, 4, Technique::kVWXYZWing, 2);
}
