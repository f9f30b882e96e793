// The 500 ms timer: reads the position box, then starts a requested solve.
#include "ui/timer.h"

#include "play/puzzle_entry.h"
#include "solver/search.h"
#include "state/game_state.h"

void onTimerTick() {
  syncPositionText();
  // A request made while a search runs stays pending; that search gives up
  // at its next progress step and this loop then solves the newer puzzle.
  while (game.pendingSolve && game.solverIdle) {
    game.pendingSolve = false;
    startSolve();
  }
}
