// Playing through real messages to the real window: the controls show the
// result.
#include <gtest/gtest.h>

#include <cstdio>

#include "model/builtin_puzzles.h"
#include "tests/windows/window_support.h"
#include "ui/commands.h"
#include "ui/win32/front_end.h"

namespace {

class Playing : public testing::Test {
 protected:
  void SetUp() override {
    stopAnsweringBoxes();
    pastePosition(kBuiltInPuzzles[0]);
    ASSERT_TRUE(game.solutionFound);
    ASSERT_EQ(game.moveCount, 0);
  }
  void TearDown() override { stopAnsweringBoxes(); }
};

std::string moveLine(int number, CellIndex cell, int value) {
  char line[64];
  if (value)
    std::snprintf(line, sizeof line, "%d. (%d, %d) = %d\r\n", number, cell % 9 + 1, cell / 9 + 1,
                  value);
  else
    std::snprintf(line, sizeof line, "%d. (%d, %d) = ?\r\n", number, cell % 9 + 1, cell / 9 + 1);
  return line;
}

bool isChecked(UINT command) {
  return (GetMenuState(frontEnd.mainMenu, command, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

CellIndex firstGiven() {
  for (CellIndex c = 0; c < kCellCount; ++c)
    if (game.givens[c]) return c;
  return kNoCell;
}

}  // namespace

TEST_F(Playing, DigitOverAHoveredCellFillsItAndTheBoxesShowIt) {
  const CellIndex cell = emptyCellWithCandidate(5);
  ASSERT_NE(cell, kNoCell);
  std::string expected = boardCells();
  expected[size_t(cell)] = '5';
  hoverOver(cell);
  EXPECT_EQ(game.hoverCell, cell);
  send(WM_CHAR, '5');
  EXPECT_EQ(game.board[cell], 5);
  EXPECT_EQ(windowText(frontEnd.positionEdit), layoutPosition(expected));
  EXPECT_EQ(windowText(frontEnd.movesEdit), moveLine(1, cell, 5));

  send(WM_KEYDOWN, VK_BACK);
  EXPECT_EQ(game.board[cell], 0);
  EXPECT_EQ(windowText(frontEnd.movesEdit), "");
  expected[size_t(cell)] = '.';
  EXPECT_EQ(windowText(frontEnd.positionEdit), layoutPosition(expected));
}

TEST_F(Playing, IllegalDigitChangesNothing) {
  const CellIndex cell = emptyCellWithCandidate(5);
  ASSERT_NE(cell, kNoCell);
  int illegal = 1;
  while (game.candidates[cell] & (1 << (illegal - 1))) ++illegal;
  const std::string before = windowText(frontEnd.positionEdit);
  hoverOver(cell);
  send(WM_CHAR, WPARAM('0' + illegal));
  EXPECT_EQ(game.board[cell], 0);
  EXPECT_EQ(game.moveCount, 0);
  EXPECT_EQ(windowText(frontEnd.positionEdit), before);
}

TEST_F(Playing, MovesListIsScrolledToItsEnd) {
  int filled = 0;
  for (CellIndex c = 0; c < kCellCount && filled < 40; ++c) {
    if (game.board[c]) continue;
    hoverOver(c);
    send(WM_RBUTTONDOWN);
    ++filled;
  }
  ASSERT_EQ(game.moveCount, filled);
  const int lines = int(SendMessageA(frontEnd.movesEdit, EM_GETLINECOUNT, 0, 0));
  const int first = int(SendMessageA(frontEnd.movesEdit, EM_GETFIRSTVISIBLELINE, 0, 0));
  RECT client;
  GetClientRect(frontEnd.movesEdit, &client);
  const int visible = client.bottom / game.layout.lineHeight[kFontGui];
  ASSERT_GT(lines, visible);
  EXPECT_GT(first, 0);
  // The last move's line is in view.
  EXPECT_LE(first, lines - 2);
  EXPECT_GT(first + visible, lines - 2);
}

TEST_F(Playing, RightClickFillsTheSolutionsDigit) {
  CellIndex cell = kNoCell;
  for (CellIndex c = 0; c < kCellCount && cell == kNoCell; ++c)
    if (game.board[c] == 0) cell = c;
  ASSERT_NE(cell, kNoCell);
  hoverOver(cell);
  send(WM_RBUTTONDOWN);
  EXPECT_EQ(game.board[cell], game.solution[cell]);
  EXPECT_EQ(windowText(frontEnd.movesEdit), moveLine(1, cell, game.solution[cell]));
}

TEST_F(Playing, LowerCaseSTogglesLegalMovesWithTheCheckMark) {
  send(WM_CHAR, 's');
  EXPECT_EQ(game.showLegalMoves, 0);
  EXPECT_FALSE(isChecked(40002));
  send(WM_CHAR, 'S');
  EXPECT_EQ(game.showLegalMoves, 0);
  send(WM_CHAR, 's');
  EXPECT_EQ(game.showLegalMoves, 1);
  EXPECT_TRUE(isChecked(40002));
  send(WM_CHAR, 'c');
  EXPECT_FALSE(isChecked(40003));
  send(WM_COMMAND, kCmdShowColors);
  EXPECT_TRUE(isChecked(40003));
}

TEST_F(Playing, AboutBoxAppearsWithItsCaption) {
  answerBoxes("Vantric version 1.2", IDOK);
  send(WM_COMMAND, kCmdAbout);
  EXPECT_EQ(boxWatch.seen, 1);
  EXPECT_NE(std::string(boxWatch.lastText).find(kOnlineHelpAddress), std::string::npos);
}

TEST_F(Playing, HintBoxAppearsOnTheThirdFailedClickOnly) {
  game.failedClickCount = 0;
  const CellIndex given = firstGiven();
  ASSERT_NE(given, kNoCell);
  hoverOver(given);
  answerBoxes("Vantric version 1.2", IDOK);
  send(WM_LBUTTONDOWN);
  send(WM_LBUTTONDOWN);
  EXPECT_EQ(boxWatch.seen, 0);
  send(WM_LBUTTONDOWN);
  EXPECT_EQ(boxWatch.seen, 1);
  EXPECT_NE(std::string(boxWatch.lastText).find("right-clicking"), std::string::npos);
  send(WM_LBUTTONDOWN);
  EXPECT_EQ(boxWatch.seen, 1);
  EXPECT_EQ(game.moveCount, 0);
}
