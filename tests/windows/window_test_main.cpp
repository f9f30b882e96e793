// Opens the real main window in this process, as WinMain does without its
// loop, waits for the first timer tick's solve, then runs the tests.
#include <gtest/gtest.h>

#include <cstdio>

#include "state/game_state.h"
#include "tests/windows/window_support.h"
#include "tests/windows/window_test_state.h"
#include "ui/win32/front_end.h"
#include "ui/win32/main_window.h"
#include "ui/win32/startup.h"

StartState startState;

namespace {

double secondsSince(LARGE_INTEGER start) {
  LARGE_INTEGER now;
  LARGE_INTEGER frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return double(now.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

double secondsSinceProcessCreation() {
  FILETIME created;
  FILETIME unused;
  GetProcessTimes(GetCurrentProcess(), &created, &unused, &unused, &unused);
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  const auto ticks = [](FILETIME t) {
    return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  return double(ticks(now) - ticks(created)) / 1e7;
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  startState.startUpResult = startUp(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
  if (startState.startUpResult != 0) {
    std::fprintf(stderr, "start-up failed with %d\n", startState.startUpResult);
    return 1;
  }
  UpdateWindow(frontEnd.mainWindow);
  startState.firstPaintSeconds = secondsSince(start);
  startState.firstPaintSinceProcessStart = secondsSinceProcessCreation();
  std::printf(
      "[ measured ] first full paint %.4f s after start-up began, %.4f s after the "
      "process was created\n",
      startState.firstPaintSeconds, startState.firstPaintSinceProcessStart);
  for (int c = 0; c < kCellCount; ++c) startState.loadedBoard[c] = game.board[c];
  startState.solvedByFirstTick =
      pumpUntil([] { return game.nodeCount > 0 && game.solverIdle; }, 20000);
  startState.statusAfterFirstTick = game.statusText;
  startState.solutionFoundAfterFirstTick = game.solutionFound;
  installProbe();
  installBoxWatchdog();
  return RUN_ALL_TESTS();
}
