// Playing through real messages to the real window: the controls show the
// result.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "model/builtin_puzzles.h"
#include "state/game_state.h"
#include "tests/support/grid_text.h"
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

std::string listedMoves() {
  std::string text;
  for (int i = 0; i < game.moveCount; ++i)
    text += moveLine(i + 1, game.moveHistory[i].cell, game.moveHistory[i].value);
  return text;
}

int firstVisibleLine(HWND box) {
  return int(SendMessageA(box, EM_GETFIRSTVISIBLELINE, 0, 0));
}

// Where scrolling as far down as the box goes and then back one line puts
// the moves list; the box is left there.
int endScrollLine() {
  SendMessageA(frontEnd.movesEdit, EM_LINESCROLL, 0, 1000000);
  SendMessageA(frontEnd.movesEdit, EM_LINESCROLL, 0, -1);
  return firstVisibleLine(frontEnd.movesEdit);
}

// What a refresh left on the screen of a box, scroll bar included, is what
// the box draws when repainted whole.
void expectDrawnAsWhole(HWND box) {
  UpdateWindow(box);
  const std::string shown = windowPixels(box);
  RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
  ASSERT_FALSE(shown.empty());
  EXPECT_TRUE(shown == windowPixels(box));
}

// What the moves and undos drew on the board is what a paint of all of it
// draws.
void expectBoardDrawnAsWhole() {
  const Rect& board = game.layout.boardRect;
  const std::string shown = clientPixels(board);
  const RECT area = {board.left, board.top, board.right, board.bottom};
  RedrawWindow(frontEnd.mainWindow, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  ASSERT_FALSE(shown.empty());
  EXPECT_TRUE(shown == clientPixels(board));
}

// A box as a refresh leaves it: caret at the start, nothing to undo, not
// marked as modified.
void expectFreshlyWritten(HWND box) {
  DWORD start = 1;
  DWORD end = 1;
  SendMessageA(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 0u);
  EXPECT_EQ(SendMessageA(box, EM_CANUNDO, 0, 0), 0);
  EXPECT_EQ(SendMessageA(box, EM_GETMODIFY, 0, 0), 0);
}

CellIndex firstGiven() {
  for (CellIndex c = 0; c < kCellCount; ++c)
    if (game.givens[c]) return c;
  return kNoCell;
}

// The commands Wine's winebrowser tries for an address, so that no real
// browser starts.
void setWineBrowsers(const char* browsers) {
  RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", "Browsers", REG_SZ, browsers,
                  DWORD(std::strlen(browsers) + 1));
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
  EXPECT_EQ(windowText(frontEnd.positionEdit), ninelineText(expected));
  EXPECT_EQ(windowText(frontEnd.movesEdit), moveLine(1, cell, 5));

  send(WM_KEYDOWN, VK_BACK);
  EXPECT_EQ(game.board[cell], 0);
  EXPECT_EQ(windowText(frontEnd.movesEdit), "");
  expected[size_t(cell)] = '.';
  EXPECT_EQ(windowText(frontEnd.positionEdit), ninelineText(expected));
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
  // A refresh leaves on the screen what the boxes draw when repainted
  // whole: after moves not painted yet, and after an undo and a redo each
  // painted before the next.
  SetFocus(frontEnd.mainWindow);
  expectDrawnAsWhole(frontEnd.movesEdit);
  send(WM_KEYDOWN, VK_BACK);
  expectDrawnAsWhole(frontEnd.movesEdit);
  expectDrawnAsWhole(frontEnd.positionEdit);
  send(WM_KEYDOWN, VK_RIGHT);
  expectDrawnAsWhole(frontEnd.movesEdit);
  expectDrawnAsWhole(frontEnd.positionEdit);
  expectBoardDrawnAsWhole();
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
  // Exactly where the reference scroll puts it, after a move, after an
  // undo, and after the user scrolled the box to its top.
  EXPECT_EQ(endScrollLine(), first);
  send(WM_KEYDOWN, VK_BACK);
  const int afterUndo = firstVisibleLine(frontEnd.movesEdit);
  EXPECT_EQ(afterUndo, first - 1);
  EXPECT_EQ(endScrollLine(), afterUndo);
  SendMessageA(frontEnd.movesEdit, EM_LINESCROLL, 0, -1000000);
  send(WM_KEYDOWN, VK_RIGHT);
  EXPECT_EQ(firstVisibleLine(frontEnd.movesEdit), first);
  EXPECT_EQ(windowText(frontEnd.movesEdit), listedMoves());
  expectFreshlyWritten(frontEnd.movesEdit);
  expectFreshlyWritten(frontEnd.positionEdit);
}

TEST_F(Playing, TextTypedIntoTheBoxesIsReplacedAtTheNextRefresh) {
  for (int filled = 0; filled < 12; ++filled) {
    hoverOver(firstEmptyCell());
    send(WM_RBUTTONDOWN);
  }
  ASSERT_EQ(game.moveCount, 12);
  const HWND moves = frontEnd.movesEdit;
  // Typed at the end, in the middle, over everything, and a list that
  // only lacks its last line.
  SendMessageA(moves, EM_SETSEL, 0x7FFF, 0x7FFF);
  SendMessageA(moves, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("13. (1, 1) = 1"));
  send(WM_KEYDOWN, VK_BACK);
  EXPECT_EQ(windowText(moves), listedMoves());
  expectFreshlyWritten(moves);
  SendMessageA(moves, EM_SETSEL, 20, 25);
  SendMessageA(moves, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("typed\r\nhere"));
  send(WM_KEYDOWN, VK_RIGHT);
  EXPECT_EQ(windowText(moves), listedMoves());
  expectFreshlyWritten(moves);
  SetWindowTextA(moves, "nothing of the list");
  send(WM_KEYDOWN, VK_BACK);
  EXPECT_EQ(windowText(moves), listedMoves());
  const std::string shortened = listedMoves();
  send(WM_KEYDOWN, VK_RIGHT);
  SetWindowTextA(moves, shortened.c_str());
  send(WM_KEYDOWN, VK_BACK);
  send(WM_KEYDOWN, VK_RIGHT);
  EXPECT_EQ(windowText(moves), listedMoves());
  EXPECT_EQ(firstVisibleLine(moves), endScrollLine());
  // A box keeps the keyboard focus through a refresh run from the menu.
  SetFocus(moves);
  send(WM_COMMAND, kCmdUndo);
  EXPECT_EQ(GetFocus(), moves);
  EXPECT_EQ(windowText(moves), listedMoves());
  expectFreshlyWritten(moves);

  // A position box edited without giving a new position is put back.
  const std::string position = ninelineText(boardCells());
  SendMessageA(frontEnd.positionEdit, EM_SETSEL, 0, 0);
  SendMessageA(frontEnd.positionEdit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("x"));
  send(WM_KEYDOWN, VK_BACK);
  EXPECT_EQ(windowText(frontEnd.positionEdit), ninelineText(boardCells()));
  EXPECT_NE(windowText(frontEnd.positionEdit), position);
  expectFreshlyWritten(frontEnd.positionEdit);
  EXPECT_EQ(firstVisibleLine(frontEnd.positionEdit), 0);
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

TEST_F(Playing, OnlineHelpShowsTheAddressOnlyWhenNoBrowserOpens) {
  answerBoxes("Vantric version 1.2", IDOK);
  setWineBrowsers("true");
  send(WM_COMMAND, kCmdOnlineHelp);
  EXPECT_EQ(boxWatch.seen, 0);
  setWineBrowsers("vantric-no-such-browser");
  send(WM_COMMAND, kCmdOnlineHelp);
  RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser");
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
