// What the game play tests share: the start of a puzzle and readings of the boxes.
#pragma once

#include <string>

#include "state/game_state.h"
#include "tests/support/grid_text.h"

// The digit of a cell in kSolvedGrid.
int solvedDigit(CellIndex cell);

// Starts from process defaults with givens read from 81 characters ('.' for
// empty), the analysis done and both boxes filled as at window creation;
// the fake's records are then cleared.
void startPuzzle(const char* text);
// Makes the solved grid the solver's answer.
void provideSolvedGridAsSolution();
// Solves givens by brute force into game.solution; false if none.
bool solveGivensForTest();

// The 81 cells of board as characters, '.' for empty.
std::string boardString();
std::string givensString();
// What the fake's two boxes hold now.
std::string movesListText();
std::string positionBoxText();
// Forgets what the fake recorded so far.
void clearRecords();
