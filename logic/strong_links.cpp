// Strong links in one digit chained by weak links: two of them make the
// turbot family (skyscraper, two-string kite, turbot crane and their grouped
// forms), three make the three strong-linked fishes. Either way the digit is
// at one end of the chain or the other, so it leaves the cells that see both.
#include "logic/house_scan.h"
#include "logic/link_sources.h"
#include "logic/producers.h"
#include "logic/techniques.h"

namespace {

struct DigitLinks {
  CellSet all;
  int count[kHouseCount];
  StrongLink links[kHouseCount][2];
  CellSet cells[kHouseCount];
  // By house type, the houses holding a link, in increasing order: the
  // searches walk these alone.
  int linked[3][9];
  int linkedCount[3];
};

void findDigitLinks(const HousePositions& table, int digit, LinkRules rules, DigitLinks& out) {
  out.all = table.digitCells[digit - 1];
  for (int house = 0; house < kHouseCount; ++house) {
    out.cells[house] = out.all & kHouses.houseSets[house];
    out.count[house] =
        findHouseLinks(house, table.positions[house][digit - 1], rules, out.links[house]);
    for (int i = 0; i < out.count[house]; ++i) {
      StrongLink& link = out.links[house][i];
      link.reach = link.ends[0].houses | link.ends[1].houses;
    }
  }
  for (int type = 0; type < 3; ++type) {
    out.linkedCount[type] = 0;
    for (int i = 0; i < 9; ++i) {
      if (out.count[type * 9 + i] > 0) out.linked[type][out.linkedCount[type]++] = i;
    }
  }
}

// What the collect-then-sort producers order by: rating, then more
// eliminations, then a tie-break code; the first found wins a full tie.
struct Rank {
  double rating;
  int eliminations;
  int code;
};

bool isBetter(const Rank& a, const Rank& b) {
  if (a.rating != b.rating) return a.rating < b.rating;
  if (a.eliminations != b.eliminations) return a.eliminations > b.eliminations;
  return a.code < b.code;
}

void addEndNodes(Step& step, const LinkEnd& end, int digit, bool on) {
  for (int i = 0; i < end.count; ++i) addChainNode(step, end.cells[i], digit, on);
}

void addDigitEliminations(Step& step, CellSet cells, int digit) {
  forEachCell(cells, [&](CellIndex cell) { addElimination(step, cell, digit); });
}

constexpr bool isLine(int house) {
  return houseTypeOf(house) != kBoxHouse;
}

// A chain of links as the step records it: each link's entered end is off,
// its other end on, so "start is false" leads to "end is true".
struct LinkChain {
  const LinkEnd* ends[6];
  int houses[5];
  int houseCount;
};

void writeChainStep(Step& step, Technique technique, double rating, int digit, int grouped,
                    const LinkChain& chain, int links, CellSet eliminated) {
  startStep(step, technique, rating);
  step.digits = digitBit(digit);
  step.linkCount = links;
  step.groupedLinkCount = grouped;
  for (int i = 0; i < 2 * links; ++i) {
    addStepCell(step, chain.ends[i]->cells[0]);
    addEndNodes(step, *chain.ends[i], digit, i % 2 == 1);
  }
  for (int i = 0; i < chain.houseCount; ++i) addStepHouse(step, chain.houses[i]);
  addDigitEliminations(step, eliminated, digit);
}

Technique turbotTechnique(int base, int cover, bool baseGrouped, bool coverGrouped) {
  const bool sameType = houseTypeOf(base) == houseTypeOf(cover);
  if (baseGrouped || coverGrouped) {
    if (coverGrouped && !isLine(cover)) return Technique::kGroupedTurbotCrane;
    return sameType ? Technique::kGroupedSkyscraper : Technique::kGroupedTwoStringKite;
  }
  if (!isLine(cover)) return Technique::kTurbotCrane;
  return sameType ? Technique::kSkyscraper : Technique::kTwoStringKite;
}

struct TurbotSearch {
  const LogicGrid* grid;
  DigitLinks links[9];
  bool found;
  Rank best;
  Step* step;
};

// Tries both ways round of a base link and a cover link.
void tryTurbot(TurbotSearch& search, int digit, int base, const StrongLink& baseLink, int cover,
               const StrongLink& coverLink) {
  const Technique technique = turbotTechnique(base, cover, baseLink.grouped, coverLink.grouped);
  const double rating = techniqueRating(technique);
  const int grouped = int(baseLink.grouped) + int(coverLink.grouped);
  if (search.found && rating > search.best.rating) return;
  const CellSet outside = kHouses.houseSets[base] | kHouses.houseSets[cover];
  const CellSet digitCellsLeft = search.links[digit - 1].all - outside;
  for (int s = 0; s < 2; ++s) {
    for (int b = 0; b < 2; ++b) {
      const LinkEnd& start = baseLink.ends[s];
      const LinkEnd& bridge1 = baseLink.ends[1 - s];
      const LinkEnd& bridge2 = coverLink.ends[b];
      const LinkEnd& end = coverLink.ends[1 - b];
      const int shared = joiningHouse(bridge1, bridge2);
      if (shared < 0 || shared == base || shared == cover) continue;
      const CellSet eliminated = digitCellsLeft & start.seenByAll & end.seenByAll;
      if (eliminated.empty()) continue;
      const Rank rank{rating, eliminated.count(), grouped};
      if (search.found && !isBetter(rank, search.best)) continue;
      search.found = true;
      search.best = rank;
      const LinkChain chain{{&start, &bridge1, &bridge2, &end}, {base, cover, shared}, 3};
      writeChainStep(*search.step, technique, rating, digit, grouped, chain, 2, eliminated);
    }
  }
}

// The pairs of house types a base and a cover link are taken from, in order.
constexpr HouseType kTurbotTypes[5][2] = {{kRowHouse, kRowHouse},
                                          {kColumnHouse, kColumnHouse},
                                          {kColumnHouse, kRowHouse},
                                          {kRowHouse, kBoxHouse},
                                          {kColumnHouse, kBoxHouse}};

}  // namespace

bool findTurbotFish(LogicContext& context, const LogicGrid& grid, Step& step) {
  const HousePositions& table = housePositionsOf(context.basics, grid);
  TurbotSearch search;
  search.grid = &grid;
  search.found = false;
  search.step = &step;
  const int unchanged = context.unchangedDigits;
  for (int digit = 1; digit <= 9; ++digit) {
    if (!(unchanged & digitBit(digit)))
      findDigitLinks(table, digit, LinkRules::kTurbot, search.links[digit - 1]);
  }
  for (const auto& types : kTurbotTypes) {
    for (int digit = 1; digit <= 9; ++digit) {
      if (unchanged & digitBit(digit)) continue;
      const DigitLinks& links = search.links[digit - 1];
      for (int bi = 0; bi < links.linkedCount[types[0]]; ++bi) {
        const int b = links.linked[types[0]][bi];
        const int base = types[0] * 9 + b;
        for (int i = 0; i < links.count[base]; ++i) {
          for (int ci = types[0] == types[1] ? bi + 1 : 0; ci < links.linkedCount[types[1]]; ++ci) {
            const int c = links.linked[types[1]][ci];
            const int cover = types[1] * 9 + c;
            if (!(links.cells[base] & links.cells[cover]).empty()) continue;
            for (int j = 0; j < links.count[cover]; ++j) {
              // The two middle ends must share a house.
              if ((links.links[base][i].reach & links.links[cover][j].reach) == 0) continue;
              tryTurbot(search, digit, base, links.links[base][i], cover, links.links[cover][j]);
            }
          }
        }
      }
    }
  }
  return search.found;
}

namespace {

// The house types of three links, box 0, row 1, column 2, in the order tried.
constexpr int kThreeLinkTypes[10][3] = {{0, 0, 0}, {0, 0, 1}, {0, 0, 2}, {0, 1, 1}, {0, 1, 2},
                                        {0, 2, 2}, {1, 1, 1}, {1, 1, 2}, {1, 2, 2}, {2, 2, 2}};
// The orders three links are chained in; each other order is one of these reversed.
constexpr int kLinkOrders[3][3] = {{0, 1, 2}, {1, 0, 2}, {0, 2, 1}};

// The tie-break code of a chain's house types: the least of the types in
// chain order and reversed, with rows and columns swapped or not.
int typeCode(const int types[3]) {
  int least = 999;
  for (int swap = 0; swap < 2; ++swap) {
    int t[3];
    for (int i = 0; i < 3; ++i) t[i] = swap != 0 && types[i] != 0 ? 3 - types[i] : types[i];
    const int forward = t[0] * 100 + t[1] * 10 + t[2];
    const int backward = t[2] * 100 + t[1] * 10 + t[0];
    least = forward < least ? forward : least;
    least = backward < least ? backward : least;
  }
  return least;
}

Technique threeLinkTechnique(const int houses[3], int grouped, double& rating) {
  int boxes = 0;
  int rows = 0;
  for (int i = 0; i < 3; ++i) {
    boxes += houseTypeOf(houses[i]) == kBoxHouse;
    rows += houseTypeOf(houses[i]) == kRowHouse;
  }
  const Technique technique = grouped > 0              ? Technique::kGroupedThreeStrongLinks
                              : boxes > 0              ? Technique::kThreeStrongLinks
                              : rows == 0 || rows == 3 ? Technique::kThreeSkyscrapers
                                                       : Technique::kThreeStringKite;
  rating = techniqueRating(technique);
  return technique;
}

struct ThreeLinkSearch {
  const DigitLinks* links;
  bool found;
  Rank best;
  Step* step;
};

// Three links chain in some order only when two of their pairs share a
// house at an end: the middle one's with each of the others.
bool canChain(const StrongLink* const links[3]) {
  const bool ab = (links[0]->reach & links[1]->reach) != 0;
  const bool bc = (links[1]->reach & links[2]->reach) != 0;
  const bool ac = (links[0]->reach & links[2]->reach) != 0;
  return int(ab) + int(bc) + int(ac) >= 2;
}

void tryThreeLinks(ThreeLinkSearch& search, int digit, const int houses[3],
                   const StrongLink* const links[3]) {
  const int grouped = int(links[0]->grouped) + int(links[1]->grouped) + int(links[2]->grouped);
  double rating;
  const Technique technique = threeLinkTechnique(houses, grouped, rating);
  if (search.found && rating > search.best.rating) return;
  const CellSet outside =
      kHouses.houseSets[houses[0]] | kHouses.houseSets[houses[1]] | kHouses.houseSets[houses[2]];
  const CellSet digitCellsLeft = search.links->all - outside;
  const std::uint32_t reach[3] = {links[0]->reach, links[1]->reach, links[2]->reach};
  for (const auto& order : kLinkOrders) {
    // Links that share no house at any end cannot follow one another.
    if ((reach[order[0]] & reach[order[1]]) == 0 || (reach[order[1]] & reach[order[2]]) == 0)
      continue;
    int types[3];
    for (int i = 0; i < 3; ++i) types[i] = houseTypeOf(houses[order[i]]);
    const int code = grouped * 1000 + typeCode(types);
    // What the chain's two ends could remove, by which way round the first
    // and the last link are turned: most chains remove nothing either way.
    CellSet reachable[2][2];
    bool anyReachable = false;
    for (int first = 0; first < 2; ++first) {
      for (int last = 0; last < 2; ++last) {
        reachable[first][last] = digitCellsLeft & links[order[0]]->ends[first].seenByAll &
                                 links[order[2]]->ends[1 - last].seenByAll;
        anyReachable = anyReachable || !reachable[first][last].empty();
      }
    }
    if (!anyReachable) continue;
    for (int turn = 0; turn < 8; ++turn) {
      const CellSet& ahead = reachable[turn >> 2 & 1][turn & 1];
      if (ahead.empty()) continue;
      // Bit 2 turns the first link of the chain round, bit 0 the last.
      const LinkEnd* ends[6];
      for (int i = 0; i < 3; ++i) {
        const int flip = turn >> (2 - i) & 1;
        ends[2 * i] = &links[order[i]]->ends[flip];
        ends[2 * i + 1] = &links[order[i]]->ends[1 - flip];
      }
      const int join1 = joiningHouse(*ends[1], *ends[2]);
      if (join1 < 0) continue;
      const int join2 = joiningHouse(*ends[3], *ends[4]);
      if (join2 < 0) continue;
      const CellSet eliminated = ahead - kHouses.houseSets[join1] - kHouses.houseSets[join2];
      if (eliminated.empty()) continue;
      const Rank rank{rating, eliminated.count(), code};
      if (search.found && !isBetter(rank, search.best)) continue;
      search.found = true;
      search.best = rank;
      LinkChain chain{{ends[0], ends[1], ends[2], ends[3], ends[4], ends[5]},
                      {houses[order[0]], houses[order[1]], houses[order[2]], join1, join2},
                      5};
      writeChainStep(*search.step, technique, rating, digit, grouped, chain, 3, eliminated);
    }
  }
}

}  // namespace

bool findThreeStrongLinks(LogicContext& context, const LogicGrid& grid, Step& step) {
  const HousePositions& table = housePositionsOf(context.basics, grid);
  ThreeLinkSearch search;
  search.found = false;
  search.step = &step;
  DigitLinks all[9];
  const int unchanged = context.unchangedDigits;
  for (int digit = 1; digit <= 9; ++digit) {
    if (!(unchanged & digitBit(digit)))
      findDigitLinks(table, digit, LinkRules::kThreeLinks, all[digit - 1]);
  }
  for (const auto& types : kThreeLinkTypes) {
    for (int digit = 1; digit <= 9; ++digit) {
      if (unchanged & digitBit(digit)) continue;
      const DigitLinks& links = all[digit - 1];
      search.links = &links;
      int houses[3];
      const StrongLink* chosen[3];
      for (int a1 = 0; a1 < links.linkedCount[types[0]]; ++a1) {
        const int i1 = links.linked[types[0]][a1];
        houses[0] = types[0] * 9 + i1;
        const CellSet taken1 = links.cells[houses[0]];
        for (int c1 = 0; c1 < links.count[houses[0]]; ++c1) {
          chosen[0] = &links.links[houses[0]][c1];
          // Houses of one type come in increasing order, each after the last.
          for (int a2 = types[1] == types[0] ? a1 + 1 : 0; a2 < links.linkedCount[types[1]]; ++a2) {
            const int i2 = links.linked[types[1]][a2];
            houses[1] = types[1] * 9 + i2;
            if (!(links.cells[houses[1]] & taken1).empty()) continue;
            const CellSet taken2 = taken1 | links.cells[houses[1]];
            for (int c2 = 0; c2 < links.count[houses[1]]; ++c2) {
              chosen[1] = &links.links[houses[1]][c2];
              for (int a3 = types[2] == types[1] ? a2 + 1 : 0; a3 < links.linkedCount[types[2]];
                   ++a3) {
                const int i3 = links.linked[types[2]][a3];
                houses[2] = types[2] * 9 + i3;
                if (!(links.cells[houses[2]] & taken2).empty()) continue;
                for (int c3 = 0; c3 < links.count[houses[2]]; ++c3) {
                  chosen[2] = &links.links[houses[2]][c3];
                  if (canChain(chosen)) tryThreeLinks(search, digit, houses, chosen);
                }
              }
            }
          }
        }
      }
    }
  }
  return search.found;
}
