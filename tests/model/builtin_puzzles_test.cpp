// Tests of the built-in puzzles and of the pick at start.
#include <gtest/gtest.h>

#include "model/builtin_puzzles.h"
#include "state/game_state.h"
#include "tests/fake/fake_platform.h"
#include "tests/support/grid_text.h"

TEST(BuiltInPuzzles, EachLoadsItsCluesAndTheTickPicksThePuzzle) {
  const int clues[kBuiltInPuzzleCount] = {30, 30, 36, 36, 26, 26};
  for (int index = 0; index < kBuiltInPuzzleCount; ++index) {
    resetGameState();
    loadBuiltInPuzzleAt(index);
    int count = 0;
    for (int c = 0; c < kCellCount; ++c) {
      EXPECT_GE(game.givens[c], 0);
      EXPECT_LE(game.givens[c], 9);
      if (game.givens[c] != 0) ++count;
    }
    EXPECT_EQ(count, clues[index]) << "puzzle " << index;
  }

  // Two starts within the same millisecond pick the same puzzle; over many
  // ticks every puzzle comes up.
  resetFake();
  bool picked[kBuiltInPuzzleCount] = {};
  for (std::uint32_t tick = 1000; tick < 1200; ++tick) {
    fake.tickCount = tick;
    loadBuiltInPuzzle();
    int first[kCellCount];
    for (int c = 0; c < kCellCount; ++c) first[c] = game.givens[c];
    loadBuiltInPuzzle();
    for (int c = 0; c < kCellCount; ++c) ASSERT_EQ(game.givens[c], first[c]);
    for (int index = 0; index < kBuiltInPuzzleCount; ++index)
      if (cellsText(game.givens) == kBuiltInPuzzles[index]) picked[index] = true;
  }
  for (bool p : picked) EXPECT_TRUE(p);
}
