// Boards checked and completed by brute force, sharing nothing with the
// solver, for the tests of every level.
#pragma once

#include "state/grid.h"

// True when some row, column or box holds one digit twice.
bool repeatsInUnit(const int cells[kCellCount]);
// True when grid is full, repeats no digit in a unit and keeps every filled
// cell of board.
bool isCompletionOf(const int grid[kCellCount], const int board[kCellCount]);
// Counts the completions of board, stopping at limit, by plain backtracking
// over the cell with the fewest legal digits; 0 when board repeats a digit.
// The first completion found is written to first when it is given.
int countCompletions(const int board[kCellCount], int limit, int* first = nullptr);
