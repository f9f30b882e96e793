#include "logic/house_scan.h"
#include "logic/producers.h"
#include "logic/techniques.h"

namespace {

struct AlignedCells {
  // The cells that may be aligned, in increasing index, and the cells that
  // can exclude their digits: peers of two digits (pairs) or two or three.
  int count;
  std::uint8_t list[kCellCount];
  bool isBase[kCellCount];
  CellSet excluders[kCellCount];
};

void findAlignedCells(const LogicGrid& grid, int largestExcluder, AlignedCells& out) {
  CellSet small{};
  CellSet single{};
  for (CellIndex cell = 0; cell < kCellCount; ++cell) {
    const int count = bitCount(grid.candidates[cell]);
    if (count >= 2 && count <= largestExcluder) small.add(cell);
    if (count == 1) single.add(cell);
  }
  out.count = 0;
  for (CellIndex cell = 0; cell < kCellCount; ++cell) {
    out.excluders[cell] = kHouses.peers[cell] & small;
    out.isBase[cell] = bitCount(grid.candidates[cell]) >= 2 && !out.excluders[cell].empty() &&
                       (kHouses.peers[cell] & single).empty();
    if (out.isBase[cell]) out.list[out.count++] = std::uint8_t(cell);
  }
}

// Removes from each aligned cell the digits no allowed combination gives it;
// false when that removes nothing.
bool reportExclusion(const LogicGrid& grid, Step& step, Technique technique, const int* cells,
                     const int* allowed, int count) {
  int removed = 0;
  for (int i = 0; i < count; ++i) removed |= grid.candidates[cells[i]] & ~allowed[i];
  if (removed == 0) return false;
  startStep(step, technique, techniqueRating(technique));
  for (int i = 0; i < count; ++i)
    step.eliminations[cells[i]] = std::uint16_t(grid.candidates[cells[i]] & ~allowed[i]);
  for (int i = 0; i < count; ++i) addStepCell(step, cells[i]);
  return true;
}

// Whether a set holds two cells or more, without counting them all.
bool hasTwoCells(CellSet set) {
  const std::uint64_t rest = set.word[0] & (set.word[0] - 1);
  return set.word[0] != 0 ? (rest | set.word[1]) != 0 : (set.word[1] & (set.word[1] - 1)) != 0;
}

// The candidate sets of the common excluders; a combination of digits that
// holds all of one of them would leave that excluder empty. Those with a
// digit outside the aligned cells' own never empty and are left out.
int excluderMasks(const LogicGrid& grid, CellSet common, int alignedDigits, int masks[kCellCount]) {
  int count = 0;
  forEachCell(common, [&](CellIndex cell) {
    if ((grid.candidates[cell] & ~alignedDigits) == 0) masks[count++] = grid.candidates[cell];
  });
  return count;
}

// The digits that, joined to digits, would hold all of an excluder's
// candidates; every digit when digits alone hold one's.
int emptyingDigits(const int* masks, int count, int digits) {
  int emptying = 0;
  for (int i = 0; i < count; ++i) {
    const int rest = masks[i] & ~digits;
    if (rest == 0) return 0777;
    if ((rest & (rest - 1)) == 0) emptying |= rest;
  }
  return emptying;
}

}  // namespace

bool findAlignedPairExclusion(LogicContext&, const LogicGrid& grid, Step& step) {
  AlignedCells aligned;
  findAlignedCells(grid, 2, aligned);
  int masks[kCellCount];
  for (int j = 1; j < aligned.count; ++j) {
    for (int i = 0; i < j; ++i) {
      const int cells[2] = {aligned.list[i], aligned.list[j]};
      const CellSet common = aligned.excluders[cells[0]] & aligned.excluders[cells[1]];
      if (!hasTwoCells(common)) continue;
      const int maskCount =
          excluderMasks(grid, common, grid.candidates[cells[0]] | grid.candidates[cells[1]], masks);
      const bool peers = sees(cells[0], cells[1]);
      int allowed[2] = {0, 0};
      // For each digit of the first cell, the second cell's digits that go with it.
      for (int ps = grid.candidates[cells[0]]; ps != 0; ps &= ps - 1) {
        const int p = ps & -ps;
        const int qs =
            grid.candidates[cells[1]] & ~(peers ? p : 0) & ~emptyingDigits(masks, maskCount, p);
        if (qs == 0) continue;
        allowed[0] |= p;
        allowed[1] |= qs;
      }
      if (reportExclusion(grid, step, Technique::kAlignedPairExclusion, cells, allowed, 2))
        return true;
    }
  }
  return false;
}

bool findAlignedTripletExclusion(LogicContext&, const LogicGrid& grid, Step& step) {
  AlignedCells aligned;
  findAlignedCells(grid, 3, aligned);
  int masks[kCellCount];
  for (int j = 1; j < aligned.count; ++j) {
    for (int i = 0; i < j; ++i) {
      const int first = aligned.list[i];
      const int second = aligned.list[j];
      const CellSet pairCommon = aligned.excluders[first] & aligned.excluders[second];
      if (!hasTwoCells(pairCommon)) continue;
      // The third cell comes from the first cell's excluders, then the
      // second's that the first lacks.
      int thirds[2 * kPeerCount];
      int thirdCount = 0;
      forEachCell(aligned.excluders[first], [&](CellIndex cell) { thirds[thirdCount++] = cell; });
      forEachCell(aligned.excluders[second] - aligned.excluders[first],
                  [&](CellIndex cell) { thirds[thirdCount++] = cell; });
      for (int k = 0; k < thirdCount; ++k) {
        const int third = thirds[k];
        if (!aligned.isBase[third] || third == first || third == second) continue;
        const CellSet common = pairCommon & aligned.excluders[third];
        if (!hasTwoCells(common)) continue;
        const int cells[3] = {first, second, third};
        const int maskCount = excluderMasks(
            grid, common, grid.candidates[first] | grid.candidates[second] | grid.candidates[third],
            masks);
        const bool peers01 = sees(first, second);
        const bool peers02 = sees(first, third);
        const bool peers12 = sees(second, third);
        int allowed[3] = {0, 0, 0};
        // For each digit of the first cell and the second, the third cell's
        // digits that go with them; stops once every candidate is allowed.
        auto allowCombinations = [&] {
          for (int ps = grid.candidates[first]; ps != 0; ps &= ps - 1) {
            const int p = ps & -ps;
            for (int qs = grid.candidates[second]; qs != 0; qs &= qs - 1) {
              const int q = qs & -qs;
              if (p == q && peers01) continue;
              const int rs = grid.candidates[third] & ~(peers02 ? p : 0) & ~(peers12 ? q : 0) &
                             ~emptyingDigits(masks, maskCount, p | q);
              if (rs == 0) continue;
              allowed[0] |= p;
              allowed[1] |= q;
              allowed[2] |= rs;
              if (allowed[0] == grid.candidates[first] && allowed[1] == grid.candidates[second] &&
                  allowed[2] == grid.candidates[third])
                return;
            }
          }
        };
        allowCombinations();
        if (reportExclusion(grid, step, Technique::kAlignedTripletExclusion, cells, allowed, 3))
          return true;
      }
    }
  }
  return false;
}
