// The minimal form found the plain way: every arrangement built and
// compared, for the tests to hold the fast search to.
#pragma once

#include "state/grid.h"

// The least of the kArrangementCount arrangements of board, each relabelled
// by its digits' first appearance and read row by row; a few hundredths of
// a second a board.
void findFormExhaustively(const int board[kCellCount], int form[kCellCount]);
