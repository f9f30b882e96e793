// vantric-print's input: the puzzles of its files, each solved and checked.
#pragma once

#include <vector>

#include "cli/rating_fields.h"
#include "state/grid.h"

// A run prints at most this many: 10000 grids make 1667 pages at six a page.
constexpr int kMaxPrintPuzzles = 10000;

struct PrintPuzzle {
  // 0 for an empty cell.
  signed char givens[kCellCount];
  signed char solution[kCellCount];
  bool rated;
  LineRating rating;
};

// The exit status for a line that is not a puzzle of one solution, or for
// an input without a puzzle.
constexpr int kStatusNotPrintable = 1;
// And for an input that cannot be opened or read, as for wrong arguments.
constexpr int kStatusUnreadableInput = 2;

// Reads the named inputs in turn, or standard input when none is named,
// and solves every puzzle. Each line that is not a puzzle with exactly one
// solution is named on standard error, and so is every input that cannot be
// read; the exit status is the worst any of them called for, 0 when all is
// well.
int readPrintPuzzles(char* const* names, int count, std::vector<PrintPuzzle>& puzzles);
