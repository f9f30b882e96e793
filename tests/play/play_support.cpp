#include "tests/play/play_support.h"

#include "model/analysis.h"
#include "model/tables.h"
#include "play/text_panes.h"
#include "tests/fake/fake_platform.h"

int solvedDigit(CellIndex cell) {
  const int r = cell / 9;
  const int c = cell % 9;
  return (3 * r + r / 3 + c) % 9 + 1;
}

void clearRecords() {
  fake.recordCount = 0;
  fake.surface.clear();
}

void startPuzzle(const char* text) {
  resetGameState();
  resetFake();
  for (int c = 0; c < kCellCount; ++c) game.givens[c] = text[c] == '.' ? 0 : text[c] - '0';
  initTables();
  analysePosition();
  refreshTextPanes();
  clearRecords();
}

std::string solvedGridWithout(std::initializer_list<CellIndex> emptyCells) {
  std::string text(kCellCount, '.');
  for (int c = 0; c < kCellCount; ++c) text[c] = char('0' + solvedDigit(c));
  for (CellIndex c : emptyCells) text[c] = '.';
  return text;
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

std::string cellsString(const int* cells) {
  std::string text(kCellCount, '.');
  for (int c = 0; c < kCellCount; ++c) {
    if (cells[c] != 0) text[c] = char('0' + cells[c]);
  }
  return text;
}

}  // namespace

bool solveGivensForTest() {
  for (int c = 0; c < kCellCount; ++c) game.solution[c] = game.givens[c];
  game.solutionFound = fillFrom(game.solution, 0);
  return game.solutionFound;
}

std::string boardString() {
  return cellsString(game.board);
}
std::string givensString() {
  return cellsString(game.givens);
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
