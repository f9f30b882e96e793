// Tests of what each key, click and mouse move does.
#include <cstring>
#include <string>

#include "state/game_state.h"
#include "tests/ui/ui_fixture.h"
#include "ui/commands.h"
#include "ui/input.h"

using Input = UiTest;

TEST_F(Input, HitTestBoundsAreInclusiveAndTheLowerIndexWins) {
  EXPECT_EQ(hitTestCell(10, 12), 0);
  EXPECT_EQ(hitTestCell(60, 65), 0);
  EXPECT_EQ(hitTestCell(61, 12), 1);
  EXPECT_EQ(hitTestCell(158, 12), 2);
  EXPECT_EQ(hitTestCell(159, 12), 3);
  EXPECT_EQ(hitTestCell(456, 485), 80);
  EXPECT_EQ(hitTestCell(457, 485), kNoCell);
  EXPECT_EQ(hitTestCell(9, 12), kNoCell);
  EXPECT_EQ(hitTestCell(10, 11), kNoCell);
  EXPECT_EQ(hitTestCell(30, 500), kNoCell);
}

TEST_F(Input, MouseMoveRedrawsOnlyTheTwoCells) {
  onMouseMove(30, 30);
  EXPECT_EQ(game.hoverCell, 0);
  EXPECT_EQ(countCalls(PlatformCall::kFocusMainWindow), 1);
  const int afterFirst = fake.surface.count;
  EXPECT_GT(afterFirst, 0);

  onMouseMove(40, 40);
  EXPECT_EQ(fake.surface.count, afterFirst);

  fake.surface.clear();
  onMouseMove(70, 30);
  EXPECT_EQ(game.hoverCell, 1);
  int rectangles = 0;
  for (int i = 0; i < fake.surface.count; ++i)
    if (fake.surface.calls[i].op == DrawOp::kRectangle) ++rectangles;
  EXPECT_EQ(rectangles, 2);

  onMouseMove(5, 5);
  EXPECT_EQ(game.hoverCell, kNoCell);
  EXPECT_EQ(countCalls(PlatformCall::kFocusMainWindow), 2);
}

TEST_F(Input, DigitsAndSpace) {
  loadSolvedGridWithout({0, 1, 2, 9});
  game.board[9] = 4;
  analysePosition();

  onChar('5');
  EXPECT_EQ(lastCall(PlatformCall::kBeep)->number, kBeepDefault);

  game.hoverCell = 9;
  resetFake();
  onChar('4');  // over a filled cell
  EXPECT_EQ(countCalls(PlatformCall::kBeep), 1);
  EXPECT_EQ(game.moveCount, 0);

  game.hoverCell = 0;
  onChar('9');  // not a candidate there
  onChar('0');
  EXPECT_EQ(countCalls(PlatformCall::kBeep), 3);
  onChar('1');
  EXPECT_EQ(game.board[0], 1);
  EXPECT_EQ(game.moveCount, 1);
  EXPECT_EQ(countCalls(PlatformCall::kBeep), 3);

  game.hoverCell = 3;  // a given
  fake.surface.clear();
  onChar(' ');
  EXPECT_EQ(game.board[3], 4);
  EXPECT_EQ(fake.surface.count, 0);

  game.hoverCell = 0;
  onChar(' ');
  EXPECT_EQ(game.board[0], 0);
  EXPECT_EQ(game.moveCount, 2);
  // Erasing an empty cell changes nothing, so nothing is drawn.
  fake.surface.clear();
  onChar(' ');
  EXPECT_EQ(fake.surface.count, 0);

  game.entryMode = 1;
  game.hoverCell = 3;
  onChar(' ');
  EXPECT_EQ(game.board[3], 0);
  EXPECT_EQ(game.givens[3], 0);
}

TEST_F(Input, OptionCharactersAreLowerCaseOnly) {
  for (unsigned ch : {unsigned('S'), unsigned('C'), 8u, unsigned('x')}) onChar(ch);
  EXPECT_EQ(game.showLegalMoves, 1);
  EXPECT_EQ(game.showColors, 1);
  EXPECT_EQ(fake.recordCount, 0);
  EXPECT_EQ(fake.surface.count, 0);

  onChar('s');
  EXPECT_EQ(game.showLegalMoves, 0);
  EXPECT_FALSE(fake.menuChecks[2]);
  EXPECT_TRUE(fake.menuChecks[3]);
  EXPECT_GT(fake.surface.count, 0);
  onChar('c');
  EXPECT_EQ(game.showColors, 0);
  EXPECT_FALSE(fake.menuChecks[3]);
  onChar('s');
  EXPECT_TRUE(fake.menuChecks[2]);
}

TEST_F(Input, LeftClickFillsSinglesAndHintsOnTheThirdFailure) {
  loadSolvedGridWithout({0, 1});
  game.hoverCell = 0;
  // The hidden single's digit is taken before the naked single's.
  game.hiddenSingleDigit[0] = 5;
  game.candidates[0] = 1 << 2;
  onLeftButtonDown();
  EXPECT_EQ(game.board[0], 5);
  game.hoverCell = 1;
  game.hiddenSingleDigit[1] = 0;
  game.candidates[1] = 1 << 2;
  onLeftButtonDown();
  EXPECT_EQ(game.board[1], 3);

  // Where units disagree the click fills the later unit's digit, and within
  // one unit the higher digit.
  loadPuzzle(kTwoUnitsMarkOneCell);
  game.hoverCell = 0;
  onLeftButtonDown();
  EXPECT_EQ(game.board[0], 1);
  loadPuzzle(kOneUnitMarksTwoDigits);
  game.hoverCell = 7;
  onLeftButtonDown();
  EXPECT_EQ(game.board[7], 9);

  loadSolvedGridWithout({});
  game.hoverCell = 1;
  resetFake();
  for (int click = 1; click <= 5; ++click) onLeftButtonDown();  // a filled cell
  EXPECT_EQ(game.failedClickCount, 5);
  EXPECT_EQ(countCalls(PlatformCall::kBeep), 4);
  EXPECT_EQ(lastCall(PlatformCall::kBeep)->number, kBeepSimple);
  ASSERT_EQ(countCalls(PlatformCall::kShowInformation), 1);
  const PlatformRecord* hint = lastCall(PlatformCall::kShowInformation);
  EXPECT_STREQ(hint->text, "You can fill in the solution for this square by right-clicking on it.");
  EXPECT_STREQ(hint->caption, "Vantric version 1.2");
  EXPECT_EQ(fake.records[2].call, PlatformCall::kShowInformation);

  // The marks follow the board: a 9 written below cell 0 leaves the cell no
  // digit, and a click there writes none.
  loadPuzzle(".12345678........................................................................");
  game.hoverCell = 9;
  onChar('9');
  game.hoverCell = 0;
  onLeftButtonDown();
  EXPECT_EQ(game.board[0], 0);
}

TEST_F(Input, RightClickFillsFromTheSolution) {
  loadSolvedGridWithout({0, 1});
  readCells(kSolvedGrid, game.solution);
  game.hoverCell = 0;
  onRightButtonDown();
  EXPECT_EQ(game.moveCount, 0);

  game.solutionFound = true;
  onRightButtonDown();
  EXPECT_EQ(game.board[0], 1);
  EXPECT_EQ(game.moveCount, 1);

  // A player's digit, right or wrong, is erased as a move of its own.
  game.hoverCell = 1;
  onChar('2');
  onRightButtonDown();
  EXPECT_EQ(game.moveCount, 4);
  EXPECT_EQ(game.moveHistory[2].value, 0);
  EXPECT_EQ(game.board[1], 2);

  game.hoverCell = 2;
  game.solution[2] = 9;
  onRightButtonDown();
  EXPECT_EQ(game.board[2], 3);
  EXPECT_EQ(game.moveCount, 4);

  // While a puzzle is entered the last solution's digit becomes a given.
  loadSolvedGridWithout({0});
  game.entryMode = 1;
  game.moveCount = game.redoCount = 0;
  game.hoverCell = 0;
  onRightButtonDown();
  EXPECT_EQ(game.givens[0], 1);
  EXPECT_EQ(game.board[0], 1);
  EXPECT_EQ(game.moveCount, 0);
}

TEST_F(Input, KeysAndCommands) {
  loadSolvedGridWithout({0});
  game.hoverCell = 0;
  onChar('1');
  onKeyDown(kKeyLeft);
  EXPECT_EQ(game.board[0], 0);
  onKeyDown(kKeyRight);
  EXPECT_EQ(game.board[0], 1);
  onKeyDown(kKeyBack);
  EXPECT_EQ(game.board[0], 0);
  onKeyDown(kKeyOther);
  EXPECT_EQ(game.redoCount, 1);

  resetFake();
  for (unsigned id : {0u, 40004u, 40008u, 12345u}) onCommand(id);
  EXPECT_EQ(fake.recordCount, 0);
  EXPECT_EQ(fake.surface.count, 0);

  onCommand(0x30000u | kCmdShowColors);
  EXPECT_EQ(game.showColors, 0);

  onCommand(kCmdExit);
  EXPECT_EQ(countCalls(PlatformCall::kPostQuit), 1);
  onCommand(kCmdOnlineHelp);
  EXPECT_EQ(countCalls(PlatformCall::kShowInformation), 0);

  onCommand(kCmdAbout);
  const PlatformRecord* about = lastCall(PlatformCall::kShowInformation);
  ASSERT_NE(about, nullptr);
  EXPECT_STREQ(about->caption, "Vantric version 1.2");
  // The About text ends with the address Online Help opens.
  const char kAddress[] = "https://en.wikipedia.org/wiki/Sudoku";
  EXPECT_STREQ(lastCall(PlatformCall::kOpenWebPage)->text, kAddress);
  // On a line of its own, so that the box never breaks it.
  const std::string addressLine = std::string("\r\n") + kAddress;
  const std::string aboutText = kAboutText;
  EXPECT_TRUE(aboutText.ends_with(addressLine));

  // Without a browser the address is shown in a box for the user to copy.
  fake.browserOpens = false;
  onCommand(kCmdOnlineHelp);
  ASSERT_EQ(countCalls(PlatformCall::kShowInformation), 2);
  EXPECT_STREQ(lastCall(PlatformCall::kShowInformation)->caption, "Vantric version 1.2");
  EXPECT_TRUE(std::string(lastCall(PlatformCall::kShowInformation)->text).ends_with(addressLine));
}
