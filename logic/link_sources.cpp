#include "logic/link_sources.h"

#include <bit>
#include <initializer_list>

namespace {

// Box positions by box row and by box column, as position masks.
constexpr int kBoxRow[3] = {0007, 0070, 0700};
constexpr int kBoxColumn[3] = {0111, 0222, 0444};

void addEndCell(LinkEnd& end, CellIndex cell) {
  end.cells[end.count++] = std::uint8_t(cell);
  end.houses &= houseBitsOf(cell);
  end.seenByAll = end.seenByAll & kHouses.peers[cell];
}

void startEnd(LinkEnd& end) {
  end.count = 0;
  end.houses = (std::uint32_t(1) << kHouseCount) - 1;
  end.seenByAll = {{~std::uint64_t(0), ~std::uint64_t(0)}};
}

// An end of the house's cells at the given positions, in position order,
// after the cell at lead when lead is not negative.
void makeEnd(LinkEnd& end, int house, int positions, int lead = -1) {
  startEnd(end);
  if (lead >= 0) addEndCell(end, kHouses.cells[house][lead]);
  for (int bits = positions; bits != 0; bits &= bits - 1)
    addEndCell(end, kHouses.cells[house][std::countr_zero(unsigned(bits))]);
}

void makeLink(StrongLink& link, int house, int first, int second, bool grouped) {
  makeEnd(link.ends[0], house, first);
  makeEnd(link.ends[1], house, second);
  link.grouped = grouped;
}

// A line whose positions fill exactly two of its three segments links them.
int lineLinks(int house, int positions, StrongLink links[2]) {
  int empty = 0;
  while (empty < 3 && (positions >> (3 * empty) & 7) != 0) ++empty;
  if (empty == 3) return 0;
  const int low = empty == 0 ? 1 : 0;
  const int high = empty == 2 ? 1 : 2;
  const int lowCells = positions & (7 << (3 * low));
  const int highCells = positions & (7 << (3 * high));
  if (lowCells == 0 || highCells == 0) return 0;
  makeLink(links[0], house, lowCells, highCells, true);
  return 1;
}

// The first heart whose row and column hold every position, or -1.
int heartOf(int positions) {
  for (int heart = 0; heart < 9; ++heart) {
    const int cross = kBoxRow[heart / 3] | kBoxColumn[heart % 3];
    if ((positions & ~cross) == 0) return heart;
  }
  return -1;
}

// A link from one arm to the heart with the other arm, led by the heart or
// by the other arm's first cell.
void armToHeart(StrongLink& link, int house, int arm, int otherArm, int heart, bool heartLeads) {
  const int lead = heartLeads ? heart : std::countr_zero(unsigned(otherArm));
  makeEnd(link.ends[0], house, arm);
  makeEnd(link.ends[1], house, (otherArm | 1 << heart) & ~(1 << lead), lead);
  link.grouped = true;
}

// The box links around a heart. Two arms of two cells each link to each
// other when the heart is empty of the digit; an arm of one cell links to
// the heart with the other arm, for the turbot family both ways when both
// arms are single cells, for the three-link fishes only from the row arm.
int heartLinks(int house, int positions, int heart, LinkRules rules, StrongLink links[2]) {
  const int heartBit = 1 << heart;
  const int columnArm = positions & kBoxColumn[heart % 3] & ~heartBit;
  const int rowArm = positions & kBoxRow[heart / 3] & ~heartBit;
  if (columnArm == 0 || rowArm == 0) return 0;
  const bool singleColumn = bitCount(columnArm) == 1;
  const bool singleRow = bitCount(rowArm) == 1;
  if (!singleColumn && !singleRow) {
    if ((positions & heartBit) == 0) {
      makeLink(links[0], house, columnArm, rowArm, true);
      return 1;
    }
    // The rating scale's grader links the two arms here too, but the digit
    // may be in the heart: each arm links to the heart with the other arm.
    armToHeart(links[0], house, columnArm, rowArm, heart, false);
    armToHeart(links[1], house, rowArm, columnArm, heart, false);
    return 2;
  }
  const bool turbot = rules == LinkRules::kTurbot;
  int count = 0;
  if (singleColumn && (turbot || !singleRow))
    armToHeart(links[count++], house, columnArm, rowArm, heart, turbot);
  if (singleRow) armToHeart(links[count++], house, rowArm, columnArm, heart, turbot);
  return count;
}

int usedSegments(int positions, const int segments[3]) {
  return ((positions & segments[0]) != 0) + ((positions & segments[1]) != 0) +
         ((positions & segments[2]) != 0);
}

// Two parallel box segments holding every position: the first empty row
// from the bottom, then the first empty column from the right.
int parallelLinks(int house, int positions, StrongLink links[2]) {
  for (const int* segments : {kBoxRow, kBoxColumn}) {
    for (int empty = 2; empty >= 0; --empty) {
      if ((positions & segments[empty]) != 0) continue;
      const int first = positions & segments[empty == 0 ? 1 : 0];
      const int second = positions & segments[empty == 2 ? 1 : 2];
      if (first == 0 || second == 0) return 0;
      makeLink(links[0], house, first, second, true);
      // The four corners of a rectangle link both ways.
      if (bitCount(positions) != 4 || usedSegments(positions, kBoxRow) != 2 ||
          usedSegments(positions, kBoxColumn) != 2)
        return 1;
      const int* crossing = segments == kBoxRow ? kBoxColumn : kBoxRow;
      int across[2];
      int found = 0;
      for (int k = 0; k < 3; ++k) {
        if ((positions & crossing[k]) != 0) across[found++] = positions & crossing[k];
      }
      makeLink(links[1], house, across[0], across[1], true);
      return 2;
    }
  }
  return 0;
}

}  // namespace

int findHouseLinks(int house, int positions, LinkRules rules, StrongLink links[2]) {
  const int count = bitCount(positions);
  if (count == 2) {
    const int first = positions & -positions;
    if (rules == LinkRules::kThreeLinks && houseTypeOf(house) == kBoxHouse) {
      const int a = std::countr_zero(unsigned(positions));
      const int b = std::countr_zero(unsigned(positions & ~first));
      if (a / 3 == b / 3 || a % 3 == b % 3) return 0;
    }
    makeLink(links[0], house, first, positions & ~first, false);
    return 1;
  }
  if (count < 3) return 0;
  if (houseTypeOf(house) != kBoxHouse) return count <= 6 ? lineLinks(house, positions, links) : 0;
  if (count > (rules == LinkRules::kTurbot ? 5 : 6)) return 0;
  const int heart = heartOf(positions);
  if (heart >= 0) return heartLinks(house, positions, heart, rules, links);
  if (rules == LinkRules::kTurbot || count < 4) return 0;
  return parallelLinks(house, positions, links);
}

int joiningHouse(const LinkEnd& a, const LinkEnd& b) {
  const std::uint32_t shared = a.houses & b.houses;
  if (shared == 0) return -1;
  constexpr std::uint32_t kNine = 0777;
  for (int type : {kColumnHouse, kRowHouse, kBoxHouse}) {
    const std::uint32_t ofType = shared >> (9 * type) & kNine;
    if (ofType != 0) return 9 * type + std::countr_zero(ofType);
  }
  return -1;
}
