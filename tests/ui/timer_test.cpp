#include <cstring>

#include "model/builtin_puzzles.h"
#include "play/position_text.h"
#include "tests/ui/ui_fixture.h"
#include "ui/timer.h"

namespace {

void pastePosition(const char* text) {
  std::snprintf(fake.boxText[kPositionBox], FakePlatform::kBoxSize, "%s", text);
}

bool solutionMatches(const char* text) {
  for (int c = 0; c < kCellCount; ++c)
    if (game.solution[c] != text[c] - '0') return false;
  return true;
}

}  // namespace

using Timer = UiTest;

TEST_F(Timer, ReadsThePositionBoxBeforeSolving) {
  loadSolvedGridWithout({});
  char puzzle[kCellCount + 1];
  std::memcpy(puzzle, kSolvedGrid, sizeof puzzle);
  for (int c = 0; c < kCellCount; c += 2) puzzle[c] = '.';
  pastePosition(puzzle);

  onTimerTick();
  EXPECT_EQ(fake.records[0].call, PlatformCall::kGetTextBoxText);
  EXPECT_FALSE(game.pendingSolve);
  EXPECT_TRUE(game.solverIdle);
  EXPECT_TRUE(game.solutionFound);
  EXPECT_TRUE(solutionMatches(kSolvedGrid));
  EXPECT_EQ(game.board[0], 0);
  EXPECT_EQ(countCalls(PlatformCall::kBeep), 0);
  EXPECT_EQ(std::strncmp(game.statusText, "Solution found! (", 17), 0);

  // Nothing pending: the next tick reads the box and solves nothing.
  const int nodes = game.nodeCount;
  game.nodeCount = -1;
  onTimerTick();
  EXPECT_EQ(game.nodeCount, -1);
  game.nodeCount = nodes;
}

TEST_F(Timer, ABusySolverLeavesTheRequestPendingWithoutABeep) {
  game.solverIdle = false;
  game.pendingSolve = true;
  onTimerTick();
  EXPECT_TRUE(game.pendingSolve);
  EXPECT_EQ(countCalls(PlatformCall::kBeep), 0);
  EXPECT_EQ(game.nodeCount, 0);
}
