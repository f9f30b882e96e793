// Tests of the 500 ms timer tick: reading the box, then solving.
#include <cstring>

#include "model/builtin_puzzles.h"
#include "play/position_text.h"
#include "state/game_state.h"
#include "tests/ui/ui_fixture.h"
#include "ui/timer.h"

namespace {

void pastePosition(const char* text) {
  std::snprintf(fake.boxText[kPositionBox], FakePlatform::kBoxSize, "%s", text);
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
  EXPECT_EQ(cellsText(game.solution), kSolvedGrid);
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

namespace {

// No solution, and the search needs about 1500 nodes to find that out, so it
// reaches the progress step at node 1024.
const char kLongUnsolvable[] =
    "5.3......9..6...38....5.2.4..1...82.................5.....8..45.2...59..6.......7";
char pastedPuzzle[kCellCount + 1];

void pasteAndTick() {
  pastePosition(pastedPuzzle);
  onTimerTick();
}

}  // namespace

TEST_F(Timer, APuzzlePastedDuringASearchIsSolvedByTheSameTick) {
  loadPuzzle(kLongUnsolvable);
  std::memcpy(pastedPuzzle, kSolvedGrid, sizeof pastedPuzzle);
  for (int c = 0; c < kCellCount; c += 3) pastedPuzzle[c] = '.';
  fake.pendingMessages = 1;
  fake.onDispatch = pasteAndTick;

  onTimerTick();
  ASSERT_EQ(countCalls(PlatformCall::kDispatchNextMessage), 1);
  EXPECT_EQ(lastCall(PlatformCall::kDispatchNextMessage)->nodeCount, 1024);
  EXPECT_EQ(game.board[0], 0);
  EXPECT_EQ(game.board[1], 2);
  EXPECT_FALSE(game.pendingSolve);
  EXPECT_TRUE(game.solverIdle);
  EXPECT_TRUE(game.solutionFound);
  EXPECT_EQ(cellsText(game.solution), kSolvedGrid);
  EXPECT_EQ(countCalls(PlatformCall::kBeep), 0);
  // The abandoned run's verdict never reaches the status line.
  bool verdictOfOldPuzzle = false;
  for (int i = 0; i < fake.surface.count; ++i)
    if (std::strncmp(fake.surface.calls[i].text, "No solution", 11) == 0) verdictOfOldPuzzle = true;
  EXPECT_FALSE(verdictOfOldPuzzle);
  EXPECT_EQ(std::strncmp(fake.surface.calls[fake.surface.count - 1].text, "Solution found!", 15),
            0);
}
