// Tests of the grid's geometry tables.
#include <gtest/gtest.h>

#include <cstdint>

#include "model/tables.h"
#include "state/bit_count.h"
#include "state/game_state.h"

TEST(Tables, UnitsCellMapAndBitCounts) {
  resetGameState();
  for (int c = 0; c < kCellCount; ++c) game.givens[c] = c % 10;
  initTables();

  EXPECT_EQ(kUnitTable[9][1], 9);
  EXPECT_EQ(kUnitTable[18][3], 9);
  const int box19[9] = {3, 4, 5, 12, 13, 14, 21, 22, 23};
  const int box26[9] = {60, 61, 62, 69, 70, 71, 78, 79, 80};
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(kUnitTable[19][i], box19[i]);
    EXPECT_EQ(kUnitTable[26][i], box26[i]);
  }
  const int expected[3][4] = {{0, 0, 9, 18}, {40, 4, 13, 22}, {80, 8, 17, 26}};
  for (const auto& e : expected)
    for (int slot = 0; slot < 3; ++slot) EXPECT_EQ(cellUnitMap[e[0]][slot], e[slot + 1]);

  // Every cell lies in exactly one row, one column and one box.
  int seen[kCellCount] = {};
  for (int u = 0; u < kUnitCount; ++u)
    for (int i = 0; i < 9; ++i) ++seen[kUnitTable[u][i]];
  for (int c = 0; c < kCellCount; ++c) {
    EXPECT_EQ(seen[c], 3);
    EXPECT_EQ(cellUnitMap[c][2], 18 + boxOf(c));
  }

  EXPECT_EQ(bitCount(0), 0);
  EXPECT_EQ(bitCount(511), 9);
  EXPECT_EQ(bitCount(256), 1);
  EXPECT_EQ(bitCount(0x155), 5);
  EXPECT_EQ(wordBitCount(0), 0);
  EXPECT_EQ(wordBitCount(~std::uint64_t(0)), 64);
  EXPECT_EQ(wordBitCount(0x8000000100000001u), 3);

  for (int c = 0; c < kCellCount; ++c) EXPECT_EQ(game.board[c], game.givens[c]);
}
