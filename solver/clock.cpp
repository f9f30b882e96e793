#include "solver/search.h"
#include "ui/platform.h"

double elapsedSeconds() {
  if (game.clockFrequency == 0.0) {
    game.clockFrequency = double(readPerformanceFrequency());
    game.clockStart = readPerformanceCounter();
  }
  return double(readPerformanceCounter() - game.clockStart) / game.clockFrequency;
}
