// What the game play tests share: the start of a puzzle and readings of the boxes.
#include "tests/play/play_support.h"

#include "model/analysis.h"
#include "play/text_panes.h"
#include "state/game_state.h"
#include "tests/support/brute_force.h"
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

bool solveGivensForTest() {
  game.solutionFound = countCompletions(game.givens, 1, game.solution) == 1;
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
