// Random play against the history's invariants.
#include <gtest/gtest.h>

#include <random>

#include "play/move_history.h"
#include "play/position_text.h"
#include "state/game_state.h"
#include "tests/fake/fake_platform.h"
#include "tests/play/play_support.h"

namespace {

const char kPuzzle[] =
    "..18....7..5..62.....2....8.1..49..66..7....98..6...4.5....1.....64..8..9....36..";

void expectInvariants(int step) {
  int expected[kCellCount];
  for (int c = 0; c < kCellCount; ++c) expected[c] = game.givens[c];
  for (int i = 0; i < game.moveCount; ++i) {
    expected[game.moveHistory[i].cell] = game.moveHistory[i].value;
  }
  int readBack[kCellCount];
  ASSERT_TRUE(parsePositionText(fake.boxText[kPositionBox], readBack)) << "step " << step;
  for (int c = 0; c < kCellCount; ++c) {
    ASSERT_EQ(game.board[c], expected[c]) << "cell " << c << " at step " << step;
    ASSERT_EQ(readBack[c], game.board[c]) << "cell " << c << " at step " << step;
  }
  ASSERT_GE(game.redoCount, 0);
  ASSERT_LE(game.moveCount + game.redoCount, kMaxMoves) << "step " << step;
}

}  // namespace

// Random play over few cells, so that moves repeat undone ones by chance,
// and long enough that the history fills up more than once.
TEST(HistoryProperty, BoardIsGivensWithTheMovesInEffect) {
  for (unsigned seed = 1; seed <= 3; ++seed) {
    startPuzzle(kPuzzle);
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> action(0, 99);
    std::uniform_int_distribution<int> cell(0, 11);
    std::uniform_int_distribution<int> value(0, 9);
    bool reachedLimit = false;
    for (int step = 0; step < 4000; ++step) {
      const int roll = action(random);
      if (roll < 70) {
        setCell(cell(random), value(random));
      } else if (roll < 85) {
        undoMove();
      } else {
        redoMove();
      }
      reachedLimit = reachedLimit || game.moveCount == kMaxMoves;
      clearRecords();
      expectInvariants(step);
      if (HasFatalFailure()) return;
    }
    EXPECT_TRUE(reachedLimit) << "seed " << seed;
  }
}
