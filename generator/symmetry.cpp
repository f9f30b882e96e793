#include "generator/symmetry.h"

#include <cstring>

namespace {

const char* const kNames[] = {"none", "rotate180", "rotate90", "mirror", "diagonal", "any"};

// The image of a cell under the symmetry's generator.
CellIndex imageOf(Symmetry symmetry, CellIndex cell) {
  const int row = cell / 9;
  const int column = cell % 9;
  switch (symmetry) {
    case Symmetry::kRotate180:
      return kCellCount - 1 - cell;
    case Symmetry::kRotate90:
      return column * 9 + (8 - row);
    case Symmetry::kMirror:
      return row * 9 + (8 - column);
    case Symmetry::kDiagonal:
      return column * 9 + row;
    default:
      return cell;
  }
}

}  // namespace

void findOrbits(Symmetry symmetry, Orbits& orbits) {
  bool placed[kCellCount] = {};
  orbits.count = 0;
  for (CellIndex cell = 0; cell < kCellCount; ++cell) {
    if (placed[cell]) continue;
    const int orbit = orbits.count++;
    orbits.size[orbit] = 0;
    // Each generator is of order 2 or 4, so repeating it walks the orbit.
    for (CellIndex image = cell; !placed[image]; image = imageOf(symmetry, image)) {
      placed[image] = true;
      orbits.cells[orbit][orbits.size[orbit]++] = image;
    }
  }
}

const char* symmetryName(Symmetry symmetry) {
  return kNames[int(symmetry)];
}

bool readSymmetryName(const char* text, Symmetry* symmetry) {
  for (int i = 0; i <= int(Symmetry::kAny); ++i) {
    if (std::strcmp(text, kNames[i]) == 0) {
      *symmetry = Symmetry(i);
      return true;
    }
  }
  return false;
}
