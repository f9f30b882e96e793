// The one process-wide record and its values at process start.
#include "state/game_state.h"

#include <cstring>

GameState game;

void resetGameState() {
  std::memset(&game, 0, sizeof game);
  game.solverIdle = true;
  game.pendingSolve = true;
  game.hoverCell = kNoCell;
  game.showLegalMoves = 1;
  game.showColors = 1;
  game.layout.dpi = 96;
}

namespace {
// The fields that do not start at zero get their values before main runs.
[[maybe_unused]] const bool initialValuesSet = (resetGameState(), true);
}  // namespace
