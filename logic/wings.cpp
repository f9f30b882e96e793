#include "logic/house_scan.h"
#include "logic/producers.h"
#include "logic/techniques.h"

namespace {

// An XY-wing (pivot of two digits) or XYZ-wing (three): two bivalue wings
// that see the pivot, the three cells holding three digits between them.
// Wings of unchanged cells alone are passed over.
bool findWing(const LogicGrid& grid, CellSet unchanged, Step& step, bool xyz) {
  const int pivotSize = xyz ? 3 : 2;
  CellSet bivalue{};
  for (CellIndex cell = 0; cell < kCellCount; ++cell) {
    if (bitCount(grid.candidates[cell]) == 2) bivalue.add(cell);
  }
  for (CellIndex pivot = 0; pivot < kCellCount; ++pivot) {
    const int pivotDigits = grid.candidates[pivot];
    if (bitCount(pivotDigits) != pivotSize) continue;
    // The wings in increasing index, as the peers come.
    const CellSet wings = kHouses.peers[pivot] & bivalue;
    const CellSet changedWings = wings - unchanged;
    bool found = false;
    forEachCell(wings, [&](CellIndex first) {
      const int firstDigits = grid.candidates[first];
      if (found || bitCount(pivotDigits & ~firstDigits) != 1) return;
      const bool touched = !unchanged.contains(pivot) || !unchanged.contains(first);
      forEachCell(touched ? wings : changedWings, [&](CellIndex second) {
        const int secondDigits = grid.candidates[second];
        if (found || bitCount(pivotDigits | firstDigits | secondDigits) != 3) return;
        if (bitCount(pivotDigits & firstDigits & secondDigits) != (xyz ? 1 : 0)) return;
        const int z = firstDigits & secondDigits;
        CellSet targets = kHouses.peers[first] & kHouses.peers[second];
        if (xyz) targets = targets & kHouses.peers[pivot];
        targets.remove(pivot);
        CellSet removed{};
        forEachCell(targets, [&](CellIndex cell) {
          if (grid.candidates[cell] & z) removed.add(cell);
        });
        if (removed.empty()) return;
        const Technique technique = xyz ? Technique::kXYZWing : Technique::kXYWing;
        startStep(step, technique, techniqueRating(technique));
        forEachCell(removed, [&](CellIndex cell) { step.eliminations[cell] = std::uint16_t(z); });
        step.digits = pivotDigits | firstDigits | secondDigits;
        addStepCell(step, pivot);
        addStepCell(step, first);
        addStepCell(step, second);
        found = true;
      });
    });
    if (found) return true;
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
