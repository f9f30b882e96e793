// A player's position against its puzzle and the puzzle's one solution, and
// the grid of pencil marks a hint or a rating starts from.
#pragma once

#include <string>

#include "cli/puzzle_line.h"
#include "logic/logic_grid.h"

// Appends a line, indented as an explanation's steps are, for each cell of
// the position that does not hold its given ("  r1c3 should hold the given
// 5"), each digit it repeats in a house ("  r1c1 r1c5 repeat 5 in row 1"),
// each digit of the player's that is not the solution's ("  r3c4=7 is
// wrong") and each candidate an empty cell's pencil marks leave out that is
// the solution's digit ("  r5c6<>4 is wrong: ..."). True when it appended any.
bool appendPositionFaults(const GridText& puzzle, const GridText& position,
                          const int solution[kCellCount], std::string& out);
// The repeated digits alone, as above; true when there is one.
bool appendRepeatedDigits(const std::int8_t values[kCellCount], std::string& out);
bool isFullGrid(const GridText& grid);
// The grid the rater starts from: the position's digits and in each empty
// cell, with pencil marks, its marks but the digits its peers hold, as a
// player's eraser would leave them; without, every digit no peer holds.
void readPositionGrid(const GridText& position, LogicGrid& grid);
