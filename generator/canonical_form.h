// The minimal lexicographic form of a puzzle: one board for each class of
// puzzles that relabelling and rearranging turn into one another.
#pragma once

#include "generator/canonical_arrangement.h"
#include "state/grid.h"

// The arrangements of a board's cells that keep every unit a unit: the
// bands, the rows in each band, the stacks, the columns in each stack (6^8)
// and the transposition (2). Each takes any relabelling of the digits too.
constexpr int kArrangementCount = 3359232;

// The arrangements tied on the least rows so far that the search keeps
// from one row to the next. Boards with more ties (few clues with many
// symmetries) finish the arrangements past this depth first, one at a time;
// the tests build a copy that keeps one, to send every tie that way.
#ifndef VANTRIC_KEPT_ARRANGEMENTS
#define VANTRIC_KEPT_ARRANGEMENTS 256
#endif
constexpr int kKeptArrangements = VANTRIC_KEPT_ARRANGEMENTS;

// What one thread finds forms with: about 50 KB, taken once.
struct CanonicalWorkspace {
  CanonicalArrangement kept[2][kKeptArrangements];
};

// The least board, read row by row with an empty cell as 0, among every
// arrangement and relabelling of board (0 for empty, 1-9 a digit; any
// board, with or without a solution, a repeated digit too); form takes it in
// the same notation. It allocates nothing: beside the workspace the search
// keeps a few hundred bytes a level on the stack, and goes about twenty
// levels deep.
void findCanonicalForm(CanonicalWorkspace& workspace, const int board[kCellCount],
                       int form[kCellCount]);
// The form as 81 characters, '1'-'9' a digit and '.' an empty cell, without
// a terminating zero.
void writeFormText(const int form[kCellCount], char text[kCellCount]);
