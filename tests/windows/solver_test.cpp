// The solver as the i686 program runs it under Windows: the same node counts
// as the native build, and a clock that never goes back.
#include <gtest/gtest.h>

#include <string>

#include "model/builtin_puzzles.h"
#include "model/tables.h"
#include "solver/clock.h"
#include "solver/search.h"
#include "state/game_state.h"
#include "state/platform.h"
#include "tests/support/brute_force.h"
#include "tests/support/grid_text.h"

namespace {

void solveText(const char* text) {
  resetGameState();
  initTables();
  readCells(text, game.board);
  // A pending request would make the search give itself up at node 1024.
  game.pendingSolve = false;
  startSolve();
}

struct Expected {
  const char* puzzle;
  int nodes;
  bool found;
};

// Node counts of the native build for hard puzzles with long searches.
constexpr Expected kHardPuzzles[] = {
    {"........8..3...4...9..2..6.....79.......612...6.5.2.7...8...5...1.....2.4.5.....3", 1387,
     true},
    {"........2..8.1.9..5....3.4....1.93...6..3..8...37......4......53.1.7.8..2........", 24, true},
    {"..2...7...1.....6.5......18....37.......49.....41.23....3.2.9...8.....5.6.......2", 483,
     true},
    {"..3......4...8..36..8...1...4..6..73...9..........2.....4.7..686...2....7..6..5..", 3411,
     true},
    {"1...............12..3.45........63...1.2......4.....7....8.....7...1....8.9...5..", 5934,
     false},
};

}  // namespace

TEST(WindowsSolver, BuiltInPuzzlesNeedTheNativeNodeCounts) {
  const int nodes[kBuiltInPuzzleCount] = {6, 1, 1, 1, 1, 3};
  const int slots[kBuiltInPuzzleCount] = {4, 0, 0, 0, 0, 2};
  for (int i = 0; i < kBuiltInPuzzleCount; ++i) {
    solveText(kBuiltInPuzzles[i]);
    EXPECT_TRUE(game.solutionFound) << i;
    EXPECT_EQ(game.nodeCount, nodes[i]) << i;
    EXPECT_EQ(game.deepestSlot, slots[i]) << i;
    EXPECT_STREQ(std::string(game.statusText).substr(0, 16).c_str(), "Solution found! ") << i;
  }
}

TEST(WindowsSolver, EmptyBoardTakes48NodesAndGivesTheKnownFirstRows) {
  solveText(std::string(81, '.').c_str());
  EXPECT_TRUE(game.solutionFound);
  EXPECT_EQ(game.nodeCount, 48);
  EXPECT_EQ(game.deepestSlot, 47);
  const int firstRows[18] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 4, 5, 6, 7, 8, 9, 1, 2, 3};
  for (int c = 0; c < 18; ++c) EXPECT_EQ(game.solution[c], firstRows[c]) << c;
  const int lastRow[9] = {9, 6, 8, 3, 4, 1, 5, 7, 2};
  for (int k = 0; k < 9; ++k) EXPECT_EQ(game.solution[72 + k], lastRow[k]) << k;
}

TEST(WindowsSolver, HardPuzzlesNeedTheNativeNodeCounts) {
  for (const Expected& expected : kHardPuzzles) {
    solveText(expected.puzzle);
    EXPECT_EQ(game.nodeCount, expected.nodes) << expected.puzzle;
    EXPECT_EQ(game.solutionFound, expected.found) << expected.puzzle;
    EXPECT_TRUE(game.solverIdle);
    if (game.solutionFound) {
      EXPECT_TRUE(isCompletionOf(game.solution, game.board)) << expected.puzzle;
    }
  }
}

TEST(WindowsSolver, PerformanceCounterClockIsMonotonic) {
  EXPECT_GT(readPerformanceFrequency(), 0);
  // Stored readings: the x87 registers would otherwise compare a value with
  // excess precision against its own rounded copy.
  volatile double previous = elapsedSeconds();
  for (int i = 0; i < 100000; ++i) {
    const volatile double now = elapsedSeconds();
    ASSERT_GE(now, previous);
    previous = now;
  }
  std::int64_t before = readPerformanceCounter();
  for (int i = 0; i < 1000; ++i) {
    const std::int64_t now = readPerformanceCounter();
    ASSERT_GE(now, before);
    before = now;
  }
}
