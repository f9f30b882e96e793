// Boards written as 81 characters, shared by the tests of every level.
#pragma once

#include <initializer_list>
#include <string>

#include "state/game_state.h"

// A solved grid; most test puzzles are made by blanking some of it.
inline constexpr char kSolvedGrid[] =
    "123456789456789123789123456231674895875912364694538217317265948542897631968341572";
inline constexpr char kEmptyBoard[] =
    ".................................................................................";

// Cell 0 allows 1 and 2; row 0 has no other place for 2, column 0 and box 0
// none for 1.
inline constexpr char kTwoUnitsMarkOneCell[] =
    ".56...3497...2....8.........1...........................1........................";
// Row 0's only place for 8 and for 9 is cell 7.
inline constexpr char kOneUnitMarksTwoDigits[] =
    "1234567............................8........9....................................";

// Reads 81 characters: '1'-'9' a digit, anything else an empty cell.
void readCells(const char* text, int cells[kCellCount]);
// The 81 cells as characters, '.' for an empty one.
std::string cellsText(const int cells[kCellCount]);
// kSolvedGrid with the listed cells left empty.
std::string solvedGridWithout(std::initializer_list<CellIndex> blanks);
// 81 cell characters as nine lines of nine, the layout of the position box.
std::string ninelineText(const std::string& cells);
