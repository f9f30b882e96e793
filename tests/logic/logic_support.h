// What the rating engine's tests share: puzzle lists, solutions, a grid from text.
#pragma once

#include <string>
#include <vector>

#include "logic/logic_context.h"
#include "logic/logic_grid.h"

// The first run of 81 cell characters ('1'-'9', '0' or '.') on each line of
// a list in the repository's data folder, every stride-th line from the
// first, at most limit of them. A missing list fails the test that asks.
std::vector<std::string> readPuzzleSample(const char* listName, int stride, int limit);
// The rating the list gives after the puzzle on each of the same lines, or
// -1 where a line gives none.
std::vector<double> readRatingSample(const char* listName, int stride, int limit);
// The number of solutions of puzzle (81 characters), 0, 1 or 2 for two or
// more, and the first one found in solution.
int solvePuzzle(const std::string& puzzle, int solution[kCellCount]);
void readBoard(const std::string& puzzle, int board[kCellCount]);
// A grid of pencil marks: 81 fields apart by white space, row by row, each
// an empty cell's candidate digits ("158") or a placed digit after a plus
// ("+7"). False when the text is not 81 such fields.
bool readPencilMarks(const char* text, LogicGrid& grid);
