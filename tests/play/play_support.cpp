// What the game play tests share: the start of a puzzle and readings of the boxes.
#include "tests/play/play_support.h"

#include "model/analysis.h"
#include "model/tables.h"
#include "play/text_panes.h"
#include "state/game_state.h"
#include "tests/support/game_fixture.h"

int solvedDigit(CellIndex cell) {
  return kSolvedGrid[cell] - '0';
}

void clearRecords() {
  fake.recordCount = 0;
  fake.surface.clear();
}

void startPuzzle(const char* text) {
  startFresh(text);
  refreshTextPanes();
  clearRecords();
}

void provideSolvedGridAsSolution() {
  for (int c = 0; c < kCellCount; ++c) game.solution[c] = solvedDigit(c);
  game.solutionFound = true;
}

namespace {

bool allowed(const int* grid, CellIndex cell, int digit) {
  for (int slot = 0; slot < 3; ++slot) {
    for (CellIndex k : kUnitTable[cellUnitMap[cell][slot]]) {
      if (grid[k] == digit) return false;
    }
  }
  return true;
}

bool fillFrom(int* grid, CellIndex cell) {
  while (cell < kCellCount && grid[cell] != 0) ++cell;
  if (cell == kCellCount) return true;
  for (int digit = 1; digit <= 9; ++digit) {
    if (!allowed(grid, cell, digit)) continue;
    grid[cell] = digit;
    if (fillFrom(grid, cell + 1)) return true;
  }
  grid[cell] = 0;
  return false;
}

}  // namespace

bool solveGivensForTest() {
  for (int c = 0; c < kCellCount; ++c) game.solution[c] = game.givens[c];
  game.solutionFound = fillFrom(game.solution, 0);
  return game.solutionFound;
}

std::string boardString() {
  return cellsText(game.board);
}
std::string givensString() {
  return cellsText(game.givens);
}
std::string movesListText() {
  return fake.boxText[kMovesBox];
}
std::string positionBoxText() {
  return fake.boxText[kPositionBox];
}

std::string ninelineText(const std::string& cells) {
  std::string text;
  for (int r = 0; r < 9; ++r) text += cells.substr(std::size_t(r) * 9, 9) + "\r\n";
  return text;
}
