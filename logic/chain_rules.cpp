// The basic techniques a dynamic chain of level 1 and above runs on its
// working grid when its links stall: each elimination becomes an off node
// whose parents are the removed candidates the pattern needs.
#include "logic/chain_engine.h"

#include <bit>
#include <cassert>

namespace {

// The most removed candidates a pattern rests on: a naked pair's two cells
// or a hidden pair's two digits, 7 each, or an X-wing's 14 base cells.
constexpr int kMaxRuleParents = 14;

// The eliminations and the rule parents of one pattern found on the working grid.
struct RuleHint {
  std::uint16_t eliminations[kCellCount];
  CellSet cells;
  int parentCount;
  std::uint16_t parents[kMaxRuleParents];
};

void startRuleHint(RuleHint& hint) {
  hint.cells = CellSet{};
  hint.parentCount = 0;
}

void addRuleElimination(RuleHint& hint, int cell, int digits) {
  if (digits == 0) return;
  if (!hint.cells.contains(cell)) hint.eliminations[cell] = 0;
  hint.cells.add(cell);
  hint.eliminations[cell] = std::uint16_t(hint.eliminations[cell] | digits);
}

void addRuleParents(RuleHint& hint, CellSet cells, int digit) {
  forEachCell(cells, [&](CellIndex cell) {
    assert(hint.parentCount < kMaxRuleParents);
    hint.parents[hint.parentCount++] = std::uint16_t(chainNode(cell, digit, false));
  });
}

void addRuleCellParents(RuleHint& hint, int cell, int digits) {
  for (; digits != 0; digits &= digits - 1) {
    assert(hint.parentCount < kMaxRuleParents);
    hint.parents[hint.parentCount++] = std::uint16_t(chainNode(cell, firstDigit(digits), false));
  }
}

// The hint's eliminations the run has not reached, appended; the count.
int appendRuleHint(ChainRun& run, const RuleHint& hint) {
  int added = 0;
  forEachCell(hint.cells, [&](CellIndex cell) {
    for (int digits = hint.eliminations[cell]; digits != 0; digits &= digits - 1) {
      const int node = chainNode(cell, firstDigit(digits), false);
      if (run.reached[node]) continue;
      addChainRunNode(run, node, hint.parents, hint.parentCount);
      ++added;
    }
  });
  return added;
}

struct RuleScan {
  ChainWorkspace& chains;
  ChainRun& run;
  RuleHint hint;
  bool usable;
  int added;
  // Bit p of positions[house][digit - 1] set while the working grid has
  // digit at position p of house.
  const std::uint16_t (&positions)[27][9];
  // The positions the run has removed: a pattern without them was there
  // before the chain and is of no use to it.
  int lostPlaces(int house, int digit) const {
    return chains.sourcePositions[house][digit - 1] & ~positions[house][digit - 1];
  }

  void take() {
    if (hint.parentCount == 0 || hint.cells.empty()) return;
    usable = true;
    added += appendRuleHint(run, hint);
  }
  CellSet lost(CellSet cells, int digit) const {
    return (cells & chains.sourceDigits[digit - 1]) - chains.workingDigits[digit - 1];
  }
};

// Boxes, then columns, then rows.
constexpr int kSetHouses[kHouseCount] = {0,  1,  2,  3,  4, 5,  6,  7,  8,  18, 19, 20, 21, 22,
                                         23, 24, 25, 26, 9, 10, 11, 12, 13, 14, 15, 16, 17};

int emptyCells(const ChainWorkspace& chains, int house) {
  int count = 0;
  for (const std::uint8_t cell : kHouses.cells[house]) count += chains.value[cell] == 0;
  return count;
}

// The positions of a box, as a mask, in each of its three rows and columns.
constexpr int kBoxRowMask[3] = {0x007, 0x038, 0x1C0};
constexpr int kBoxColumnMask[3] = {0x049, 0x092, 0x124};

// A digit's places in one house all inside another: it goes nowhere else there.
void takePointing(RuleScan& scan, int firstHouse, int secondHouse, int digit) {
  const CellSet first = kHouses.houseSets[firstHouse];
  const CellSet second = kHouses.houseSets[secondHouse];
  startRuleHint(scan.hint);
  forEachCell((second & scan.chains.workingDigits[digit - 1]) - first,
              [&](CellIndex cell) { addRuleElimination(scan.hint, cell, digitBit(digit)); });
  addRuleParents(scan.hint, scan.lost(first - second, digit), digit);
  scan.take();
}

// Each first house can lie in one second house only, so the second houses
// in index order reduce to the one its places share.
void scanPointing(RuleScan& scan) {
  constexpr int kPairs[4][2] = {{kBoxHouse, kColumnHouse},
                                {kBoxHouse, kRowHouse},
                                {kColumnHouse, kBoxHouse},
                                {kRowHouse, kBoxHouse}};
  for (const auto& pair : kPairs) {
    for (int digit = 1; digit <= 9; ++digit) {
      for (int i = 0; i < 9; ++i) {
        const int house = pair[0] * 9 + i;
        const int places = scan.positions[house][digit - 1];
        if (scan.lostPlaces(house, digit) == 0 || bitCount(places) < 2) continue;
        for (int part = 0; part < 3; ++part) {
          // Within a box, its rows or columns; within a line, its three boxes.
          const int mask = pair[0] != kBoxHouse   ? kBoxRowMask[part]
                           : pair[1] == kRowHouse ? kBoxRowMask[part]
                                                  : kBoxColumnMask[part];
          if (places & ~mask) continue;
          int second = 0;
          if (pair[0] == kBoxHouse)
            second = pair[1] * 9 + (pair[1] == kRowHouse ? i / 3 * 3 + part : i % 3 * 3 + part);
          else if (pair[0] == kColumnHouse)
            second = part * 3 + i / 3;
          else
            second = i / 3 * 3 + part;
          takePointing(scan, house, second, digit);
        }
      }
    }
  }
}

void scanHiddenPairs(RuleScan& scan) {
  for (const int house : kSetHouses) {
    if (emptyCells(scan.chains, house) <= 4) continue;
    const CellSet cells = kHouses.houseSets[house];
    const std::uint16_t* places = scan.positions[house];
    for (int high = 2; high <= 9; ++high) {
      if (bitCount(places[high - 1]) < 2) continue;
      for (int low = 1; low < high; ++low) {
        if (bitCount(places[low - 1]) < 2 || bitCount(places[low - 1] | places[high - 1]) != 2 ||
            (scan.lostPlaces(house, low) | scan.lostPlaces(house, high)) == 0)
          continue;
        const CellSet both =
            cells & (scan.chains.workingDigits[low - 1] | scan.chains.workingDigits[high - 1]);
        const int pair = digitBit(low) | digitBit(high);
        startRuleHint(scan.hint);
        forEachCell(both, [&](CellIndex cell) {
          addRuleElimination(scan.hint, cell, scan.chains.working[cell] & ~pair);
        });
        addRuleParents(scan.hint, scan.lost(cells - both, low), low);
        addRuleParents(scan.hint, scan.lost(cells - both, high), high);
        scan.take();
      }
    }
  }
}

void scanNakedPairs(RuleScan& scan) {
  const std::uint16_t* working = scan.chains.working;
  for (const int house : kSetHouses) {
    if (emptyCells(scan.chains, house) < 4) continue;
    for (int high = 1; high < 9; ++high) {
      const int second = kHouses.cells[house][high];
      if ((working[second] & (working[second] - 1)) == 0) continue;
      for (int low = 0; low < high; ++low) {
        const int first = kHouses.cells[house][low];
        const int pair = working[first] | working[second];
        if ((working[first] & (working[first] - 1)) == 0 || !hasTwoDigits(pair)) continue;
        const std::uint16_t* source = scan.chains.source;
        if (((source[first] & ~working[first]) | (source[second] & ~working[second])) == 0)
          continue;
        startRuleHint(scan.hint);
        for (const std::uint8_t cell : kHouses.cells[house]) {
          if (cell != first && cell != second)
            addRuleElimination(scan.hint, cell, working[cell] & pair);
        }
        addRuleCellParents(scan.hint, first, source[first] & ~working[first]);
        addRuleCellParents(scan.hint, second, source[second] & ~working[second]);
        scan.take();
      }
    }
  }
}

void scanXWings(RuleScan& scan) {
  int placed[9] = {};
  for (const std::uint8_t value : scan.chains.value) {
    if (value != 0) ++placed[value - 1];
  }
  // Columns as base lines first, then rows; a line's positions are the
  // indices of the lines across it.
  for (int pass = 0; pass < 2; ++pass) {
    const int baseType = pass == 0 ? kColumnHouse : kRowHouse;
    const int coverType = pass == 0 ? kRowHouse : kColumnHouse;
    for (int high = 1; high < 9; ++high) {
      for (int low = 0; low < high; ++low) {
        for (int digit = 1; digit <= 9; ++digit) {
          if (placed[digit - 1] + 4 > 9) continue;
          const int lowPlaces = scan.positions[baseType * 9 + low][digit - 1];
          const int highPlaces = scan.positions[baseType * 9 + high][digit - 1];
          if (bitCount(lowPlaces) < 2 || bitCount(highPlaces) < 2 ||
              bitCount(lowPlaces | highPlaces) != 2 ||
              (scan.lostPlaces(baseType * 9 + low, digit) |
               scan.lostPlaces(baseType * 9 + high, digit)) == 0)
            continue;
          const int covered = lowPlaces | highPlaces;
          const CellSet bases =
              kHouses.houseSets[baseType * 9 + low] | kHouses.houseSets[baseType * 9 + high];
          const CellSet covers =
              kHouses.houseSets[coverType * 9 + std::countr_zero(unsigned(covered))] |
              kHouses.houseSets[coverType * 9 + 31 - std::countl_zero(unsigned(covered))];
          startRuleHint(scan.hint);
          forEachCell((covers & scan.chains.workingDigits[digit - 1]) - bases, [&](CellIndex cell) {
            addRuleElimination(scan.hint, cell, digitBit(digit));
          });
          addRuleParents(scan.hint, scan.lost(bases - covers, digit), digit);
          scan.take();
        }
      }
    }
  }
}

}  // namespace

int addRuleNodes(ChainWorkspace& chains, ChainRun& run) {
  RuleScan scan{chains, run, {}, false, 0, chains.workingPositions};
  using Rule = void (*)(RuleScan&);
  constexpr Rule kRules[] = {scanPointing, scanHiddenPairs, scanNakedPairs, scanXWings};
  for (const Rule rule : kRules) {
    rule(scan);
    if (scan.usable) return scan.added;
  }
  return -1;
}
