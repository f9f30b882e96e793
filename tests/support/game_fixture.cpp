// The start of every native test: a fresh game, a quiet fake and a puzzle.
#include "tests/support/game_fixture.h"

#include "model/analysis.h"
#include "model/tables.h"
#include "state/game_state.h"

void loadPuzzle(const char* text) {
  readCells(text, game.givens);
  initTables();
  analysePosition();
}

void startFresh(const char* text) {
  resetGameState();
  resetFake();
  loadPuzzle(text);
}
