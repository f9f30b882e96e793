// The symmetries a made puzzle's clues follow, and the cells each one ties
// together.
#pragma once

#include <cstdint>

#include "state/grid.h"

// kMirror reflects left to right (column c and 8 - c), kDiagonal across the
// main diagonal (row and column swap), kRotate90 turns a quarter (and so a
// half); kAny stands for one of the five, drawn for each puzzle.
enum class Symmetry : std::uint8_t { kNone, kRotate180, kRotate90, kMirror, kDiagonal, kAny };

constexpr int kFixedSymmetryCount = 5;
constexpr int kMaxOrbitSize = 4;

// The cells a symmetry maps onto one another: a clue's orbit is given or
// empty as a whole.
struct Orbits {
  int count;
  int size[kCellCount];
  CellIndex cells[kCellCount][kMaxOrbitSize];
};

// The orbits of a fixed symmetry (not kAny), each listing its lowest cell
// first.
void findOrbits(Symmetry symmetry, Orbits& orbits);
// The option word: none, rotate180, rotate90, mirror, diagonal, any.
const char* symmetryName(Symmetry symmetry);
// False when text names no symmetry.
bool readSymmetryName(const char* text, Symmetry* symmetry);
