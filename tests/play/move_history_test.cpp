// Tests of setCell, undo, redo and the history's limit.
#include <gtest/gtest.h>

#include "play/move_history.h"
#include "state/game_state.h"
#include "tests/fake/fake_platform.h"
#include "tests/play/play_support.h"

namespace {

// Built-in puzzle 0: cell 0 is empty, cell 1 holds the given 7.
const char kPuzzle[] =
    ".7...9..2.2.7....9.8..4.63..6...52...1..7..9...2.61.8..96.8..7.8....7.2.1..9...6.";

// Fills the history with moves on cell 0 that leave it empty again.
void fillHistory() {
  for (int i = 0; i < kMaxMoves; ++i) setCell(0, i % 2 == 0 ? 1 : 0);
  ASSERT_EQ(game.moveCount, kMaxMoves);
  ASSERT_EQ(game.board[0], 0);
  clearRecords();
}

}  // namespace

TEST(MoveHistory, MoveIsRecordedThenAnalysedRepaintedAndListed) {
  startPuzzle(kPuzzle);
  setCell(21, 4);
  EXPECT_EQ(game.moveCount, 1);
  EXPECT_EQ(game.board[21], 4);
  EXPECT_EQ(game.givens[21], 0);
  EXPECT_EQ(game.candidates[21], 0);

  // Text boxes come last, after the repaint has drawn.
  ASSERT_EQ(fake.recordCount, 2);
  EXPECT_EQ(fake.records[0].call, PlatformCall::kSetTextBoxTextAtEnd);
  EXPECT_EQ(fake.records[0].number, unsigned(kMovesBox));
  EXPECT_GT(fake.records[0].drawCallCount, 0);
  EXPECT_EQ(fake.records[1].call, PlatformCall::kSetTextBoxText);
  EXPECT_EQ(fake.records[1].number, unsigned(kPositionBox));
  EXPECT_EQ(movesListText(), "1. (4, 3) = 4\r\n");
}

TEST(MoveHistory, FullHistoryBeepsButReSettingIsSilent) {
  startPuzzle(kPuzzle);
  fillHistory();
  const std::string before = boardString();

  setCell(5, 3);
  EXPECT_EQ(countCalls(PlatformCall::kBeep), 1);
  EXPECT_EQ(lastCall(PlatformCall::kBeep)->number, kBeepDefault);
  EXPECT_EQ(boardString(), before);
  EXPECT_EQ(game.moveCount, kMaxMoves);
  EXPECT_EQ(fake.surface.count, 0);

  clearRecords();
  setCell(1, 7);
  setCell(0, 0);
  EXPECT_EQ(fake.recordCount, 0);
  EXPECT_EQ(fake.surface.count, 0);

  // Undo frees one place.
  undoMove();
  setCell(5, 3);
  EXPECT_EQ(game.moveCount, kMaxMoves);
  EXPECT_EQ(game.board[5], 3);
  EXPECT_EQ(countCalls(PlatformCall::kBeep), 0);
}

TEST(MoveHistory, RepeatingTheNextUndoneMoveKeepsTheRedoChain) {
  startPuzzle(kPuzzle);
  setCell(0, 1);
  setCell(2, 3);
  setCell(3, 4);
  undoMove();
  undoMove();
  EXPECT_EQ(game.redoCount, 2);

  setCell(2, 3);
  EXPECT_EQ(game.moveCount, 2);
  EXPECT_EQ(game.redoCount, 1);
  redoMove();
  EXPECT_EQ(game.board[3], 4);
  EXPECT_EQ(game.redoCount, 0);

  // Same cell, other value: the chain is gone.
  undoMove();
  undoMove();
  setCell(2, 5);
  EXPECT_EQ(game.redoCount, 0);
  redoMove();
  EXPECT_EQ(game.moveCount, 2);
  EXPECT_EQ(game.board[3], 0);
}

TEST(MoveHistory, UndoToGivensAndRedoBackMoveForMove) {
  startPuzzle(kPuzzle);
  std::string positions[6];
  positions[0] = boardString();
  const int cells[] = {0, 2, 0, 3, 2};
  const int values[] = {5, 6, 0, 1, 8};
  for (int i = 0; i < 5; ++i) {
    setCell(cells[i], values[i]);
    positions[i + 1] = boardString();
  }
  for (int i = 5; i > 0; --i) {
    undoMove();
    EXPECT_EQ(boardString(), positions[i - 1]) << "after undoing move " << i;
  }
  EXPECT_EQ(boardString(), givensString());
  clearRecords();
  undoMove();
  EXPECT_EQ(fake.recordCount, 0);
  EXPECT_EQ(game.redoCount, 5);

  for (int i = 1; i <= 5; ++i) {
    redoMove();
    EXPECT_EQ(boardString(), positions[i]) << "after redoing move " << i;
  }
  clearRecords();
  redoMove();
  EXPECT_EQ(fake.recordCount, 0);
  EXPECT_EQ(game.moveCount, 5);
}

TEST(MoveHistory, EntryModeWritesGivensAndRecordsNothing) {
  startPuzzle(kPuzzle);
  game.entryMode = 1;
  setCell(0, 6);
  EXPECT_EQ(game.givens[0], 6);
  EXPECT_EQ(game.board[0], 6);

  // The same value again still redraws everything.
  clearRecords();
  setCell(0, 6);
  EXPECT_EQ(countCalls(PlatformCall::kSetTextBoxTextAtEnd), 1);
  EXPECT_EQ(countCalls(PlatformCall::kSetTextBoxText), 1);
  EXPECT_GT(fake.surface.count, 0);
  setCell(1, 0);
  EXPECT_EQ(game.givens[1], 0);
  EXPECT_EQ(game.moveCount, 0);
  EXPECT_EQ(game.redoCount, 0);

  // Undo and redo find no move in entry mode: silently nothing, not even a
  // repaint.
  clearRecords();
  undoMove();
  redoMove();
  EXPECT_EQ(game.moveCount, 0);
  EXPECT_EQ(game.redoCount, 0);
  EXPECT_EQ(fake.recordCount, 0);
  EXPECT_EQ(fake.surface.count, 0);
  EXPECT_EQ(game.givens[0], 6);
  EXPECT_EQ(game.board[0], 6);
}
