// Tests of the position analysis: candidates, marks, conflicts and colours.
#include <gtest/gtest.h>

#include <cstring>

#include "model/analysis.h"
#include "model/colours.h"
#include "model/tables.h"
#include "state/game_state.h"
#include "tests/support/game_fixture.h"

namespace {

// The player's digits, not givens, from 81 characters.
void setBoard(const char* text) {
  startFresh(kEmptyBoard);
  readCells(text, game.board);
}

}  // namespace

TEST(Analysis, EmptyBoardIsAllPlain) {
  setBoard(".................................................................................");
  analysePosition();
  for (int c = 0; c < kCellCount; ++c) {
    EXPECT_EQ(game.candidates[c], kAllCandidates);
    EXPECT_EQ(game.hiddenSingleDigit[c], 0);
    EXPECT_EQ(game.cellColour[c], kColourPlain);
  }
}

TEST(Analysis, ColourPriorities) {
  // Row 0: 1..8 filled, cell 8 empty: a naked single that is also the only
  // place for 9 in its row.
  setBoard("12345678.........................................................................");
  game.givens[0] = 1;
  analysePosition();
  EXPECT_EQ(game.candidates[8], 1 << 8);
  EXPECT_EQ(game.cellColour[8], kColourNakedSingle);
  EXPECT_EQ(game.hiddenSingleDigit[8], 9);
  EXPECT_EQ(game.cellColour[0], kColourGiven);
  for (int c = 0; c < 8; ++c) {
    EXPECT_EQ(game.candidates[c], 0);
    EXPECT_EQ(game.hiddenSingleDigit[c], 0);
  }
  EXPECT_EQ(game.cellColour[1], kColourPlain);

  // In entry mode the naked single is shown as the hidden single it is too.
  game.entryMode = 1;
  analysePosition();
  EXPECT_EQ(game.cellColour[8], kColourHiddenSingle);

  // Two equal digits in a row: both in error, the given included.
  game.entryMode = 0;
  game.board[5] = 1;
  analysePosition();
  EXPECT_TRUE(isCellInError(0));
  EXPECT_TRUE(isCellInError(5));
  EXPECT_EQ(game.cellColour[0], kColourError);
  EXPECT_EQ(game.cellColour[5], kColourError);
  EXPECT_FALSE(isCellInError(1));
}

TEST(Analysis, EmptyCellWithoutCandidatesIsAnError) {
  // Cell 0 sees 1..4 in its row, 5..8 in its column and 9 in its box.
  setBoard(".................................................................................");
  const int cells[9] = {1, 2, 3, 4, 27, 36, 45, 54, 10};
  for (int i = 0; i < 9; ++i) game.board[cells[i]] = i + 1;
  analysePosition();
  EXPECT_EQ(game.candidates[0], 0);
  EXPECT_TRUE(isCellInError(0));
  EXPECT_EQ(game.cellColour[0], kColourError);
}

TEST(Analysis, LaterUnitAndHigherDigitWinTheHiddenMark) {
  // Cell 0 allows 1 and 2; it is row 0's only place for 2, and column 0's
  // and box 0's only place for 1: the later units' digit stays.
  setBoard(kTwoUnitsMarkOneCell);
  analysePosition();
  EXPECT_EQ(game.candidates[0], 0x3);
  EXPECT_EQ(game.hiddenSingleDigit[0], 1);
  EXPECT_EQ(game.cellColour[0], kColourHiddenSingle);

  // Cell 7 is row 0's only place for both 8 and 9: the higher digit stays.
  setBoard(kOneUnitMarksTwoDigits);
  analysePosition();
  EXPECT_EQ(game.candidates[7], 0x180);
  EXPECT_EQ(game.hiddenSingleDigit[7], 9);
}
