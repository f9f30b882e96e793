// The basic techniques a dynamic chain of level 1 and above runs on its
// working grid when its links stall: each elimination becomes an off node
// whose parents are the removed candidates the pattern needs.
#include "logic/chain_engine.h"

namespace {

constexpr int kMaxRuleParents = 64;

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
    if (hint.parentCount < kMaxRuleParents)
      hint.parents[hint.parentCount++] = std::uint16_t(chainNode(cell, digit, false));
  });
}

void addRuleCellParents(RuleHint& hint, int cell, int digits) {
  for (; digits != 0; digits &= digits - 1) {
    if (hint.parentCount < kMaxRuleParents)
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

void scanPointing(RuleScan& scan) {
  constexpr int kPairs[4][2] = {{kBoxHouse, kColumnHouse},
                                {kBoxHouse, kRowHouse},
                                {kColumnHouse, kBoxHouse},
                                {kRowHouse, kBoxHouse}};
  for (const auto& pair : kPairs) {
    for (int digit = 1; digit <= 9; ++digit) {
      const CellSet digitCells = scan.chains.workingDigits[digit - 1];
      for (int i = 0; i < 9; ++i) {
        const CellSet first = kHouses.houseSets[pair[0] * 9 + i];
        const CellSet places = first & digitCells;
        if (!hasSeveralCells(places)) continue;
        for (int j = 0; j < 9; ++j) {
          const CellSet second = kHouses.houseSets[pair[1] * 9 + j];
          if ((first & second).empty() || !(places - second).empty()) continue;
          startRuleHint(scan.hint);
          forEachCell((second & digitCells) - first, [&](CellIndex cell) {
            addRuleElimination(scan.hint, cell, digitBit(digit));
          });
          addRuleParents(scan.hint, scan.lost(first - second, digit), digit);
          scan.take();
        }
      }
    }
  }
}

void scanHiddenPairs(RuleScan& scan) {
  for (const int house : kSetHouses) {
    if (emptyCells(scan.chains, house) <= 4) continue;
    const CellSet cells = kHouses.houseSets[house];
    for (int high = 2; high <= 9; ++high) {
      for (int low = 1; low < high; ++low) {
        const CellSet lowPlaces = cells & scan.chains.workingDigits[low - 1];
        const CellSet highPlaces = cells & scan.chains.workingDigits[high - 1];
        const CellSet both = lowPlaces | highPlaces;
        if (!hasSeveralCells(lowPlaces) || !hasSeveralCells(highPlaces) || !hasTwoCells(both))
          continue;
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
        startRuleHint(scan.hint);
        for (const std::uint8_t cell : kHouses.cells[house]) {
          if (cell != first && cell != second)
            addRuleElimination(scan.hint, cell, working[cell] & pair);
        }
        addRuleCellParents(scan.hint, first, scan.chains.source[first] & ~working[first]);
        addRuleCellParents(scan.hint, second, scan.chains.source[second] & ~working[second]);
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
  // Columns as base lines first, then rows.
  for (int pass = 0; pass < 2; ++pass) {
    const int baseType = pass == 0 ? kColumnHouse : kRowHouse;
    const int coverType = pass == 0 ? kRowHouse : kColumnHouse;
    for (int high = 1; high < 9; ++high) {
      for (int low = 0; low < high; ++low) {
        const CellSet bases =
            kHouses.houseSets[baseType * 9 + low] | kHouses.houseSets[baseType * 9 + high];
        for (int digit = 1; digit <= 9; ++digit) {
          if (placed[digit - 1] + 4 > 9) continue;
          const CellSet digitCells = scan.chains.workingDigits[digit - 1];
          const CellSet lowPlaces = kHouses.houseSets[baseType * 9 + low] & digitCells;
          const CellSet highPlaces = kHouses.houseSets[baseType * 9 + high] & digitCells;
          if (!hasSeveralCells(lowPlaces) || !hasSeveralCells(highPlaces)) continue;
          CellSet covers{};
          int coverCount = 0;
          forEachCell(lowPlaces | highPlaces, [&](CellIndex cell) {
            const int cover = kHouses.houses[cell][coverType];
            if (!(covers & kHouses.houseSets[cover]).empty()) return;
            covers = covers | kHouses.houseSets[cover];
            ++coverCount;
          });
          if (coverCount != 2) continue;
          startRuleHint(scan.hint);
          forEachCell((covers & digitCells) - bases, [&](CellIndex cell) {
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
  RuleScan scan{chains, run, {}, false, 0};
  using Rule = void (*)(RuleScan&);
  constexpr Rule kRules[] = {scanPointing, scanHiddenPairs, scanNakedPairs, scanXWings};
  for (const Rule rule : kRules) {
    rule(scan);
    if (scan.usable) return scan.added;
  }
  return 0;
}
