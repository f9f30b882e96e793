// Tests of entry mode and of positions adopted from the position box.
#include <gtest/gtest.h>

#include <bit>
#include <cstdio>

#include "play/move_history.h"
#include "play/puzzle_entry.h"
#include "state/game_state.h"
#include "tests/fake/fake_platform.h"
#include "tests/play/play_support.h"

namespace {

const char kPuzzle[] =
    ".7...9..2.2.7....9.8..4.63..6...52...1..7..9...2.61.8..96.8..7.8....7.2.1..9...6.";
const char kOtherPuzzle[] =
    ".3...48.18...7.3...6.3..9....92..7...7.6.9.3...6.5.4....2..7.1...3.2...41.74...9.";

// The text as the user leaves it, with the caret or selection [start, end).
void typeIntoPositionBox(const std::string& text, int start = 0, int end = 0) {
  std::snprintf(fake.boxText[kPositionBox], FakePlatform::kBoxSize, "%s", text.c_str());
  fake.selection[kPositionBox][0] = start;
  fake.selection[kPositionBox][1] = end;
}

void expectSelection(int start, int end) {
  EXPECT_EQ(fake.selection[kPositionBox][0], start);
  EXPECT_EQ(fake.selection[kPositionBox][1], end);
}

// A started puzzle with two moves in effect and one undone.
void startWithMoves() {
  startPuzzle(kPuzzle);
  setCell(0, 5);
  setCell(2, 4);
  setCell(3, 1);
  undoMove();
  game.pendingSolve = false;
  clearRecords();
}

void expectAdopted(const char* cells) {
  EXPECT_EQ(boardString(), cells);
  EXPECT_EQ(givensString(), cells);
  EXPECT_EQ(game.moveCount, 0);
  EXPECT_EQ(game.redoCount, 0);
  EXPECT_TRUE(game.pendingSolve);
  EXPECT_EQ(positionBoxText(), ninelineText(cells));
  EXPECT_FALSE(game.positionSyncBusy);
}

}  // namespace

TEST(EntryMode, CheckedWithoutMovesClearsThePuzzleWithoutAsking) {
  // A move made and undone leaves none in effect: no question, and the redo
  // chain goes with the puzzle.
  startPuzzle(kPuzzle);
  setCell(0, std::countr_zero(unsigned(game.candidates[0])) + 1);
  undoMove();
  ASSERT_EQ(game.redoCount, 1);
  clearRecords();
  onEntryBoxState(true);
  EXPECT_EQ(game.entryMode, 1);
  EXPECT_EQ(countCalls(PlatformCall::kAskOkCancel), 0);
  EXPECT_EQ(game.redoCount, 0);
  EXPECT_EQ(boardString(), std::string(kCellCount, '.'));
  EXPECT_EQ(givensString(), std::string(kCellCount, '.'));
  EXPECT_EQ(positionBoxText(), ninelineText(std::string(kCellCount, '.')));
  EXPECT_GT(fake.surface.count, 0);

  // The same state read back again is no change.
  clearRecords();
  onEntryBoxState(true);
  EXPECT_EQ(fake.recordCount, 0);
}

TEST(EntryMode, CancelLeavesEverythingAsItWas) {
  startWithMoves();
  fake.answerOk = false;
  onEntryBoxState(true);
  ASSERT_EQ(countCalls(PlatformCall::kAskOkCancel), 1);
  EXPECT_STREQ(lastCall(PlatformCall::kAskOkCancel)->text,
               "Do you want to erase the current puzzle?");
  EXPECT_STREQ(lastCall(PlatformCall::kAskOkCancel)->caption, "Vantric");
  EXPECT_EQ(countCalls(PlatformCall::kUncheckEntryBox), 1);
  EXPECT_EQ(game.entryMode, 0);
  EXPECT_EQ(game.moveCount, 2);
  EXPECT_EQ(game.redoCount, 1);
  EXPECT_EQ(game.board[0], 5);
  EXPECT_EQ(fake.surface.count, 0);
  EXPECT_EQ(countCalls(PlatformCall::kSetTextBoxText), 0);
  EXPECT_EQ(countCalls(PlatformCall::kSetTextBoxTextAtEnd), 0);

  // The unchecking comes back as the state the program already has.
  onEntryBoxState(false);
  EXPECT_FALSE(game.pendingSolve);
}

TEST(EntryMode, OkErasesForGoodAndLeavingRequestsASolve) {
  startWithMoves();
  onEntryBoxState(true);
  EXPECT_EQ(countCalls(PlatformCall::kAskOkCancel), 1);
  EXPECT_EQ(game.entryMode, 1);
  EXPECT_EQ(boardString(), std::string(kCellCount, '.'));
  EXPECT_EQ(givensString(), std::string(kCellCount, '.'));
  EXPECT_EQ(game.moveCount, 0);
  EXPECT_EQ(game.redoCount, 0);
  EXPECT_EQ(movesListText(), "");
  EXPECT_EQ(positionBoxText(), ninelineText(std::string(kCellCount, '.')));
  EXPECT_FALSE(game.pendingSolve);
  undoMove();
  redoMove();
  EXPECT_EQ(boardString(), std::string(kCellCount, '.'));

  setCell(4, 9);
  clearRecords();
  onEntryBoxState(false);
  EXPECT_EQ(game.entryMode, 0);
  EXPECT_TRUE(game.pendingSolve);
  EXPECT_EQ(game.givens[4], 9);
  EXPECT_EQ(countCalls(PlatformCall::kSetTextBoxTextAtEnd), 1);
  EXPECT_EQ(countCalls(PlatformCall::kSetTextBoxText), 1);
}

TEST(EntryMode, UncheckedWithAnEmptyBoardStillRequestsASolve) {
  startPuzzle(kPuzzle);
  onEntryBoxState(true);
  game.pendingSolve = false;
  onEntryBoxState(false);
  EXPECT_TRUE(game.pendingSolve);
  EXPECT_EQ(boardString(), std::string(kCellCount, '.'));
}

TEST(PositionSync, AdoptsOneLineOrNineLinesOrAGrid) {
  startPuzzle(kPuzzle);
  game.pendingSolve = false;
  typeIntoPositionBox(kOtherPuzzle);
  syncPositionText();
  EXPECT_EQ(countCalls(PlatformCall::kAskOkCancel), 0);
  expectAdopted(kOtherPuzzle);

  // The rewritten box keeps the caret and selection where they were.
  game.pendingSolve = false;
  typeIntoPositionBox(ninelineText(kPuzzle), 13, 15);
  syncPositionText();
  expectAdopted(kPuzzle);
  expectSelection(13, 15);

  std::string grid;
  for (int r = 0; r < 9; ++r) {
    for (int c = 0; c < 9; ++c) {
      grid += c % 3 == 0 ? "| " : " ";
      const char ch = kOtherPuzzle[r * 9 + c];
      grid += ch == '.' ? '*' : ch;
    }
    grid += r % 3 == 2 ? "|\n+-----+-----+-----+\n" : "|\n";
  }
  // As far as the nine lines reach.
  game.pendingSolve = false;
  typeIntoPositionBox(grid, 98, int(grid.size()));
  syncPositionText();
  expectAdopted(kOtherPuzzle);
  expectSelection(98, 99);
}

TEST(PositionSync, IncompleteOrEqualTextChangesNothing) {
  startWithMoves();
  const std::string before = boardString();
  const std::string cells = before;

  // 80 cells, and the same board in one line with blanks.
  typeIntoPositionBox(cells.substr(1));
  syncPositionText();
  std::string spaced;
  for (char ch : cells) spaced += std::string(1, ch) + " ";
  typeIntoPositionBox(spaced);
  syncPositionText();

  EXPECT_EQ(countCalls(PlatformCall::kAskOkCancel), 0);
  EXPECT_EQ(countCalls(PlatformCall::kSetTextBoxText), 0);
  EXPECT_EQ(countCalls(PlatformCall::kSetTextBoxTextAtEnd), 0);
  EXPECT_EQ(positionBoxText(), spaced);
  EXPECT_EQ(boardString(), before);
  EXPECT_EQ(game.moveCount, 2);
  EXPECT_FALSE(game.pendingSolve);
}

TEST(PositionSync, ExtraCellShiftsAndTheFirstEightyOneAreAdopted) {
  startWithMoves();
  std::string shifted = boardString();
  shifted.insert(shifted.begin(), '9');
  typeIntoPositionBox(shifted);
  syncPositionText();
  EXPECT_EQ(countCalls(PlatformCall::kAskOkCancel), 1);
  shifted.resize(kCellCount);
  expectAdopted(shifted.c_str());
  // The former moves are givens now.
  EXPECT_EQ(game.givens[1], 5);
}

TEST(PositionSync, CancelWritesTheBoardBack) {
  startWithMoves();
  fake.answerOk = false;
  typeIntoPositionBox(kOtherPuzzle, 40, 40);
  syncPositionText();
  EXPECT_EQ(countCalls(PlatformCall::kAskOkCancel), 1);
  EXPECT_EQ(positionBoxText(), ninelineText(boardString()));
  expectSelection(40, 40);
  EXPECT_EQ(game.moveCount, 2);
  EXPECT_EQ(game.board[0], 5);
  EXPECT_FALSE(game.pendingSolve);

  // The next tick finds the board in the box and asks nothing.
  syncPositionText();
  EXPECT_EQ(countCalls(PlatformCall::kAskOkCancel), 1);
}

TEST(PositionSync, OnlyTheFirst9000CharactersAreRead) {
  startPuzzle(kPuzzle);
  // The last cell at index 8999 is read; one blank more pushes it out.
  typeIntoPositionBox(std::string(8999 - 80, ' ') + kOtherPuzzle);
  syncPositionText();
  expectAdopted(kOtherPuzzle);

  typeIntoPositionBox(std::string(9000 - 80, ' ') + kPuzzle + kPuzzle);
  syncPositionText();
  EXPECT_EQ(boardString(), kOtherPuzzle);
}

TEST(PositionSync, QuestionIsAskedOnceWhileOpen) {
  startWithMoves();
  typeIntoPositionBox(kOtherPuzzle);
  fake.onQuestion = [] { syncPositionText(); };
  syncPositionText();
  EXPECT_EQ(countCalls(PlatformCall::kAskOkCancel), 1);
  EXPECT_EQ(countCalls(PlatformCall::kGetTextBoxText), 1);
  expectAdopted(kOtherPuzzle);
}

TEST(PositionSync, PastedInEntryModeIsAdoptedWithoutAQuestion) {
  startWithMoves();
  onEntryBoxState(true);
  clearRecords();
  typeIntoPositionBox(kOtherPuzzle);
  syncPositionText();
  EXPECT_EQ(countCalls(PlatformCall::kAskOkCancel), 0);
  EXPECT_EQ(game.entryMode, 1);
  expectAdopted(kOtherPuzzle);
}
