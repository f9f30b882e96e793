// The page's side panel: a hint, the explanation and the rating of the
// position on the board, and new puzzles by difficulty, all from the rating
// engine and the maker. It runs in the page's worker, and natively in tests.
#pragma once

#include <cstdint>

#include "generator/difficulties.h"
#include "generator/puzzle_maker.h"
#include "state/game_state.h"

// Room for an explanation: about a hundred steps of the longest chains.
// A longer one is cut, and says so on its last line.
constexpr int kPanelTextSize = 256 * 1024;

// What the board marks for a hint, by cell.
enum PanelMark : std::uint8_t { kMarkNone, kMarkPattern, kMarkRemoval, kMarkPlacement, kMarkWrong };

struct PanelAnswer {
  char text[kPanelTextSize];
  PanelMark marks[kCellCount];
  // A made puzzle, 81 characters with '.' for empty; empty otherwise.
  char puzzle[kCellCount + 1];
};

// Everything one request works in; prepared once with preparePanel.
struct PanelWorkspace {
  MakerWorkspace maker;
  GameState solver;
};

// Candidates a request tries before it gives up on a difficulty.
constexpr int kMakeAttempts = 20000;

void preparePanel(PanelWorkspace& workspace);
// The next step from board, the givens with the player's digits, as the
// rater takes it; or the first cell whose digit is not the solution's.
void writeHint(PanelWorkspace& workspace, const int givens[kCellCount], const int board[kCellCount],
               PanelAnswer& answer);
// Every step from board to the solution, then the rating of that path.
void writeExplanation(PanelWorkspace& workspace, const int givens[kCellCount],
                      const int board[kCellCount], PanelAnswer& answer);
// The puzzle's rating and hardest technique, as vantric-solve --rate gives them.
void writeRating(PanelWorkspace& workspace, const int givens[kCellCount], PanelAnswer& answer);
// A new puzzle of difficulty (an index into kDifficulties) from seed.
void makePanelPuzzle(PanelWorkspace& workspace, int difficulty, std::uint64_t seed,
                     PanelAnswer& answer);
