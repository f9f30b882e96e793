// Tests of Fill in Easy Squares and Fill in Solution.
#include <gtest/gtest.h>

#include <bit>

#include "model/builtin_puzzles.h"
#include "play/assisted_fill.h"
#include "play/move_history.h"
#include "state/game_state.h"
#include "tests/fake/fake_platform.h"
#include "tests/play/play_support.h"

namespace {

// Cells 1 and 27 are naked singles; cell 0 has two candidates until cell 1
// is filled, though it is the only place for 1 in its row.
const std::initializer_list<CellIndex> kChain = {0, 1, 27};

void startBuiltIn(int index) {
  loadBuiltInPuzzleAt(index);
  std::string text = givensString();
  startPuzzle(text.c_str());
  ASSERT_TRUE(solveGivensForTest());
}

std::string filledCellsInOrder(int fromMove) {
  std::string order;
  for (int i = fromMove; i < game.moveCount; ++i) {
    order += std::to_string(game.moveHistory[i].cell) + " ";
  }
  return order;
}

}  // namespace

TEST(FillInSolution, WithoutASolutionOnlyBeeps) {
  startPuzzle(solvedGridWithout(kChain).c_str());
  fillInSolution();
  ASSERT_EQ(fake.recordCount, 1);
  EXPECT_EQ(fake.records[0].call, PlatformCall::kBeep);
  EXPECT_EQ(fake.records[0].number, kBeepDefault);
  EXPECT_EQ(game.moveCount, 0);
}

TEST(FillInSolution, ErasesWrongDigitsThenFillsNakedSinglesReevaluated) {
  startPuzzle(solvedGridWithout({0, 1, 27, 50, 60, 70}).c_str());
  provideSolvedGridAsSolution();
  setCell(70, 1);
  setCell(50, 1);
  setCell(60, 1);
  setCell(60, solvedDigit(60) == 2 ? 3 : 2);
  fillInSolution();
  EXPECT_EQ(filledCellsInOrder(4), "50 60 70 1 0 27 50 60 70 ");
  for (int i = 4; i < 7; ++i) EXPECT_EQ(game.moveHistory[i].value, 0);
  EXPECT_NE(movesListText().find("5. (6, 6) = ?\r\n"), std::string::npos);
  EXPECT_EQ(countCalls(PlatformCall::kBeep), 0);
  EXPECT_EQ(boardString(), solvedGridWithout({}));

  // Undo takes back the last filled cell only.
  undoMove();
  EXPECT_EQ(boardString(), solvedGridWithout({70}));
}

TEST(FillInSolution, HiddenSingleBeforeFewestCandidates) {
  // Nines at cells 8, 14, 46 and 72 leave cell 20 the only place for 9 in
  // its box, while cell 0 already has fewer candidates.
  std::string text(kCellCount, '.');
  for (CellIndex c : {8, 14, 46, 72}) text[c] = '9';
  startPuzzle(text.c_str());
  provideSolvedGridAsSolution();
  fillInSolution();
  ASSERT_GT(game.moveCount, 0);
  EXPECT_EQ(game.moveHistory[0].cell, 20);
  EXPECT_EQ(game.moveHistory[0].value, 9);
  EXPECT_EQ(boardString(), solvedGridWithout({}));
}

TEST(FillInSolution, FewestCandidatesLowestIndexFirst) {
  // Row 8 holds six digits: cells 78, 79 and 80 have three candidates each,
  // every other empty cell more, and no cell is a single.
  std::string text(kCellCount, '.');
  for (CellIndex c = 72; c <= 77; ++c) text[c] = char('0' + solvedDigit(c));
  startPuzzle(text.c_str());
  provideSolvedGridAsSolution();
  fillInSolution();
  EXPECT_EQ(filledCellsInOrder(0).substr(0, 9), "78 79 80 ");
  EXPECT_EQ(boardString(), solvedGridWithout({}));
  EXPECT_EQ(game.moveCount, kCellCount - 6);
}

TEST(FillInSolution, BoardEqualToSolutionRecordsNothing) {
  startPuzzle(solvedGridWithout({}).c_str());
  provideSolvedGridAsSolution();
  fillInSolution();
  EXPECT_EQ(fake.recordCount, 0);
  EXPECT_EQ(game.moveCount, 0);
}

TEST(FillInSolution, BuiltInPuzzlesFillToTheSolutionAlsoWithoutColours) {
  for (int index = 0; index < kBuiltInPuzzleCount; ++index) {
    startBuiltIn(index);
    fillInSolution();
    const std::string withColours = movesListText();
    EXPECT_EQ(withColours.substr(withColours.size() - 13), "\r\nSolved!!!\r\n");

    startBuiltIn(index);
    game.showColors = 0;
    fillInSolution();
    EXPECT_EQ(movesListText(), withColours) << "puzzle " << index;
  }
}

TEST(FillInEasySquares, CompletesAPuzzleOfNakedSingles) {
  startPuzzle(solvedGridWithout(kChain).c_str());
  fillInEasySquares();
  EXPECT_EQ(filledCellsInOrder(0), "1 0 27 ");
  EXPECT_EQ(movesListText(),
            "1. (2, 1) = 2\r\n2. (1, 1) = 1\r\n3. (1, 4) = 2\r\n\r\nSolved!!!\r\n");
}

TEST(FillInEasySquares, ConflictStopsItSilently) {
  startPuzzle(solvedGridWithout({0, 1, 27, 40}).c_str());
  setCell(40, solvedDigit(41));
  clearRecords();
  fillInEasySquares();
  EXPECT_EQ(fake.recordCount, 0);
  EXPECT_EQ(game.moveCount, 1);
}

TEST(FillInEasySquares, StopsWhereNoNakedSingleIsLeft) {
  for (int index = 0; index < kBuiltInPuzzleCount; ++index) {
    startBuiltIn(index);
    fillInEasySquares();
    for (int c = 0; c < kCellCount; ++c) {
      EXPECT_NE(std::popcount(unsigned(game.candidates[c])), 1)
          << "cell " << c << " of puzzle " << index << " is still a naked single";
      if (game.board[c] != 0) {
        EXPECT_EQ(game.board[c], game.solution[c]);
      }
    }
    const std::string withColours = boardString();

    startBuiltIn(index);
    game.showColors = 0;
    fillInEasySquares();
    EXPECT_EQ(boardString(), withColours);
  }
  // A board where only a hidden single is left gets nothing.
  std::string text(kCellCount, '.');
  for (CellIndex c : {8, 14, 46, 72}) text[c] = '9';
  startPuzzle(text.c_str());
  fillInEasySquares();
  EXPECT_EQ(game.moveCount, 0);
}

TEST(AssistedFill, InEntryModeBothCommandsWriteGivensAndRecordNoMove) {
  startPuzzle(solvedGridWithout(kChain).c_str());
  game.entryMode = 1;
  fillInEasySquares();
  EXPECT_EQ(givensString(), kSolvedGrid);
  EXPECT_EQ(boardString(), kSolvedGrid);
  EXPECT_EQ(game.moveCount, 0);

  // The clearing pass erases an entered given that differs from the
  // solution, and the fills put the right one back as a given.
  startPuzzle(solvedGridWithout({0, 1, 27, 40}).c_str());
  provideSolvedGridAsSolution();
  game.entryMode = 1;
  setCell(40, solvedDigit(40) == 2 ? 3 : 2);
  fillInSolution();
  EXPECT_EQ(givensString(), kSolvedGrid);
  EXPECT_EQ(boardString(), kSolvedGrid);
  EXPECT_EQ(game.moveCount, 0);
  EXPECT_EQ(countCalls(PlatformCall::kBeep), 0);
}

TEST(AssistedFill, FullHistoryEndsBothCommandsWithOneBeep) {
  startPuzzle(solvedGridWithout({0, 1, 27, 40}).c_str());
  provideSolvedGridAsSolution();
  for (int i = 0; i < kMaxMoves; ++i) setCell(40, i % 2 == 0 ? 1 : 0);
  clearRecords();

  fillInEasySquares();
  EXPECT_EQ(countCalls(PlatformCall::kBeep), 1);
  fillInSolution();
  EXPECT_EQ(countCalls(PlatformCall::kBeep), 2);
  EXPECT_EQ(game.moveCount, kMaxMoves);
  EXPECT_EQ(boardString(), solvedGridWithout({0, 1, 27, 40}));

  // A wrong digit that cannot be erased ends the clearing pass too.
  undoMove();
  setCell(40, 2);
  clearRecords();
  fillInSolution();
  EXPECT_EQ(countCalls(PlatformCall::kBeep), 1);
  EXPECT_EQ(game.board[40], 2);
}
