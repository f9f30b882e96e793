// Tests of the moves list and the position text.
#include <gtest/gtest.h>

#include "play/move_history.h"
#include "play/position_text.h"
#include "play/text_panes.h"
#include "state/game_state.h"
#include "tests/fake/fake_platform.h"
#include "tests/play/play_support.h"

namespace {

const char kPuzzle[] =
    ".7...9..2.2.7....9.8..4.63..6...52...1..7..9...2.61.8..96.8..7.8....7.2.1..9...6.";

std::string parsed(const std::string& text) {
  int cells[kCellCount];
  if (!parsePositionText(text.c_str(), cells)) return "none";
  return cellsText(cells);
}

}  // namespace

TEST(MovesList, ListsMovesInEffectWithErasuresAsQuestionMarks) {
  startPuzzle(kPuzzle);
  refreshTextPanes();
  EXPECT_EQ(movesListText(), "");
  EXPECT_EQ(countCalls(PlatformCall::kSetTextBoxTextAtEnd), 1);

  setCell(21, 7);
  setCell(80, 1);
  setCell(21, 0);
  EXPECT_EQ(movesListText(), "1. (4, 3) = 7\r\n2. (9, 9) = 1\r\n3. (4, 3) = ?\r\n");
  undoMove();
  EXPECT_EQ(movesListText(), "1. (4, 3) = 7\r\n2. (9, 9) = 1\r\n");
  redoMove();
  EXPECT_EQ(movesListText(), "1. (4, 3) = 7\r\n2. (9, 9) = 1\r\n3. (4, 3) = ?\r\n");
}

TEST(MovesList, AnyFullBoardIsAnnounced) {
  startPuzzle(solvedGridWithout({}).c_str());
  refreshTextPanes();
  EXPECT_EQ(movesListText(), "\r\nSolved!!!\r\n");

  startPuzzle(solvedGridWithout({40}).c_str());
  setCell(40, 1);
  EXPECT_EQ(movesListText(), "1. (5, 5) = 1\r\n\r\nSolved!!!\r\n");

  startPuzzle(solvedGridWithout({40}).c_str());
  game.entryMode = 1;
  setCell(40, solvedDigit(40));
  EXPECT_EQ(movesListText(), "\r\nSolved!!!\r\n");
}

TEST(MovesList, ThousandMovesFit) {
  startPuzzle(solvedGridWithout({80}).c_str());
  for (int i = 0; i < kMaxMoves; ++i) setCell(80, i % 2 == 0 ? 9 : 0);
  const std::string text = movesListText();
  const std::string last = "1000. (9, 9) = ?\r\n";
  ASSERT_GE(text.size(), last.size());
  EXPECT_EQ(text.substr(text.size() - last.size()), last);
  EXPECT_EQ(text.substr(0, 15), "1. (9, 9) = 9\r\n");
}

TEST(PositionText, WrittenAsNineLinesOfNine) {
  startPuzzle(kPuzzle);
  setCell(0, 5);
  EXPECT_EQ(positionBoxText(), ninelineText(boardString()));
  EXPECT_EQ(positionBoxText().substr(0, 11), "57...9..2\r\n");

  game.entryMode = 1;
  for (int c = 0; c < kCellCount; ++c) game.board[c] = 0;
  refreshTextPanes();
  EXPECT_EQ(positionBoxText(), ninelineText(std::string(kCellCount, '.')));
}

TEST(PositionText, LayoutsReadTheSame) {
  const std::string cells = kPuzzle;
  EXPECT_EQ(parsed(cells), cells);
  EXPECT_EQ(parsed(ninelineText(cells)), cells);

  std::string grid;
  for (int r = 0; r < 9; ++r) {
    if (r % 3 == 0) grid += "+-------+-------+-------+\n";
    for (int c = 0; c < 9; ++c) {
      if (c % 3 == 0) grid += "| ";
      grid += cells[std::size_t(r * 9 + c)];
      grid += ' ';
    }
    grid += "|\n";
  }
  grid += "+-------+-------+-------+\n";
  EXPECT_EQ(parsed(grid), cells);

  std::string stars = cells;
  for (char& ch : stars) {
    if (ch == '.') ch = '*';
  }
  EXPECT_EQ(parsed("\t" + stars + "\xff\x80"), cells);
}

TEST(PositionText, CountsExactlyEightyOneCells) {
  const std::string cells = kPuzzle;
  EXPECT_EQ(parsed(""), "none");
  EXPECT_EQ(parsed(cells.substr(0, 80)), "none");
  EXPECT_EQ(parsed(cells + "123"), cells);

  // '0' is not an empty cell.
  std::string zeros = cells;
  zeros[0] = '0';
  EXPECT_EQ(parsed(zeros), "none");

  // A heading with a digit and a full stop shifts the grid by two cells.
  EXPECT_EQ(parsed("Puzzle 4.\n" + cells), "4." + cells.substr(0, 79));
}
