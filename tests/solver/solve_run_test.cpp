// Tests of a solve run as the window sees it: pumping, status line, abandoning.
#include <gtest/gtest.h>

#include <cstring>

#include "model/builtin_puzzles.h"
#include "solver/clock.h"
#include "solver/message_pump.h"
#include "solver/search.h"
#include "state/game_state.h"
#include "tests/fake/fake_platform.h"
#include "tests/solver/solver_support.h"
#include "ui/status_line.h"

namespace {

// How often the status line was drawn with a text starting with prefix.
int statusDraws(const char* prefix) {
  int n = 0;
  for (int i = 0; i < fake.surface.count; ++i) {
    const DrawCall& call = fake.surface.calls[i];
    if (call.op == DrawOp::kTextOut && std::strncmp(call.text, prefix, std::strlen(prefix)) == 0)
      ++n;
  }
  return n;
}

int dispatchedAt[64];
int dispatchCount;
char textDuringRun[kStatusTextSize];

void noteDispatch() {
  if (dispatchCount < 64) dispatchedAt[dispatchCount] = game.nodeCount;
  ++dispatchCount;
}

// Every progress step of a run is an eighth of a second of fake time.
void useEighthSecondSteps() {
  fake.frequency = 1000;
  fake.counterStep = 125;
}

}  // namespace

TEST(SolveRun, ShortRunNeverPumpsAndRepaintsOnceAtItsEnd) {
  setUpBoard(kBuiltInPuzzles[0]);
  fake.pendingMessages = 5;
  startSolve();
  EXPECT_EQ(game.nodeCount, 6);
  EXPECT_EQ(countCalls(PlatformCall::kDispatchNextMessage), 0);
  EXPECT_EQ(countCalls(PlatformCall::kInvalidateStatusLine), 0);
  EXPECT_EQ(statusDraws("Solution found! ("), 1);
  EXPECT_EQ(statusDraws("Searching"), 0);
  EXPECT_EQ(fake.pendingMessages, 5);

  // A last reading below the first, as x87 precision can give, is no time
  // rather than a negative one.
  fake.counterStep = -1;
  startSolve();
  EXPECT_EQ(game.solveSeconds, 0.0);
}

TEST(SolveRun, LongRunHasAProgressStepEvery1024Nodes) {
  setUpBoard(kLongPuzzle);
  // Half a second per step: every step redraws the status line.
  fake.frequency = 1000;
  fake.counterStep = 500;
  dispatchCount = 0;
  fake.onDispatch = [] {
    noteDispatch();
    formatStatusLine();
    std::strcpy(textDuringRun, game.statusText);
    // A handler that posts two more messages: they are dispatched in the
    // same step.
    if (dispatchCount == 1) fake.pendingMessages += 2;
  };
  fake.pendingMessages = 1;
  startSolve();
  EXPECT_EQ(game.nodeCount, 66774);
  EXPECT_TRUE(game.solutionFound);
  ASSERT_EQ(dispatchCount, 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(dispatchedAt[i], 1024);
  EXPECT_EQ(std::strncmp(textDuringRun, "Searching for the solution. (", 29), 0) << textDuringRun;
  EXPECT_NE(std::strstr(textDuringRun, ", 1024 nodes)"), nullptr) << textDuringRun;
  EXPECT_EQ(statusDraws("Solution found! ("), 1);
  int steps = 0;
  for (int i = 0; i < fake.recordCount; ++i) {
    if (fake.records[i].call != PlatformCall::kInvalidateStatusLine) continue;
    ++steps;
    EXPECT_EQ(fake.records[i].nodeCount, steps * kNodesPerProgressStep);
  }
  EXPECT_EQ(steps, 66774 / kNodesPerProgressStep);
}

TEST(SolveRun, StatusLineIsInvalidatedOnlyAfterAQuarterSecond) {
  setUpBoard(kLongPuzzle);
  useEighthSecondSteps();
  startSolve();
  // Steps at 0.125 s, 0.25 s, ...: a redraw needs strictly more than 0.25 s
  // since the last one, so every third step redraws.
  const int steps = game.nodeCount / kNodesPerProgressStep;
  int expected = 0;
  for (int i = 0; i < fake.recordCount; ++i) {
    const PlatformRecord& record = fake.records[i];
    if (record.call != PlatformCall::kInvalidateStatusLine) continue;
    ++expected;
    EXPECT_EQ(record.nodeCount, expected * 3 * kNodesPerProgressStep);
    EXPECT_EQ(record.drawCallCount, 0);
  }
  EXPECT_EQ(expected, steps / 3);
  EXPECT_DOUBLE_EQ(game.solveSeconds, 0.125 * (steps + 1));
  EXPECT_DOUBLE_EQ(game.nextStatusRedraw, 0.125 * (steps / 3 * 3) + 0.25);
}

TEST(SolveRun, SecondSolveDuringARunBeepsAndChangesNothing) {
  setUpBoard(kLongPuzzle);
  fake.pendingMessages = 1;
  fake.onDispatch = [] {
    for (int c = 0; c < kCellCount; ++c) game.board[c] = 0;
    startSolve();
  };
  startSolve();
  ASSERT_EQ(countCalls(PlatformCall::kBeep), 1);
  EXPECT_EQ(lastCall(PlatformCall::kBeep)->number, kBeepDefault);
  EXPECT_EQ(lastCall(PlatformCall::kBeep)->nodeCount, 1024);
  EXPECT_EQ(game.nodeCount, 66774);
  EXPECT_EQ(game.deepestSlot, 24);
  EXPECT_TRUE(game.solutionFound);
  int givens[kCellCount];
  readCells(kLongPuzzle, givens);
  EXPECT_TRUE(isCompletionOf(game.solution, givens));
}

TEST(SolveRun, NewerPuzzleAbandonsTheRun) {
  setUpBoard(kEmptyBoard);
  startSolve();
  int earlier[kCellCount];
  for (int c = 0; c < kCellCount; ++c) earlier[c] = game.solution[c];

  readCells(kLongPuzzle, game.board);
  resetFake();
  useEighthSecondSteps();
  fake.pendingMessages = 1;
  fake.onDispatch = [] { game.pendingSolve = true; };
  startSolve();
  EXPECT_TRUE(game.solveAbandoned);
  EXPECT_EQ(game.nodeCount, 1024);
  EXPECT_EQ(game.searchDepth, 0);
  EXPECT_TRUE(game.solverIdle);
  EXPECT_FALSE(game.solutionFound);
  EXPECT_GT(game.solveSeconds, 0.0);
  EXPECT_EQ(fake.surface.count, 0) << "an abandoned run shows no verdict";
  for (int c = 0; c < kCellCount; ++c) EXPECT_EQ(game.solution[c], earlier[c]);

  // The next run is a normal one again.
  game.pendingSolve = false;
  fake.onDispatch = nullptr;
  readCells(kBuiltInPuzzles[5], game.board);
  startSolve();
  EXPECT_FALSE(game.solveAbandoned);
  EXPECT_EQ(game.nodeCount, 3);
  EXPECT_TRUE(game.solutionFound);
  EXPECT_EQ(statusDraws("Solution found! ("), 1);
}

TEST(SolveRun, ClockCountsFromItsFirstReading) {
  setUpBoard(kEmptyBoard);
  fake.frequency = 1000;
  fake.counter = 5000;
  fake.counterStep = 250;
  EXPECT_DOUBLE_EQ(elapsedSeconds(), 0.25);
  EXPECT_DOUBLE_EQ(elapsedSeconds(), 0.5);
  EXPECT_DOUBLE_EQ(game.clockFrequency, 1000.0);
  EXPECT_EQ(game.clockStart, 5250);
}

TEST(MessagePump, BlockingFormDispatchesOneMessage) {
  setUpBoard(kEmptyBoard);
  fake.pendingMessages = 3;
  pumpMessages(true);
  EXPECT_EQ(countCalls(PlatformCall::kDispatchNextMessage), 1);
  pumpMessages(false);
  EXPECT_EQ(countCalls(PlatformCall::kDispatchNextMessage), 3);
  pumpMessages(false);
  EXPECT_EQ(countCalls(PlatformCall::kDispatchNextMessage), 3);
}
