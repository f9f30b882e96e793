#include "logic/house_scan.h"
#include "logic/producers.h"
#include "logic/techniques.h"

namespace {

// An XY-wing (pivot of two digits) or XYZ-wing (three): two bivalue wings
// that see the pivot, the three cells holding three digits between them.
// Wings of unchanged cells alone are passed over.
bool findWing(const LogicGrid& grid, CellSet unchanged, Step& step, bool xyz) {
  const int pivotSize = xyz ? 3 : 2;
  for (CellIndex pivot = 0; pivot < kCellCount; ++pivot) {
    const int pivotDigits = grid.candidates[pivot];
    if (bitCount(pivotDigits) != pivotSize) continue;
    for (const int first : kHouses.peerList[pivot]) {
      const int firstDigits = grid.candidates[first];
      if (bitCount(firstDigits) != 2 || bitCount(pivotDigits & ~firstDigits) != 1) continue;
      const bool touched = !unchanged.contains(pivot) || !unchanged.contains(first);
      for (const int second : kHouses.peerList[pivot]) {
        const int secondDigits = grid.candidates[second];
        if (bitCount(secondDigits) != 2 || !(touched || !unchanged.contains(second))) continue;
        if (bitCount(pivotDigits | firstDigits | secondDigits) != 3) continue;
        if (bitCount(pivotDigits & firstDigits & secondDigits) != (xyz ? 1 : 0)) continue;
        const int z = firstDigits & secondDigits;
        CellSet targets = kHouses.peers[first] & kHouses.peers[second];
        if (xyz) targets = targets & kHouses.peers[pivot];
        targets.remove(pivot);
        CellSet removed{};
        forEachCell(targets, [&](CellIndex cell) {
          if (grid.candidates[cell] & z) removed.add(cell);
        });
        if (removed.empty()) continue;
        const Technique technique = xyz ? Technique::kXYZWing : Technique::kXYWing;
        startStep(step, technique, techniqueRating(technique));
        forEachCell(removed, [&](CellIndex cell) { step.eliminations[cell] = std::uint16_t(z); });
        step.digits = pivotDigits | firstDigits | secondDigits;
        addStepCell(step, pivot);
        addStepCell(step, first);
        addStepCell(step, second);
        return true;
      }
    }
  }
  return false;
}

}  // namespace

bool findXYWing(LogicContext& context, const LogicGrid& grid, Step& step) {
  return findWing(grid, context.unchangedCells, step, false);
}

bool findXYZWing(LogicContext& context, const LogicGrid& grid, Step& step) {
  return findWing(grid, context.unchangedCells, step, true);
}
