// The maker's searches on the solver's propagation: a random solved grid,
// and whether a puzzle has a solution other than a known one.
#pragma once

#include "generator/random.h"
#include "state/solver_frame.h"

// One frame per search level; each level places at least one digit.
struct SearchFrames {
  SolverFrame level[kCellCount + 1];
};

// A solved grid drawn at random: a search from the empty grid that tries
// each cell's digits in random order, then a random relabelling of the
// digits and reordering of bands, stacks, rows and columns, and a random
// transposition, so that no cell order of the search shows.
void makeSolvedGrid(SearchFrames& frames, Random& random, int grid[kCellCount]);
// True when board (0 for empty, the listed cells among them), which grid
// solves, has another solution that differs from grid in some listed cell. When the board without
// those cells had grid as its only solution, any other solution must differ
// there, so this tells whether emptying them kept the puzzle unique.
bool hasOtherSolution(SearchFrames& frames, const int board[kCellCount], const int grid[kCellCount],
                      const CellIndex* cells, int count);
// True when naked and hidden singles alone fill the board.
bool solvedBySingles(SearchFrames& frames, const int board[kCellCount]);
