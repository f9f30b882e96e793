// The solver's clock: seconds from the high-resolution counter.
#include "solver/clock.h"

#include "state/game_state.h"
#include "state/platform.h"

double elapsedSeconds() {
  if (game.clockFrequency == 0.0) {
    game.clockFrequency = double(readPerformanceFrequency());
    game.clockStart = readPerformanceCounter();
  }
  return double(readPerformanceCounter() - game.clockStart) / game.clockFrequency;
}
