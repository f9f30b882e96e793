// The status line's text under the board: the solver's verdict, time and nodes.
#include <cstdio>

#include "ui/status_line.h"

#include "state/game_state.h"

void formatStatusLine() {
  if (game.entryMode) {
    game.statusText[0] = '\0';
    return;
  }
  const char* verdict = !game.solverIdle     ? "Searching for the solution."
                        : game.solutionFound ? "Solution found!"
                                             : "No solution found. Invalid puzzle.";
  std::snprintf(game.statusText, sizeof game.statusText, "%s (%0.5f seconds, %d nodes)", verdict,
                game.solveSeconds, game.nodeCount);
}
