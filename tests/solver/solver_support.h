// What the solver tests share: boards, a literal search, random boards.
#pragma once

#include <random>

#include "state/game_state.h"
#include "tests/support/brute_force.h"
#include "tests/support/game_fixture.h"

// A puzzle the search needs 66774 nodes for: long enough for many progress
// steps.
constexpr const char* kLongPuzzle =
    "................12..3.45.........6.......1....647..8.....2.......8.6.7..1......5.";

// Puts the game in its start state with a puzzle of 81 characters, and no
// other solve asked for while one runs.
void setUpBoard(const char* text);

// What one run of a search reports.
struct SearchResult {
  int nodes;
  int deepestSlot;
  bool found;
  int grid[kCellCount];
};

// The search written step by step from the two passes, over frames of its
// own; the fast search must agree with it node for node.
void referenceSolve(const int board[kCellCount], SearchResult& result);
// The program's own run, on the same board.
void programSolve(const int board[kCellCount], SearchResult& result);

// A random full grid: a known one with its digits relabelled and its rows,
// bands, columns and stacks shuffled, which keeps every unit whole.
void makeRandomGrid(int grid[kCellCount], std::mt19937& random);
// A random board of 18 to 45 clues of a random grid, from many solutions to a
// unique one. Kind 2 adds a wrong clue that clashes with no other clue
// (usually no solution left), kind 3 copies a clue into another cell of its
// row; other kinds add nothing. The tables must be built.
void makeRandomBoard(int board[kCellCount], int kind, std::mt19937& random);
