// New puzzles through the real checkbox and position box, and filling.
#include <gtest/gtest.h>

#include "model/builtin_puzzles.h"
#include "solver/search.h"
#include "state/game_state.h"
#include "tests/support/grid_text.h"
#include "tests/windows/window_support.h"
#include "ui/commands.h"
#include "ui/win32/front_end.h"

namespace {

// Unsolvable; its search takes 5934 nodes.
const char kLongSearch[] =
    "1...............12..3.45........63...1.2......4.....7....8.....7...1....8.9...5..";

class Entry : public testing::Test {
 protected:
  void SetUp() override {
    stopAnsweringBoxes();
    if (SendMessageA(frontEnd.entryButton, BM_GETCHECK, 0, 0)) {
      SendMessageA(frontEnd.entryButton, BM_SETCHECK, 0, 0);
    }
    probeAction = nullptr;
    probeRecord = {};
    pastePosition(kBuiltInPuzzles[0]);
    ASSERT_EQ(game.entryMode, 0);
    ASSERT_TRUE(game.solutionFound);
  }
  void TearDown() override {
    stopAnsweringBoxes();
    probeAction = nullptr;
  }
};

bool checked() {
  return SendMessageA(frontEnd.entryButton, BM_GETCHECK, 0, 0) != 0;
}

int countEmpty() {
  int empty = 0;
  for (int c = 0; c < kCellCount; ++c) empty += game.board[c] == 0;
  return empty;
}

int countLines(const std::string& text) {
  int lines = 0;
  for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
    ++lines;
  return lines;
}

void pasteBuiltInAndTick() {
  SetWindowTextA(frontEnd.positionEdit, kBuiltInPuzzles[0]);
  PostMessageA(frontEnd.mainWindow, WM_TIMER, kTimerId, 0);
}

}  // namespace

TEST_F(Entry, CheckboxClickEntersAndLeavesEntryMode) {
  SendMessageA(frontEnd.entryButton, BM_CLICK, 0, 0);
  EXPECT_TRUE(checked());
  EXPECT_EQ(game.entryMode, 1);
  EXPECT_EQ(countEmpty(), kCellCount);
  EXPECT_EQ(windowText(frontEnd.positionEdit), ninelineText(std::string(81, '.')));
  EXPECT_EQ(windowText(frontEnd.movesEdit), "");

  SendMessageA(frontEnd.entryButton, BM_CLICK, 0, 0);
  EXPECT_FALSE(checked());
  EXPECT_EQ(game.entryMode, 0);
  EXPECT_TRUE(game.pendingSolve);
  send(WM_TIMER, kTimerId);
  EXPECT_TRUE(game.solutionFound);
  EXPECT_EQ(game.nodeCount, 48);
}

TEST_F(Entry, QuestionWhenMovesExistAndCancelLeavesTheBoxUnchecked) {
  const CellIndex cell = firstEmptyCell();
  ASSERT_NE(cell, kNoCell);
  hoverOver(cell);
  send(WM_RBUTTONDOWN);
  ASSERT_EQ(game.moveCount, 1);
  const std::string board = boardCells();

  answerBoxes("Vantric", IDCANCEL);
  SendMessageA(frontEnd.entryButton, BM_CLICK, 0, 0);
  EXPECT_EQ(boxWatch.seen, 1);
  EXPECT_STREQ(boxWatch.lastText, "Do you want to erase the current puzzle?");
  EXPECT_FALSE(checked());
  EXPECT_EQ(game.entryMode, 0);
  EXPECT_EQ(game.moveCount, 1);
  EXPECT_EQ(boardCells(), board);

  answerBoxes("Vantric", IDOK);
  SendMessageA(frontEnd.entryButton, BM_CLICK, 0, 0);
  EXPECT_EQ(boxWatch.seen, 1);
  EXPECT_TRUE(checked());
  EXPECT_EQ(game.entryMode, 1);
  EXPECT_EQ(game.moveCount, 0);
  EXPECT_EQ(countEmpty(), kCellCount);
}

TEST_F(Entry, PositionSetIntoTheBoxIsAdoptedAtTheNextTickAndSolved) {
  const std::string puzzle = kBuiltInPuzzles[5];
  SendMessageA(frontEnd.positionEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(puzzle.c_str()));
  // The selection the user left is where the rewritten box shows it.
  SendMessageA(frontEnd.positionEdit, EM_SETSEL, 60, 70);
  EXPECT_NE(boardCells(), puzzle);
  send(WM_TIMER, kTimerId);
  EXPECT_EQ(boardCells(), puzzle);
  EXPECT_TRUE(game.solutionFound);
  EXPECT_EQ(game.nodeCount, 3);
  EXPECT_EQ(std::string(game.statusText).rfind("Solution found! (", 0), 0u);
  EXPECT_EQ(windowText(frontEnd.positionEdit), ninelineText(puzzle));
  DWORD start = 0;
  DWORD end = 0;
  SendMessageA(frontEnd.positionEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 60u);
  EXPECT_EQ(end, 70u);
}

TEST_F(Entry, LongSearchInterruptedByAPastedPuzzleEndsWithThePastedOneSolved) {
  SetWindowTextA(frontEnd.positionEdit, kLongSearch);
  PostMessageA(frontEnd.mainWindow, kProbeMessage, 0, 0);
  probeAction = &pasteBuiltInAndTick;
  send(WM_TIMER, kTimerId);
  EXPECT_EQ(probeRecord.handled, 1);
  EXPECT_FALSE(probeRecord.solverIdle);
  EXPECT_EQ(boardCells(), std::string(kBuiltInPuzzles[0]));
  EXPECT_TRUE(game.solutionFound);
  EXPECT_FALSE(game.pendingSolve);
  EXPECT_EQ(game.nodeCount, 6);
  EXPECT_EQ(std::string(game.statusText).rfind("Solution found! (", 0), 0u);
  for (int c = 0; c < kCellCount; ++c) {
    if (game.givens[c]) {
      EXPECT_EQ(game.solution[c], game.givens[c]) << c;
    }
  }
}

TEST_F(Entry, FillInSolutionFillsToSolvedWithOneLinePerFill) {
  const int empty = countEmpty();
  ASSERT_GT(empty, 0);
  send(WM_COMMAND, kCmdFillSolution);
  EXPECT_EQ(countEmpty(), 0);
  EXPECT_EQ(game.moveCount, empty);
  for (int c = 0; c < kCellCount; ++c) EXPECT_EQ(game.board[c], game.solution[c]);
  const std::string moves = windowText(frontEnd.movesEdit);
  EXPECT_EQ(countLines(moves), empty + 2);
  EXPECT_EQ(moves.substr(moves.size() - 13), "\r\nSolved!!!\r\n");
}
